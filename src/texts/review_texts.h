#pragma once

#include "model/field_compare.h"

#include <string>
#include <string_view>

namespace talviro6 {

/// Texts of the review before programming. Four languages each, UTF-8.
enum class ReviewText {
    Caption, ///< the window's title and the Extras item that turns the review on
    Hint,    ///< the Extras item's hint
    Intro,
    ColumnField,
    ColumnUnit,
    ColumnEditor,
    Program,
    Cancel,
    DontAskAgain,
};

inline constexpr int ReviewTextCount = static_cast<int>(ReviewText::DontAskAgain) + 1;

/// The text in a language (0 English, 1 German, 2 French, 3 Czech; any other gives English).
std::string_view reviewText(ReviewText text, int languageIndex);

/// A change under the name the window and Compare show for it: the field's label, or
/// for an output's fixed cells "Power output map, output 2".
std::string changeName(const FieldDifference &change, int languageIndex);

/// One side of a change as Compare shows it: "15000 rpm", or an output's cells by
/// what they are ("fixed pattern of Pilot light", "rows 6, 0, 0"). Side A is the unit.
std::string changeSide(const FieldDifference &change, bool unitSide, int languageIndex);

/// "Limiter [rpm]: 15000 rpm → 12000 rpm": the unit's value, then the one programmed.
std::string changeLine(const FieldDifference &change, int languageIndex);

} // namespace talviro6
