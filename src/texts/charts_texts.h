#pragma once

#include <string_view>

namespace talviro6 {

/// Texts of the advance and servo charts window, and of the box when it cannot be
/// shown. Four languages each, UTF-8.
enum class ChartsText {
    Caption,
    AdvanceTitle,
    ServoTitle,
    AxisEngineSpeed,
    AxisAdvance,
    AxisServoVoltage,
    ThrottleRow, ///< "%1" is the row's throttle in percent
    ServoCurve,
    OperatingPoint,
    NotShown, ///< followed by the reason on lines of its own
};

inline constexpr int ChartsTextCount = static_cast<int>(ChartsText::NotShown) + 1;

/// The text in a language (0 English, 1 German, 2 French, 3 Czech; any other gives English).
std::string_view chartsText(ChartsText text, int languageIndex);

} // namespace talviro6
