// Where the engine ran: ticks per map cell and servo point, the trail of the last
// cells, and the shade a count gets.
#include "live/dwell_map.h"

#include <gtest/gtest.h>

#include <vector>

using namespace talviro6;

namespace {

OperatingPoint at(int row, int column, int servo, bool below = false)
{
    OperatingPoint p;
    p.OperatingRow = static_cast<std::uint8_t>(row);
    p.OperatingColumn = static_cast<std::uint8_t>(column);
    p.OperatingServoPoint = static_cast<std::uint8_t>(servo);
    p.BelowSpeedRange = below;
    return p;
}

using Cell = DwellMap::Cell;

TEST(DwellMapTest, EachTickCountsWhereTheEngineRuns)
{
    struct Tick {
        OperatingPoint point;
        std::uint16_t rpm;
    };
    // A start: at rest, cranking below the map, idling, then up through two cells.
    const std::vector<Tick> ride{
        {at(9, 0, 0, true), 0},   {at(9, 0, 0, true), 0},   // at rest: nowhere
        {at(9, 0, 0, true), 300}, {at(9, 0, 0, true), 300}, // cranking: the servo curve only
        {at(9, 1, 1), 1300},      {at(9, 1, 1), 1300},      {at(9, 1, 1), 1300},
        {at(4, 3, 2), 3000},      {at(4, 3, 2), 3000},      {at(9, 1, 1), 1300},
    };
    DwellMap dwell;
    for (const Tick &t : ride)
        dwell.tick(t.point, t.rpm);

    struct Expected {
        int row, column;
        std::uint32_t ticks;
    };
    for (const Expected &e : {Expected{9, 1, 4}, Expected{4, 3, 2}, Expected{9, 0, 0}, Expected{0, 0, 0}}) {
        SCOPED_TRACE(testing::Message() << "cell " << e.row << "," << e.column);
        EXPECT_EQ(dwell.cellTicks(e.row, e.column), e.ticks);
    }
    std::uint32_t cells = 0;
    for (std::size_t r = 0; r < DwellMap::Size; ++r)
        for (std::size_t c = 0; c < DwellMap::Size; ++c)
            cells += dwell.cellTicks(r, c);
    EXPECT_EQ(cells, 6u) << "only ticks of a running engine within the map";
    EXPECT_EQ(dwell.maxCellTicks(), 4u);

    const std::vector<std::uint32_t> servo{2, 4, 2, 0, 0, 0, 0, 0, 0, 0};
    for (std::size_t i = 0; i < DwellMap::Size; ++i)
        EXPECT_EQ(dwell.servoTicks(i), servo[i]) << "servo point " << i;
    EXPECT_EQ(dwell.maxServoTicks(), 4u);
}

TEST(DwellMapTest, TheTrailHoldsTheLastDistinctCellsNewestFirst)
{
    DwellMap dwell;
    const auto visit = [&dwell](int row, int column, int ticks = 1) {
        for (int i = 0; i < ticks; ++i)
            dwell.tick(at(row, column, column), 2000);
    };
    visit(9, 1, 5); // staying in a cell is one entry
    visit(9, 2);
    visit(8, 2);
    visit(9, 1); // back again: moves to the front, not in twice
    EXPECT_EQ(dwell.trail(), (std::vector<Cell>{{9, 1}, {8, 2}, {9, 2}}));
    EXPECT_EQ(dwell.trailAge(9, 1), 0);
    EXPECT_EQ(dwell.trailAge(9, 2), 2);
    EXPECT_EQ(dwell.trailAge(0, 0), -1);
    EXPECT_EQ(dwell.servoTrail(), (std::vector<std::uint8_t>{1, 2}));

    // A sweep along row 0 pushes the oldest cells out.
    for (int c = 0; c < 10; ++c)
        visit(0, c);
    visit(1, 0);
    visit(1, 1);
    ASSERT_EQ(dwell.trail().size(), DwellMap::TrailLength);
    EXPECT_EQ(dwell.trail().front(), (Cell{1, 1}));
    EXPECT_EQ(dwell.trail().back(), (Cell{0, 0}));
    EXPECT_EQ(dwell.trailAge(9, 1), -1) << "fell out of the trail";
    EXPECT_EQ(dwell.cellTicks(9, 1), 6u) << "but its time stays counted";
    EXPECT_EQ(dwell.servoTrail(), (std::vector<std::uint8_t>{1, 0, 9, 8})) << "the servo trail is shorter";
}

TEST(DwellMapTest, BelowTheMapTheCellTrailStaysAsItWas)
{
    DwellMap dwell;
    dwell.tick(at(9, 3, 3), 2500);
    dwell.tick(at(9, 0, 0, true), 600);
    EXPECT_EQ(dwell.trail(), (std::vector<Cell>{{9, 3}}));
    EXPECT_EQ(dwell.servoTrail(), (std::vector<std::uint8_t>{0, 3}));
}

TEST(DwellMapTest, ResetEmptiesCountsAndTrailsAndAStoppedEngineChangesNothing)
{
    DwellMap dwell;
    dwell.tick(at(2, 2, 2), 4000);
    dwell.tick(at(3, 2, 2), 4000);
    const auto running = dwell.revision();
    dwell.tick(at(3, 2, 2), 0);
    EXPECT_EQ(dwell.revision(), running) << "an idle tick gives the painter nothing to do";

    dwell.reset();
    EXPECT_GT(dwell.revision(), running);
    EXPECT_EQ(dwell.cellTicks(2, 2), 0u);
    EXPECT_EQ(dwell.servoTicks(2), 0u);
    EXPECT_EQ(dwell.maxCellTicks(), 0u);
    EXPECT_EQ(dwell.maxServoTicks(), 0u);
    EXPECT_TRUE(dwell.trail().empty());
    EXPECT_TRUE(dwell.servoTrail().empty());
    EXPECT_EQ(dwell.cellShade(2, 2), 0);

    dwell.tick(at(5, 5, 5), 4000);
    EXPECT_EQ(dwell.cellShade(5, 5), DwellMap::ShadeLevels) << "counting starts afresh";
}

TEST(DwellMapTest, TheShadeFollowsTheSquareRootOfTheShare)
{
    struct Row {
        std::uint32_t ticks, max;
        int shade;
    };
    // Level L covers shares up to (L / 8)^2: 1/64, 4/64, 9/64, ... 64/64.
    const Row rows[] = {
        {0, 0, 0},
        {0, 64, 0},
        {1, 64, 1},
        {4, 64, 2},
        {5, 64, 3},
        {16, 64, 4},
        {17, 64, 5},
        {63, 64, 8},
        {64, 64, 8},
        {1, 1'000'000, 1},
        {4'000'000'000u, 4'000'000'000u, 8},
        {1'000'000'000u, 4'000'000'000u, 4},
    };
    for (const Row &r : rows)
        EXPECT_EQ(DwellMap::shade(r.ticks, r.max), r.shade) << r.ticks << " of " << r.max;
}

} // namespace
