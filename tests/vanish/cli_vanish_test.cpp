// The unit's line vanishing under a command-line job: talviro6-sim behind a fixed
// name (--link, as an adapter's by-id name) is killed in the middle of a job, and
// started again under the same name afterwards.
#include "cli/sim_process.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace talviro6::testing;

namespace {

constexpr auto npos = std::string::npos;

std::size_t lineCount(const std::string &text)
{
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

std::string parameterFile()
{
    return std::string(TALVIRO6_FILES_DATA) + "/startup_cells.ign";
}

using CliVanish = CliJobFixture;

} // namespace

// The job must end soon with a message that points at the line, not at the data,
// and leave nothing behind that keeps the next job (on the unit plugged in again)
// from the port.
TEST_F(CliVanish, AJobWhoseDeviceVanishesEndsAtOnceAndSaysSo)
{
    const struct {
        const char *job;
        std::vector<std::string> fault; ///< holds the job at a block long enough to be killed there
        const char *waitFor;            ///< on standard error before the simulator is killed
        int signal;
        int exitCode;
        const char *says;
    } rows[] = {
        // Block 2's first two answers are lost: the job waits there for 8 ticks.
        {"program", {"--fault", "no-answer:2:0x02"}, "Program device: 2/3", SIGKILL, 5, "Program error!"},
        {"read", {"--fault", "no-answer:2:0x42"}, "Read: 2/3", SIGKILL, 5, "Read error!"},
        {"read", {"--fault", "no-answer:2:0x42"}, "Read: 2/3", SIGTERM, 5, "Read error!"},
        // Programmed and verified; the unit is storing (2 s) when its line goes.
        {"program", {}, "unit: ", SIGKILL, 7, "storing"},
    };
    const std::string link = (work() / "unit").string();
    const std::string output = (work() / "read.ign").string();
    for (const auto &row : rows) {
        SCOPED_TRACE(std::string(row.job) + " until " + row.waitFor + ", signal " + std::to_string(row.signal));
        std::vector<std::string> simOptions{"--link", link};
        simOptions.insert(simOptions.end(), row.fault.begin(), row.fault.end());
        SimProcess &sim = startSim(simOptions);
        std::vector<std::string> args{row.job, "--port", link};
        if (std::string(row.job) == "read")
            args.insert(args.end(), {"-o", output});
        else
            args.push_back(parameterFile());
        const pid_t pid = startCli(args);
        ASSERT_TRUE(waitForErr(row.waitFor)) << slurp(errPath());

        sim.kill(row.signal);
        const auto killed = std::chrono::steady_clock::now();
        const int code = waitForExit(pid);
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - killed).count();
        const std::string err = slurp(errPath());
        EXPECT_EQ(code, row.exitCode) << err;
        EXPECT_LT(seconds, 1.0) << "a job on a device that is gone ends at its next tick";
        EXPECT_NE(err.find(row.says), npos) << err;
        EXPECT_NE(err.find(link + " went away"), npos) << err;
        EXPECT_EQ(err.find("OK\n"), npos) << err;
        EXPECT_FALSE(std::filesystem::exists(output)) << "a broken read writes no file";

        // The unit plugged in again comes back under its name, on a new terminal,
        // and the next job has the port to itself at once.
        SimProcess &again = startSim({"--link", link});
        EXPECT_EQ(std::filesystem::read_symlink(link).string(), again.device());
        const CliRun next = cli({"read", "--port", link, "-o", output});
        EXPECT_EQ(next.exitCode, 0) << next.err;
        std::filesystem::remove(output);
        again.kill(SIGTERM);
        EXPECT_FALSE(std::filesystem::is_symlink(link)) << "a simulator that ends removes its link";
    }
}

// A monitor whose device is gone would otherwise run on saying "no connection",
// and reopen the path, which another program's terminal may soon take.
TEST_F(CliVanish, AMonitorWhoseDeviceVanishesEndsAtOnce)
{
    const struct {
        int signal;
        std::vector<std::string> options;
    } rows[] = {
        {SIGKILL, {}},
        {SIGTERM, {"--seconds", "20"}},
    };
    const std::string link = (work() / "unit").string();
    for (const auto &row : rows) {
        SCOPED_TRACE("signal " + std::to_string(row.signal));
        SimProcess &sim = startSim({"--link", link});
        std::vector<std::string> args{"monitor", "--port", link};
        args.insert(args.end(), row.options.begin(), row.options.end());
        const pid_t pid = startCli(args);
        ASSERT_TRUE(waitForErr("connected\n")) << slurp(errPath());

        sim.kill(row.signal);
        const auto killed = std::chrono::steady_clock::now();
        const int code = waitForExit(pid);
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - killed).count();
        const std::string err = slurp(errPath());
        EXPECT_EQ(code, 5) << err;
        EXPECT_LT(seconds, 1.0) << "a monitor on a device that is gone ends at its next tick";
        EXPECT_NE(err.find(link + " went away"), npos) << err;
        EXPECT_EQ(err.find("no connection"), npos) << err;
    }
}

// --follow waits for the same device under its name, and the live lines go on in
// the same output when it is back.
TEST_F(CliVanish, AFollowingMonitorWaitsForItsDeviceToComeBack)
{
    const std::string link = (work() / "unit").string();
    SimProcess &sim = startSim({"--link", link});
    const pid_t pid = startCli({"monitor", "--port", link, "--follow"});
    ASSERT_TRUE(waitForErr("connected\n")) << slurp(errPath());

    sim.kill(SIGKILL);
    ASSERT_TRUE(waitForErr("waiting for " + link)) << slurp(errPath());
    std::this_thread::sleep_for(std::chrono::seconds(2)); // several reopenings find nothing
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, WNOHANG), 0) << "still running: " << slurp(errPath());
    const std::size_t linesWhileAway = lineCount(slurp(outPath()));

    startSim({"--link", link});
    const auto backAgain = [&] {
        const std::string err = slurp(errPath());
        const std::size_t away = err.find("went away");
        return away != npos && err.find("connected\n", away) != npos &&
               lineCount(slurp(outPath())) > linesWhileAway + 2;
    };
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!backAgain() && std::chrono::steady_clock::now() < limit)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_TRUE(backAgain()) << slurp(errPath());

    ::kill(pid, SIGINT);
    const std::string err = slurp(errPath());
    EXPECT_EQ(waitForExit(pid), 0) << slurp(errPath());
    EXPECT_NE(err.find(link + " is back"), npos) << err;
}

// --link gives a stable name: a link left behind by a killed simulator is taken
// over, one that a later simulator made is not removed by an earlier one ending,
// and a path that is no link is never replaced.
TEST_F(CliVanish, SimulatorLinkIsAStableNameForItsTerminal)
{
    const std::string link = (work() / "unit").string();
    SimProcess &first = startSim({"--link", link});
    EXPECT_EQ(std::filesystem::read_symlink(link).string(), first.device());
    first.kill(SIGKILL);
    EXPECT_TRUE(std::filesystem::is_symlink(link)) << "left behind, leading nowhere";

    SimProcess &second = startSim({"--link", link});
    EXPECT_EQ(std::filesystem::read_symlink(link).string(), second.device());
    SimProcess &third = startSim({"--link", link});
    EXPECT_EQ(std::filesystem::read_symlink(link).string(), third.device());
    second.kill(SIGTERM);
    EXPECT_EQ(std::filesystem::read_symlink(link).string(), third.device()) << "the name belongs to the newer one";
    third.kill(SIGTERM);
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(link)));

    const std::string plain = (work() / "plain.txt").string();
    std::ofstream(plain) << "not a link\n";
    const pid_t pid =
        spawn(TALVIRO6_SIM, {"--link", plain, "--seconds", "5"}, (work() / "out").string(), (work() / "err").string());
    EXPECT_EQ(waitForExit(pid), 1);
    EXPECT_EQ(slurp(plain), "not a link\n");
    EXPECT_NE(slurp(work() / "err").find("is not a symbolic link"), npos) << slurp(work() / "err");
    EXPECT_EQ(slurp(work() / "out"), "") << "no terminal is offered when its name cannot be made";
}
