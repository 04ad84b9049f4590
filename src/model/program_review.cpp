#include "model/program_review.h"

namespace talviro6 {

std::vector<FieldDifference> programChanges(const std::optional<ParameterArea> &unit, const ParameterArea &editor)
{
    if (!unit)
        return {};
    return compareParameters(*unit, editor);
}

std::vector<std::pair<int, std::uint8_t>> unitValuesFor(const std::vector<FieldDifference> &changes,
                                                        const std::vector<bool> &kept, const ParameterArea &unit)
{
    std::vector<std::pair<int, std::uint8_t>> bytes;
    for (std::size_t i = 0; i < changes.size(); ++i) {
        if (i < kept.size() && kept[i])
            continue;
        // Fixed cells stand for the output's three rows: all of them go back.
        for (const int offset : changes[i].offsets())
            bytes.emplace_back(offset, unit[static_cast<std::size_t>(offset)]);
    }
    return bytes;
}

} // namespace talviro6
