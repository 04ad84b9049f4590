#pragma once

#include "model/field_table.h"
#include "model/unit_image.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace talviro6 {

/// One field of two parameter sets, with its bytes and the values a control shows
/// for them.
struct FieldDifference {
    const FieldInfo *field = nullptr; ///< for fixed cells: the output's first row
    std::uint8_t storedA = 0;
    std::uint8_t storedB = 0;
    int shownA = 0;
    int shownB = 0;
    bool differs = true;
    /// Set where the power-output mode of either side fixes the output's cells: the
    /// entry then stands for the three rows together, named by what they are rather
    /// than as rows of raw numbers.
    bool fixedCells = false;
    std::uint8_t modeA = 0; ///< the output's mode on each side, for fixed cells
    std::uint8_t modeB = 0;
    std::array<std::uint8_t, 3> cellsA{};
    std::array<std::uint8_t, 3> cellsB{};

    /// The bytes the entry stands for: its field, or the three rows of fixed cells.
    std::vector<int> offsets() const;
};

/// The editable fields where the two areas differ, in the field table's order; with
/// `all`, every field, those alike marked as not differing. Bytes no field names
/// (carried bytes) are not fields and are not listed.
std::vector<FieldDifference> compareParameters(const ParameterArea &a, const ParameterArea &b, bool all = false);

/// How many entries compareParameters lists.
int countDifferingFields(const ParameterArea &a, const ParameterArea &b);

/// A shown value with its unit, as one line of a listing: "15000 rpm", "-20 °", "3".
/// List items and flags show their item index and 0 / 1; the window names them.
std::string formatShown(const FieldInfo &field, int shown);

/// The mode selector's English item: "Off", "Fuel pump", "Pilot light", ...
std::string_view powerOutModeName(std::uint8_t mode);

/// Whether the side holds the cells its mode fixes (a unit or a file may hold others).
bool holdsFixedPattern(std::uint8_t mode, const std::array<std::uint8_t, 3> &cells);

/// One side of an entry in English, as the command line lists it: the shown value
/// with its unit, or for fixed cells "fixed pattern of Pilot light" where the side
/// holds its mode's pattern, otherwise the rows ("rows 6, 0, 0").
std::string formatSide(const FieldDifference &difference, bool sideA);

/// "PowerOutCells[1]" for fixed cells, otherwise the field's name.
std::string differenceName(const FieldDifference &difference);

} // namespace talviro6
