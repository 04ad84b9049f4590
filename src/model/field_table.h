#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// One record per editable field of the parameter area: where it lives, how its byte
// becomes the value the tuner sees, the range and step of the control that edits
// it, its unit and a stable name. The window's read back and refresh walk this
// table, the page builders take their ranges from it, and the undo history, the
// compare window and the file checks ask it, so a field's facts live here only.
//
// Adding a field: give it an offset in fields.h, add one row (or one loop) to the
// table in field_table.cpp in the order the window reads its controls back, and
// bind its control in the editor's binding list; everything else follows.

namespace talviro6 {

/// How a stored byte becomes the value a control shows.
enum class Conversion : std::uint8_t {
    Plain,     ///< shown = stored
    Scaled,    ///< shown = stored × scale; stored = shown ÷ scale, truncated
    Offset,    ///< shown = stored − 100 (signed quantities)
    Tps100,    ///< throttle voltage at 100 %: shown = (stored + 250) × 10 mV
    Ignitions, ///< item of the ignitions-per-revolution list
    BikeItem,  ///< item of the motorcycle list ("Special setting" is code 1)
    Flag,      ///< a check box: 0 / 1
    Choice,    ///< item index of a list or radio group
    Cells,     ///< four check boxes, bit k = speed column k
};

struct FieldInfo {
    std::string_view name; ///< "Limiter", "AdvanceMap", ... as the image's fields are named
    int index1 = -1;       ///< first array index, -1 for a single field
    int index2 = -1;       ///< second array index (map row and column, output and threshold)
    int offset = 0;
    Conversion conversion = Conversion::Plain;
    int scale = 1;         ///< for Scaled
    int minimum = 0;       ///< shown, as the control bounds it
    int maximum = 255;     ///< shown
    int step = 1;          ///< shown, one arrow click
    std::string_view unit; ///< "rpm", "mV", "ms", "°", "%" or empty
    bool testOnly = false; ///< editable in test mode only; otherwise always FixedCompensation
};

/// Every editable field, in the order the window reads its controls back.
std::span<const FieldInfo> editableFields();

/// The field at an offset; empty for a byte no field uses (it is carried unchanged).
const FieldInfo *fieldAt(int offset);

/// "Limiter", "AdvanceMap[3][4]", "PowerOutRpm[0][2]".
std::string fieldName(const FieldInfo &field);

/// The value a control shows for a stored byte. A value outside the control's range
/// is returned as it is; the control shows it at the nearer end (clampShown).
int toShown(const FieldInfo &field, std::uint8_t stored);

/// The byte for a value a control shows; empty where nothing is chosen (a list or
/// radio group without selection), so the field keeps its byte.
std::optional<std::uint8_t> toStored(const FieldInfo &field, int shown);

/// What the control shows for a value outside its range: the nearer end.
int clampShown(const FieldInfo &field, int shown);

/// The value test mode does not edit: compensations outside test mode are always this.
inline constexpr std::uint8_t FixedCompensation = 11;

} // namespace talviro6
