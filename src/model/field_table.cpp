#include "model/field_table.h"

#include "model/conversions.h"
#include "model/fields.h"
#include "model/unit_image.h"

#include <algorithm>
#include <array>
#include <string>
#include <utility>
#include <vector>

namespace talviro6 {
namespace {

using namespace convert;

/// A row of the table under construction: each setter names one more fact of it.
struct Row : FieldInfo {
    Row &at(int i, int j = -1)
    {
        index1 = i;
        index2 = j;
        return *this;
    }
    Row &by(std::string name)
    {
        control = std::move(name);
        return *this;
    }
    Row &named(const FieldLabel &words)
    {
        label = words;
        return *this;
    }
    Row &writes(FileForm form)
    {
        file = form;
        return *this;
    }
    Row &bounded(int low, int high)
    {
        valid = {static_cast<std::uint8_t>(low), static_cast<std::uint8_t>(high)};
        return *this;
    }
    Row &testMode()
    {
        testOnly = true;
        return *this;
    }
};

/// The file form a conversion implies; rows whose file says otherwise name theirs.
FileForm fileFormOf(Conversion conversion)
{
    switch (conversion) {
    case Conversion::Scaled:
        return FileForm::Scaled;
    case Conversion::Offset:
        return FileForm::Offset;
    case Conversion::Tps100:
        return FileForm::Tps100;
    case Conversion::Cells:
        return FileForm::Bits;
    default:
        return FileForm::Raw;
    }
}

Row of(Conversion conversion, std::string_view name, int offset, int minimum, int maximum, std::string_view unit = {},
       int scale = 1, int step = 1)
{
    Row r;
    r.name = name;
    r.offset = offset;
    r.conversion = conversion;
    r.scale = scale;
    r.minimum = minimum;
    r.maximum = maximum;
    r.step = step;
    r.unit = unit;
    r.file = fileFormOf(conversion);
    return r;
}

Row plain(std::string_view name, int offset, int minimum, int maximum, std::string_view unit = {})
{
    return of(Conversion::Plain, name, offset, minimum, maximum, unit);
}

Row scaled(std::string_view name, int offset, int scale, int minimum, int maximum, int step, std::string_view unit)
{
    return of(Conversion::Scaled, name, offset, minimum, maximum, unit, scale, step);
}

FieldLabel caption(Caption c, std::string_view after = {})
{
    return {LabelForm::Caption, c, {}, {}, after, {}};
}
FieldLabel trimmedCaption(Caption c, std::string_view after)
{
    return {LabelForm::TrimmedCaption, c, {}, {}, after, {}};
}
FieldLabel captionTail(Caption c)
{
    return {LabelForm::CaptionTail, c, {}, {}, {}, {}};
}
FieldLabel keptWord(TextRole role, std::string_view after)
{
    return {LabelForm::KeptWord, {}, role, {}, after, {}};
}
FieldLabel literal(std::string_view text)
{
    return {LabelForm::Literal, {}, {}, {}, text, {}};
}
FieldLabel family(ExtraText name, LabelPlace first, LabelPlace second = LabelPlace::None)
{
    return {LabelForm::Family, {}, {}, name, {}, {first, second}};
}

std::string numbered(std::string_view stem, int number)
{
    return std::string(stem) + std::to_string(number);
}
std::string indexedName(std::string_view stem, int i, int j = -1)
{
    std::string s = std::string(stem) + '[' + std::to_string(i) + ']';
    if (j >= 0)
        s += '[' + std::to_string(j) + ']';
    return s;
}

// The controls' ranges (shown units).
constexpr int RpmMax = 25000;              ///< limiters, rpm
constexpr int LimiterMin = 999;            ///< rpm; 999 keeps the lowest stored value 9 reachable
constexpr int CurveRpmMax = 20100;         ///< advance and servo speeds, every point, rpm
constexpr int CurveRpmMin = 300;           ///< rpm
constexpr int FirstAdvanceRpmMin = 199;    ///< rpm, column 0 of the map
constexpr int FirstServoRpmMin = 200;      ///< rpm, servo points 0 and 1
constexpr int PowerOutRpmControlMin = 300; ///< rpm
constexpr int Tps0ControlMax = 2500;       ///< mV
constexpr int Tps100ControlMax = 4750;     ///< mV, the highest the control for 100 % throttle offers
constexpr int MaxLobes = 58;

// What validation keeps the stored bytes within; the unit is sent nothing beyond.
/// Curve point i (advance column or servo point) lies between 300 + 100 i and
/// 19100 + 100 i rpm, so ten strictly increasing points always fit below 20100 rpm.
constexpr int CurveSpeedLowest = 3;    ///< stored, point 0: 300 rpm
constexpr int CurveSpeedHighest = 191; ///< stored, point 0: 19100 rpm
/// Stored, for both throttle voltages: 2500 mV at 0 %, 5000 mV at 100 % throttle.
constexpr int TpsVoltageMax = 250;
constexpr int PowerOutRpmMin = 3; ///< stored, 300 rpm

// The order is that of the window's read back: the singles, the channels, the
// curves point by point, the map row by row, then output by output.
std::vector<FieldInfo> buildTable()
{
    using C = Conversion;
    std::vector<FieldInfo> t{
        of(C::BikeItem, "BikeType", field::BikeType, 0, 5).by("ComboBoxBike").named(caption(Caption::LabelBike)),
        of(C::Choice, "SyncMethod", field::SyncMethod, 0, 6)
            .by("ComboBoxSynchro")
            .named(caption(Caption::LabelSynchro)),
        plain("LobeCount", field::LobeCount, 1, MaxLobes).by("EditPocPalcu").named(caption(Caption::LabelPocPalcu)),
        plain("ChannelCount", field::ChannelCount, 1, field::ChannelCountMax)
            .by("EditPocKanalu")
            .named(caption(Caption::LabelPocKanalu))
            .bounded(0, field::ChannelCountMax),
        of(C::Ignitions, "IgnitionsPerRev", field::IgnitionsPerRev, 0, 3)
            .by("ComboBoxNasobekPalcu")
            .named(captionTail(Caption::ComboBoxNasobekPalcuItem0)),
        of(C::Choice, "Input1Function", field::Input1Function, 0, 4)
            .by("RadioGroupInput1")
            .named(keptWord(TextRole::TextInput, " 1")),
        // Written signed: the file has always held this one value in that format.
        of(C::Choice, "Input2Function", field::Input2Function, 0, 4)
            .by("RadioGroupInput2")
            .named(keptWord(TextRole::TextInput, " 2"))
            .writes(FileForm::SignedRaw),
        of(C::Flag, "PickupInvert1", field::PickupInvert1, 0, 1)
            .by("CheckBoxInvInput1")
            .named(caption(Caption::InversePolarityWord, " 1")),
        of(C::Flag, "PickupInvert2", field::PickupInvert2, 0, 1)
            .by("CheckBoxInvInput2")
            .named(caption(Caption::InversePolarityWord, " 2")),
        plain("BaseAdvance", field::BaseAdvance, 0, 40, "°").by("EditBaseAdv").named(caption(Caption::LabelBaseAdv)),
        plain("StartRevolutions", field::StartRevolutions, 0, 40)
            .by("EditPocSynchro")
            .named(caption(Caption::LabelPocSynchro)),
        plain("TachoPulses", field::TachoPulses, 0, 6).by("EditRpmPulsu").named(caption(Caption::LabelRpmPulsu)),
        of(C::Offset, "TachoCorrection", field::TachoCorrection, -60, 60, "%")
            .by("EditRpmKorekce")
            .named(caption(Caption::LabelRpmKorekce)),
        // The limiter line of the file holds the stored bytes, not rpm.
        scaled("StartLimiter", field::StartLimiter, RpmScale, LimiterMin, RpmMax, 100, "rpm")
            .by("EditOmez1")
            .named(caption(Caption::LabelOmez1))
            .writes(FileForm::Raw),
        scaled("Limiter", field::Limiter, RpmScale, LimiterMin, RpmMax, 100, "rpm")
            .by("EditOmez2")
            .named(caption(Caption::LabelOmez2))
            .writes(FileForm::Raw),
        of(C::Flag, "ServoEnable", field::ServoEnable, 0, 1)
            .by("CheckBoxPrivEnable")
            .named(caption(Caption::CheckBoxPrivEnable))
            .writes(FileForm::OnOff),
        scaled("ServoHysteresis", field::ServoHysteresis, HysteresisScale, 0, 1275, 5, "mV")
            .by("EditPrivHyster")
            .named(caption(Caption::LabelServoHyster)),
        of(C::Offset, "AdvanceCorrection1", field::AdvanceCorrection1, -20, 20, "°")
            .by("EditKorekceAdv1")
            .named(caption(Caption::LabelKorekceAdv, ": 1")),
        of(C::Offset, "AdvanceCorrection2", field::AdvanceCorrection2, -20, 20, "°")
            .by("EditKorekceAdv2")
            .named(caption(Caption::LabelKorekceAdv, ": 2")),
        scaled("Tps0Voltage", field::Tps0Voltage, TpsVoltageScale, 250, Tps0ControlMax, 10, "mV")
            .by("EditTps0")
            .named(literal("TPS 0% [mV]"))
            .bounded(0, TpsVoltageMax),
        of(C::Tps100, "Tps100Voltage", field::Tps100Voltage, 2500, Tps100ControlMax, "mV", 1, 10)
            .by("EditTps100")
            .named(literal("TPS 100% [mV]"))
            .bounded(0, TpsVoltageMax),
        of(C::Flag, "TpsMapEnable", field::TpsMapEnable, 0, 1)
            .by("CheckBoxTpsMapa")
            .named(literal("TPS"))
            .writes(FileForm::OnOff),
        plain("Compensation1", field::Compensation1, 0, 255)
            .by("EditKompenz1")
            .named(trimmedCaption(Caption::LabelKompenz, " 1"))
            .testMode(),
        plain("Compensation2", field::Compensation2, 0, 255)
            .by("EditKompenz2")
            .named(trimmedCaption(Caption::LabelKompenz, " 2"))
            .testMode(),
        plain("Retard", field::Retard, 0, 25, "°").by("EditRetard").named(caption(Caption::LabelRetard)),
        scaled("ClutchTime", field::ClutchTime, ClutchScale, 0, 2500, 10, "ms")
            .by("EditClutchTime")
            .named(caption(Caption::LabelClutchTime)),
        scaled("ClutchPause", field::ClutchPause, ClutchScale, 0, 2500, 10, "ms")
            .by("EditClutchPause")
            .named(caption(Caption::LabelClutchPause)),
    };
    for (int c = 0; c < field::ChannelCountMax; ++c) {
        const std::string zac = numbered("Palec", c + 1) + "Zac";
        const std::string end = numbered("Palec", c + 1) + "End";
        const auto channel = [](ExtraText name) { return family(name, LabelPlace::Channel); };
        t.push_back(plain("MaxAdvLobe", field::MaxAdvLobe(c), 1, MaxLobes)
                        .at(c)
                        .by("Edit" + zac)
                        .named(channel(ExtraText::FieldMaxAdvLobe)));
        t.push_back(plain("StartAdvLobe", field::StartAdvLobe(c), 1, MaxLobes)
                        .at(c)
                        .by("Edit" + end)
                        .named(channel(ExtraText::FieldStartAdvLobe)));
        t.push_back(of(C::Flag, "MaxAdvEdge2", field::MaxAdvEdge2(c), 0, 1)
                        .at(c)
                        .by("CheckBox" + zac + "H2")
                        .named(channel(ExtraText::FieldMaxAdvEdge2)));
        t.push_back(of(C::Flag, "StartAdvEdge2", field::StartAdvEdge2(c), 0, 1)
                        .at(c)
                        .by("CheckBox" + end + "H2")
                        .named(channel(ExtraText::FieldStartAdvEdge2)));
        t.push_back(of(C::Flag, "MaxAdvPickup2", field::MaxAdvPickup2(c), 0, 1)
                        .at(c)
                        .by("CheckBox" + zac + "P2")
                        .named(channel(ExtraText::FieldMaxAdvPickup2)));
        t.push_back(of(C::Flag, "StartAdvPickup2", field::StartAdvPickup2(c), 0, 1)
                        .at(c)
                        .by("CheckBox" + end + "P2")
                        .named(channel(ExtraText::FieldStartAdvPickup2)));
    }
    for (int i = 0; i < field::CurvePoints; ++i) {
        const int advanceMin = i == 0 ? FirstAdvanceRpmMin : CurveRpmMin;
        const int servoMin = i < 2 ? FirstServoRpmMin : CurveRpmMin;
        t.push_back(scaled("AdvanceRpm", field::AdvanceRpm(i), RpmScale, advanceMin, CurveRpmMax, 100, "rpm")
                        .at(i)
                        .by(numbered("EditRpmAdv", i + 1))
                        .named(family(ExtraText::FieldAdvanceRpm, LabelPlace::Column))
                        .bounded(CurveSpeedLowest + i, CurveSpeedHighest + i));
        t.push_back(scaled("ServoRpm", field::ServoRpm(i), RpmScale, servoMin, CurveRpmMax, 100, "rpm")
                        .at(i)
                        .by(numbered("EditRpmPriv", i + 1))
                        .named(family(ExtraText::FieldServoRpm, LabelPlace::Point))
                        .bounded(CurveSpeedLowest + i, CurveSpeedHighest + i));
        t.push_back(scaled("ServoVoltage", field::ServoVoltage(i), ServoVoltageScale, 20, 5000, 20, "mV")
                        .at(i)
                        .by(numbered("EditNapPriv", i + 1))
                        .named(family(ExtraText::FieldServoVoltage, LabelPlace::Point)));
    }
    // The map's controls are numbered as the unit's manual numbers its cells.
    constexpr int FirstCellNumber = 50;
    for (int r = 0; r < field::MapRows; ++r)
        for (int c = 0; c < field::MapColumns; ++c)
            t.push_back(plain("AdvanceMap", field::AdvanceMap(r, c), 0, 60, "°")
                            .at(r, c)
                            .by(numbered("Edit", FirstCellNumber + field::MapColumns * r + c))
                            .named(family(ExtraText::FieldAdvanceMap, LabelPlace::Throttle, LabelPlace::Column)));
    for (int o = 0; o < field::PowerOutputs; ++o) {
        t.push_back(of(C::Choice, "PowerOutMode", field::PowerOutMode(o), 0, 4)
                        .at(o)
                        .by(indexedName("RadioGroupPOut", o))
                        .named(family(ExtraText::FieldPowerOutMode, LabelPlace::Output)));
        for (int k = 0; k < field::PowerOutRpmThresholds; ++k)
            t.push_back(scaled("PowerOutRpm", field::PowerOutRpm(o, k), RpmScale, PowerOutRpmControlMin,
                               RpmMax + 100 * k, 100, "rpm")
                            .at(o, k)
                            .by(indexedName("EditPOutRpm", o, k))
                            .named(family(ExtraText::FieldPowerOutRpm, LabelPlace::Output, LabelPlace::Threshold))
                            .bounded(PowerOutRpmMin, 255));
        for (int k = 0; k < field::PowerOutTpsThresholds; ++k)
            t.push_back(plain("PowerOutTps", field::PowerOutTps(o, k), 0, 101 + k, "%")
                            .at(o, k)
                            .by(indexedName("EditPOutTps", o, k))
                            .named(family(ExtraText::FieldPowerOutTps, LabelPlace::Output, LabelPlace::Threshold)));
        for (int r = 0; r < field::PowerOutRows; ++r)
            t.push_back(of(C::Cells, "PowerOutCells", field::PowerOutCells(o, r), 0, 15)
                            .at(o, r)
                            .by(indexedName("CheckBoxPOut", o, r))
                            .named(family(ExtraText::FieldPowerOutCells, LabelPlace::Output, LabelPlace::Row)));
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
