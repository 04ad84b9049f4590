// The live data as CSV: the lines the monitor prints and the recorder writes, read
// back into frames; the recorder's file; the replay's timing.
#include "link/link_fixture.h"

#include "../support/file_size_limit.h"

#include "live/monitor_view.h"
#include "recordings/live_recorder.h"
#include "recordings/monitor_csv.h"
#include "recordings/recording_reader.h"
#include "recordings/replay_clock.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include <unistd.h>

using namespace talviro6;
using namespace talviro6::testing;

namespace {

/// What a frame looks like after a trip through a CSV line: the bytes the CSV does
/// not carry are zero, the maximum advance is the one shown, and throttle counts
/// are what the saturated mV give back.
MonitorFrame throughCsv(MonitorFrame m)
{
    m.testValues = {};
    m.pickupCounterA = {};
    m.pickupCounterB = {};
    const int m1 = m.maxAdvance[0], m2 = m.maxAdvance[1];
    const auto shown = static_cast<std::uint16_t>(m1 == 0 ? m2 : m2 == 0 ? m1 : std::min(m1, m2));
    m.maxAdvance = {shown, shown};
    m.tpsCounts = millivoltsToCounts(countsToMillivolts(m.tpsCounts));
    return m;
}

std::string readAll(const std::filesystem::path &path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

struct TempDir {
    std::filesystem::path path;
    TempDir()
    {
        path = std::filesystem::temp_directory_path() /
               ("talviro6-rec-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path);
    }
    ~TempDir() { std::filesystem::remove_all(path); }
};

} // namespace

TEST(MonitorCsv, LineTextAndRoundTripOfKnownFrames)
{
    MonitorFrame a;
    a.engineSpeed = 4500;
    a.advance = {132, 128};
    a.maxAdvance = {35, 0};
    a.tpsPercent = 42;
    a.tpsCounts = 430;
    a.supplyMillivolts = 13812;
    a.servoDesired = 512;
    a.servoMeasured = 498;
    a.killSwitch = a.clutch = a.input2Grounded = a.pickup1 = a.powerOut3 = a.speedYellow = a.servoOk = true;
    a.savingCountdown = 600;
    a.programCount = 17;
    a.protocolVersion = 74;
    a.testValues = {1, 2, 3, 4, 5, 6, 7, 8};
    a.pickupCounterA = {9, 10};
    // The old 28 columns keep their meaning; the servo in mV follows at the end.
    EXPECT_EQ(monitorCsvLine(12.345, a, countsToMillivolts(a.tpsCounts)),
              "12.345,4500,32,32,28,35,42,2101,13.812,1,0,0,1,0,0,1,1,0,0,0,1,0,1,1,0,600,17,74,2502,2434");

    struct Row {
        const char *what;
        MonitorFrame frame;
    };
    std::vector<Row> rows;
    rows.push_back({"typical", a});
    MonitorFrame lowest;
    lowest.advance = {0, 0}; // -100 degrees
    rows.push_back({"all zero", lowest});
    MonitorFrame highest;
    highest.engineSpeed = 65535;
    highest.advance = {255, 255};
    highest.maxAdvance = {60, 45};
    highest.tpsPercent = 255;  // sensor in error
    highest.tpsCounts = 13403; // the last count below the mV saturation
    highest.supplyMillivolts = 65535;
    highest.servoDesired = 65535;
    highest.servoMeasured = 1;
    highest.savingCountdown = 65535;
    highest.programCount = 65535;
    highest.protocolVersion = 255;
    highest.retard = highest.startLimiter = highest.motorOff = highest.input1Grounded = highest.pickup2 = true;
    highest.powerOut1 = highest.powerOut2 = highest.speedRed = highest.dataError = true;
    rows.push_back({"largest values, every other flag", highest});
    MonitorFrame saturated = a;
    saturated.tpsCounts = 20000; // beyond 65535 mV: comes back as the saturated value
    rows.push_back({"throttle mV saturated", saturated});

    for (const Row &r : rows) {
        const std::string line = monitorCsvLine(3.3, r.frame, countsToMillivolts(r.frame.tpsCounts));
        RecordedFrame back;
        ASSERT_TRUE(parseMonitorCsvLine(line, back)) << r.what << ": " << line;
        EXPECT_EQ(back.milliseconds, 3300) << r.what;
        EXPECT_EQ(back.frame, throughCsv(r.frame)) << r.what << ": " << line;
        EXPECT_EQ(unpackFrame(packFrame(back)), back.frame) << r.what << ": kept as the replay keeps it";
        // Decoded as the link decodes a unit's frame, it shows the same line again.
        const auto decoded = decodeMonitorFrame(encodeMonitorFrame(back.frame));
        ASSERT_TRUE(decoded) << r.what;
        EXPECT_EQ(monitorCsvLine(3.3, *decoded, countsToMillivolts(decoded->tpsCounts)), line) << r.what;
    }
}

TEST(MonitorCsv, EveryServoAndThrottleCountSurvivesTheTripThroughMillivolts)
{
    for (int c = 0; c <= 65535; ++c) {
        const auto counts = static_cast<std::uint16_t>(c);
        ASSERT_EQ(millivoltsToCounts(static_cast<std::uint32_t>(servoCountsToMillivolts(counts))), counts) << c;
        if (c <= 13403) {
            ASSERT_EQ(millivoltsToCounts(countsToMillivolts(counts)), counts) << c;
        }
    }
}

TEST(MonitorCsv, ToleratesWhatItCannotReadAndCountsIt)
{
    const std::string good = monitorCsvLine(0.5, MonitorFrame{}, 0);
    const std::string old28 = good.substr(0, good.rfind(',', good.rfind(',') - 1)); // an older monitor's line
    const char *bad[] = {
        "garbage",
        "1.0,2,3",                                                                        // too few columns
        "x.5,0,-100,-100,-100,0,0,0,0.000,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0",     // time not a number
        "0.5,70000,-100,-100,-100,0,0,0,0.000,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0", // rpm beyond 16 bits
        "0.5,0,-100,-101,-100,0,0,0,0.000,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0",     // advance below a byte
        "0.5,0,-100,-100,-100,0,0,0,0.000,2,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0",     // a flag of 2
        "-1,0,-100,-100,-100,0,0,0,0.000,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0",      // negative time
        "0.5,0,-100,-100,-100,0,0,0,0.000,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0",   // one column too many
    };
    std::string text =
        "# TALVIRO6 recording\n#file: a.ign\n" + std::string(monitorCsvHeader()) + "\n\n" + good + "\r\n";
    for (const char *b : bad)
        text += std::string(b) + "\n";
    text += old28 + "\n" + good; // the last line without its end
    const MonitorCsv csv = parseMonitorCsv(text);
    EXPECT_EQ(csv.comments, (std::vector<std::string>{"TALVIRO6 recording", "file: a.ign"}));
    ASSERT_EQ(csv.frames.size(), 3u);
    for (const RecordedFrame &f : csv.frames) {
        EXPECT_EQ(f.milliseconds, 500);
        EXPECT_EQ(f.frame, throughCsv(MonitorFrame{}));
    }
    EXPECT_EQ(csv.skippedLines, std::size(bad));
    EXPECT_EQ(csv.firstSkippedLine, 6u);
}

// A file is read in pieces, and the pieces end anywhere: inside a line, between the
// "\r" and the "\n", inside a line too long to be one. Whatever the cut, what comes
// out is what the whole text gives, comments counted, frames in the replay's form.
TEST(MonitorCsv, ReadInPiecesAsFromTheWholeTextWhereverThePiecesEnd)
{
    const std::string good = monitorCsvLine(0.5, MonitorFrame{}, 0);
    MonitorFrame busy;
    busy.engineSpeed = 4321;
    busy.advance = {130, 131};
    busy.killSwitch = busy.pickup2 = busy.dataError = true;
    busy.protocolVersion = 76;
    const std::string other = monitorCsvLine(1.25, busy, 2500);
    const std::string old28 = good.substr(0, good.rfind(',', good.rfind(',') - 1));
    const std::string tooLong(MonitorCsvReader::MaxLineBytes + 10, '7');
    const std::string text = "# TALVIRO6 recording\r\n# " + std::string(3000, 'c') + "\n" +
                             std::string(monitorCsvHeader()) + "\n\n" + good + "\r\n" + tooLong + "\n" + other + "\n" +
                             "garbage\n" + old28 + "\n" + good + std::string(2000, ' ') + "x\n" + other;
    const MonitorCsv whole = parseMonitorCsv(text);
    ASSERT_EQ(whole.frames.size(), 4u);
    EXPECT_EQ(whole.comments.size(), 2u);
    EXPECT_EQ(whole.skippedLines, 3u) << "too long, garbage, a good line run on past the limit";
    EXPECT_EQ(whole.firstSkippedLine, 6u);

    for (const std::size_t piece : {std::size_t{1}, std::size_t{2}, std::size_t{7}, std::size_t{1000}, text.size()}) {
        SCOPED_TRACE("pieces of " + std::to_string(piece));
        std::vector<RecordedFrame> frames;
        MonitorCsvReader reader([&frames](const RecordedFrame &r) { frames.push_back(r); });
        for (std::size_t at = 0; at < text.size(); at += piece)
            reader.feed(std::string_view(text).substr(at, piece));
        reader.finish();
        ASSERT_EQ(frames.size(), whole.frames.size());
        for (std::size_t i = 0; i < frames.size(); ++i) {
            EXPECT_EQ(frames[i].milliseconds, whole.frames[i].milliseconds) << i;
            EXPECT_EQ(frames[i].frame, whole.frames[i].frame) << i;
        }
        EXPECT_EQ(reader.comments(), whole.comments.size());
        EXPECT_EQ(reader.skippedLines(), whole.skippedLines);
        EXPECT_EQ(reader.firstSkippedLine(), whole.firstSkippedLine);
    }
}

TEST(MonitorCsv, RecordingFilesAreReadWholeOrRefusedWithTheReason)
{
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("talviro6-read-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    // Longer than one piece of the reader, with frames on both sides of the cuts.
    std::string text = "# TALVIRO6 recording\n" + std::string(monitorCsvHeader()) + "\n";
    MonitorFrame m;
    for (int i = 0; i < 5000; ++i) {
        m.engineSpeed = static_cast<std::uint16_t>(i);
        text += monitorCsvLine(0.33 * i, m, 0) + (i % 100 == 0 ? "\n# lap\n" : "\n");
    }
    {
        std::ofstream(dir / "run.csv", std::ios::binary) << text;
    }
    const RecordingRead read = readRecording(dir / "run.csv");
    EXPECT_EQ(read.problem, RecordingProblem::None);
    const MonitorCsv whole = parseMonitorCsv(text);
    ASSERT_EQ(read.recording.frames.size(), whole.frames.size());
    ASSERT_EQ(read.recording.frames.size(), 5000u);
    for (std::size_t i = 0; i < whole.frames.size(); ++i) {
        ASSERT_EQ(read.recording.frames[i].milliseconds, whole.frames[i].milliseconds) << i;
        ASSERT_EQ(unpackFrame(read.recording.frames[i]), whole.frames[i].frame) << i;
    }
    EXPECT_EQ(read.recording.comments, 51u);
    EXPECT_EQ(read.recording.skippedLines, 0u);

    const RecordingRead folder = readRecording(dir);
    EXPECT_EQ(folder.problem, RecordingProblem::NotARegularFile);
    const RecordingRead missing = readRecording(dir / "missing.csv");
    EXPECT_EQ(missing.problem, RecordingProblem::CannotOpen);
    EXPECT_NE(missing.reason.find("No such file"), std::string::npos) << missing.reason;
    EXPECT_TRUE(missing.recording.frames.empty());
    std::filesystem::remove_all(dir);
}

namespace {

class Recorder : public LinkFixture {
  protected:
    TempDir dir;
    std::filesystem::path file = dir.path / "run.csv";
    LiveRecorder recorder;
    std::uint32_t seen = 0;
    std::string error;

    /// The window's tick with a recorder: a new accepted frame becomes a line.
    void recordTick(int n = 1)
    {
        for (int i = 0; i < n; ++i) {
            tick();
            if (engine.state().monitorFrames != seen) {
                seen = engine.state().monitorFrames;
                ASSERT_TRUE(recorder.frame(engine.lastMonitorFrame(), liveData.state().TpsMillivolts, &error)) << error;
            }
            ASSERT_TRUE(recorder.tick(&error)) << error;
        }
    }
    std::vector<MonitorFrame> liveFramesSent() const
    {
        std::vector<MonitorFrame> frames;
        for (const Frame &f : unit.answers())
            if (auto m = decodeMonitorFrame(f))
                frames.push_back(*m);
        return frames;
    }
};

} // namespace

TEST_F(Recorder, RunOfTheSimulatedUnitReadsBackAsTheFramesItSent)
{
    engine.OpenPort();
    ASSERT_TRUE(recorder.start(file.string(), {"file: /tmp/x.ign", "unit: TST\r\n12"}, &error)) << error;
    recordTick(200); // 11 s: about 33 polls, the engine sweeping the map
    ASSERT_TRUE(recorder.stop(&error)) << error;

    const std::vector<MonitorFrame> sent = liveFramesSent();
    ASSERT_GE(sent.size(), 30u);
    const MonitorCsv csv = parseMonitorCsv(readAll(file));
    EXPECT_EQ(csv.comments.front(), "TALVIRO6 recording");
    EXPECT_EQ(csv.comments.at(1), "file: /tmp/x.ign");
    EXPECT_EQ(csv.comments.at(2), "unit: TST  12") << "a line end does not break the head";
    EXPECT_EQ(csv.skippedLines, 0u);
    ASSERT_EQ(csv.frames.size(), sent.size());
    EXPECT_EQ(recorder.lines(), sent.size());
    std::set<std::uint16_t> speeds;
    for (std::size_t i = 0; i < sent.size(); ++i) {
        EXPECT_EQ(csv.frames[i].frame, throughCsv(sent[i])) << "frame " << i;
        speeds.insert(sent[i].engineSpeed);
        if (i > 0) { // a poll every 6 ticks of 55 ms
            EXPECT_EQ(csv.frames[i].milliseconds - csv.frames[i - 1].milliseconds, 330) << "frame " << i;
        }
    }
    EXPECT_GT(speeds.size(), 5u) << "the run should show a moving engine";
    const std::string text = readAll(file);
    EXPECT_EQ(text.substr(0, text.find('\n')), LiveRecorder::FirstLine);
}

TEST_F(Recorder, FlushesEverySecondAndStopsOnAFullDisk)
{
    engine.OpenPort();
    ASSERT_TRUE(recorder.start(file.string(), {}, &error)) << error;
    const std::size_t headerSize = readAll(file).size();
    recordTick(LiveRecorder::FlushTicks - 1);
    EXPECT_GT(recorder.lines(), 0u);
    EXPECT_EQ(readAll(file).size(), headerSize) << "written only at the flush";
    recordTick(1);
    EXPECT_EQ(parseMonitorCsv(readAll(file)).frames.size(), recorder.lines()) << "all lines on disk, file still open";
    EXPECT_EQ(recorder.elapsedSeconds(), 0u);
    EXPECT_EQ(recordingBadge(recorder.elapsedTicks() * 55 / 1000), "REC 00:00");
    EXPECT_EQ(recordingBadge(754), "REC 12:34");
    EXPECT_EQ(recordingBadge(3600 + 65), "REC 1:01:05");

    if (FileSizeLimit::Available) {
        // The disk fills up mid-run: the next flush fails, and the recording ends.
        FileSizeLimit limit(readAll(file).size() + 10);
        recordTick(LiveRecorder::FlushTicks - 1);
        tick();
        EXPECT_FALSE(recorder.tick(&error));
        EXPECT_FALSE(recorder.active());
        EXPECT_NE(error.find("run.csv"), std::string::npos) << error;
        EXPECT_FALSE(recorder.tick(&error)) << "stays stopped";
    }

    if (!std::filesystem::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full";
    LiveRecorder full;
    // The header fits the buffer; the flush is where a full disk shows.
    EXPECT_FALSE(full.start("/dev/full", {}, &error));
    EXPECT_NE(error.find("/dev/full"), std::string::npos) << error;
    EXPECT_FALSE(full.active());

    LiveRecorder nowhere;
    EXPECT_FALSE(nowhere.start((dir.path / "missing" / "run.csv").string(), {}, &error));
    EXPECT_NE(error.find("cannot create"), std::string::npos) << error;
}

TEST(ReplayClockTiming, FramesComeAtTheTickOnOrAfterTheirRecordedTime)
{
    // Recorded times with an offset: the replay counts from the first frame.
    const std::int64_t times[] = {10'000, 10'000, 10'330, 10'400, 10'660, 11'000, 12'990};
    std::vector<RecordedFrame> frames;
    for (std::int64_t t : times) {
        RecordedFrame f;
        f.milliseconds = t;
        f.frame.engineSpeed = static_cast<std::uint16_t>(t - 10'000);
        frames.push_back(f);
    }
    for (int speed : {1, 4}) {
        ReplayClock clock(frames);
        clock.setSpeed(speed);
        clock.play();
        std::vector<std::int64_t> positions; // the tick's position when each frame came
        for (int tick = 0; tick < 200 && clock.playing(); ++tick)
            for (std::size_t i : clock.tick()) {
                positions.push_back(clock.positionMs());
                EXPECT_EQ(i, positions.size() - 1) << "in order, none twice";
            }
        ASSERT_EQ(positions.size(), frames.size()) << speed << "x";
        const std::int64_t step = 55 * speed;
        for (std::size_t i = 0; i < frames.size(); ++i) {
            const std::int64_t due = times[i] - times[0];
            // On or after its time, and on the first tick that got there (or at the end).
            EXPECT_GE(positions[i], due) << speed << "x frame " << i;
            EXPECT_LT(positions[i] - due, step) << speed << "x frame " << i;
        }
        EXPECT_FALSE(clock.playing()) << "the end pauses";
        EXPECT_EQ(clock.positionMs(), clock.durationMs());
    }
}

TEST(ReplayClockTiming, SliderJumpShowsThatMomentAndPlaysOnFromThere)
{
    std::vector<RecordedFrame> frames;
    for (int i = 0; i < 10; ++i) {
        RecordedFrame f;
        f.milliseconds = 330 * i;
        frames.push_back(f);
    }
    ReplayClock clock(frames);
    EXPECT_EQ(clock.durationMs(), 2970);
    EXPECT_TRUE(clock.tick().empty()) << "nothing while paused";
    EXPECT_EQ(clock.seek(1000), 3u); // 990 ms is the moment shown at 1 s
    EXPECT_EQ(clock.positionMs(), 1000);
    clock.play();
    std::vector<std::size_t> next;
    int ticks = 0;
    while (next.empty() && ticks < 100) {
        next = clock.tick();
        ++ticks;
    }
    EXPECT_EQ(next, std::vector<std::size_t>{4});
    EXPECT_EQ(ticks, 6); // 1320 ms is reached at 1000 + 6 * 55
    EXPECT_EQ(clock.seek(-5), 0u);
    EXPECT_EQ(clock.seek(99'999), 9u);
    EXPECT_EQ(clock.positionMs(), 2970);
    clock.pause();
    clock.play(); // at the end: from the start again
    EXPECT_EQ(clock.tick(), std::vector<std::size_t>{0});
    EXPECT_EQ(replayTimeText(65'432), "1:05");
}

TEST_F(Recorder, UnitLiveFramesAreDroppedWhileAReplayFeedsTheDisplayButJobsStillRun)
{
    engine.OpenPort();
    tick(20);
    const std::uint32_t before = engine.state().monitorFrames;
    ASSERT_GT(before, 0u);
    engine.setUnitLiveFramesIgnored(true);
    tick(60);
    EXPECT_EQ(engine.state().monitorFrames, before) << "the unit's frames are dropped";
    engine.StartVerifyJob(image.parameters);
    EXPECT_GT(tickUntil([&] { return engine.state().TransferMode == Transfer::Idle; }), 0);
    EXPECT_EQ(engine.state().lastJobEnd, JobEnd::Verified) << "block replies still count";
    engine.setUnitLiveFramesIgnored(false);
    tick(20);
    EXPECT_GT(engine.state().monitorFrames, before);
}
