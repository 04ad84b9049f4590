#include "model/field_table.h"

#include "model/conversions.h"
#include "model/fields.h"
#include "model/unit_image.h"

#include <algorithm>
#include <array>
#include <vector>

namespace talviro6 {
namespace {

using namespace convert;

constexpr FieldInfo plain(std::string_view name, int offset, int minimum, int maximum, std::string_view unit = {})
{
    return FieldInfo{name, -1, -1, offset, Conversion::Plain, 1, minimum, maximum, 1, unit};
}

constexpr FieldInfo scaled(std::string_view name, int offset, int scale, int minimum, int maximum, int step,
                           std::string_view unit)
{
    return FieldInfo{name, -1, -1, offset, Conversion::Scaled, scale, minimum, maximum, step, unit};
}

constexpr FieldInfo of(Conversion conversion, std::string_view name, int offset, int minimum, int maximum,
                       std::string_view unit = {})
{
    return FieldInfo{name, -1, -1, offset, conversion, 1, minimum, maximum, 1, unit};
}

constexpr FieldInfo indexed(FieldInfo f, int index1, int index2 = -1)
{
    f.index1 = index1;
    f.index2 = index2;
    return f;
}

constexpr int RpmMax = 25000;           ///< limiters, rpm
constexpr int LimiterMin = 999;         ///< rpm; 999 keeps the lowest stored value 9 reachable
constexpr int CurveRpmMax = 20100;      ///< advance and servo speeds, rpm
constexpr int CurveRpmMin = 300;        ///< rpm
constexpr int FirstAdvanceRpmMin = 199; ///< rpm, column 0 of the map
constexpr int FirstServoRpmMin = 200;   ///< rpm, servo points 0 and 1
constexpr int MaxLobes = 58;

// The order is that of the window's read back: the singles, the channels, the
// curves point by point, the map row by row, then output by output.
std::vector<FieldInfo> buildTable()
{
    std::vector<FieldInfo> t{
        of(Conversion::BikeItem, "BikeType", field::BikeType, 0, 5),
        of(Conversion::Choice, "SyncMethod", field::SyncMethod, 0, 6),
        plain("LobeCount", field::LobeCount, 1, MaxLobes),
        plain("ChannelCount", field::ChannelCount, 1, field::ChannelCountMax),
        of(Conversion::Ignitions, "IgnitionsPerRev", field::IgnitionsPerRev, 0, 3),
        of(Conversion::Choice, "Input1Function", field::Input1Function, 0, 4),
        of(Conversion::Choice, "Input2Function", field::Input2Function, 0, 4),
        of(Conversion::Flag, "PickupInvert1", field::PickupInvert1, 0, 1),
        of(Conversion::Flag, "PickupInvert2", field::PickupInvert2, 0, 1),
        plain("BaseAdvance", field::BaseAdvance, 0, 40, "°"),
        plain("StartRevolutions", field::StartRevolutions, 0, 40),
        plain("TachoPulses", field::TachoPulses, 0, 6),
        of(Conversion::Offset, "TachoCorrection", field::TachoCorrection, -60, 60, "%"),
        scaled("StartLimiter", field::StartLimiter, RpmScale, LimiterMin, RpmMax, 100, "rpm"),
        scaled("Limiter", field::Limiter, RpmScale, LimiterMin, RpmMax, 100, "rpm"),
        of(Conversion::Flag, "ServoEnable", field::ServoEnable, 0, 1),
        scaled("ServoHysteresis", field::ServoHysteresis, HysteresisScale, 0, 1275, 5, "mV"),
        of(Conversion::Offset, "AdvanceCorrection1", field::AdvanceCorrection1, -20, 20, "°"),
        of(Conversion::Offset, "AdvanceCorrection2", field::AdvanceCorrection2, -20, 20, "°"),
        scaled("Tps0Voltage", field::Tps0Voltage, TpsVoltageScale, 250, 2500, 10, "mV"),
        FieldInfo{"Tps100Voltage", -1, -1, field::Tps100Voltage, Conversion::Tps100, 1, 2500, 4750, 10, "mV"},
        of(Conversion::Flag, "TpsMapEnable", field::TpsMapEnable, 0, 1),
        FieldInfo{"Compensation1", -1, -1, field::Compensation1, Conversion::Plain, 1, 0, 255, 1, {}, true},
        FieldInfo{"Compensation2", -1, -1, field::Compensation2, Conversion::Plain, 1, 0, 255, 1, {}, true},
        plain("Retard", field::Retard, 0, 25, "°"),
        scaled("ClutchTime", field::ClutchTime, ClutchScale, 0, 2500, 10, "ms"),
        scaled("ClutchPause", field::ClutchPause, ClutchScale, 0, 2500, 10, "ms"),
    };
    for (int c = 0; c < field::ChannelCountMax; ++c) {
        t.push_back(indexed(plain("MaxAdvLobe", field::MaxAdvLobe(c), 1, MaxLobes), c));
        t.push_back(indexed(plain("StartAdvLobe", field::StartAdvLobe(c), 1, MaxLobes), c));
        t.push_back(indexed(of(Conversion::Flag, "MaxAdvEdge2", field::MaxAdvEdge2(c), 0, 1), c));
        t.push_back(indexed(of(Conversion::Flag, "StartAdvEdge2", field::StartAdvEdge2(c), 0, 1), c));
        t.push_back(indexed(of(Conversion::Flag, "MaxAdvPickup2", field::MaxAdvPickup2(c), 0, 1), c));
        t.push_back(indexed(of(Conversion::Flag, "StartAdvPickup2", field::StartAdvPickup2(c), 0, 1), c));
    }
    for (int i = 0; i < field::CurvePoints; ++i) {
        const int advanceMin = i == 0 ? FirstAdvanceRpmMin : CurveRpmMin;
        const int servoMin = i < 2 ? FirstServoRpmMin : CurveRpmMin;
        t.push_back(
            indexed(scaled("AdvanceRpm", field::AdvanceRpm(i), RpmScale, advanceMin, CurveRpmMax, 100, "rpm"), i));
        t.push_back(indexed(scaled("ServoRpm", field::ServoRpm(i), RpmScale, servoMin, CurveRpmMax, 100, "rpm"), i));
        t.push_back(indexed(scaled("ServoVoltage", field::ServoVoltage(i), ServoVoltageScale, 20, 5000, 20, "mV"), i));
    }
    for (int r = 0; r < field::MapRows; ++r)
        for (int c = 0; c < field::MapColumns; ++c)
            t.push_back(indexed(plain("AdvanceMap", field::AdvanceMap(r, c), 0, 60, "°"), r, c));
    for (int o = 0; o < field::PowerOutputs; ++o) {
        t.push_back(indexed(of(Conversion::Choice, "PowerOutMode", field::PowerOutMode(o), 0, 4), o));
        for (int k = 0; k < field::PowerOutRpmThresholds; ++k)
            t.push_back(indexed(
                scaled("PowerOutRpm", field::PowerOutRpm(o, k), RpmScale, 300, RpmMax + 100 * k, 100, "rpm"), o, k));
        for (int k = 0; k < field::PowerOutTpsThresholds; ++k)
            t.push_back(indexed(plain("PowerOutTps", field::PowerOutTps(o, k), 0, 101 + k, "%"), o, k));
        for (int r = 0; r < field::PowerOutRows; ++r)
            t.push_back(indexed(of(Conversion::Cells, "PowerOutCells", field::PowerOutCells(o, r), 0, 15), o, r));
    }
    return t;
}

const std::vector<FieldInfo> &table()
{
    static const std::vector<FieldInfo> t = buildTable();
    return t;
}

const std::array<const FieldInfo *, ParameterSize> &byOffset()
{
    static const auto index = [] {
        std::array<const FieldInfo *, ParameterSize> a{};
        for (const FieldInfo &f : table())
            a[static_cast<std::size_t>(f.offset)] = &f;
        return a;
    }();
    return index;
}

} // namespace

std::span<const FieldInfo> editableFields()
{
    return table();
}

const FieldInfo *fieldAt(int offset)
{
    if (offset < 0 || offset >= ParameterSize)
        return nullptr;
    return byOffset()[static_cast<std::size_t>(offset)];
}

std::string fieldName(const FieldInfo &f)
{
    std::string name(f.name);
    for (const int index : {f.index1, f.index2})
        if (index >= 0)
            name += '[' + std::to_string(index) + ']';
    return name;
}

int toShown(const FieldInfo &f, std::uint8_t stored)
{
    switch (f.conversion) {
    case Conversion::Scaled:
        return scaledToShown(stored, f.scale);
    case Conversion::Offset:
        return offsetToShown(stored);
    case Conversion::Tps100:
        return tps100ToShown(stored);
    case Conversion::Ignitions:
        return ignitionsStoredToItem(stored);
    case Conversion::BikeItem:
        return bikeStoredToItem(stored).value_or(-1);
    case Conversion::Flag:
        return stored != 0 ? 1 : 0;
    case Conversion::Plain:
    case Conversion::Choice:
    case Conversion::Cells:
        return stored;
    }
    return stored;
}

std::optional<std::uint8_t> toStored(const FieldInfo &f, int shown)
{
    switch (f.conversion) {
    case Conversion::Scaled:
        return scaledToStored(shown, f.scale);
    case Conversion::Offset:
        return offsetToStored(shown);
    case Conversion::Tps100:
        return tps100ToStored(shown);
    case Conversion::Ignitions:
        if (shown < 0)
            return std::nullopt;
        return ignitionsItemToStored(shown);
    case Conversion::BikeItem:
        return bikeItemToStored(shown);
    case Conversion::Choice:
        if (shown < 0)
            return std::nullopt;
        return static_cast<std::uint8_t>(shown);
    case Conversion::Flag:
        return shown != 0 ? 1 : 0;
    case Conversion::Plain:
    case Conversion::Cells:
        return static_cast<std::uint8_t>(shown);
    }
    return std::nullopt;
}

int clampShown(const FieldInfo &f, int shown)
{
    return std::clamp(shown, f.minimum, f.maximum);
}

} // namespace talviro6
