// --record FILE on the real program against its simulated unit: the recording runs
// from the start, and a program that is killed leaves at most its last second unwritten.
#include "recordings/live_recorder.h"
#include "recordings/monitor_csv.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

namespace {

TEST(WindowCommandLine, RecordStartsAtStartUpAndSurvivesAKill)
{
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("talviro6-record-" + std::to_string(::getpid()));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir / "config");
    const std::filesystem::path file = dir / "run.csv";
    constexpr int Seconds = 5;
    // SIGKILL: no chance to close the file; only what was flushed is there.
    const std::string command = "QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME=" + (dir / "config").string() +
                                " DBUS_SESSION_BUS_ADDRESS=disabled: timeout -s KILL " + std::to_string(Seconds) + " " +
                                TALVIRO6_WINDOW + " --simulate --record " + file.string() + " >/dev/null 2>&1";
    (void)std::system(command.c_str());

    std::ifstream in(file, std::ios::binary);
    ASSERT_TRUE(in) << "no recording at " << file;
    std::ostringstream text;
    text << in.rdbuf();
    const talviro6::MonitorCsv csv = talviro6::parseMonitorCsv(text.str());
    ASSERT_FALSE(csv.comments.empty());
    EXPECT_EQ("# " + csv.comments[0], talviro6::LiveRecorder::FirstLine);
    EXPECT_EQ(csv.skippedLines, 0u) << "a kill between flushes leaves whole lines only";
    ASSERT_GE(csv.frames.size(), 3u) << text.str();
    // The program needs a moment to start; of the time it recorded, at most the last
    // second (one flush) may be missing.
    EXPECT_GE(csv.frames.back().milliseconds, 1000) << text.str();
    std::filesystem::remove_all(dir);
}

} // namespace
