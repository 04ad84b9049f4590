// The tick's receive step, polling and the connection watchdog, and the port menu.
#include "link_fixture.h"

using namespace talviro6;
using namespace talviro6::testing;

namespace {

Frame liveFrame(std::uint16_t rpm)
{
    MonitorFrame m;
    m.engineSpeed = rpm;
    m.protocolVersion = ProtocolVersion;
    return encodeMonitorFrame(m);
}

} // namespace

TEST_F(LinkFixture, BannerFromTheFirstTickAndReopenEveryThirtyWithoutAUnit)
{
    port.setUnitPort(9); // COM1 is there, but nothing answers on it
    port.setPresent(1, true);
    engine.OpenPort();
    EXPECT_EQ(shownCom(engine), "COM= COM1");
    tick();
    EXPECT_TRUE(engine.display().LabelSpojeni);

    std::vector<int> reopenedAt;
    for (int t = 2; t <= 95; ++t) {
        const std::size_t attempts = port.openAttempts().size();
        tick();
        if (port.openAttempts().size() > attempts)
            reopenedAt.push_back(t);
    }
    EXPECT_EQ(reopenedAt, (std::vector<int>{30, 60, 90}));
    EXPECT_EQ(port.openAttempts(), (std::vector<int>{1, 1, 1, 1})) << "a fixed port stays fixed";
    EXPECT_TRUE(callbacks.boxes.empty());
    EXPECT_EQ(settings.scanIndex, 3) << "advances on every reopening, also for a fixed port";
}

TEST_F(LinkFixture, AnsweringUnitKeepsTheBannerAwayAndOneMissedPollDoesNotShowIt)
{
    engine.OpenPort();
    const int found = tickUntil([&] { return !engine.display().LabelSpojeni; });
    ASSERT_GT(found, 0);
    EXPECT_LE(found, 7) << "first poll on the sixth tick, its answer on the next";

    unit.injectFault(sim::Fault::NoAnswer, 1, code::Poll);
    for (int t = 0; t < 60; ++t) {
        tick();
        ASSERT_FALSE(engine.display().LabelSpojeni) << "tick " << t;
    }

    // Unplugged: the banner comes 18 ticks after the last accepted frame.
    unit.injectFault(sim::Fault::Silence, -1);
    const int lost = tickUntil([&] { return engine.display().LabelSpojeni; });
    // The last answer came on one of the last six ticks, or is still on its way.
    EXPECT_GE(lost, 18 - 5);
    EXPECT_LE(lost, 18 + 1);
    EXPECT_EQ(engine.state().SilenceTicks, 18);
}

TEST_F(LinkFixture, PollIsSentOnEverySixthIdleTick)
{
    engine.OpenPort();
    tick(60);
    std::size_t polls = 0;
    for (const Frame &f : unit.requests()) {
        EXPECT_EQ(f, makeFrame(code::Poll));
        ++polls;
    }
    EXPECT_EQ(polls, 10u);
    EXPECT_EQ(makeFrame(code::Poll)[101], 0xCF);
}

TEST_F(LinkFixture, ComAutoWalksAllTwentyOnePortsAndWraps)
{
    port.setPresent(1, false);
    port.setUnitPort(22); // nowhere: no port is present at all
    port.setPresent(22, false);
    settings.portIndex = LinkEngine::AutoPortIndex;
    engine.OpenPort();
    tick(30);
    std::vector<int> expected{1};
    for (int n = 2; n <= 21; ++n)
        expected.push_back(n);
    for (int n = 1; n <= 10; ++n)
        expected.push_back(n);
    EXPECT_EQ(port.openAttempts(), expected) << "one port number per tick";
    EXPECT_TRUE(callbacks.boxes.empty());
    EXPECT_EQ(shownCom(engine), "COM= COM10");
}

TEST_F(LinkFixture, ComAutoStopsOnThePortWhereTheUnitAnswers)
{
    port.setPresent(1, false);
    port.setUnitPort(7);
    port.setPresent(3, true); // a port without a unit is given its 30 ticks
    settings.portIndex = LinkEngine::AutoPortIndex;
    engine.OpenPort();
    ASSERT_GT(tickUntil([&] { return !engine.display().LabelSpojeni; }), 0);
    EXPECT_EQ(port.openPortNumber(), 7);
    EXPECT_EQ(shownCom(engine), "COM= COM7");
    EXPECT_EQ(engine.display().LabelComDevice, "simulated unit");
    const std::size_t attempts = port.openAttempts().size();
    tick(200);
    EXPECT_EQ(port.openAttempts().size(), attempts);
}

TEST_F(LinkFixture, ChosenPortThatCannotBeOpenedIsReportedOnceThenRetriedSilently)
{
    engine.choosePort(4); // Com 5: not present
    ASSERT_EQ(callbacks.boxes.size(), 1u);
    EXPECT_EQ(callbacks.boxes[0].first, MessageBoxKind::ComOpenError);
    EXPECT_EQ(callbacks.boxes[0].second, "Com opening error!\nCOM5: no serial device behind this number")
        << "the kept text, then the port and why";
    EXPECT_EQ(shownCom(engine), "COM= COM5");
    EXPECT_EQ(settings.portIndex, 4);
    tick(100);
    EXPECT_EQ(callbacks.boxes.size(), 1u);
    EXPECT_EQ(port.openAttempts(), (std::vector<int>{5, 5, 5, 5}));

    engine.choosePort(0); // the user picks again: the unit on COM1 is found
    EXPECT_EQ(callbacks.boxes.size(), 1u);
    EXPECT_GT(tickUntil([&] { return !engine.display().LabelSpojeni; }), 0);
}

TEST_F(LinkFixture, OnlyWholeFramesAreTakenAndOnlyTheFirstOfSeveralCounts)
{
    port.setUnitPort(9);
    engine.OpenPort();
    const Frame first = liveFrame(1111);
    const Frame second = liveFrame(2222);

    port.inject(std::span<const std::uint8_t>(first).first(101));
    tick();
    EXPECT_EQ(port.bytesWaiting(), 101u) << "101 bytes stay queued";
    EXPECT_EQ(engine.state().monitorFrames, 0u);
    port.inject(std::span<const std::uint8_t>(first).last(1));
    tick();
    EXPECT_EQ(liveData.state().EngineSpeed, 1111);

    port.inject(second);
    port.inject(first);
    tick();
    EXPECT_EQ(liveData.state().EngineSpeed, 2222);
    EXPECT_EQ(port.bytesWaiting(), 0u) << "the second frame is lost";
    tick();
    EXPECT_EQ(liveData.state().EngineSpeed, 2222);
}

TEST_F(LinkFixture, PrintModeHidesBannerAndMessageUntilThePortIsReopened)
{
    port.setUnitPort(9);
    engine.OpenPort();
    engine.StartReadJob();
    engine.setPrintMode(true);
    tick();
    EXPECT_FALSE(engine.display().LabelSpojeni);
    EXPECT_FALSE(engine.display().LabelHlaseni.visible);
    tick(30); // the watchdog reopens the port, which ends print mode
    EXPECT_FALSE(engine.state().PrintMode);
    EXPECT_TRUE(engine.display().LabelSpojeni);
}

TEST_F(LinkFixture, VersionLabelIsHiddenWhileTheUnitIsLost)
{
    port.setUnitPort(9);
    engine.OpenPort();
    MonitorFrame m;
    m.protocolVersion = 75;
    engine.HandleMonitorFrame(encodeMonitorFrame(m));
    EXPECT_TRUE(liveData.display().LabelVersion.visible);
    EXPECT_EQ(liveData.display().LabelVersion.text, "Unmatched version of PC and Ignition programs!  PC-76, IGN-75");
    tick(18);
    EXPECT_TRUE(liveData.display().LabelVersion.visible);
    tick();
    EXPECT_TRUE(engine.display().LabelSpojeni);
    EXPECT_FALSE(liveData.display().LabelVersion.visible);
}

TEST_F(LinkFixture, SteadyTicksLeaveTheDisplayRevisionAlone)
{
    // Once the monitor shows a frame, an identical frame changes nothing to paint.
    port.setUnitPort(9);
    engine.OpenPort();
    tick(40);
    engine.HandleMonitorFrame(liveFrame(3000));
    tick();
    const auto revision = engine.display().revision;
    const auto liveRevision = liveData.display().revision;
    engine.HandleMonitorFrame(liveFrame(3000));
    tick(5);
    EXPECT_EQ(engine.display().revision, revision);
    EXPECT_EQ(liveData.display().revision, liveRevision);
    engine.HandleMonitorFrame(liveFrame(3100));
    EXPECT_GT(liveData.display().revision, liveRevision);
}

// The watchdog's count runs since the last reopening of the port. Lost stretches
// with answers in between add up, during a job as while idle: a frame does not reset
// it. The user's choice of a port is a reopening too and starts it anew.
TEST_F(LinkFixture, LostTicksCountSinceTheLastReopeningAndAChosenPortStartsAfresh)
{
    const auto banner = [&] { return engine.display().LabelSpojeni; };
    const auto reopened = [&](std::size_t openings) { return port.openAttempts().size() > openings; };
    engine.OpenPort();
    ASSERT_GT(tickUntil([&] { return !banner(); }), 0);
    int carried = engine.state().ReconnectTicks; // the lost ticks of the start

    for (const bool backDuringJob : {false, true}) {
        SCOPED_TRACE(backDuringJob ? "back with a block reply" : "back with a live frame");
        unit.injectFault(sim::Fault::Silence, -1);
        ASSERT_GT(tickUntil(banner), 0);
        const std::size_t openings = port.openAttempts().size();
        tick(1);
        ASSERT_EQ(port.openAttempts().size(), openings) << "too early to reopen";
        unit.clearFaults();
        if (backDuringJob)
            engine.StartReadJob();
        ASSERT_GT(tickUntil([&] { return !banner(); }), 0) << "the unit is back";
        if (backDuringJob) {
            ASSERT_GT(runJob(), 0);
        }
        EXPECT_GE(engine.state().ReconnectTicks, carried + 2) << "kept across the answers";
        carried = engine.state().ReconnectTicks;
    }

    // Lost again: the reopening comes when the count reaches 30, not 30 ticks later.
    unit.injectFault(sim::Fault::Silence, -1);
    ASSERT_GT(tickUntil(banner), 0);
    std::size_t openings = port.openAttempts().size();
    // The banner's first tick has counted already.
    EXPECT_EQ(tickUntil([&] { return reopened(openings); }, LinkEngine::ReopenTicks + 5),
              LinkEngine::ReopenTicks - carried - 1);

    // Lost for a while, then the user picks the port again: it gets all 30 ticks.
    tick(12);
    engine.choosePort(0);
    openings = port.openAttempts().size();
    EXPECT_EQ(tickUntil([&] { return reopened(openings); }, LinkEngine::ReopenTicks + 5), LinkEngine::ReopenTicks);
}
