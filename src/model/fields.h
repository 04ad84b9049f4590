#pragma once

#include <array>
#include <cstdint>

// Offsets of the unit's parameter memory. Every access to a field goes through
// these names so that the byte layout lives in exactly one place.

namespace talviro6::field {

inline constexpr int BikeType = 0;
inline constexpr int SyncMethod = 2;
inline constexpr int LobeCount = 3;
inline constexpr int ChannelCount = 4;
inline constexpr int IgnitionsPerRev = 5;
inline constexpr int PickupInvert1 = 6;
inline constexpr int PickupInvert2 = 8;
inline constexpr int BaseAdvance = 9;       ///< degrees
inline constexpr int StartRevolutions = 10; ///< revolutions without ignition
inline constexpr int TachoPulses = 11;
inline constexpr int TachoCorrection = 12; ///< percent + 100
inline constexpr int Limiter = 13;         ///< rpm / 100
inline constexpr int Input1Function = 14;
inline constexpr int Input2Function = 15;
inline constexpr int ServoEnable = 16;
inline constexpr int ServoHysteresis = 17;    ///< mV / 5
inline constexpr int AdvanceCorrection1 = 18; ///< degrees + 100
inline constexpr int AdvanceCorrection2 = 19; ///< degrees + 100
inline constexpr int Tps0Voltage = 20;        ///< mV / 10
inline constexpr int Tps100Voltage = 21;      ///< (mV - 2500) / 10
inline constexpr int TpsMapEnable = 22;
inline constexpr int Compensation1 = 23;
inline constexpr int Compensation2 = 24;
inline constexpr int StartLimiter = 25; ///< rpm / 100
inline constexpr int Retard = 26;       ///< degrees
inline constexpr int ClutchTime = 27;   ///< ms / 10
inline constexpr int ClutchPause = 28;  ///< ms / 10

inline constexpr int ChannelCountMax = 2;
inline constexpr int CurvePoints = 10;
inline constexpr int MapRows = 10;
inline constexpr int MapColumns = 10;
inline constexpr int PowerOutputs = 3;
inline constexpr int PowerOutRpmThresholds = 3;
inline constexpr int PowerOutTpsThresholds = 2;
inline constexpr int PowerOutRows = 3;
inline constexpr int PowerOutColumns = 4;

// Channel arrays occupy the first two bytes of a group of four; the other two
// bytes of each group belong to no field and are carried unchanged.
inline constexpr int MaxAdvLobeBase = 30;
inline constexpr int StartAdvLobeBase = 34;
inline constexpr int MaxAdvEdge2Base = 38;
inline constexpr int StartAdvEdge2Base = 42;
inline constexpr int MaxAdvPickup2Base = 46;
inline constexpr int StartAdvPickup2Base = 50;

inline constexpr int ServoRpmBase = 70;     ///< rpm / 100, ten points
inline constexpr int ServoVoltageBase = 80; ///< mV / 20, ten points
inline constexpr int AdvanceRpmBase = 90;   ///< rpm / 100, ten columns
inline constexpr int AdvanceMapBase = 100;  ///< degrees, row-major 10 x 10
inline constexpr int PowerOutModeBase = 200;
inline constexpr int PowerOutRpmBase = 203;   ///< rpm / 100, three per output
inline constexpr int PowerOutTpsBase = 212;   ///< percent, two per output
inline constexpr int PowerOutCellsBase = 218; ///< bit k = speed column k, three rows per output

/// c = 0 for channel 1, 1 for channel 2.
constexpr int MaxAdvLobe(int c)
{
    return MaxAdvLobeBase + c;
}
constexpr int StartAdvLobe(int c)
{
    return StartAdvLobeBase + c;
}
constexpr int MaxAdvEdge2(int c)
{
    return MaxAdvEdge2Base + c;
}
constexpr int StartAdvEdge2(int c)
{
    return StartAdvEdge2Base + c;
}
constexpr int MaxAdvPickup2(int c)
{
    return MaxAdvPickup2Base + c;
}
constexpr int StartAdvPickup2(int c)
{
    return StartAdvPickup2Base + c;
}

constexpr int ServoRpm(int i)
{
    return ServoRpmBase + i;
}
constexpr int ServoVoltage(int i)
{
    return ServoVoltageBase + i;
}
constexpr int AdvanceRpm(int c)
{
    return AdvanceRpmBase + c;
}
constexpr int AdvanceMap(int row, int column)
{
    return AdvanceMapBase + MapColumns * row + column;
}

constexpr int PowerOutMode(int o)
{
    return PowerOutModeBase + o;
}
constexpr int PowerOutRpm(int o, int k)
{
    return PowerOutRpmBase + PowerOutRpmThresholds * o + k;
}
constexpr int PowerOutTps(int o, int k)
{
    return PowerOutTpsBase + PowerOutTpsThresholds * o + k;
}
constexpr int PowerOutCells(int o, int row)
{
    return PowerOutCellsBase + PowerOutRows * o + row;
}

static_assert(AdvanceMap(9, 9) == 199);
static_assert(PowerOutRpm(2, 2) == 211);
static_assert(PowerOutTps(2, 1) == 217);
static_assert(PowerOutCells(2, 2) == 226);

} // namespace talviro6::field

namespace talviro6 {

/// Throttle positions of the advance map's rows 0 ... 9, in percent; not stored in the image.
inline constexpr std::array<std::uint8_t, field::MapRows> ThrottleRows{0, 2, 5, 10, 20, 30, 40, 60, 80, 100};

/// Values of BikeType and the other enumerated fields, as the unit codes them.
namespace bike {
inline constexpr int Classic = 0;
inline constexpr int Special = 1;
inline constexpr int TwoLobes = 2;
inline constexpr int ThreeLobes = 3;
inline constexpr int Camshaft = 4;
inline constexpr int HondaNsr = 5;
} // namespace bike

/// SyncMethod, the item index of the synchronisation list.
namespace sync {
inline constexpr int OneLobe = 0; ///< one lobe, one or two pick-ups
inline constexpr int ShortGap = 1;
inline constexpr int WideLobe = 2;
inline constexpr int LongGap = 3;
inline constexpr int TwoPickupsMissingLobe = 4;
inline constexpr int TwoShortGaps = 5;
inline constexpr int HondaNsr = 6;
} // namespace sync

/// The methods that read a second pick-up; elsewhere its flags mean nothing and
/// are cleared, and its controls and live read-out are hidden.
constexpr bool usesSecondPickup(int syncMethod)
{
    return syncMethod == sync::OneLobe || syncMethod == sync::TwoPickupsMissingLobe || syncMethod == sync::HondaNsr;
}

/// Input1Function and Input2Function. Function 1 is the kill switch on input 1 and
/// blocking ("motor off") on input 2.
namespace input {
inline constexpr int Off = 0;
inline constexpr int KillSwitch = 1; ///< input 1
inline constexpr int Blocking = 1;   ///< input 2
inline constexpr int ClutchMaster = 2;
inline constexpr int Retard = 3;
inline constexpr int StartLimiter = 4;
} // namespace input

namespace powerout {
inline constexpr int Off = 0;
inline constexpr int FuelPump = 1;
inline constexpr int PilotLight = 2;
inline constexpr int PowerJet = 3;
inline constexpr int Special = 4;
} // namespace powerout

} // namespace talviro6
