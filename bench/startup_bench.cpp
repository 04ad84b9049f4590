// Start-up to the first painted window and peak memory: the tool against a bare Qt
// window, run alternately so that both see the same machine. CPU time is the
// process's own to its first paint (loading, building, painting) and, beside it, to
// its exit.
//   startup_bench RUNS TOOL BARE [TOOL ARGS...]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct Sample {
    double milliseconds = 0; ///< exec to the "painted" line
    double peakMiB = 0;      ///< resident, at its highest
    double paintCpuMs = 0;   ///< the process's CPU time at its first paint
    double cpuMs = 0;        ///< user and system time of the whole process, to its exit
    bool ok = false;
};

Sample runOnce(const std::vector<std::string> &command)
{
    int out[2];
    if (pipe(out) != 0)
        return {};
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        close(out[1]);
        std::vector<char *> argv;
        for (const std::string &a : command)
            argv.push_back(const_cast<char *>(a.c_str()));
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(out[1]);
    Sample s;
    std::string seen;
    pollfd p{out[0], POLLIN, 0};
    const auto painted = [&seen] {
        const std::size_t at = seen.find("painted ");
        return at != std::string::npos && seen.find('\n', at) != std::string::npos;
    };
    while (!painted() && poll(&p, 1, 20000) > 0) {
        char buffer[256];
        const ssize_t n = read(out[0], buffer, sizeof buffer);
        if (n <= 0)
            break;
        seen.append(buffer, static_cast<std::size_t>(n));
    }
    s.milliseconds = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    s.ok = painted();
    if (s.ok)
        s.paintCpuMs = std::atof(seen.c_str() + seen.find("painted ") + 8);
    if (!s.ok)
        kill(pid, SIGKILL);
    close(out[0]);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    s.peakMiB = usage.ru_maxrss / 1024.0; // KiB on Linux
    const auto ms = [](const timeval &t) { return t.tv_sec * 1000.0 + t.tv_usec / 1000.0; };
    s.cpuMs = ms(usage.ru_utime) + ms(usage.ru_stime);
    return s;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: startup_bench RUNS TOOL BARE [TOOL ARGS...]\n");
        return 2;
    }
    const int runs = std::atoi(argv[1]);
    std::vector<std::string> tool{argv[2]};
    for (int i = 4; i < argc; ++i)
        tool.emplace_back(argv[i]);
    const std::vector<std::string> bare{argv[3]};

    runOnce(tool); // warm the caches for both, unmeasured
    runOnce(bare);
    std::vector<double> toolMs, bareMs, toolMiB, bareMiB, toolCpu, bareCpu, toolPaintCpu, barePaintCpu;
    for (int i = 0; i < runs; ++i) {
        for (const bool isTool : {true, false}) {
            const Sample s = runOnce(isTool ? tool : bare);
            if (!s.ok) {
                std::fprintf(stderr, "startup_bench: %s did not paint\n", (isTool ? tool : bare).front().c_str());
                return 1;
            }
            (isTool ? toolMs : bareMs).push_back(s.milliseconds);
            (isTool ? toolMiB : bareMiB).push_back(s.peakMiB);
            (isTool ? toolCpu : bareCpu).push_back(s.cpuMs);
            (isTool ? toolPaintCpu : barePaintCpu).push_back(s.paintCpuMs);
        }
    }
    const double tm = median(toolMs), bm = median(bareMs), tr = median(toolMiB), br = median(bareMiB);
    std::printf("startup_ms %.1f %.1f %.2f\n", tm, bm, tm / bm);
    const double pc = median(toolPaintCpu), bpc = median(barePaintCpu);
    std::printf("startup_cpu_ms %.1f %.1f %.2f\n", pc, bpc, pc / bpc);
    const double tc = median(toolCpu), bc = median(bareCpu);
    std::printf("process_cpu_ms %.1f %.1f %.2f\n", tc, bc, tc / bc);
    std::printf("peak_mib %.1f %.1f %.2f\n", tr, br, tr / br);
    return 0;
}
