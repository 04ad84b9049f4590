#pragma once

// The real programs as child processes: talviro6-sim on its pseudo-terminal and
// talviro6-cli jobs against it, with their exit codes and output.
#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace talviro6::testing {

inline std::string slurp(const std::filesystem::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

/// Starts `program` with `args`; standard output and error go to the given files
/// (standard output to a pipe when `outPath` is empty and `outPipe` is given).
/// `inChild` runs in the child just before exec (limits, signal dispositions).
inline pid_t spawn(const std::string &program, const std::vector<std::string> &args, const std::string &outPath,
                   const std::string &errPath, int *outPipe = nullptr, const std::function<void()> &inChild = {})
{
    int fds[2] = {-1, -1};
    if (outPipe && ::pipe(fds) != 0)
        return -1;
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (outPipe) {
            ::dup2(fds[1], STDOUT_FILENO);
            ::close(fds[0]);
            ::close(fds[1]);
        } else {
            const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            ::dup2(out, STDOUT_FILENO);
        }
        const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ::dup2(err, STDERR_FILENO);
        if (inChild)
            inChild();
        std::vector<char *> argv;
        argv.push_back(const_cast<char *>(program.c_str()));
        for (const std::string &a : args)
            argv.push_back(const_cast<char *>(a.c_str()));
        argv.push_back(nullptr);
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    if (outPipe) {
        ::close(fds[1]);
        *outPipe = fds[0];
    }
    return pid;
}

/// The exit code, 128 + n for a process killed by signal n (as a shell reports it).
inline int waitForExit(pid_t pid)
{
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (WIFSIGNALED(status))
        return 1000 + WTERMSIG(status); // distinct from any code the program exits with
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

/// talviro6-sim for one test: started with the given options, stopped at the end.
class SimProcess {
  public:
    explicit SimProcess(std::vector<std::string> options, const std::filesystem::path &errPath)
    {
        // A safety net: a simulator left behind by a crashed test stops by itself.
        options.insert(options.begin(), {"--seconds", "120"});
        int out = -1;
        m_pid = spawn(TALVIRO6_SIM, options, {}, errPath.string(), &out);
        std::string line;
        pollfd p{out, POLLIN, 0};
        char c = 0;
        while (::poll(&p, 1, 10'000) > 0 && ::read(out, &c, 1) == 1 && c != '\n')
            line.push_back(c);
        ::close(out);
        m_device = line;
    }
    ~SimProcess()
    {
        if (m_pid > 0) {
            ::kill(m_pid, SIGTERM);
            waitForExit(m_pid);
        }
    }
    SimProcess(const SimProcess &) = delete;
    SimProcess &operator=(const SimProcess &) = delete;

    const std::string &device() const { return m_device; }

    /// Ends the simulator now: SIGKILL takes its terminal away at once, as pulling
    /// an adapter out does; SIGTERM lets it tidy up.
    void kill(int signal)
    {
        if (m_pid > 0) {
            ::kill(m_pid, signal);
            waitForExit(m_pid);
            m_pid = -1;
        }
    }

  private:
    pid_t m_pid = -1;
    std::string m_device;
};

struct CliRun {
    int exitCode;
    std::string out;
    std::string err;
    double seconds; ///< wall-clock time the command took
};

/// A folder of its own for each test, with the runs' output files.
class CliJobFixture : public ::testing::Test {
  protected:
    void SetUp() override
    {
        const auto *info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_dir = std::filesystem::temp_directory_path() /
                ("talviro6_cli_" + std::string(info->name()) + "_" + std::to_string(::getpid()));
        std::filesystem::remove_all(m_dir);
        std::filesystem::create_directories(m_dir / "work");
        // The jobs save snapshots into the user's configuration folder: each test
        // gets one of its own, which the programs it starts inherit.
        if (const char *old = std::getenv("XDG_CONFIG_HOME"))
            m_oldConfig = old;
        ::setenv("XDG_CONFIG_HOME", config().c_str(), 1);
    }
    void TearDown() override
    {
        if (m_oldConfig)
            ::setenv("XDG_CONFIG_HOME", m_oldConfig->c_str(), 1);
        else
            ::unsetenv("XDG_CONFIG_HOME");
        std::error_code ec;
        std::filesystem::permissions(m_dir / "work", std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(m_dir, ec);
    }

    /// Where a test puts its own files; nothing else is written there.
    std::filesystem::path work() const { return m_dir / "work"; }
    std::string errPath() const { return (m_dir / "stderr").string(); }
    /// XDG_CONFIG_HOME of the test's programs; the jobs' snapshots are in snapshots().
    std::filesystem::path config() const { return m_dir / "config"; }
    std::filesystem::path snapshots() const { return config() / "talviro6" / "snapshots"; }
    std::string outPath() const { return (m_dir / "stdout").string(); }

    SimProcess &startSim(std::vector<std::string> options = {})
    {
        m_sims.push_back(std::make_unique<SimProcess>(std::move(options), m_dir / "sim_stderr"));
        EXPECT_FALSE(m_sims.back()->device().empty()) << "talviro6-sim printed no device";
        return *m_sims.back();
    }

    /// Standard output goes to `outTo` (by default a file of the fixture's).
    pid_t startCli(const std::vector<std::string> &args, const std::function<void()> &inChild = {},
                   const std::string &outTo = {})
    {
        // Gone before the start, so that waitForErr() never reads an earlier run's messages.
        std::filesystem::remove(errPath());
        return spawn(TALVIRO6_CLI, args, outTo.empty() ? outPath() : outTo, errPath(), nullptr, inChild);
    }

    CliRun cli(const std::vector<std::string> &args, const std::function<void()> &inChild = {},
               const std::string &outTo = {})
    {
        std::filesystem::remove(outPath());
        const auto start = std::chrono::steady_clock::now();
        const int code = waitForExit(startCli(args, inChild, outTo));
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        return {code, slurp(outPath()), slurp(errPath()), seconds};
    }

    /// Waits until the running command's standard error holds `text`.
    bool waitForErr(const std::string &text, std::chrono::seconds limit = std::chrono::seconds(10)) const
    {
        const auto end = std::chrono::steady_clock::now() + limit;
        while (std::chrono::steady_clock::now() < end) {
            if (slurp(errPath()).find(text) != std::string::npos)
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return false;
    }

  private:
    std::filesystem::path m_dir;
    std::optional<std::string> m_oldConfig;
    std::vector<std::unique_ptr<SimProcess>> m_sims;
};

} // namespace talviro6::testing
