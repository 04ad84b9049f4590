#pragma once

// The colours the map, the servo curve and the charts paint with, std only: a test
// checks them against colour-vision deficiencies without a display, and the widgets
// convert these very values.
#include "live/dwell_map.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace talviro6::palette {

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    bool operator==(const Rgb &) const = default;
};

/// Lime: the operating cell, its speed box and throttle caption, the charts' marker.
inline constexpr Rgb OperatingPoint{0, 255, 0};
/// An edit field's background as the window's light style paints it; the cells'
/// colours are chosen to stand apart from it.
inline constexpr Rgb CellBackground{255, 255, 255};

/// Where the engine ran, by time spent (DwellMap::cellShade 1 ... ShadeLevels): from
/// near white to a dark slate, each step tinted apart from its neighbours. Eight
/// steps by lightness alone come too close to tell apart, and each kind of colour
/// blindness loses one hue axis, so the tints alternate between both axes. The
/// darkest still carries black digits (luminance 0.18, contrast 4.6).
inline constexpr std::array<Rgb, DwellMap::ShadeLevels> DwellShades{{
    {225, 255, 214},
    {216, 210, 145},
    {181, 202, 178},
    {184, 180, 191},
    {172, 146, 190},
    {143, 143, 148},
    {135, 124, 111},
    {108, 118, 139},
}};

/// The trail's newest and oldest colours: orange dulling to brown with age. A trail
/// that faded towards white or yellow would meet the pale shades and, for a
/// deuteranope, the lime operating point.
inline constexpr Rgb TrailNewest{240, 100, 0};
inline constexpr Rgb TrailOldest{190, 110, 70};

/// The outline of a selected block of cells.
inline constexpr Rgb Selection{120, 0, 170};

/// A line per throttle row, closed throttle first. Ten lines must stay apart in every
/// kind of colour vision, so they differ in lightness as much as in hue; none is
/// green, which marks the operating point.
inline constexpr std::array<Rgb, 10> ChartRows{{
    {51, 34, 136},   // indigo
    {0, 114, 178},   // blue
    {86, 180, 233},  // sky blue
    {0, 158, 115},   // bluish green
    {0, 0, 0},       // black
    {120, 80, 20},   // brown
    {230, 159, 0},   // orange
    {213, 94, 0},    // vermilion
    {136, 34, 85},   // wine
    {204, 121, 167}, // pink
}};

constexpr Rgb dwellShade(int level) ///< level 1 ... DwellMap::ShadeLevels
{
    return DwellShades[static_cast<std::size_t>(std::clamp(level, 1, DwellMap::ShadeLevels) - 1)];
}

/// age 0 (newest) ... length - 1: a trail of the map's length or the servo curve's.
constexpr Rgb dwellTrail(int age, int length = static_cast<int>(DwellMap::TrailLength))
{
    const int last = std::max(1, length - 1);
    const int step = std::clamp(age, 0, last);
    const auto mix = [&](int a, int b) { return static_cast<std::uint8_t>(a + (b - a) * step / last); };
    return {mix(TrailNewest.red, TrailOldest.red), mix(TrailNewest.green, TrailOldest.green),
            mix(TrailNewest.blue, TrailOldest.blue)};
}

} // namespace talviro6::palette
