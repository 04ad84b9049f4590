#include "live/operating_point.h"

#include "model/fields.h"

#include <algorithm>

namespace talviro6 {
namespace {

/// The first breakpoint above s, or 10 when there is none.
int firstAbove(const UnitImage &image, int base, int s)
{
    for (int i = 0; i < 10; ++i)
        if (image[base + i] > s)
            return i;
    return 10;
}

/// The nearer of breakpoints i - 1 and i for s; exactly half-way counts as the lower one.
std::uint8_t nearest(const UnitImage &image, int base, int i, int s)
{
    if (i == 10)
        return 9;
    return static_cast<std::uint8_t>(image[base + i - 1] + image[base + i] >= 2 * s ? i - 1 : i);
}

} // namespace

OperatingPoint UpdateOperatingPoint(const UnitImage &image, std::uint16_t engineSpeed, std::uint8_t tpsPercent,
                                    bool tpsMapTicked)
{
    OperatingPoint p;
    // Saturates: a speed of 25600 rpm or more wrapping to a low column would light,
    // and let the step buttons change, a cell far from where the engine runs.
    const int s = std::min(engineSpeed / 100, 255);

    const int i = firstAbove(image, field::AdvanceRpmBase, s);
    p.BelowSpeedRange = i == 0;
    p.OperatingColumn = i == 0 ? 0 : nearest(image, field::AdvanceRpmBase, i, s);

    const int j = firstAbove(image, field::ServoRpmBase, s);
    p.OperatingServoPoint = j == 0 ? 0 : nearest(image, field::ServoRpmBase, j, s);

    if (tpsMapTicked) {
        int b = 1;
        while (b < 10 && ThrottleRows[static_cast<std::size_t>(b)] <= tpsPercent)
            ++b;
        if (b == 10)
            p.OperatingRow = 9;
        else
            p.OperatingRow = static_cast<std::uint8_t>(ThrottleRows[static_cast<std::size_t>(b - 1)] +
                                                                   ThrottleRows[static_cast<std::size_t>(b)] >=
                                                               2 * tpsPercent
                                                           ? b - 1
                                                           : b);
    } else {
        p.OperatingRow = 9;
    }
    return p;
}

} // namespace talviro6
