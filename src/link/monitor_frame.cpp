#include "link/monitor_frame.h"

namespace talviro6 {
namespace {

namespace at {
constexpr int EngineSpeed = 1;
constexpr int TpsCounts = 3;
constexpr int Supply = 5;
constexpr int ServoMeasured = 7;
constexpr int ServoDesired = 9;
constexpr int ProgramCount = 11;
constexpr int TestValues = 13;
constexpr int KillSwitch = 37;
constexpr int Retard = 38;
constexpr int StartLimiter = 39;
constexpr int Clutch = 40;
constexpr int TpsPercent = 41;
constexpr int PowerOut2 = 42;
constexpr int PowerOut1 = 43;
constexpr int CounterA = 44;
constexpr int CounterB = 46;
constexpr int Pickup1 = 48;
constexpr int Pickup2 = 49;
constexpr int Advance = 50;
constexpr int MaxAdvance = 54;
constexpr int SpeedRed = 62;
constexpr int MotorOff = 63;
constexpr int SpeedYellow = 64;
constexpr int ServoOk = 65;
constexpr int Input1 = 66;
constexpr int Input2 = 67;
constexpr int PowerOut3 = 68;
constexpr int SavingCountdown = 95;
constexpr int DataError = 99;
constexpr int ProtocolVersion = 100;
} // namespace at

constexpr std::size_t ix(int i)
{
    return static_cast<std::size_t>(i);
}

} // namespace

std::optional<MonitorFrame> decodeMonitorFrame(FrameView f)
{
    if (f[0] != code::MonitorFrame || !hasMatchingCheckByte(f))
        return std::nullopt;
    MonitorFrame m;
    m.engineSpeed = le16(f, at::EngineSpeed);
    m.tpsCounts = le16(f, at::TpsCounts);
    m.supplyMillivolts = le16(f, at::Supply);
    m.servoMeasured = le16(f, at::ServoMeasured);
    m.servoDesired = le16(f, at::ServoDesired);
    m.programCount = le16(f, at::ProgramCount);
    for (int k = 0; k < 8; ++k)
        m.testValues[ix(k)] = le16(f, at::TestValues + 2 * k);
    m.killSwitch = f[at::KillSwitch] != 0;
    m.retard = f[at::Retard] != 0;
    m.startLimiter = f[at::StartLimiter] != 0;
    m.clutch = f[at::Clutch] != 0;
    m.tpsPercent = f[at::TpsPercent];
    m.powerOut2 = f[at::PowerOut2] != 0;
    m.powerOut1 = f[at::PowerOut1] != 0;
    m.powerOut3 = f[at::PowerOut3] != 0;
    for (int c = 0; c < 2; ++c) {
        m.pickupCounterA[ix(c)] = f[ix(at::CounterA + c)];
        m.pickupCounterB[ix(c)] = f[ix(at::CounterB + c)];
        m.advance[ix(c)] = f[ix(at::Advance + c)];
        m.maxAdvance[ix(c)] = le16(f, at::MaxAdvance + 2 * c);
    }
    m.pickup1 = f[at::Pickup1] != 0;
    m.pickup2 = f[at::Pickup2] != 0;
    m.speedRed = f[at::SpeedRed] != 0;
    m.motorOff = f[at::MotorOff] != 0;
    m.speedYellow = f[at::SpeedYellow] != 0;
    m.servoOk = f[at::ServoOk] != 0;
    m.input1Grounded = f[at::Input1] != 0;
    m.input2Grounded = f[at::Input2] != 0;
    m.savingCountdown = le16(f, at::SavingCountdown);
    m.dataError = f[at::DataError] != 0;
    m.protocolVersion = f[at::ProtocolVersion];
    return m;
}

Frame encodeMonitorFrame(const MonitorFrame &m)
{
    Frame f{};
    f[0] = code::MonitorFrame;
    putLe16(f, at::EngineSpeed, m.engineSpeed);
    putLe16(f, at::TpsCounts, m.tpsCounts);
    putLe16(f, at::Supply, m.supplyMillivolts);
    putLe16(f, at::ServoMeasured, m.servoMeasured);
    putLe16(f, at::ServoDesired, m.servoDesired);
    putLe16(f, at::ProgramCount, m.programCount);
    for (int k = 0; k < 8; ++k)
        putLe16(f, at::TestValues + 2 * k, m.testValues[ix(k)]);
    f[at::KillSwitch] = m.killSwitch;
    f[at::Retard] = m.retard;
    f[at::StartLimiter] = m.startLimiter;
    f[at::Clutch] = m.clutch;
    f[at::TpsPercent] = m.tpsPercent;
    f[at::PowerOut2] = m.powerOut2;
    f[at::PowerOut1] = m.powerOut1;
    f[at::PowerOut3] = m.powerOut3;
    for (int c = 0; c < 2; ++c) {
        f[ix(at::CounterA + c)] = m.pickupCounterA[ix(c)];
        f[ix(at::CounterB + c)] = m.pickupCounterB[ix(c)];
        f[ix(at::Advance + c)] = m.advance[ix(c)];
        putLe16(f, at::MaxAdvance + 2 * c, m.maxAdvance[ix(c)]);
    }
    f[at::Pickup1] = m.pickup1;
    f[at::Pickup2] = m.pickup2;
    f[at::SpeedRed] = m.speedRed;
    f[at::MotorOff] = m.motorOff;
    f[at::SpeedYellow] = m.speedYellow;
    f[at::ServoOk] = m.servoOk;
    f[at::Input1] = m.input1Grounded;
    f[at::Input2] = m.input2Grounded;
    putLe16(f, at::SavingCountdown, m.savingCountdown);
    f[at::DataError] = m.dataError;
    f[at::ProtocolVersion] = m.protocolVersion;
    seal(f);
    return f;
}

} // namespace talviro6
