#pragma once

#include "model/field_compare.h"
#include "model/unit_image.h"

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace talviro6 {

/// What a programming would change in the unit: the fields where the editor's set
/// differs from the unit's known one, in the field table's order. Empty when the unit
/// is not known or holds the same set: then there is nothing to review.
std::vector<FieldDifference> programChanges(const std::optional<ParameterArea> &unit, const ParameterArea &editor);

/// The unit's bytes for the entries not kept (offset, value), ready for one edit:
/// `kept[i]` says whether entry i keeps the editor's value.
std::vector<std::pair<int, std::uint8_t>> unitValuesFor(const std::vector<FieldDifference> &changes,
                                                        const std::vector<bool> &kept, const ParameterArea &unit);

} // namespace talviro6
