// The window ended by SIGTERM, SIGINT or SIGHUP, on the real program against its
// simulated unit: it closes as File > Exit closes it, so the settings and the kept
// parameters are written and the program ends normally.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <string>
#include <thread>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

/// Waits for the child up to `limit`; its wait status, or -1 when it is still running.
int waitFor(pid_t pid, std::chrono::milliseconds limit)
{
    const auto end = std::chrono::steady_clock::now() + limit;
    for (;;) {
        int status = 0;
        if (::waitpid(pid, &status, WNOHANG) == pid)
            return status;
        if (std::chrono::steady_clock::now() > end)
            return -1;
        std::this_thread::sleep_for(20ms);
    }
}

TEST(WindowSignals, TermIntAndHupCloseTheWindowAsExitDoes)
{
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(::strsignal(signal));
        const fs::path dir = fs::temp_directory_path() /
                             ("talviro6-signal-" + std::to_string(::getpid()) + "-" + std::to_string(signal));
        fs::remove_all(dir);
        fs::create_directories(dir / "config");
        const fs::path settings = dir / "config" / "talviro6";
        // The recording's file appears once start-up is over, so the signal finds the
        // window running rather than still starting.
        const fs::path started = dir / "run.csv";

        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            // As from a desktop: the signals at their defaults, nothing blocked.
            sigset_t none;
            sigemptyset(&none);
            ::sigprocmask(SIG_SETMASK, &none, nullptr);
            for (const int s : {SIGTERM, SIGINT, SIGHUP})
                std::signal(s, SIG_DFL);
            const int null = ::open("/dev/null", O_WRONLY);
            ::dup2(null, STDOUT_FILENO);
            ::dup2(null, STDERR_FILENO);
            ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
            ::setenv("XDG_CONFIG_HOME", (dir / "config").c_str(), 1);
            ::setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 1);
            ::execl(TALVIRO6_WINDOW, "talviro6", "--simulate", "--record", started.c_str(), nullptr);
            ::_exit(127);
        }

        const auto end = std::chrono::steady_clock::now() + 30s;
        while (!fs::exists(started) && std::chrono::steady_clock::now() < end && waitFor(pid, 0ms) == -1)
            std::this_thread::sleep_for(50ms);
        ASSERT_TRUE(fs::exists(started)) << "the window did not start";
        EXPECT_FALSE(fs::exists(settings / "TALVIRO6_v76.ini")) << "nothing written before the end";

        ASSERT_EQ(::kill(pid, signal), 0);
        int status = waitFor(pid, 20s);
        if (status == -1) {
            ::kill(pid, SIGKILL);
            status = waitFor(pid, 5s);
            ADD_FAILURE() << "the window did not end on the signal";
        }
        EXPECT_TRUE(WIFEXITED(status)) << "ended by signal " << (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
        EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, 0);
        EXPECT_TRUE(fs::exists(settings / "TALVIRO6_v76.ini")) << "the settings";
        EXPECT_TRUE(fs::exists(settings / "_TALVIRO6_v76.ini")) << "the kept parameters";
        fs::remove_all(dir);
    }
}

} // namespace
