#pragma once

#include "model/field_table.h"
#include "model/unit_image.h"

#include <cstdint>
#include <string>
#include <vector>

namespace talviro6 {

/// One field that two parameter sets hold differently, with its bytes and the
/// values a control shows for them.
struct FieldDifference {
    const FieldInfo *field = nullptr;
    std::uint8_t storedA = 0;
    std::uint8_t storedB = 0;
    int shownA = 0;
    int shownB = 0;
};

/// The editable fields where the two areas differ, in the field table's order.
/// Bytes no field names (carried bytes) are not fields and are not listed.
std::vector<FieldDifference> compareParameters(const ParameterArea &a, const ParameterArea &b);

/// How many editable fields differ.
int countDifferingFields(const ParameterArea &a, const ParameterArea &b);

/// A shown value with its unit, as one line of a listing: "15000 rpm", "-20 °", "3".
/// List items and flags show their item index and 0 / 1; the window names them.
std::string formatShown(const FieldInfo &field, int shown);

} // namespace talviro6
