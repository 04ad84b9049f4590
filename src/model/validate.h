#pragma once

#include <cstdint>
#include <optional>

namespace talviro6 {

struct UnitImage;

/// The three settings values that validation keeps in range alongside the image.
struct SettingsIndexes {
    std::uint8_t languageIndex = 0; ///< 0 English, 1 German, 2 French, 3 Czech
    std::uint8_t portIndex = 0;     ///< port menu entry 0 ... 20; 20 is the automatic search
    std::uint8_t scanIndex = 0;     ///< port tried by the automatic search, 0 ... 19
};

inline constexpr std::uint8_t LanguageCount = 4;
inline constexpr std::uint8_t PortMenuEntries = 21;
inline constexpr std::uint8_t ScanIndexLimit = 20;

/// Brings the image into a consistent state without ever refusing it: values are
/// clamped, curves made strictly increasing, synchronisation fields made to agree.
/// One pass is a fixed point: validating again changes nothing.
void validate(UnitImage &image, SettingsIndexes &settings);

/// The same for the image alone, where no settings are at hand (files, command line).
void validate(UnitImage &image);

/// The cells power-output mode `mode` fixes in row `row` (bit k = speed column k),
/// or nothing where the tuner sets them: a pilot light switches on above its first
/// threshold, a power jet above its first in the lowest throttle row and above its
/// second in the others.
std::optional<std::uint8_t> fixedPowerOutCells(std::uint8_t mode, int row);

} // namespace talviro6
