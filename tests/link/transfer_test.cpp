// Block transfer driven tick by tick against the simulated unit.
#include "link_fixture.h"

#include <algorithm>
#include <random>

using namespace talviro6;
using namespace talviro6::testing;

namespace {

Frame request(std::uint8_t code, const UnitImage *image = nullptr)
{
    Frame f{};
    f[0] = code;
    const int b = code & 0x3F;
    if (image && b >= 1)
        std::copy_n(image->block(b).begin(), 100, f.begin() + 1);
    seal(f);
    return f;
}

class TransferJob : public LinkFixture {
  protected:
    void SetUp() override
    {
        engine.OpenPort();
        // Let the unit be found, so the jobs below start from a connected tool.
        ASSERT_GT(tickUntil([&] { return !engine.display().LabelSpojeni; }), 0);
        unit.clearLogs();
    }

    /// CGaugeProgram's progress at every change while the job runs.
    std::vector<int> progressWhileRunning()
    {
        std::vector<int> seen{engine.display().CGaugeProgram.progress};
        while (engine.state().TransferMode != Transfer::Idle && seen.size() < 400) {
            tick();
            if (engine.display().CGaugeProgram.progress != seen.back())
                seen.push_back(engine.display().CGaugeProgram.progress);
        }
        return seen;
    }
};

} // namespace

TEST_F(TransferJob, ProgramJobSendsHeaderRequestThenBlocksThenVerifies)
{
    giveUnitOtherParameters();
    engine.StartProgramJob(image.parameters);
    EXPECT_EQ(shownMessage(engine), "Program device:");
    EXPECT_TRUE(engine.display().CGaugeProgram.visible);

    EXPECT_EQ(progressWhileRunning(), (std::vector<int>{0, 1, 2, 3, 0, 1, 2, 3}));
    EXPECT_EQ(engine.state().lastJobEnd, JobEnd::Verified);

    const std::vector<Frame> expected{request(0x00),         request(0x01, &image), request(0x02, &image),
                                      request(0x03, &image), request(0x41, &image), request(0x42, &image),
                                      request(0x43, &image)};
    EXPECT_EQ(blockRequests(), expected);
    EXPECT_EQ(blockRequests().front()[101], 0xFF);
    EXPECT_EQ(answerCodes(), (std::vector<std::uint8_t>{0x80, 0x81, 0x82, 0x83, 0xC1, 0xC2, 0xC3}));
    EXPECT_EQ(unit.memory(), image.parameters);

    // Verified, but not done: the unit stores its parameters first.
    EXPECT_EQ(shownMessage(engine), "Verify:: OK");
    EXPECT_EQ(engine.state().storing, Storing::Watching);
    // Once it has stored, the programming is OK, and 200 ticks later the message goes.
    ASSERT_GT(tickUntil([&] { return shownMessage(engine) == "Program device:: OK"; }), 0);
    EXPECT_EQ(engine.state().storing, Storing::Stored);
    EXPECT_GT(tickUntil([&] { return !engine.display().LabelHlaseni.visible; }), 190);
    EXPECT_FALSE(engine.state().JobSucceeded);
    EXPECT_EQ(engine.display().LabelHlaseni.colour, Colour::Face);
    EXPECT_EQ(engine.display().LabelVerze1, "TLV06");
}

// The area a job is handed is the job's: the editor may change while it runs, and
// what the unit then holds is still checked against what was sent.
TEST_F(TransferJob, AJobKeepsTheAreaItWasHandedWhileTheEditorChanges)
{
    giveUnitOtherParameters();
    const ParameterArea sent = image.parameters;
    ParameterArea editor = sent;
    engine.StartProgramJob(editor);
    tick(2);
    editor[field::Retard] = static_cast<std::uint8_t>(editor[field::Retard] + 1);
    ASSERT_GT(runJob(), 0);
    EXPECT_EQ(engine.state().lastJobEnd, JobEnd::Verified);
    EXPECT_EQ(unit.memory(), sent);

    engine.StartVerifyJob(editor);
    ASSERT_GT(runJob(), 0);
    EXPECT_EQ(engine.state().lastJobEnd, JobEnd::Failed) << "the unit holds the area before the change";
}

TEST_F(TransferJob, ProgramJobTakesEightToElevenTicksFromStartToOk)
{
    // The measured length of a programming against the simulated unit; the first
    // request waits for SendTicks to reach 4, each later one goes out on the tick
    // that accepts the previous answer.
    engine.StartProgramJob(image.parameters);
    const int ticks = tickUntil([&] { return engine.state().lastJobEnd == JobEnd::Verified; });
    RecordProperty("program_job_ticks", ticks);
    EXPECT_GE(ticks, 8);
    EXPECT_LE(ticks, 11);
}

TEST_F(TransferJob, VerifyJobComparesBlocksAndEndsWithItsOwnOk)
{
    unit.memory() = image.parameters;
    engine.StartVerifyJob(image.parameters);
    EXPECT_EQ(shownMessage(engine), "Verify:");
    EXPECT_EQ(progressWhileRunning(), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(blockRequestCodes(), (std::vector<std::uint8_t>{0x41, 0x42, 0x43}));
    EXPECT_EQ(blockRequests()[1], request(0x42, &image));
    EXPECT_EQ(engine.state().lastJobEnd, JobEnd::Verified);
    tick(5);
    EXPECT_EQ(shownMessage(engine), "Verify:: OK");
}

TEST_F(TransferJob, ReadJobStoresTheUnitsBlocksThenVerifiesThem)
{
    giveUnitOtherParameters();
    const UnitImage before = image;
    engine.StartReadJob();
    EXPECT_EQ(shownMessage(engine), "Read:");
    EXPECT_EQ(progressWhileRunning(), (std::vector<int>{0, 1, 2, 3, 0, 1, 2, 3}));
    EXPECT_EQ(engine.state().lastJobEnd, JobEnd::Verified);
    EXPECT_NE(image.parameters, before.parameters);
    EXPECT_EQ(image.parameters, unit.memory());
    EXPECT_EQ(engine.unitHeader(), unit.header());

    const std::vector<Frame> expected{request(0x40),         request(0x41),         request(0x42),        request(0x43),
                                      request(0x41, &image), request(0x42, &image), request(0x43, &image)};
    EXPECT_EQ(blockRequests(), expected);
    EXPECT_EQ(blockRequests().front()[101], 0xBF);
    EXPECT_EQ(answerCodes(), (std::vector<std::uint8_t>{0xC0, 0xC1, 0xC2, 0xC3, 0xC1, 0xC2, 0xC3}));
    tick();
    EXPECT_EQ(shownMessage(engine), "Verify:: OK") << "a read is not a programming";
}

// A blank or foreign unit holds values that validation corrects. The transfer is
// sound, so the read must succeed (the tuner can back the unit up before
// overwriting it) and say how many values the editor now holds differently.
TEST_F(TransferJob, ReadOfValuesValidationCorrectsSucceedsAndCountsThem)
{
    struct Case {
        const char *what;
        ParameterArea memory;
    };
    ParameterArea blank{};
    ParameterArea foreign = startImage().parameters;
    foreign[field::PowerOutRpm(0, 0)] = foreign[field::PowerOutRpm(0, 1)] = foreign[field::PowerOutRpm(0, 2)] = 3;
    foreign[field::AdvanceMap(2, 2)] = 200; // above the map's 60 degrees
    for (const Case &c : {Case{"blank unit", blank}, Case{"foreign unit", foreign}}) {
        SCOPED_TRACE(c.what);
        unit.memory() = c.memory;
        UnitImage expected = image;
        expected.parameters = c.memory;
        validate(expected);
        int corrected = 0;
        for (std::size_t i = 0; i < c.memory.size(); ++i)
            corrected += c.memory[i] != expected.parameters[i];
        ASSERT_GT(corrected, 0);

        unit.clearLogs();
        engine.StartReadJob();
        runJob();
        EXPECT_EQ(engine.state().lastJobEnd, JobEnd::Verified);
        EXPECT_EQ(engine.state().correctedValues, corrected);
        EXPECT_EQ(image.parameters, expected.parameters) << "the editor holds the validated values";
        EXPECT_EQ(unit.memory(), c.memory) << "a read never writes to the unit";
        EXPECT_EQ(shownMessage(engine), "Read: OK - " + std::to_string(corrected) + " values corrected");
        EXPECT_EQ(engine.display().LabelHlaseni.colour, Colour::Yellow);
        // The verify compared the unit with what it sent, so it went through on the first sending.
        EXPECT_EQ(blockRequestCodes(), (std::vector<std::uint8_t>{0x40, 0x41, 0x42, 0x43, 0x41, 0x42, 0x43}));
        tick(3);
        EXPECT_EQ(shownMessage(engine), "Read: OK - " + std::to_string(corrected) + " values corrected")
            << "the idle tick leaves a read's message alone";
    }
    // A later job starts from no corrections.
    engine.StartVerifyJob(image.parameters);
    EXPECT_EQ(engine.state().correctedValues, 0);
}

TEST_F(TransferJob, EveryFrameTakenInIsCountedValidOrNot)
{
    unit.injectFault(sim::Fault::WrongCheckByte, -1);
    engine.StartVerifyJob(image.parameters);
    runJob();
    EXPECT_EQ(engine.state().lastJobEnd, JobEnd::Failed);
    EXPECT_GE(engine.state().receivedFrames, 5u) << "answers arrived";
    const std::uint32_t accepted = engine.state().acceptedFrames;
    tick(30);
    EXPECT_EQ(engine.state().acceptedFrames, accepted) << "none of them valid";
}

TEST_F(TransferJob, VersionMismatchStopsBeforeAnyParameterBlock)
{
    for (const Transfer job : {Transfer::Program, Transfer::Read}) {
        SCOPED_TRACE(static_cast<int>(job));
        sim::UnitIdentity older;
        older.protocolVersion = 75;
        unit.setIdentity(older);
        giveUnitOtherParameters();
        unit.clearLogs();
        callbacks.boxes.clear();
        const ParameterArea before = image.parameters;
        // The window's box lets ticks run; the job is already over while it is open.
        std::vector<Transfer> modesWhileOpen;
        callbacks.whileBoxOpen = [&] {
            for (int i = 0; i < 10; ++i) {
                tick();
                modesWhileOpen.push_back(engine.state().TransferMode);
            }
        };

        job == Transfer::Program ? engine.StartProgramJob(image.parameters) : engine.StartReadJob();
        runJob();
        callbacks.whileBoxOpen = nullptr;

        ASSERT_EQ(callbacks.boxes.size(), 1u);
        EXPECT_EQ(callbacks.boxes[0].first, MessageBoxKind::VersionMismatch);
        EXPECT_EQ(callbacks.boxes[0].second, "Unmatched version of PC and Ignition programs!  PC-76, IGN-75");
        EXPECT_EQ(modesWhileOpen, std::vector<Transfer>(10, Transfer::Idle));
        EXPECT_EQ(engine.state().lastJobEnd, JobEnd::VersionMismatch);
        EXPECT_EQ(blockRequestCodes().size(), 1u) << "no block 1 is requested";
        EXPECT_EQ(image.parameters, before);
        EXPECT_EQ(engine.state().MessageTicks, 0);
        tick();
        EXPECT_FALSE(engine.display().LabelHlaseni.visible);
        EXPECT_FALSE(engine.display().CGaugeProgram.visible);
        unit.setIdentity({});
    }
}

TEST_F(TransferJob, UnansweredBlockIsSentFiveTimesThenTheJobFailsInRed)
{
    struct Row {
        Transfer job;
        std::uint8_t firstRequest;
        const char *failure;
    };
    const Row rows[] = {{Transfer::Program, 0x00, "Program error!"},
                        {Transfer::Verify, 0x41, "Verify error!"},
                        {Transfer::Read, 0x40, "Read error!"}};
    for (const Row &row : rows) {
        SCOPED_TRACE(row.failure);
        unit.clearLogs();
        const ParameterArea before = image.parameters;
        unit.injectFault(sim::Fault::Silence, -1);
        switch (row.job) {
        case Transfer::Program:
            engine.StartProgramJob(image.parameters);
            break;
        case Transfer::Verify:
            engine.StartVerifyJob(image.parameters);
            break;
        default:
            engine.StartReadJob();
        }

        // Tick numbers at which the block went out.
        std::vector<int> sentAt;
        int failedAt = 0;
        for (int t = 1; t <= 40 && failedAt == 0; ++t) {
            const std::size_t before_ = unit.requests().size();
            tick();
            if (unit.requests().size() > before_)
                sentAt.push_back(t);
            if (engine.state().TransferMode == Transfer::Idle)
                failedAt = t;
        }
        ASSERT_EQ(sentAt.size(), 5u);
        EXPECT_GE(sentAt[0], 1);
        EXPECT_LE(sentAt[0], 4);
        for (std::size_t i = 1; i < sentAt.size(); ++i)
            EXPECT_EQ(sentAt[i] - sentAt[i - 1], 4);
        EXPECT_EQ(failedAt - sentAt.back(), 4);
        EXPECT_EQ(blockRequestCodes(), std::vector<std::uint8_t>(5, row.firstRequest));

        EXPECT_EQ(shownMessage(engine), row.failure);
        EXPECT_EQ(engine.display().LabelHlaseni.colour, Colour::Red);
        EXPECT_EQ(engine.state().lastJobEnd, JobEnd::Failed);
        EXPECT_EQ(image.parameters, before);
        // The message stays for 200 ticks and goes with the gauge.
        tick(199);
        EXPECT_TRUE(engine.display().LabelHlaseni.visible);
        EXPECT_EQ(shownMessage(engine), row.failure);
        tick();
        EXPECT_FALSE(engine.display().LabelHlaseni.visible);
        EXPECT_FALSE(engine.display().CGaugeProgram.visible);
        unit.clearFaults();
        tickUntil([&] { return !engine.display().LabelSpojeni; });
    }
}

TEST_F(TransferJob, JobSurvivesEveryFaultOfTheLineOnce)
{
    struct Row {
        sim::Fault fault;
        std::uint8_t onRequest;
        bool repeated; ///< the tool has to send the block again
    };
    const Row rows[] = {
        {sim::Fault::NoAnswer, 0x02, true},   {sim::Fault::WrongCheckByte, 0x01, true},
        {sim::Fault::LateAnswer, 0x01, true}, {sim::Fault::SplitAnswer, 0x00, false},
        {sim::Fault::StrayByte, 0x03, true},  {sim::Fault::NoAnswer, 0x43, true},
        {sim::Fault::LateAnswer, 0x42, true},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(sim::faultName(row.fault));
        giveUnitOtherParameters();
        unit.clearLogs();
        unit.injectFault(row.fault, 1, row.onRequest);
        engine.StartProgramJob(image.parameters);
        ASSERT_GT(runJob(), 0);
        EXPECT_EQ(engine.state().lastJobEnd, JobEnd::Verified);
        EXPECT_EQ(unit.memory(), image.parameters);
        const auto codes = blockRequestCodes();
        EXPECT_EQ(std::count(codes.begin(), codes.end(), row.onRequest) >= 2, row.repeated);
        tick(30); // let a late answer arrive after the end: it is ignored
        EXPECT_EQ(engine.state().TransferMode, Transfer::Idle);
    }
}

TEST_F(TransferJob, FiveBadAnswersFailTheJobFourDoNot)
{
    for (const int bad : {4, 5}) {
        SCOPED_TRACE(bad);
        unit.injectFault(sim::Fault::WrongCheckByte, bad, 0x42);
        unit.memory() = image.parameters;
        engine.StartVerifyJob(image.parameters);
        runJob();
        EXPECT_EQ(engine.state().lastJobEnd, bad == 5 ? JobEnd::Failed : JobEnd::Verified);
        unit.clearFaults();
    }
}

TEST_F(TransferJob, VerifyOfDifferentDataFailsOnTheFirstDifferingBlock)
{
    giveUnitOtherParameters();
    unit.memory()[0] = image[0]; // block 1 the same, block 2 differs
    for (int i = 1; i < 100; ++i)
        unit.memory()[static_cast<std::size_t>(i)] = image[i];
    engine.StartVerifyJob(image.parameters);
    runJob();
    EXPECT_EQ(blockRequestCodes(), (std::vector<std::uint8_t>{0x41, 0x42, 0x42, 0x42, 0x42, 0x42}));
    EXPECT_EQ(shownMessage(engine), "Verify error!");
    EXPECT_EQ(engine.display().LabelHlaseni.colour, Colour::Red);
}

TEST_F(TransferJob, LateAnswerToThePreviousBlockIsIgnored)
{
    engine.StartProgramJob(image.parameters);
    tickUntil([&] { return engine.state().RequestByte == 0x02; });
    unit.injectFault(sim::Fault::Silence, -1);
    const int silence = engine.state().SilenceTicks;
    engine.takeFrame(makeFrame(0x81, image.block(1)));
    EXPECT_EQ(engine.state().RequestByte, 0x02);
    EXPECT_EQ(engine.display().CGaugeProgram.progress, 2);
    EXPECT_EQ(engine.state().SilenceTicks, silence);
    EXPECT_EQ(engine.state().TransferMode, Transfer::Program);
}

TEST_F(TransferJob, AnswersAfterTheJobEndedAreIgnored)
{
    unit.injectFault(sim::Fault::Silence, -1);
    engine.StartReadJob();
    runJob();
    ASSERT_EQ(engine.state().lastJobEnd, JobEnd::Failed);
    const UnitImage before = image;
    const int silence = engine.state().SilenceTicks;

    // The answer the read was waiting for, arriving too late.
    Frame late = makeFrame(0xC0, unit.header());
    engine.takeFrame(late);
    EXPECT_EQ(engine.state().TransferMode, Transfer::Idle);
    EXPECT_EQ(image, before);
    EXPECT_EQ(engine.state().SilenceTicks, silence) << "not a sign of life";
    EXPECT_EQ(shownMessage(engine), "Read error!");
}

TEST_F(TransferJob, ReadThatFailsMidwayLeavesTheImageAsItWas)
{
    giveUnitOtherParameters();
    const ParameterArea before = image.parameters;
    unit.injectFault(sim::Fault::Silence, -1, 0x43);
    engine.StartReadJob();
    runJob();
    EXPECT_EQ(engine.state().lastJobEnd, JobEnd::Failed);
    EXPECT_EQ(image.parameters, before) << "blocks 1 and 2 arrived but must not be mixed into the image";
}

// The check byte is the XOR of the whole frame, so a frame read out of step (the
// tail of one answer, the head of the next, identical answer) still passes it, and
// is taken when its first byte happens to be the answer code. Only the verify that
// follows the read can tell; the editor must then keep what it held.
TEST_F(TransferJob, ReadWhoseVerifyFindsAFrameOutOfStepLeavesTheImageAsItWas)
{
    giveUnitOtherParameters();
    const int shift = 92; // the rotated frame starts at the answer's byte 92, data byte 91 of block 2
    unit.memory()[100 + shift - 1] = 0xC2;
    const ParameterArea before = image.parameters;
    engine.StartReadJob();
    ASSERT_GT(tickUntil([&] { return engine.state().RequestByte == 0x42; }), 0);
    Frame answer = makeFrame(0xC2, std::span<const std::uint8_t>(unit.memory()).subspan(100, 100));
    Frame outOfStep;
    std::rotate_copy(answer.begin(), answer.begin() + shift, answer.end(), outOfStep.begin());
    ASSERT_TRUE(hasMatchingCheckByte(outOfStep));
    ASSERT_EQ(outOfStep[0], 0xC2);
    port.inject(outOfStep); // read in the same tick as the real answer, and first

    runJob();
    EXPECT_EQ(engine.state().lastJobEnd, JobEnd::Failed);
    EXPECT_EQ(shownMessage(engine), "Verify error!");
    EXPECT_EQ(blockRequestCodes(),
              (std::vector<std::uint8_t>{0x40, 0x41, 0x42, 0x43, 0x41, 0x42, 0x42, 0x42, 0x42, 0x42}));
    EXPECT_EQ(image.parameters, before) << "the bytes the verify refused must not stay in the editor";
}

TEST_F(TransferJob, FailureAfterAnEarlierSuccessIsNotReportedAsOk)
{
    engine.StartProgramJob(image.parameters);
    runJob();
    ASSERT_TRUE(engine.state().JobSucceeded);
    unit.injectFault(sim::Fault::Silence, -1);
    engine.StartProgramJob(image.parameters); // within the 200 ticks of the first job's message
    runJob();
    tick(3);
    EXPECT_EQ(shownMessage(engine), "Program error!");
    EXPECT_EQ(engine.display().LabelHlaseni.colour, Colour::Red);
}

TEST_F(TransferJob, StartingAJobWhileAnotherRunsRestartsIt)
{
    engine.StartReadJob();
    tick(6);
    engine.StartVerifyJob(image.parameters);
    unit.memory() = image.parameters;
    runJob();
    EXPECT_EQ(engine.state().lastJobEnd, JobEnd::Verified);
    EXPECT_EQ(engine.state().lastJobKind, Transfer::Verify);
}

TEST_F(TransferJob, LiveFrameDuringAJobGoesToTheMonitorAndTheJobGoesOn)
{
    engine.StartProgramJob(image.parameters);
    tick(5); // the job has its first answers
    ASSERT_NE(engine.state().TransferMode, Transfer::Idle);
    MonitorFrame live;
    live.engineSpeed = 4321;
    live.protocolVersion = 76;
    port.inject(encodeMonitorFrame(live));
    tick();
    EXPECT_EQ(liveData.state().EngineSpeed, 4321);
    EXPECT_EQ(liveData.display().LabelRpm.text, "RPM = 4321 ");
    runJob();
    EXPECT_EQ(engine.state().lastJobEnd, JobEnd::Verified);
}

TEST_F(TransferJob, SavingCountdownDrivesTheMessageAndGauge)
{
    engine.StartProgramJob(image.parameters);
    runJob();
    // The unit stores for two seconds after the programming; polls show it.
    EXPECT_GT(tickUntil([&] { return shownMessage(engine) == "Saving:"; }), 0);
    EXPECT_EQ(engine.display().CGaugeProgram.maximum, 100);
    EXPECT_GT(tickUntil([&] { return engine.state().SavingCountdown == 0; }), 0);
    tick();
    EXPECT_EQ(engine.display().CGaugeProgram.maximum, 3);
    EXPECT_EQ(unit.programCount(), 1);

    unit.injectFault(sim::Fault::Silence, -1);
    MonitorFrame live;
    live.protocolVersion = 76;
    live.savingCountdown = 300;
    engine.HandleMonitorFrame(encodeMonitorFrame(live));
    tick();
    EXPECT_EQ(engine.display().CGaugeProgram.progress, 50);
    EXPECT_EQ(shownMessage(engine), "Saving:");
    EXPECT_EQ(engine.state().MessageTicks, 199);
}

// A programming is finished when the unit has stored what it was sent: unplugged
// before that, it may hold nothing of it, whatever the verify saw.
TEST_F(TransferJob, ProgrammingIsOkOnlyOnceTheUnitReportsItHasStored)
{
    engine.StartProgramJob(image.parameters);
    runJob();
    ASSERT_EQ(engine.state().lastJobEnd, JobEnd::Verified);
    std::vector<int> progress;
    int ticks = 0;
    while (engine.state().storing == Storing::Watching && ticks++ < 100) {
        const std::string &text = shownMessage(engine);
        EXPECT_TRUE(text == "Verify:: OK" || text == "Saving:") << text << ", tick " << ticks;
        if (text == "Saving:" && (progress.empty() || progress.back() != engine.display().CGaugeProgram.progress))
            progress.push_back(engine.display().CGaugeProgram.progress);
        tick();
    }
    ASSERT_EQ(engine.state().storing, Storing::Stored);
    EXPECT_EQ(shownMessage(engine), "Program device:: OK");
    EXPECT_EQ(engine.display().LabelHlaseni.colour, Colour::Face);
    EXPECT_EQ(engine.display().CGaugeProgram.maximum, 3);
    EXPECT_EQ(engine.display().CGaugeProgram.progress, 3);
    EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end())) << "the gauge only climbs";
    EXPECT_GE(progress.size(), 3u) << "the countdown shows";
    EXPECT_TRUE(engine.knownUnitArea());
}

TEST_F(TransferJob, AUnitLostOrStuckWhileStoringEndsTheProgrammingInRed)
{
    const std::string failure = "Program error!\nstoring not confirmed";
    const struct {
        const char *what;
        Storing end;
        bool framesGoOn; ///< the unit keeps answering, its countdown does not move
    } rows[] = {
        {"unplugged while storing", Storing::LinkLost, false},
        {"countdown stuck", Storing::Stalled, true},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.what);
        engine.StartProgramJob(image.parameters);
        runJob();
        ASSERT_GT(tickUntil([&] { return engine.state().SavingCountdown > 0; }), 0);
        const std::uint16_t stuckAt = engine.state().SavingCountdown;
        unit.injectFault(sim::Fault::Silence, -1);

        int t = 0;
        while (engine.state().storing == Storing::Watching && t < 60) {
            if (row.framesGoOn && t % LinkEngine::PollTicks == 0) {
                MonitorFrame live;
                live.protocolVersion = ProtocolVersion;
                live.savingCountdown = stuckAt;
                port.inject(encodeMonitorFrame(live));
            }
            tick();
            ++t;
            EXPECT_NE(shownMessage(engine), "Program device:: OK");
        }
        ASSERT_EQ(engine.state().storing, row.end);
        EXPECT_LE(t, LinkEngine::LostTicks + LinkEngine::PollTicks) << "within the watchdog's time";
        EXPECT_EQ(engine.display().LabelSpojeni, !row.framesGoOn) << "lost exactly when the banner says so";
        EXPECT_EQ(shownMessage(engine), failure);
        EXPECT_EQ(engine.display().LabelHlaseni.colour, Colour::Red);
        EXPECT_EQ(engine.state().SavingCountdown, 0) << "the saving display is cleared at once";
        EXPECT_FALSE(engine.display().CGaugeProgram.visible);
        EXPECT_FALSE(engine.state().JobSucceeded);
        EXPECT_FALSE(engine.knownUnitArea()) << "the unit may not hold what the verify saw";

        // Plugged in again: the failure stays until its time is up, and never turns into OK.
        unit.clearFaults();
        for (int i = 0; i < LinkEngine::MessageShowTicks && engine.display().LabelHlaseni.visible; ++i) {
            tick();
            ASSERT_EQ(shownMessage(engine), failure) << "tick " << i;
        }
        EXPECT_FALSE(engine.display().LabelSpojeni);
        tickUntil([&] { return engine.state().SavingCountdown == 0 && !engine.display().LabelHlaseni.visible; });
    }
}

// The unit vanishes while an earlier programming is still storing, and Program is
// pressed again: the new job fails, and the old countdown must not cover that up.
TEST_F(TransferJob, ProgramAgainAfterTheUnitVanishedWhileStoringFailsInRed)
{
    engine.StartProgramJob(image.parameters);
    runJob();
    ASSERT_GT(tickUntil([&] { return engine.state().SavingCountdown > 0; }), 0);
    unit.injectFault(sim::Fault::Silence, -1);
    engine.StartProgramJob(image.parameters);
    EXPECT_EQ(engine.state().storing, Storing::None) << "the new job replaces the watch";
    runJob();
    EXPECT_EQ(engine.state().lastJobEnd, JobEnd::Failed);
    for (int i = 0; i < 40; ++i) {
        tick();
        ASSERT_EQ(shownMessage(engine), "Program error!") << "tick " << i;
        ASSERT_EQ(engine.display().LabelHlaseni.colour, Colour::Red);
    }
    EXPECT_EQ(engine.state().SavingCountdown, 0);
    EXPECT_EQ(engine.display().CGaugeProgram.progress, 0) << "no full gauge beside a failure";
}

// The tool's own image, held by a unit, reads back as it is: validation settles in
// one pass, so nothing is "corrected" that the tool itself wrote.
TEST_F(TransferJob, ReadOfTheToolsOwnImageCorrectsNothing)
{
    UnitImage own;
    own[field::BikeType] = bike::Classic;
    newParameterSet(own, NewSetCause::StartOrNew);
    for (int k = 0; k < field::PowerOutRpmThresholds; ++k)
        own[field::PowerOutRpm(0, k)] = 0; // as a blank unit's first output starts
    validate(own);
    unit.memory() = own.parameters;
    engine.StartReadJob();
    runJob();
    EXPECT_EQ(engine.state().correctedValues, 0);
    EXPECT_EQ(image.parameters, own.parameters);
    EXPECT_EQ(shownMessage(engine), "Verify:: OK");
}

TEST_F(TransferJob, NoiseOnTheLineNeverVerifiesAnythingNorTouchesTheImage)
{
    // A silent unit, and the line full of noise, some of it well-formed frames with
    // every possible code: nothing may count as success or change the parameters.
    unit.injectFault(sim::Fault::Silence, -1);
    std::mt19937 random(1234);
    ParameterArea before = image.parameters;
    for (int round = 0; round < 300; ++round) {
        if (engine.state().TransferMode == Transfer::Idle)
            round % 2 ? engine.StartReadJob() : engine.StartVerifyJob(image.parameters);
        Frame noise;
        for (auto &b : noise)
            b = static_cast<std::uint8_t>(random());
        if (round % 3 == 0)
            seal(noise);
        if (round % 7 == 0)
            noise[0] = static_cast<std::uint8_t>(engine.state().RequestByte ^ 0x80), seal(noise);
        port.inject(std::span<const std::uint8_t>(noise).first(static_cast<std::size_t>(random() % 103)));
        tick();
        ASSERT_NE(engine.state().lastJobEnd, JobEnd::Verified) << "round " << round;
        if (image.parameters != before) {
            // Only a read that received all three blocks may store them.
            ASSERT_EQ(engine.state().lastJobKind, Transfer::Read);
            ASSERT_EQ(engine.state().TransferMode, Transfer::Verify);
            before = image.parameters;
        }
    }
}

// What the tool knows of the unit's memory: only what a verify saw, and nothing
// after a job that may have changed the unit behind its back.
TEST_F(TransferJob, TheUnitsKnownAreaIsWhatTheLastVerifySaw)
{
    EXPECT_FALSE(engine.knownUnitArea()) << "unknown before any job";

    giveUnitOtherParameters();
    engine.StartReadJob();
    runJob();
    ASSERT_TRUE(engine.knownUnitArea());
    EXPECT_EQ(*engine.knownUnitArea(), unit.memory());

    unit.memory() = ParameterArea{}; // a blank unit: validation corrects what the tool holds
    engine.StartReadJob();
    runJob();
    ASSERT_TRUE(engine.knownUnitArea());
    EXPECT_EQ(*engine.knownUnitArea(), ParameterArea{}) << "the unit's bytes, not the corrected image";
    EXPECT_NE(image.parameters, ParameterArea{});

    const std::uint32_t revision = engine.knownUnitRevision();
    unit.injectFault(sim::Fault::Silence, -1, 0x42);
    engine.StartReadJob();
    runJob();
    EXPECT_TRUE(engine.knownUnitArea()) << "a failed read wrote nothing";
    EXPECT_EQ(engine.knownUnitRevision(), revision);

    unit.clearFaults();
    unit.injectFault(sim::Fault::Silence, -1, 0x02);
    engine.StartProgramJob(image.parameters);
    runJob();
    EXPECT_EQ(engine.state().lastJobEnd, JobEnd::Failed);
    EXPECT_FALSE(engine.knownUnitArea()) << "a failed programming may have written block 1";

    unit.clearFaults();
    engine.StartProgramJob(image.parameters);
    runJob();
    ASSERT_TRUE(engine.knownUnitArea());
    EXPECT_EQ(*engine.knownUnitArea(), unit.memory());
    EXPECT_EQ(*engine.knownUnitArea(), image.parameters);
}
