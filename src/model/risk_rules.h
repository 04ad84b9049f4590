#pragma once

#include "model/field_table.h"
#include "model/unit_image.h"

#include <array>
#include <optional>
#include <vector>

// Values a tuner may have set by mistake or may regret once the engine runs. A
// warning only informs: it never blocks an edit, a save or a programming. The
// rules speak the window's units (degrees, rpm, mV), taken through the field table,
// so that what a warning quotes is what the tuner sees in the control.

namespace talviro6 {

enum class RiskRule : std::uint8_t {
    Spike,          ///< a map cell far above or below both neighbours of its row or column
    BigChange,      ///< a map cell or the base advance far from the unit's known value
    HighAdvance,    ///< more advance than any sane set asks for
    TriggerChange,  ///< the pick-up and synchronisation set-up differs from the unit's
    ThrottleSensor, ///< the throttle map is on but the sensor's voltages cannot give a throttle
};

struct RiskWarning {
    RiskRule rule = RiskRule::Spike;
    /// The field the warning is about: a map cell, the base advance, a trigger
    /// field, or for ThrottleSensor the 0 % voltage.
    const FieldInfo *field = nullptr;
    int shown = 0; ///< the editor's value, as the control shows it
    /// BigChange, TriggerChange: the unit's value. ThrottleSensor: the 100 % voltage.
    int other = 0;
    /// Map cells: where the window shows them, the column's speed and the row's throttle.
    int rpm = 0;
    int throttle = 0; ///< percent
    // Spike: the two neighbours, in the row (lower speed first) or the column
    // (lower throttle first), and whether the cell stands above them.
    std::array<int, 2> neighbours{};
    bool inColumn = false;
    bool above = true;

    bool operator==(const RiskWarning &) const = default;
};

/// A cell more than this above or below both its neighbours is a spike.
inline constexpr int SpikeDegrees = 8;
/// More than this from the unit's value is a big change for one programming.
inline constexpr int BigChangeDegrees = 10;
/// Advance above this is a warning; the defaults reach 47°.
inline constexpr int HighAdvanceDegrees = 50;

/// The warnings the editor's set raises, in the order of the rules above and within
/// a rule in the field table's order. The rules that compare with the unit stay
/// silent without one. Only the map rows in use are looked at: with the throttle map
/// off that is the last row, the advance curve; the others reach no engine.
std::vector<RiskWarning> riskWarnings(const ParameterArea &editor, const std::optional<ParameterArea> &unit);

} // namespace talviro6
