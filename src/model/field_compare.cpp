#include "model/field_compare.h"

namespace talviro6 {
namespace {

std::uint8_t at(const ParameterArea &area, int offset)
{
    return area[static_cast<std::size_t>(offset)];
}

} // namespace

// Fields are compared by their bytes, not by what a control shows: two bytes a
// control shows alike (a flag stored as 1 and as 2) still program the unit
// differently, and a comparison that hid that would call them equal.
std::vector<FieldDifference> compareParameters(const ParameterArea &a, const ParameterArea &b)
{
    std::vector<FieldDifference> differences;
    for (const FieldInfo &f : editableFields()) {
        const std::uint8_t storedA = at(a, f.offset);
        const std::uint8_t storedB = at(b, f.offset);
        if (storedA != storedB)
            differences.push_back({&f, storedA, storedB, toShown(f, storedA), toShown(f, storedB)});
    }
    return differences;
}

int countDifferingFields(const ParameterArea &a, const ParameterArea &b)
{
    int count = 0;
    for (const FieldInfo &f : editableFields())
        count += at(a, f.offset) != at(b, f.offset);
    return count;
}

std::string formatShown(const FieldInfo &field, int shown)
{
    std::string text = std::to_string(shown);
    if (!field.unit.empty()) {
        text += ' ';
        text += field.unit;
    }
    return text;
}

} // namespace talviro6
