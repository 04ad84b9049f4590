// The quiet read when the unit is found, driven tick by tick against the simulated unit.
#include "link_fixture.h"

#include <algorithm>
#include <cstdio>

using namespace talviro6;
using namespace talviro6::testing;

namespace {

class QuietRead : public LinkFixture {
  protected:
    void SetUp() override
    {
        giveUnitOtherParameters();
        engine.setQuietReadEnabled(true);
    }

    /// The engine's visible state that a quiet read must leave alone.
    struct Visible {
        Transfer mode;
        JobEnd lastJobEnd;
        Transfer lastJobKind;
        bool messageShown;
        TransferNews news;
        Colour colour;
        bool gaugeShown;
        int gaugeProgress;
        std::size_t boxes;
        bool operator==(const Visible &) const = default;
    };
    Visible visible() const
    {
        const DisplayState &d = engine.display();
        return {engine.state().TransferMode, engine.state().lastJobEnd, engine.state().lastJobKind,
                d.LabelHlaseni.visible,      d.LabelHlaseni.news,       d.LabelHlaseni.colour,
                d.CGaugeProgram.visible,     d.CGaugeProgram.progress,  callbacks.boxes.size()};
    }

    /// Ticks until the unit answers for the first time.
    void findUnit()
    {
        ASSERT_GT(tickUntil([&] { return engine.state().acceptedFrames > 0; }), 0);
    }

    /// The ticks between accepted live frames over the next `ticks` ticks.
    std::vector<int> liveGaps(int ticks)
    {
        std::vector<int> gaps;
        int since = 0;
        for (int i = 0; i < ticks; ++i) {
            const std::uint32_t before = engine.state().monitorFrames;
            tick();
            ++since;
            if (engine.state().monitorFrames != before) {
                gaps.push_back(since);
                since = 0;
            }
        }
        return gaps;
    }
};

const std::vector<std::uint8_t> ReadSequence{0x40, 0x41, 0x42, 0x43, 0x41, 0x42, 0x43};

} // namespace

TEST_F(QuietRead, FoundUnitIsReadIntoTheKnownAreaAndNothingElseChanges)
{
    const ParameterArea editor = image.parameters;
    const Visible before = visible();
    engine.OpenPort();
    findUnit();
    EXPECT_TRUE(engine.quietReadRunning());
    const int ticks = tickUntil([&] {
        EXPECT_EQ(visible(), before) << "nothing of the quiet read shows";
        return engine.knownUnitArea().has_value();
    });
    ASSERT_GT(ticks, 0);
    RecordProperty("quiet_read_ticks", ticks);
    EXPECT_LE(ticks, 15) << "seven requests, four between two polls";
    EXPECT_FALSE(engine.quietReadRunning());
    EXPECT_EQ(*engine.knownUnitArea(), unit.memory());
    EXPECT_TRUE(engine.knownUnitFromQuietRead());
    EXPECT_EQ(image.parameters, editor) << "the editor is not touched";
    EXPECT_NE(image.parameters, unit.memory());
    EXPECT_EQ(blockRequestCodes(), ReadSequence);
    // The verify sends back what was read, as a read's verify does.
    EXPECT_TRUE(std::equal(unit.memory().begin(), unit.memory().begin() + 100, blockRequests()[4].begin() + 1));

    // Once per finding: an idle link after it only polls.
    unit.clearLogs();
    tick(200);
    EXPECT_TRUE(blockRequests().empty());
    EXPECT_EQ(visible(), before);
}

// The live display updates every 6 ticks (330 ms); the quiet read's requests go out
// only where no live frame can be on its way, so not one is late or lost.
TEST_F(QuietRead, LiveFramesKeepTheirRateWhileTheQuietReadRuns)
{
    engine.OpenPort();
    findUnit();
    // Over 5 findings (the port opened anew), each followed by 60 ticks, with and
    // without a quiet read after each.
    std::uint32_t frames[2] = {};
    for (int reading : {0, 1}) {
        SCOPED_TRACE(reading ? "with quiet reads" : "without");
        engine.setQuietReadEnabled(reading);
        std::vector<int> gaps;
        int readingTicks = 0;
        for (int round = 0; round < 5; ++round) {
            engine.choosePort(0);
            const std::uint32_t seen = engine.state().monitorFrames;
            ASSERT_GT(tickUntil([&] { return engine.state().monitorFrames != seen; }), 0);
            ASSERT_EQ(engine.quietReadRunning(), bool(reading));
            const std::uint32_t before = engine.state().monitorFrames;
            for (int t = 0; t < 60; ++t) {
                const std::uint32_t last = engine.state().monitorFrames;
                readingTicks += engine.quietReadRunning();
                tick();
                if (engine.state().monitorFrames != last)
                    gaps.push_back(0);
                else if (!gaps.empty())
                    ++gaps.back();
            }
            frames[reading] += engine.state().monitorFrames - before;
            EXPECT_FALSE(engine.quietReadRunning());
            EXPECT_EQ(engine.knownUnitArea().has_value(), bool(reading));
        }
        const int longest = *std::max_element(gaps.begin(), gaps.end());
        std::printf("%s: %u live frames in 300 ticks (%d of them with a quiet read running), longest gap %d "
                    "ticks\n",
                    reading ? "quiet reads" : "no quiet read", unsigned(frames[reading]), readingTicks, longest + 1);
        RecordProperty(reading ? "live_frames_with_quiet_reads" : "live_frames_without", int(frames[reading]));
        EXPECT_EQ(longest + 1, LinkEngine::PollTicks) << "a live frame every 6 ticks, none late";
    }
    EXPECT_EQ(frames[1], frames[0]);
    EXPECT_EQ(frames[0], 5u * 60u / LinkEngine::PollTicks);
}

TEST_F(QuietRead, UnitIsFoundAtStartAfterAReopeningAndAfterAnotherPortIsChosen)
{
    engine.OpenPort();
    findUnit();
    ASSERT_GT(tickUntil([&] { return !engine.quietReadRunning(); }), 0);
    ASSERT_TRUE(engine.knownUnitArea());

    struct Row {
        const char *what;
        std::function<void()> lose;
    };
    const std::vector<Row> rows{
        {"another port chosen",
         [&] {
             port.setUnitPort(4);
             engine.choosePort(3);
         }},
        {"the same port chosen again", [&] { engine.choosePort(3); }},
        {"unplugged, reopened by the watchdog",
         [&] {
             unit.injectFault(sim::Fault::Silence, -1);
             ASSERT_GT(tickUntil([&] { return engine.display().LabelSpojeni; }), 0);
             const std::size_t openings = port.openAttempts().size();
             ASSERT_GT(tickUntil([&] { return port.openAttempts().size() > openings; }), 0);
             unit.clearFaults();
         }},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.what);
        unit.memory()[field::Retard] = static_cast<std::uint8_t>(unit.memory()[field::Retard] + 1);
        row.lose();
        unit.clearLogs();
        ASSERT_GT(tickUntil([&] { return engine.knownUnitArea() == unit.memory(); }, 60), 0);
        EXPECT_EQ(blockRequestCodes(), ReadSequence);
    }
}

TEST_F(QuietRead, SwitchedOffNothingIsReadAndTheLineOnlyPolls)
{
    engine.setQuietReadEnabled(false);
    engine.OpenPort();
    findUnit();
    tick(100);
    engine.choosePort(0);
    tick(100);
    EXPECT_TRUE(blockRequests().empty());
    EXPECT_FALSE(engine.knownUnitArea());
    // Switched on later, it waits for the next finding.
    engine.setQuietReadEnabled(true);
    tick(50);
    EXPECT_FALSE(engine.quietReadRunning());
    engine.choosePort(0);
    EXPECT_GT(tickUntil([&] { return engine.knownUnitArea().has_value(); }), 0);
}

// The user's job starts at any point of a quiet read and runs exactly as it would
// have without it: the same requests, the same end, the same messages.
TEST_F(QuietRead, JobStartedWhileTheQuietReadRunsTakesOverAtOnce)
{
    struct Job {
        const char *what;
        std::function<void()> start;
        std::vector<std::uint8_t> requests;
        bool unitHoldsTheEditor = false;
    };
    const std::vector<Job> jobs{
        {"read", [&] { engine.StartReadJob(); }, ReadSequence},
        {"verify", [&] { engine.StartVerifyJob(image.parameters); }, {0x41, 0x42, 0x43}, true},
        {"program", [&] { engine.StartProgramJob(image.parameters); }, {0x00, 0x01, 0x02, 0x03, 0x41, 0x42, 0x43}},
    };
    for (const Job &job : jobs) {
        for (int quietRequests = 1; quietRequests <= 6; ++quietRequests) {
            SCOPED_TRACE(std::string(job.what) + " after quiet requests: " + std::to_string(quietRequests));
            giveUnitOtherParameters();
            image = startImage();
            if (job.unitHoldsTheEditor)
                unit.memory() = image.parameters;
            engine.choosePort(0);
            unit.clearLogs();
            ASSERT_GT(tickUntil([&] { return int(blockRequests().size()) == quietRequests; }, 40), 0);
            ASSERT_TRUE(engine.quietReadRunning());
            const std::uint32_t revision = engine.knownUnitRevision();
            const std::size_t sentBefore = blockRequests().size();

            job.start();
            EXPECT_FALSE(engine.quietReadRunning());
            ASSERT_GT(runJob(), 0);
            EXPECT_EQ(engine.state().lastJobEnd, JobEnd::Verified);
            EXPECT_EQ(shownMessage(engine), "Verify:: OK");
            std::vector<std::uint8_t> sent = blockRequestCodes();
            sent.erase(sent.begin(), sent.begin() + static_cast<std::ptrdiff_t>(sentBefore));
            EXPECT_EQ(sent, job.requests) << "the job's own requests, none skipped, none repeated";
            EXPECT_EQ(engine.knownUnitRevision(), revision + 1) << "set by the job alone";
            EXPECT_FALSE(engine.knownUnitFromQuietRead());
            EXPECT_EQ(*engine.knownUnitArea(), unit.memory());
            // Not taken up again on an idle link: the job has made the unit known.
            unit.clearLogs();
            tick(100);
            EXPECT_TRUE(blockRequests().empty());
        }
    }
}

// A quiet read that does not get through gives up without a word, and the unit's
// last known area stays as the last job left it.
TEST_F(QuietRead, FailedQuietReadLeavesTheKnownAreaAndShowsNothing)
{
    struct Row {
        const char *what;
        std::function<void()> spoil;
    };
    const std::vector<Row> rows{
        {"no answer to block 2", [&] { unit.injectFault(sim::Fault::Silence, -1, 0x42); }},
        {"bad check bytes on the header", [&] { unit.injectFault(sim::Fault::WrongCheckByte, -1, 0x40); }},
        {"another protocol version", [&] { unit.injectFault(sim::Fault::OtherVersion, -1, 0x40); }},
        {"unit changes between read and verify",
         [&] {
             // Once block 3 has been read, the unit holds something else.
             ASSERT_GT(tickUntil([&] { return blockRequestCodes().size() >= 4; }), 0);
             unit.memory()[150] = static_cast<std::uint8_t>(unit.memory()[150] + 1);
         }},
    };
    engine.OpenPort();
    findUnit();
    unit.memory() = image.parameters;
    engine.StartVerifyJob(image.parameters);
    runJob();
    ASSERT_EQ(engine.knownUnitArea(), image.parameters);
    tick(250); // the verify's message has gone
    const ParameterArea known = *engine.knownUnitArea();

    for (const Row &row : rows) {
        SCOPED_TRACE(row.what);
        giveUnitOtherParameters();
        const std::uint32_t revision = engine.knownUnitRevision();
        const Visible before = visible();
        engine.choosePort(0);
        unit.clearLogs();
        row.spoil();
        ASSERT_GT(tickUntil([&] { return engine.quietReadRunning(); }), 0);
        ASSERT_GT(tickUntil([&] { return !engine.quietReadRunning(); }, 200), 0);
        EXPECT_EQ(engine.knownUnitRevision(), revision);
        EXPECT_EQ(engine.knownUnitArea(), known);
        EXPECT_EQ(visible(), before);
        EXPECT_FALSE(engine.display().LabelSpojeni) << "the polls went on";
        unit.clearFaults();
        unit.clearLogs();
        tick(100);
        EXPECT_TRUE(blockRequests().empty()) << "given up for this finding";
    }
}
