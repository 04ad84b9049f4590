#pragma once

#include <cstdint>

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

} // namespace talviro6
