#include "model/risk_rules.h"

#include "model/fields.h"

#include <cstdlib>

namespace talviro6 {
namespace {

int shownAt(const ParameterArea &area, int offset)
{
    return toShown(*fieldAt(offset), area[static_cast<std::size_t>(offset)]);
}

/// The rows the unit uses: all with the throttle map on, else the advance curve alone.
int firstRowInUse(const ParameterArea &area)
{
    return shownAt(area, field::TpsMapEnable) != 0 ? 0 : field::MapRows - 1;
}

RiskWarning cellWarning(RiskRule rule, const ParameterArea &area, int row, int column)
{
    RiskWarning w;
    w.rule = rule;
    w.field = fieldAt(field::AdvanceMap(row, column));
    w.shown = shownAt(area, field::AdvanceMap(row, column));
    w.rpm = shownAt(area, field::AdvanceRpm(column));
    w.throttle = ThrottleRows[static_cast<std::size_t>(row)];
    return w;
}

/// Whether `value` stands more than SpikeDegrees above, or below, both `a` and `b`.
std::optional<bool> standsOut(int value, int a, int b)
{
    if (value - a > SpikeDegrees && value - b > SpikeDegrees)
        return true;
    if (a - value > SpikeDegrees && b - value > SpikeDegrees)
        return false;
    return std::nullopt;
}

void addSpikes(const ParameterArea &area, std::vector<RiskWarning> &out)
{
    const int firstRow = firstRowInUse(area);
    const auto cell = [&](int r, int c) { return shownAt(area, field::AdvanceMap(r, c)); };
    for (int r = firstRow; r < field::MapRows; ++r)
        for (int c = 0; c < field::MapColumns; ++c) {
            const int value = cell(r, c);
            RiskWarning w = cellWarning(RiskRule::Spike, area, r, c);
            // A cell at an edge of the map has no pair of neighbours on that side.
            if (c > 0 && c + 1 < field::MapColumns) {
                if (const auto above = standsOut(value, cell(r, c - 1), cell(r, c + 1))) {
                    w.neighbours = {cell(r, c - 1), cell(r, c + 1)};
                    w.above = *above;
                    out.push_back(w);
                    continue;
                }
            }
            if (r > firstRow && r + 1 < field::MapRows) {
                if (const auto above = standsOut(value, cell(r - 1, c), cell(r + 1, c))) {
                    w.neighbours = {cell(r - 1, c), cell(r + 1, c)};
                    w.above = *above;
                    w.inColumn = true;
                    out.push_back(w);
                }
            }
        }
}

void addBigChanges(const ParameterArea &editor, const ParameterArea &unit, std::vector<RiskWarning> &out)
{
    const auto farApart = [](int a, int b) { return std::abs(a - b) > BigChangeDegrees; };
    if (const int base = shownAt(editor, field::BaseAdvance), was = shownAt(unit, field::BaseAdvance);
        farApart(base, was)) {
        RiskWarning w;
        w.rule = RiskRule::BigChange;
        w.field = fieldAt(field::BaseAdvance);
        w.shown = base;
        w.other = was;
        out.push_back(w);
    }
    for (int r = firstRowInUse(editor); r < field::MapRows; ++r)
        for (int c = 0; c < field::MapColumns; ++c) {
            RiskWarning w = cellWarning(RiskRule::BigChange, editor, r, c);
            w.other = shownAt(unit, field::AdvanceMap(r, c));
            if (farApart(w.shown, w.other))
                out.push_back(w);
        }
}

void addHighAdvance(const ParameterArea &area, std::vector<RiskWarning> &out)
{
    if (const int base = shownAt(area, field::BaseAdvance); base > HighAdvanceDegrees) {
        RiskWarning w;
        w.rule = RiskRule::HighAdvance;
        w.field = fieldAt(field::BaseAdvance);
        w.shown = base;
        out.push_back(w);
    }
    for (int r = firstRowInUse(area); r < field::MapRows; ++r)
        for (int c = 0; c < field::MapColumns; ++c)
            if (RiskWarning w = cellWarning(RiskRule::HighAdvance, area, r, c); w.shown > HighAdvanceDegrees)
                out.push_back(w);
}

/// What decides where the unit sees the crankshaft and which coil it fires: a
/// change of any of them moves every spark, whatever the map says.
bool isTriggerSetUp(int offset)
{
    switch (offset) {
    case field::SyncMethod:
    case field::LobeCount:
    case field::ChannelCount:
    case field::IgnitionsPerRev:
    case field::PickupInvert1:
    case field::PickupInvert2:
        return true;
    default:
        break;
    }
    for (int c = 0; c < field::ChannelCountMax; ++c)
        if (offset == field::MaxAdvEdge2(c) || offset == field::StartAdvEdge2(c) || offset == field::MaxAdvPickup2(c) ||
            offset == field::StartAdvPickup2(c))
            return true;
    return false;
}

void addTriggerChanges(const ParameterArea &editor, const ParameterArea &unit, std::vector<RiskWarning> &out)
{
    for (const FieldInfo &f : editableFields()) {
        if (!isTriggerSetUp(f.offset))
            continue;
        const int now = shownAt(editor, f.offset);
        const int was = shownAt(unit, f.offset);
        if (now == was)
            continue;
        RiskWarning w;
        w.rule = RiskRule::TriggerChange;
        w.field = &f;
        w.shown = now;
        w.other = was;
        out.push_back(w);
    }
}

void addThrottleSensor(const ParameterArea &area, std::vector<RiskWarning> &out)
{
    if (shownAt(area, field::TpsMapEnable) == 0)
        return;
    const int zero = shownAt(area, field::Tps0Voltage);
    const int full = shownAt(area, field::Tps100Voltage);
    if (zero < full)
        return;
    RiskWarning w;
    w.rule = RiskRule::ThrottleSensor;
    w.field = fieldAt(field::Tps0Voltage);
    w.shown = zero;
    w.other = full;
    out.push_back(w);
}

} // namespace

std::vector<RiskWarning> riskWarnings(const ParameterArea &editor, const std::optional<ParameterArea> &unit)
{
    std::vector<RiskWarning> out;
    addSpikes(editor, out);
    if (unit)
        addBigChanges(editor, *unit, out);
    addHighAdvance(editor, out);
    if (unit)
        addTriggerChanges(editor, *unit, out);
    addThrottleSensor(editor, out);
    return out;
}

} // namespace talviro6
