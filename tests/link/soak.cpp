#include "soak.h"

#include "link/frame.h"
#include "link/monitor_frame.h"
#include "model/defaults.h"
#include "model/fields.h"
#include "model/validate.h"
#include "sim/loopback_port.h"
#include "sim/simulated_unit.h"
#include "live/transfer_texts.h"

#include <algorithm>
#include <exception>
#include <functional>
#include <optional>
#include <ostream>
#include <random>
#include <sstream>

namespace talviro6::soak {
namespace {

constexpr sim::Micros TickMicros = 55'000;
/// A real timer's tick wanders; some jobs run with ticks of 45 ... 65 ms.
constexpr sim::Micros TickJitterMicros = 10'000;
/// Idle ticks allowed for the line to fall quiet and the unit to be found between jobs.
constexpr int SettleTickLimit = 400;
/// Ticks a job is given past its bound before it counts as hanging.
constexpr int HangTicks = 400;

/// Sendings the faults of a job may spoil in all, at most, for the job to be bound
/// to succeed: no block can then lose all five. A late answer counts two (it also
/// garbles the next answer, queued behind it on the line), so does a live frame (read
/// in the same tick as an answer it pushes that answer out, and an answer half
/// arrived when it came is garbage a tick later); every other answer hit counts one.
constexpr int LightLoad = LinkEngine::MaxSendings - 1;
constexpr int NeverEnds = 1000;

constexpr const char *TroubleNames[TroubleKinds] = {"no answer",  "wrong check byte", "late answer", "split answer",
                                                    "stray byte", "other version",    "silence",     "live frame"};

constexpr const char *ProgramOk = "Program device:: OK";
constexpr const char *VerifyOk = "Verify:: OK";
constexpr const char *MismatchBox = "Unmatched version of PC and Ignition programs!  PC-76, IGN-75";

const char *failureText(Transfer phase)
{
    switch (phase) {
    case Transfer::Program:
        return "Program error!";
    case Transfer::Verify:
        return "Verify error!";
    case Transfer::Read:
        return "Read error!";
    case Transfer::Idle:
        break;
    }
    return "";
}

const char *jobName(Transfer job)
{
    switch (job) {
    case Transfer::Program:
        return "program";
    case Transfer::Verify:
        return "verify";
    case Transfer::Read:
        return "read";
    case Transfer::Idle:
        break;
    }
    return "idle";
}

/// mt19937's output is the same everywhere; the standard distributions are not, so
/// numbers are taken as remainders to keep a seed's jobs the same on every library.
class Random {
  public:
    explicit Random(std::uint32_t seed) : m_engine(seed) {}
    int below(int n) { return static_cast<int>(m_engine() % static_cast<std::uint32_t>(n)); }
    int between(int low, int high) { return low + below(high - low + 1); }
    bool percent(int p) { return below(100) < p; }
    std::uint8_t byte() { return static_cast<std::uint8_t>(m_engine()); }
    std::uint16_t word() { return static_cast<std::uint16_t>(m_engine()); }

  private:
    std::mt19937 m_engine;
};

/// Stands in for the window: records the boxes and, like its modal box, lets ticks
/// run while one is open.
struct Window final : LinkCallbacks {
    std::vector<std::string> boxes;
    std::function<void()> whileBoxOpen;
    explicit Window(UnitImage &image) : image(&image) {}
    UnitImage *image; ///< where a read lands

    int readFinished(const ParameterArea &received) override { return takeReadInto(*image, received); }
    void showMessageBox(const LinkBox &box) override
    {
        boxes.push_back(linkBoxText(box, 0));
        if (whileBoxOpen)
            whileBoxOpen();
    }
};

/// The transfer line as the window shows it: worded in English, in its colour.
struct ShownMessage {
    std::string text;
    Colour colour = Colour::Face;
};

ShownMessage shownMessage(const LinkEngine &engine)
{
    const TransferLine &line = engine.display().LabelHlaseni;
    return {transferText(line, 0), line.colour};
}

struct PlannedFault {
    int kind = 0;
    int count = 1; ///< answers it hits; -1: all of them
    std::optional<std::uint8_t> request;
};

struct Plan {
    Transfer job = Transfer::Program;
    ParameterArea unitMemory{};
    std::vector<PlannedFault> faults;
    std::vector<int> liveFrameTicks; ///< job ticks before which a live frame goes on the line
    int ticksWhileBoxOpen = 0;
    bool jitter = false;
};

std::vector<std::uint8_t> requestsOf(Transfer job)
{
    switch (job) {
    case Transfer::Program:
        return {0x00, 0x01, 0x02, 0x03, 0x41, 0x42, 0x43};
    case Transfer::Read:
        return {0x40, 0x41, 0x42, 0x43, 0x41, 0x42, 0x43};
    default:
        return {0x41, 0x42, 0x43};
    }
}

/// What the plan allows the job to end with, worked out from the plan alone.
struct Expectation {
    bool otherVersionReachesHeader = false; ///< the header answer may report version 75
    int load = 0;                           ///< sendings the faults can spoil, at most
    bool unitDiffers = false;               ///< a verify of a unit that holds other data
    bool mustFail = false;
};

Expectation expect(const Plan &plan, const ParameterArea &tool)
{
    const std::vector<std::uint8_t> requests = requestsOf(plan.job);
    const std::uint8_t headerRequest = plan.job == Transfer::Program ? code::ProgramHeader : code::ReadHeader;
    const auto inJob = [&](const PlannedFault &f) {
        return !f.request || std::find(requests.begin(), requests.end(), *f.request) != requests.end();
    };
    Expectation e;
    int load = 0;
    bool neverAnswered = false;
    for (const PlannedFault &f : plan.faults) {
        if (!inJob(f))
            continue;
        const auto kind = static_cast<sim::Fault>(f.kind);
        if (kind == sim::Fault::OtherVersion) {
            e.otherVersionReachesHeader |= plan.job != Transfer::Verify && (!f.request || *f.request == headerRequest);
            continue;
        }
        if (f.count < 0) {
            load += NeverEnds;
            // Late and split answers still arrive whole; these never do.
            neverAnswered |= kind == sim::Fault::NoAnswer || kind == sim::Fault::WrongCheckByte ||
                             kind == sim::Fault::StrayByte || kind == sim::Fault::Silence;
            continue;
        }
        load += f.count * (kind == sim::Fault::LateAnswer ? 2 : 1);
    }
    load += 2 * static_cast<int>(plan.liveFrameTicks.size());
    e.load = load;
    e.unitDiffers = plan.job == Transfer::Verify && plan.unitMemory != tool;
    e.mustFail = neverAnswered || e.unitDiffers;
    return e;
}

void validated(ParameterArea &area)
{
    UnitImage image;
    image.parameters = area;
    validate(image);
    area = image.parameters;
}

/// The start-up set of a random motorcycle type, some bytes changed, or noise.
ParameterArea randomParameters(Random &random)
{
    UnitImage image;
    switch (random.below(3)) {
    case 0:
        image[field::BikeType] = static_cast<std::uint8_t>(random.below(6));
        newParameterSet(image, NewSetCause::StartOrNew);
        break;
    case 1: {
        image[field::BikeType] = static_cast<std::uint8_t>(random.below(6));
        newParameterSet(image, NewSetCause::StartOrNew);
        for (int n = random.between(1, 20); n > 0; --n)
            image[random.below(ParameterSize)] = random.byte();
        break;
    }
    default:
        for (auto &b : image.parameters)
            b = random.byte();
    }
    return image.parameters;
}

MonitorFrame randomLiveFrame(Random &random)
{
    MonitorFrame m;
    m.engineSpeed = random.word();
    m.tpsCounts = random.word();
    m.supplyMillivolts = random.word();
    m.servoMeasured = random.word();
    m.servoDesired = random.word();
    m.programCount = random.word();
    for (auto &v : m.testValues)
        v = random.word();
    for (bool *flag : {&m.killSwitch, &m.retard, &m.startLimiter, &m.clutch, &m.powerOut1, &m.powerOut2, &m.powerOut3,
                       &m.pickup1, &m.pickup2, &m.speedRed, &m.motorOff, &m.speedYellow, &m.servoOk, &m.input1Grounded,
                       &m.input2Grounded, &m.dataError})
        *flag = random.percent(50);
    m.tpsPercent = random.byte();
    for (int c = 0; c < 2; ++c) {
        m.pickupCounterA[static_cast<std::size_t>(c)] = random.byte();
        m.pickupCounterB[static_cast<std::size_t>(c)] = random.byte();
        m.advance[static_cast<std::size_t>(c)] = random.byte();
        m.maxAdvance[static_cast<std::size_t>(c)] = random.word();
    }
    m.savingCountdown = random.percent(90) ? 0 : static_cast<std::uint16_t>(random.below(700));
    m.protocolVersion = random.percent(80) ? ProtocolVersion : random.byte();
    return m;
}

class Soak {
  public:
    Soak(std::uint32_t seed, std::size_t keepNotes, std::uint64_t traceJob, std::ostream *trace)
        : m_random(seed), m_keepNotes(keepNotes), m_traceJob(traceJob), m_trace(trace)
    {
        m_engine.OpenPort();
    }

    void runJob(std::uint64_t number);
    Counts counts;

  private:
    void tick()
    {
        ++counts.ticks;
        m_clock.advance(m_jitter ? TickMicros - TickJitterMicros + m_random.below(2 * TickJitterMicros + 1)
                                 : TickMicros);
        m_engine.tick();
        if (m_tracing)
            traceTick();
    }
    void traceTick();
    void tracePlan(const Plan &plan);
    void settle();
    Plan plan(const ParameterArea &tool);
    void injectFaults(const Plan &plan);
    void violation(std::uint64_t job, const std::string &what);

    Random m_random;
    std::size_t m_keepNotes;
    std::uint64_t m_traceJob;
    std::ostream *m_trace;
    bool m_tracing = false;
    std::size_t m_tracedRequests = 0;
    std::uint32_t m_tracedFrames = 0;
    std::uint32_t m_tracedAccepted = 0;
    std::uint32_t m_tracedLive = 0;
    bool m_jitter = false;

    sim::SimulatedUnit m_unit;
    sim::ManualClock m_clock;
    sim::LoopbackPort m_port{m_unit, m_clock};
    UnitImage m_image;
    SettingsIndexes m_settings;
    Window m_window{m_image};
    LinkEngine m_engine{m_port, m_settings, m_window};

    bool m_violated = false;
};

void Soak::tracePlan(const Plan &p)
{
    std::ostream &out = *m_trace;
    out << jobName(p.job) << " job, ticks " << (p.jitter ? "jittered" : "even") << ", " << p.ticksWhileBoxOpen
        << " ticks while a box is open\n";
    for (const PlannedFault &f : p.faults) {
        out << "  fault " << troubleName(f.kind) << " x " << f.count;
        if (f.request)
            out << " on request 0x" << std::hex << int(*f.request) << std::dec;
        out << '\n';
    }
    for (int t : p.liveFrameTicks)
        out << "  live frame before job tick " << t << '\n';
}

void Soak::traceTick()
{
    std::ostream &out = *m_trace;
    const LinkState &s = m_engine.state();
    out << "t=" << m_clock.now() / 1000 << "ms mode " << int(s.TransferMode) << " req 0x" << std::hex
        << int(s.RequestByte) << std::dec << " sent " << int(s.SendCount) << " sendTicks " << int(s.SendTicks)
        << " silence " << int(s.SilenceTicks) << " reconnect " << int(s.ReconnectTicks) << " port "
        << m_port.openPortNumber() << " frames in " << s.receivedFrames - m_tracedFrames << " accepted "
        << s.acceptedFrames - m_tracedAccepted << " live " << s.monitorFrames - m_tracedLive;
    m_tracedFrames = s.receivedFrames;
    m_tracedAccepted = s.acceptedFrames;
    m_tracedLive = s.monitorFrames;
    const auto &requests = m_unit.requests();
    for (; m_tracedRequests < requests.size(); ++m_tracedRequests)
        out << " >0x" << std::hex << int(requests[m_tracedRequests][0]) << std::dec;
    if (const auto due = m_unit.nextDue())
        out << " next byte at " << *due / 1000 << "ms";
    out << " end " << int(s.lastJobEnd) << '\n';
}

void Soak::violation(std::uint64_t job, const std::string &what)
{
    if (!m_violated)
        ++counts.violations;
    m_violated = true;
    if (counts.notes.size() < m_keepNotes)
        counts.notes.push_back("job " + std::to_string(job) + ": " + what);
}

/// Between jobs: no fault left over, nothing on its way, the unit found again, so
/// that no answer of one job can be taken for an answer of the next.
void Soak::settle()
{
    m_unit.clearFaults();
    m_jitter = false;
    const bool watched = m_engine.state().storing == Storing::Watching;
    for (int i = 0; i < SettleTickLimit; ++i) {
        // A unit still storing would turn the next job's last message into "Saving:".
        const bool quiet = !m_unit.nextDue() && m_port.bytesWaiting() == 0 && m_engine.state().SavingCountdown == 0 &&
                           m_unit.savingCountdown(m_clock.now()) == 0 && m_engine.state().storing != Storing::Watching;
        if (quiet && !m_engine.display().LabelSpojeni) {
            // A verified programming is OK once the unit, answering again, has stored.
            const ShownMessage message = shownMessage(m_engine);
            if (watched && (m_engine.state().storing != Storing::Stored || message.text != ProgramOk))
                violation(counts.jobs, "storing ended '" + message.text + "'");
            return;
        }
        tick();
    }
    violation(counts.jobs + 1, "the line never fell quiet before the job");
}

Plan Soak::plan(const ParameterArea &tool)
{
    Plan p;
    p.job = static_cast<Transfer>(m_random.between(1, 3));
    switch (p.job) {
    case Transfer::Verify:
        // Mostly the unit holds what the tool holds; otherwise a few bytes differ.
        p.unitMemory = tool;
        if (m_random.percent(25)) {
            for (int n = m_random.between(1, 3); n > 0; --n) {
                const auto at = static_cast<std::size_t>(m_random.below(ParameterSize));
                p.unitMemory[at] = static_cast<std::uint8_t>(p.unitMemory[at] + m_random.between(1, 255));
            }
        }
        break;
    case Transfer::Read:
        // Sane memories, and raw ones that validation will change.
        p.unitMemory = randomParameters(m_random);
        if (m_random.percent(60))
            validated(p.unitMemory);
        if (m_random.percent(30))
            validated(p.unitMemory);
        break;
    default:
        p.unitMemory = randomParameters(m_random);
        break;
    }

    const std::vector<std::uint8_t> requests = requestsOf(p.job);
    const int faults = m_random.percent(20) ? 0 : m_random.between(1, 4);
    for (int i = 0; i < faults; ++i) {
        const int kind = m_random.below(TroubleKinds);
        if (kind == LiveFrameTrouble) {
            p.liveFrameTicks.push_back(m_random.between(1, 40));
            continue;
        }
        PlannedFault f;
        f.kind = kind;
        const auto fault = static_cast<sim::Fault>(kind);
        if (fault == sim::Fault::Silence)
            f.count = m_random.between(1, 8); // silent for a while, then back
        else
            f.count = m_random.between(1, 3);
        const bool endless = fault == sim::Fault::NoAnswer || fault == sim::Fault::WrongCheckByte ||
                             fault == sim::Fault::StrayByte || fault == sim::Fault::Silence;
        if (endless && m_random.percent(5))
            f.count = -1;
        if (m_random.percent(50))
            f.request = requests[static_cast<std::size_t>(m_random.below(static_cast<int>(requests.size())))];
        p.faults.push_back(f);
    }
    p.ticksWhileBoxOpen = m_random.below(8);
    p.jitter = m_random.percent(30);
    return p;
}

void Soak::injectFaults(const Plan &plan)
{
    for (const PlannedFault &f : plan.faults) {
        m_unit.injectFault(static_cast<sim::Fault>(f.kind), f.count, f.request);
        ++counts.faultsInjected;
        ++counts.faultsOfKind[static_cast<std::size_t>(f.kind)];
    }
}

void Soak::runJob(std::uint64_t number)
{
    m_violated = false;
    settle();
    m_tracing = m_trace && number == m_traceJob;
    if (m_tracing) {
        m_unit.setLogging(true);
        m_unit.clearLogs();
        m_tracedRequests = 0;
        m_tracedFrames = m_engine.state().receivedFrames;
        m_tracedAccepted = m_engine.state().acceptedFrames;
        m_tracedLive = m_engine.state().monitorFrames;
    }

    // The tool's set as the window would hold it after an edit: validated, and
    // settled, since its controls never produce the power-output speeds below 300 rpm
    // that a second validation would still move.
    m_image.parameters = randomParameters(m_random);
    validated(m_image.parameters);
    validated(m_image.parameters);
    const Plan p = plan(m_image.parameters);
    m_unit.memory() = p.unitMemory;
    const ParameterArea unitBefore = m_unit.memory();
    m_window.boxes.clear();
    m_window.whileBoxOpen = [this, n = p.ticksWhileBoxOpen] {
        for (int i = 0; i < n; ++i)
            tick();
    };

    switch (p.job) {
    case Transfer::Program:
        m_engine.StartProgramJob(m_image.parameters);
        break;
    case Transfer::Verify:
        m_engine.StartVerifyJob(m_image.parameters);
        break;
    default:
        m_engine.StartReadJob();
    }
    // After the starter: its own validation is part of what the tuner sends.
    const ParameterArea toolBefore = m_image.parameters;
    const Expectation e = expect(p, toolBefore);
    if (m_tracing)
        tracePlan(p);
    injectFaults(p);
    m_jitter = p.jitter;
    ++counts.jobs;
    ++counts.jobsOfKind[static_cast<std::size_t>(p.job)];

    const auto say = [&](const std::string &what) { violation(number, std::string(jobName(p.job)) + ": " + what); };

    const std::size_t opensBefore = m_port.openAttempts().size();
    Transfer lastPhase = p.job;
    int ticks = 0;
    std::size_t nextLive = 0;
    std::vector<int> liveTicks = p.liveFrameTicks;
    std::sort(liveTicks.begin(), liveTicks.end());
    while (m_engine.state().TransferMode != Transfer::Idle && ticks < jobTickBound(p.job) + HangTicks) {
        while (nextLive < liveTicks.size() && liveTicks[nextLive] <= ticks + 1) {
            m_port.inject(encodeMonitorFrame(randomLiveFrame(m_random)));
            ++counts.faultsInjected;
            ++counts.faultsOfKind[LiveFrameTrouble];
            ++nextLive;
        }
        lastPhase = m_engine.state().TransferMode;
        tick();
        ++ticks;
    }
    m_window.whileBoxOpen = nullptr;
    counts.longestJobTicks = std::max(counts.longestJobTicks, ticks);

    const LinkState &s = m_engine.state();
    const ShownMessage message = shownMessage(m_engine);
    // A live frame in the job that reported the unit storing: the idle step of the
    // tick whose answer ended the job writes "Saving:" over the job's own message.
    const bool saving = s.SavingCountdown > 0;
    const auto shows = [&](const std::string &text, Colour colour) {
        return saving ? message.text == "Saving:" && message.colour == Colour::Face
                      : message.text == text && message.colour == colour;
    };
    if (s.TransferMode != Transfer::Idle) {
        say("still running after " + std::to_string(ticks) + " ticks");
        return;
    }
    if (ticks > jobTickBound(p.job))
        say("took " + std::to_string(ticks) + " ticks, bound " + std::to_string(jobTickBound(p.job)));
    if (s.lastJobKind != p.job)
        say("ended as another kind of job");

    const JobEnd end = s.lastJobEnd;
    const bool mismatchAllowed = e.otherVersionReachesHeader;
    if (end == JobEnd::VersionMismatch && !mismatchAllowed)
        say("version mismatch, but the unit reported 76");
    // The watchdog reopens the port every 30 ticks while the unit counts as lost, also
    // in a job, and an answer on its way is lost with the old port: one sending more.
    const int reopenings = static_cast<int>(m_port.openAttempts().size() - opensBefore);
    const bool mustSucceed = e.load + reopenings <= LightLoad && !e.unitDiffers;
    if (mustSucceed && end != JobEnd::Verified && !(mismatchAllowed && end == JobEnd::VersionMismatch))
        say("failed under a light load of faults");
    if (e.mustFail && end == JobEnd::Verified)
        say("verified, but the unit never answered or holds other data");
    if (end != JobEnd::VersionMismatch && !m_window.boxes.empty())
        say("message box: " + m_window.boxes.front());

    switch (end) {
    case JobEnd::Verified: {
        if (p.job == Transfer::Read) {
            if (m_unit.memory() != unitBefore)
                say("a read wrote to the unit");
            if (m_engine.unitHeader() != m_unit.header())
                say("the header read is not the unit's");
            ParameterArea expected = unitBefore;
            validated(expected);
            int corrected = 0;
            for (std::size_t i = 0; i < expected.size(); ++i)
                corrected += expected[i] != unitBefore[i];
            if (m_image.parameters != expected)
                say("the tool's area is not the validated memory of the unit");
            if (s.correctedValues != corrected)
                say("counted " + std::to_string(s.correctedValues) + " corrected values, not " +
                    std::to_string(corrected));
            const std::string text = corrected == 0 ? std::string(VerifyOk)
                                                    : "Read: OK - " + std::to_string(corrected) + " values corrected";
            if (!shows(text, corrected == 0 ? Colour::Face : Colour::Yellow))
                say("message '" + message.text + "'");
            counts.okWithCorrections += corrected > 0;
        } else {
            if (m_image.parameters != toolBefore)
                say("the tool's area changed");
            if (m_unit.memory() != m_image.parameters)
                say("the unit's memory differs from the tool's area");
            if (s.correctedValues != 0)
                say("corrected values outside a read");
            // A programming is not OK before the unit has stored it; until its next
            // live frame, the verify's message stays.
            if (p.job == Transfer::Program ? message.text != VerifyOk || s.storing != Storing::Watching
                                           : !shows(VerifyOk, Colour::Face))
                say("message '" + message.text + "'");
            if (s.JobSucceeded != (p.job == Transfer::Program))
                say("JobSucceeded is wrong");
        }
        if (!m_violated)
            ++counts.ok;
        break;
    }
    case JobEnd::Failed: {
        // A failure is found by the supervision, after which that tick has no idle step.
        if (message.text != failureText(lastPhase) || message.colour != Colour::Red)
            say(std::string("message '") + message.text + "' in the " + jobName(lastPhase) + " phase");
        // Also a read whose own verify failed: what it received was not confirmed.
        if (m_image.parameters != toolBefore)
            say("a failed job changed the tool's area");
        if (s.JobSucceeded)
            say("JobSucceeded after a failure");
        if (!m_violated)
            ++counts.failedAsExpected;
        break;
    }
    case JobEnd::VersionMismatch:
        if (m_image.parameters != toolBefore)
            say("a version mismatch changed the tool's area");
        if (m_unit.memory() != unitBefore)
            say("a version mismatch wrote to the unit");
        if (m_window.boxes.size() != 1 || m_window.boxes.front() != MismatchBox)
            say("no single version box");
        if (s.MessageTicks != 0 && !saving)
            say("the message stays after a version mismatch");
        if (!m_violated)
            ++counts.versionMismatches;
        break;
    case JobEnd::None:
    case JobEnd::Running:
        say("idle without an end");
        break;
    }
}

} // namespace

const char *troubleName(int kind)
{
    return kind >= 0 && kind < TroubleKinds ? TroubleNames[kind] : "?";
}

Counts run(std::uint64_t jobs, std::uint32_t seed, std::size_t keepNotes, std::uint64_t traceJob, std::ostream *trace)
{
    Soak soak(seed, keepNotes, traceJob, trace);
    for (std::uint64_t n = 1; n <= jobs; ++n) {
        try {
            soak.runJob(n);
        } catch (const std::exception &error) {
            ++soak.counts.violations;
            if (soak.counts.notes.size() < keepNotes)
                soak.counts.notes.push_back("job " + std::to_string(n) + ": exception " + error.what());
            // Whatever the engine holds now is no longer a job's doing: stop here.
            return soak.counts;
        }
    }
    return soak.counts;
}

std::string describe(const Counts &c)
{
    std::ostringstream out;
    out << "jobs                 " << c.jobs << " (program " << c.jobsOfKind[1] << ", verify " << c.jobsOfKind[2]
        << ", read " << c.jobsOfKind[3] << ")\n";
    out << "faults injected      " << c.faultsInjected << '\n';
    for (int k = 0; k < TroubleKinds; ++k)
        out << "  " << troubleName(k) << std::string(19 - std::string(troubleName(k)).size(), ' ')
            << c.faultsOfKind[static_cast<std::size_t>(k)] << '\n';
    out << "ok                   " << c.ok << " (of them reads with corrected values " << c.okWithCorrections << ")\n";
    out << "failed as expected   " << c.failedAsExpected << '\n';
    out << "version mismatches   " << c.versionMismatches << '\n';
    out << "violations           " << c.violations << '\n';
    out << "ticks                " << c.ticks << " (" << c.ticks * 55 / 1000 / 60 << " minutes on the line)\n";
    out << "longest job          " << c.longestJobTicks << " ticks (bound " << JobTickBound << ")\n";
    for (const std::string &note : c.notes)
        out << "  " << note << '\n';
    return out.str();
}

} // namespace talviro6::soak
