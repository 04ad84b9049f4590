#pragma once

#include <optional>

namespace talviro6 {

struct UnitImage;

// Edits that buttons make on the image directly, without a control in between.
// Each keeps its field inside the range its controls allow, so a held button
// stops at the limit instead of wrapping round.

enum class Step { Down, Up };

/// A cell of the advance map.
struct MapCell {
    int row = 0;
    int column = 0;
};

inline constexpr int MapCellMax = 60;        ///< degrees
inline constexpr int ServoVoltageLow = 1;    ///< stored; "-" leaves 20 mV and below alone
inline constexpr int ServoVoltageHigh = 249; ///< stored; "+" leaves 4980 mV and above alone

/// Servo "-" / "+": every point, or only the one at the operating point. 20 mV a step.
void stepServoVoltage(UnitImage &image, Step step, bool all, int servoPoint);

/// A column step button: every row of map column `column`, whether the throttle map is on or not.
void stepMapColumn(UnitImage &image, int column, Step step);

/// "Advance -" / "Advance +": the whole map, or the cell at the operating point;
/// nothing when there is none (the engine runs below the map's first speed). One
/// degree a step.
void stepAdvance(UnitImage &image, Step step, bool all, std::optional<MapCell> operatingCell);

/// "Set TPS 0 %": takes the live sensor voltage when it lies within 100 ... 2500 mV.
bool captureTps0(UnitImage &image, int millivolts);
/// "Set TPS 100 %": takes the live sensor voltage when it lies within 2500 ... 4900 mV.
bool captureTps100(UnitImage &image, int millivolts);

} // namespace talviro6
