#include "model/fields.h"
#include "model/program_review.h"

#include <gtest/gtest.h>

using namespace talviro6;

namespace {

void setByte(ParameterArea &area, int offset, int stored)
{
    area[static_cast<std::size_t>(offset)] = static_cast<std::uint8_t>(stored);
}

} // namespace

TEST(ProgramReview, NothingToReviewWithoutAUnitOrWithTheSameSet)
{
    ParameterArea editor{};
    setByte(editor, field::Limiter, 120);
    EXPECT_TRUE(programChanges(std::nullopt, editor).empty());
    EXPECT_TRUE(programChanges(editor, editor).empty());
}

// A field ticked off goes back to the unit's bytes, all of them: an output's fixed
// cells are three rows under one tick.
TEST(ProgramReview, FieldsTickedOffTakeAllTheirBytesFromTheUnit)
{
    ParameterArea unit{};
    setByte(unit, field::Limiter, 100);
    setByte(unit, field::PowerOutMode(1), powerout::PilotLight);
    for (int r = 0; r < field::PowerOutRows; ++r)
        setByte(unit, field::PowerOutCells(1, r), 0b1110);
    ParameterArea editor = unit;
    setByte(editor, field::Limiter, 120);
    setByte(editor, field::BaseAdvance, 25);
    setByte(editor, field::PowerOutMode(1), powerout::Special);
    for (int r = 0; r < field::PowerOutRows; ++r)
        setByte(editor, field::PowerOutCells(1, r), r);

    const std::vector<FieldDifference> changes = programChanges(unit, editor);
    ASSERT_EQ(changes.size(), 4u); // base advance, limiter, the mode, the cells
    EXPECT_TRUE(unitValuesFor(changes, {true, true, true, true}, unit).empty());

    std::vector<bool> kept(changes.size(), true);
    for (std::size_t i = 0; i < changes.size(); ++i)
        kept[i] = !(changes[i].field->offset == field::Limiter || changes[i].fixedCells);
    const auto bytes = unitValuesFor(changes, kept, unit);
    const std::vector<std::pair<int, std::uint8_t>> expected{{field::Limiter, 100},
                                                             {field::PowerOutCells(1, 0), 0b1110},
                                                             {field::PowerOutCells(1, 1), 0b1110},
                                                             {field::PowerOutCells(1, 2), 0b1110}};
    EXPECT_EQ(bytes, expected);
}
