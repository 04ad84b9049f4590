#pragma once

#include "model/fields.h"
#include "model/unit_image.h"

#include <array>
#include <cstdint>

namespace talviro6 {

/// Where the engine runs in the advance map and on the servo curve: the nearest
/// breakpoints to the present speed and throttle.
struct OperatingPoint {
    std::uint8_t OperatingColumn = 0;     ///< speed column of the advance map
    std::uint8_t OperatingRow = 0;        ///< throttle row of the advance map
    std::uint8_t OperatingServoPoint = 0; ///< point of the servo curve
    /// Slower than the first map column: no column is lit. An engine at rest is, so the
    /// window shows no cell lit before the first tick has computed the point.
    bool BelowSpeedRange = true;

    bool operator==(const OperatingPoint &) const = default;

    /// Lime: EditRpmAdv1 ... 10 (column), LabelTps1 ... 10 (row), Edit50 ... Edit149 (cell),
    /// EditRpmPriv / EditNapPriv (servo point).
    bool columnLit(int c) const { return !BelowSpeedRange && c == OperatingColumn; }
    bool rowLit(int r) const { return r == OperatingRow; }
    bool cellLit(int r, int c) const { return rowLit(r) && columnLit(c); }
    bool servoPointLit(int i) const { return i == OperatingServoPoint; }
};

/// `tpsMapTicked` is CheckBoxTpsMapa: without the throttle map only row 9 is in use.
OperatingPoint UpdateOperatingPoint(const UnitImage &image, std::uint16_t engineSpeed, std::uint8_t tpsPercent,
                                    bool tpsMapTicked);

} // namespace talviro6
