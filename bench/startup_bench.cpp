// Start-up to the first painted window and peak memory: the tool against a bare Qt
// window, run alternately so that both see the same machine.
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
    while (seen.find("painted\n") == std::string::npos && poll(&p, 1, 20000) > 0) {
        char buffer[256];
        const ssize_t n = read(out[0], buffer, sizeof buffer);
        if (n <= 0)
            break;
        seen.append(buffer, static_cast<std::size_t>(n));
    }
    s.milliseconds = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    s.ok = seen.find("painted\n") != std::string::npos;
    if (!s.ok)
        kill(pid, SIGKILL);
    close(out[0]);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    s.peakMiB = usage.ru_maxrss / 1024.0; // KiB on Linux
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
    std::vector<double> toolMs, bareMs, toolMiB, bareMiB;
    for (int i = 0; i < runs; ++i) {
        for (const bool isTool : {true, false}) {
            const Sample s = runOnce(isTool ? tool : bare);
            if (!s.ok) {
                std::fprintf(stderr, "startup_bench: %s did not paint\n", (isTool ? tool : bare).front().c_str());
                return 1;
            }
            (isTool ? toolMs : bareMs).push_back(s.milliseconds);
            (isTool ? toolMiB : bareMiB).push_back(s.peakMiB);
        }
    }
    const double tm = median(toolMs), bm = median(bareMs), tr = median(toolMiB), br = median(bareMiB);
    std::printf("startup_ms %.1f %.1f %.2f\n", tm, bm, tm / bm);
    std::printf("peak_mib %.1f %.1f %.2f\n", tr, br, tr / br);
    return 0;
}
