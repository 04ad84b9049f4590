#include "sim/simulated_unit.h"

#include "link/unit_header.h"
#include "live/operating_point.h"
#include "model/defaults.h"
#include "model/fields.h"
#include "model/settle.h"
#include "model/validate.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace talviro6::sim {
namespace {

constexpr std::array<const char *, 7> FaultNames{"no-answer",  "wrong-check-byte", "late-answer", "split-answer",
                                                 "stray-byte", "other-version",    "silence"};

constexpr std::uint8_t OtherProtocolVersion = 75;

/// Linear interpolation of y over increasing breakpoints x; outside, the end values.
double interpolate(const std::array<double, 10> &x, const std::array<double, 10> &y, double at)
{
    if (at <= x[0])
        return y[0];
    for (std::size_t i = 1; i < x.size(); ++i) {
        if (at <= x[i]) {
            const double span = x[i] - x[i - 1];
            const double f = span > 0 ? (at - x[i - 1]) / span : 1.0;
            return y[i - 1] + f * (y[i] - y[i - 1]);
        }
    }
    return y[9];
}

std::uint16_t toCounts(double millivolts)
{
    return static_cast<std::uint16_t>(std::clamp(millivolts * 1023.0 / 5000.0, 0.0, 1023.0));
}

/// The ride the simulated engine takes, one cycle of 24 s: standing, idling, a
/// run up through the whole map to the limiter, back down, idling again.
struct Ride {
    double rpm;
    double throttle; ///< percent
    bool running;
};

Ride ride(double seconds, double topRpm)
{
    constexpr double Idle = 1300;
    const double t = std::fmod(seconds, 24.0);
    if (t < 2.0)
        return {0, 0, false};
    if (t < 2.5)
        return {300, 0, true}; // cranking, below every map column
    if (t < 3.0)
        return {Idle, 2, true};
    if (t < 13.0) {
        const double f = (t - 3.0) / 10.0;
        return {Idle + f * (topRpm - Idle), std::min(100.0, (t - 3.0) * 20.0), true};
    }
    if (t < 14.0)
        return {topRpm, 100, true};
    if (t < 20.0) {
        const double f = (t - 14.0) / 6.0;
        return {topRpm - f * (topRpm - Idle), 0, true};
    }
    return {Idle, 2, true};
}

} // namespace

std::optional<Fault> faultFromName(std::string_view name)
{
    for (std::size_t i = 0; i < FaultNames.size(); ++i)
        if (name == FaultNames[i])
            return static_cast<Fault>(i);
    return std::nullopt;
}

const char *faultName(Fault fault)
{
    return FaultNames[static_cast<std::size_t>(fault)];
}

SimulatedUnit::SimulatedUnit(UnitIdentity identity) : m_identity(std::move(identity))
{
    // A unit fresh from the workshop holds the classic set the tool also starts with,
    // as the tool programs it (validated, with the cells its power-output modes fix),
    // so that a read of it corrects nothing.
    UnitImage image;
    image[field::BikeType] = bike::Classic;
    newParameterSet(image, NewSetCause::StartOrNew);
    validate(image);
    settleToControls(image, false);
    m_memory = image.parameters;
    buildHeader();
}

void SimulatedUnit::setIdentity(const UnitIdentity &identity)
{
    m_identity = identity;
    buildHeader();
}

void SimulatedUnit::buildHeader()
{
    m_header.fill(0);
    for (std::size_t i = 0; i < 3 && i < m_identity.name.size(); ++i)
        m_header[header::Name + i] = static_cast<std::uint8_t>(m_identity.name[i]);
    m_header[header::FirmwareNumber] = m_identity.firmwareNumber;
    m_header[header::Day] = m_identity.day;
    m_header[header::Month] = m_identity.monthCode;
    m_header[header::Year] = m_identity.year;
    m_header[header::Hour] = m_identity.hour;
    m_header[header::Minute] = m_identity.minute;
    m_header[header::ProtocolVersion] = m_identity.protocolVersion;
    for (std::size_t i = 0; i < m_identity.firmwareText.size() && i < header::FirmwareTextLength; ++i)
        m_header[header::FirmwareText + i] = static_cast<std::uint8_t>(m_identity.firmwareText[i]);
}

void SimulatedUnit::log(std::deque<Frame> &to, const Frame &frame)
{
    if (!m_logging)
        return;
    if (to.size() >= LogCapacity)
        to.pop_front();
    to.push_back(frame);
}

void SimulatedUnit::injectFault(Fault fault, int count, std::optional<std::uint8_t> onlyRequest)
{
    if (count != 0)
        m_faults.push_back({fault, count, onlyRequest});
}

bool SimulatedUnit::takeFault(Fault fault, std::uint8_t request)
{
    for (auto it = m_faults.begin(); it != m_faults.end(); ++it) {
        if (it->fault != fault || (it->request && *it->request != request))
            continue;
        if (it->remaining > 0 && --it->remaining == 0)
            m_faults.erase(it);
        return true;
    }
    return false;
}

void SimulatedUnit::receive(std::span<const std::uint8_t> bytes, Micros now)
{
    // Like the unit's receiver: a pause in the middle of a request starts over.
    if (m_inLength > 0 && now - m_lastByte > InterByteGap)
        m_inLength = 0;
    m_lastByte = now;
    for (std::uint8_t b : bytes) {
        m_in[m_inLength++] = b;
        if (m_inLength == FrameSize) {
            m_inLength = 0;
            handleRequest(m_in, now);
        }
    }
}

void SimulatedUnit::handleRequest(const Frame &request, Micros now)
{
    if (!hasMatchingCheckByte(request))
        return; // the unit ignores what it cannot trust; the tool repeats
    log(m_requests, request);
    const std::uint8_t code = request[0];
    if (takeFault(Fault::Silence, code))
        return;

    if (code == talviro6::code::Poll) {
        MonitorFrame live = liveValues(now);
        if (takeFault(Fault::OtherVersion, code))
            live.protocolVersion = OtherProtocolVersion;
        send(encodeMonitorFrame(live), code, now);
        return;
    }
    if (code & talviro6::code::AnswerBit)
        return;
    const int block = code & talviro6::code::BlockMask;
    if (block > ParameterBlocks)
        return;

    const bool fromMemory = (code & talviro6::code::MemoryBit) != 0;
    const auto data = frameData(request);
    if (block >= 1 && !fromMemory) {
        std::copy(data.begin(), data.end(), m_memory.begin() + (block - 1) * BlockSize);
        if (block == ParameterBlocks) {
            ++m_programCount;
            m_savingSince = now;
        }
    }
    Frame answer{};
    answer[0] = static_cast<std::uint8_t>(code | talviro6::code::AnswerBit);
    if (block == 0) {
        std::copy(m_header.begin(), m_header.end(), answer.begin() + 1);
        if (takeFault(Fault::OtherVersion, code))
            answer[1 + header::ProtocolVersion] = OtherProtocolVersion;
    } else {
        std::copy_n(m_memory.begin() + (block - 1) * BlockSize, BlockSize, answer.begin() + 1);
    }
    seal(answer);
    send(answer, code, now);
}

void SimulatedUnit::send(Frame answer, std::uint8_t request, Micros now)
{
    log(m_answers, answer);
    if (takeFault(Fault::NoAnswer, request))
        return;
    if (takeFault(Fault::WrongCheckByte, request))
        answer[CheckByteIndex] ^= 0x5A;
    Micros start = now + AnswerLatency;
    if (takeFault(Fault::LateAnswer, request))
        start += LateBy;
    // Answers queue behind each other on the line, as they would on a real one.
    if (!m_out.empty())
        start = std::max(start, m_out.back().due);
    if (takeFault(Fault::StrayByte, request))
        m_out.push_back({start, 0x00});
    const bool split = takeFault(Fault::SplitAnswer, request);
    for (int i = 0; i < FrameSize; ++i) {
        Micros due = start + FrameMicros * (i + 1) / FrameSize;
        if (split && i >= SplitAt)
            due += SplitGap;
        m_out.push_back({due, answer[static_cast<std::size_t>(i)]});
    }
}

std::size_t SimulatedUnit::available(Micros now) const
{
    std::size_t n = 0;
    while (n < m_out.size() && m_out[n].due <= now)
        ++n;
    return n;
}

std::size_t SimulatedUnit::take(std::span<std::uint8_t> into, Micros now)
{
    std::size_t n = 0;
    while (n < into.size() && !m_out.empty() && m_out.front().due <= now) {
        into[n++] = m_out.front().byte;
        m_out.pop_front();
    }
    return n;
}

std::optional<Micros> SimulatedUnit::nextDue() const
{
    if (m_out.empty())
        return std::nullopt;
    return m_out.front().due;
}

std::uint16_t SimulatedUnit::savingCountdown(Micros now) const
{
    if (!m_savingSince)
        return 0;
    const Micros elapsed = now - *m_savingSince;
    if (elapsed >= SavingMicros)
        return 0;
    return static_cast<std::uint16_t>(600 - elapsed * 600 / SavingMicros);
}

MonitorFrame SimulatedUnit::liveValues(Micros now) const
{
    const auto at = [this](int offset) { return static_cast<double>(m_memory[static_cast<std::size_t>(offset)]); };
    const double seconds = static_cast<double>(now) / 1e6;
    const double limiterRpm = at(field::Limiter) * 100;
    const double topRpm = std::max(2000.0, limiterRpm > 0 ? limiterRpm + 200 : at(field::AdvanceRpm(9)) * 100 + 500);
    const Ride r = ride(seconds, topRpm);

    MonitorFrame m;
    m.protocolVersion = m_identity.protocolVersion;
    m.engineSpeed = static_cast<std::uint16_t>(r.rpm);
    m.tpsPercent = static_cast<std::uint8_t>(r.throttle);
    const double tps0 = at(field::Tps0Voltage) * 10;
    const double tps100 = (at(field::Tps100Voltage) + 250) * 10;
    m.tpsCounts = toCounts(tps0 + r.throttle * (tps100 - tps0) / 100.0);

    // Cranking pulls the battery down, a fast engine charges it up.
    double supply = r.running ? 13800 + 400 * std::sin(seconds * 0.7) + r.rpm * 0.06 : 12400;
    if (std::fmod(seconds, 24.0) >= 2.0 && std::fmod(seconds, 24.0) < 2.3)
        supply = 10600;
    m.supplyMillivolts = static_cast<std::uint16_t>(supply);

    m.speedRed = limiterRpm > 0 && r.rpm >= limiterRpm;
    m.speedYellow = limiterRpm > 0 && r.rpm >= 0.9 * limiterRpm;

    std::array<double, 10> servoRpm{}, servoMv{}, advanceRpm{};
    for (int i = 0; i < 10; ++i) {
        servoRpm[static_cast<std::size_t>(i)] = at(field::ServoRpm(i)) * 100;
        servoMv[static_cast<std::size_t>(i)] = at(field::ServoVoltage(i)) * 20;
        advanceRpm[static_cast<std::size_t>(i)] = at(field::AdvanceRpm(i)) * 100;
    }
    if (at(field::ServoEnable) != 0) {
        m.servoDesired = toCounts(interpolate(servoRpm, servoMv, r.rpm));
        // The servo follows a little behind.
        m.servoMeasured = toCounts(interpolate(servoRpm, servoMv, ride(seconds - 0.3, topRpm).rpm));
    }
    m.servoOk = true;
    m.programCount = m_programCount;
    m.savingCountdown = savingCountdown(now);

    // Inputs: input 1 grounded for a gear change on the way up, input 2 at idle.
    const double t = std::fmod(seconds, 24.0);
    m.input1Grounded = (t >= 7.0 && t < 7.3) || (t >= 10.0 && t < 10.3);
    m.input2Grounded = t >= 21.0 && t < 22.0;
    const int in1 = m_memory[field::Input1Function], in2 = m_memory[field::Input2Function];
    const auto active = [&](int function) {
        return (in1 == function && m.input1Grounded) || (in2 == function && m.input2Grounded);
    };
    m.killSwitch = in1 == input::KillSwitch && m.input1Grounded;
    m.motorOff = in2 == input::Blocking && m.input2Grounded;
    m.clutch = active(input::ClutchMaster);
    m.retard = active(input::Retard);
    m.startLimiter = active(input::StartLimiter) && r.rpm >= at(field::StartLimiter) * 100;

    // Power outputs switch by their own speed and throttle cells.
    bool outputs[3]{};
    for (int o = 0; o < 3; ++o) {
        if (m_memory[static_cast<std::size_t>(field::PowerOutMode(o))] == 0 || !r.running)
            continue;
        int column = 0;
        while (column < 3 && r.rpm >= at(field::PowerOutRpm(o, column)) * 100)
            ++column;
        int row = 0;
        while (row < 2 && r.throttle >= at(field::PowerOutTps(o, row)))
            ++row;
        outputs[o] = (m_memory[static_cast<std::size_t>(field::PowerOutCells(o, row))] >> column) & 1;
    }
    m.powerOut1 = outputs[0];
    m.powerOut2 = outputs[1];
    m.powerOut3 = outputs[2];

    m.pickup1 = r.running;
    m.pickup2 = r.running && usesSecondPickup(m_memory[field::SyncMethod]);
    const auto counted = static_cast<std::uint8_t>(std::min(255.0, at(field::StartRevolutions) + 5));
    m.pickupCounterA = {r.running ? counted : std::uint8_t{0}, r.running ? counted : std::uint8_t{0}};

    // Advance from the map at the present speed and throttle, plus each cylinder's correction.
    const bool tpsMap = m_memory[field::TpsMapEnable] != 0;
    std::array<double, 10> rows{}, columnAdvance{};
    for (int row = 0; row < 10; ++row)
        rows[static_cast<std::size_t>(row)] = ThrottleRows[static_cast<std::size_t>(row)];
    std::array<double, 10> perRow{};
    double maxInUse = 0;
    for (int row = 0; row < 10; ++row) {
        for (int c = 0; c < 10; ++c) {
            columnAdvance[static_cast<std::size_t>(c)] = at(field::AdvanceMap(row, c));
            if (tpsMap || row == 9)
                maxInUse = std::max(maxInUse, columnAdvance[static_cast<std::size_t>(c)]);
        }
        perRow[static_cast<std::size_t>(row)] = interpolate(advanceRpm, columnAdvance, r.rpm);
    }
    const double advance = r.running ? (tpsMap ? interpolate(rows, perRow, r.throttle) : perRow[9]) : 0;
    for (int c = 0; c < 2; ++c) {
        const double corrected = advance + at(c == 0 ? field::AdvanceCorrection1 : field::AdvanceCorrection2) - 100;
        m.advance[static_cast<std::size_t>(c)] =
            static_cast<std::uint8_t>(std::clamp(std::lround(corrected) + 100, 0L, 255L));
        m.maxAdvance[static_cast<std::size_t>(c)] = static_cast<std::uint16_t>(maxInUse);
    }

    for (int k = 0; k < 8; ++k)
        m.testValues[static_cast<std::size_t>(k)] = static_cast<std::uint16_t>((now / 55'000 + k * 100) % 1000);
    return m;
}

} // namespace talviro6::sim
