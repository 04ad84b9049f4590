#pragma once

#include <string_view>

namespace talviro6 {

/// Texts of the block edits on the advance map: the cells' context menu, the
/// questions for a number and the messages of a paste. Four languages, UTF-8.
enum class MapBlockText {
    MenuSet,
    MenuAdd,
    MenuScale,
    MenuInterpolateRows,
    MenuInterpolateColumns,
    MenuBilinear,
    MenuSmooth,
    MenuCopy,
    MenuPaste,
    AskSet,   ///< degrees
    AskAdd,   ///< degrees, negative subtracts
    AskScale, ///< percent
    PasteNoNumbers,
    PasteNotANumber, ///< %1 line, %2 column, %3 the cell as pasted
};

inline constexpr int MapBlockTextCount = static_cast<int>(MapBlockText::PasteNotANumber) + 1;

/// The text in a language (0 English, 1 German, 2 French, 3 Czech; any other gives English).
std::string_view mapBlockText(MapBlockText text, int languageIndex);

} // namespace talviro6
