#include "model/field_compare.h"

#include "model/fields.h"
#include "model/validate.h"

#include <array>

namespace talviro6 {
namespace {

std::uint8_t at(const ParameterArea &area, int offset)
{
    return area[static_cast<std::size_t>(offset)];
}

std::array<std::uint8_t, field::PowerOutRows> cellsOf(const ParameterArea &area, int output)
{
    std::array<std::uint8_t, field::PowerOutRows> rows{};
    for (int r = 0; r < field::PowerOutRows; ++r)
        rows[static_cast<std::size_t>(r)] = at(area, field::PowerOutCells(output, r));
    return rows;
}

bool modeFixesCells(std::uint8_t mode)
{
    return fixedPowerOutCells(mode, 0).has_value();
}

} // namespace

bool holdsFixedPattern(std::uint8_t mode, const std::array<std::uint8_t, 3> &cells)
{
    for (int r = 0; r < field::PowerOutRows; ++r)
        if (fixedPowerOutCells(mode, r) != cells[static_cast<std::size_t>(r)])
            return false;
    return true;
}

std::vector<int> FieldDifference::offsets() const
{
    if (!fixedCells)
        return {field->offset};
    std::vector<int> rows;
    for (int r = 0; r < field::PowerOutRows; ++r)
        rows.push_back(field::PowerOutCells(field->index1, r));
    return rows;
}

// Fields are compared by their bytes, not by what a control shows: two bytes a
// control shows alike (a flag stored as 1 and as 2) still program the unit
// differently, and a comparison that hid that would call them equal.
std::vector<FieldDifference> compareParameters(const ParameterArea &a, const ParameterArea &b, bool all)
{
    std::vector<FieldDifference> differences;
    for (const FieldInfo &f : editableFields()) {
        const std::uint8_t storedA = at(a, f.offset);
        const std::uint8_t storedB = at(b, f.offset);
        if (f.conversion == Conversion::Cells) {
            const int o = f.index1;
            const std::uint8_t modeA = at(a, field::PowerOutMode(o));
            const std::uint8_t modeB = at(b, field::PowerOutMode(o));
            if (modeFixesCells(modeA) || modeFixesCells(modeB)) {
                if (f.index2 != 0)
                    continue; // the output's first row stands for all three
                FieldDifference d{&f, storedA, storedB, storedA, storedB};
                d.fixedCells = true;
                d.modeA = modeA;
                d.modeB = modeB;
                d.cellsA = cellsOf(a, o);
                d.cellsB = cellsOf(b, o);
                d.differs = d.cellsA != d.cellsB;
                if (d.differs || all)
                    differences.push_back(d);
                continue;
            }
        }
        if (storedA != storedB || all) {
            differences.push_back({&f, storedA, storedB, toShown(f, storedA), toShown(f, storedB)});
            differences.back().differs = storedA != storedB;
        }
    }
    return differences;
}

int countDifferingFields(const ParameterArea &a, const ParameterArea &b)
{
    return static_cast<int>(compareParameters(a, b).size());
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

std::string_view powerOutModeName(std::uint8_t mode)
{
    static constexpr std::array<std::string_view, 5> Names{"Off", "Fuel pump", "Pilot light", "Power jet Honda",
                                                           "Special"};
    return mode < Names.size() ? Names[mode] : std::string_view{};
}

std::string formatSide(const FieldDifference &d, bool sideA)
{
    if (!d.fixedCells)
        return formatShown(*d.field, sideA ? d.shownA : d.shownB);
    const std::uint8_t mode = sideA ? d.modeA : d.modeB;
    const auto &cells = sideA ? d.cellsA : d.cellsB;
    if (holdsFixedPattern(mode, cells))
        return "fixed pattern of " + std::string(powerOutModeName(mode));
    return "rows " + std::to_string(cells[0]) + ", " + std::to_string(cells[1]) + ", " + std::to_string(cells[2]);
}

std::string differenceName(const FieldDifference &d)
{
    if (d.fixedCells)
        return std::string(d.field->name) + '[' + std::to_string(d.field->index1) + ']';
    return fieldName(*d.field);
}

} // namespace talviro6
