#pragma once

#include "model/risk_rules.h"

#include <string>
#include <string_view>

namespace talviro6 {

/// Texts of the warnings on risky values. Four languages each, UTF-8; %1, %2, ...
/// stand for what riskWarningText fills in.
enum class WarningText {
    AdvanceMap,    ///< the map, before a cell's place
    RpmUnit,       ///< after a column's speed
    SpikeAboveRow, ///< %1 place, %2 value, %3 the limit, %4 %5 the neighbours
    SpikeBelowRow,
    SpikeAboveColumn,
    SpikeBelowColumn,
    BigChange,      ///< %1 place, %2 value, %3 the unit's value, %4 the limit
    HighAdvance,    ///< %1 place, %2 value, %3 the limit
    TriggerChange,  ///< %1 field, %2 the unit's value, %3 the editor's
    ThrottleSensor, ///< %1 the 0 % field, %2 its voltage, %3 the 100 % field, %4 its voltage
    On,
    Off,
    MoreWarnings, ///< after the first warning: %1 how many more
};

inline constexpr int WarningTextCount = static_cast<int>(WarningText::MoreWarnings) + 1;

/// The text in a language (0 English, 1 German, 2 French, 3 Czech; any other gives English).
std::string_view warningText(WarningText text, int languageIndex);

/// `pattern` with %1 ... %9 replaced by `values` in order.
std::string fillIn(std::string_view pattern, std::initializer_list<std::string> values);

/// A warning as one line in a language: where (the map cell by its speed and
/// throttle, or the field by its window name) and the values.
/// "Advance map, 4000 rpm, 30%: 38° is more than 8° above both neighbours in its row (22°, 23°)"
std::string riskWarningText(const RiskWarning &warning, int languageIndex);

} // namespace talviro6
