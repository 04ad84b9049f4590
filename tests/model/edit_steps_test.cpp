#include "model/edit_steps.h"
#include "model/fields.h"
#include "model/unit_image.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

using namespace talviro6;

namespace {

/// Every byte a different value, map cells at 30, so a step that touches the
/// wrong byte shows.
UnitImage patterned()
{
    UnitImage image;
    for (int i = 0; i < ParameterSize; ++i)
        image[i] = static_cast<std::uint8_t>(i * 37 + 11);
    for (int r = 0; r < field::MapRows; ++r)
        for (int c = 0; c < field::MapColumns; ++c)
            image[field::AdvanceMap(r, c)] = 30;
    return image;
}

/// The offsets whose bytes differ.
std::vector<int> changed(const UnitImage &before, const UnitImage &after)
{
    std::vector<int> offsets;
    for (int i = 0; i < ParameterSize; ++i)
        if (before[i] != after[i])
            offsets.push_back(i);
    return offsets;
}

} // namespace

TEST(EditSteps, AdvanceWithoutAnOperatingCellChangesNothing)
{
    const UnitImage before = patterned();
    for (const Step step : {Step::Down, Step::Up}) {
        UnitImage image = before;
        stepAdvance(image, step, false, std::nullopt);
        EXPECT_EQ(image, before);
    }
}

TEST(EditSteps, AdvanceOnTheOperatingCellOnly)
{
    const UnitImage before = patterned();
    UnitImage image = before;
    stepAdvance(image, Step::Up, false, MapCell{7, 2});
    EXPECT_EQ(changed(before, image), std::vector<int>{field::AdvanceMap(7, 2)});
    EXPECT_EQ(image[field::AdvanceMap(7, 2)], 31);
}

TEST(EditSteps, WholeMapStopsAtZeroAndSixtyDegrees)
{
    UnitImage image = patterned();
    image[field::AdvanceMap(0, 0)] = 0;
    image[field::AdvanceMap(9, 9)] = 60;
    image[field::AdvanceMap(5, 5)] = 61; // beyond the range: "+" leaves it, "-" brings it in
    const UnitImage before = image;

    stepAdvance(image, Step::Down, true, std::nullopt);
    EXPECT_EQ(image[field::AdvanceMap(0, 0)], 0);
    EXPECT_EQ(image[field::AdvanceMap(9, 9)], 59);
    EXPECT_EQ(image[field::AdvanceMap(5, 5)], 60);
    EXPECT_EQ(image[field::AdvanceMap(3, 7)], 29);
    EXPECT_EQ(changed(before, image).size(), 99u) << "every cell but the one at 0, and nothing beside the map";

    image = before;
    stepAdvance(image, Step::Up, true, MapCell{0, 0});
    EXPECT_EQ(image[field::AdvanceMap(0, 0)], 1) << "All wins over the operating cell";
    EXPECT_EQ(image[field::AdvanceMap(9, 9)], 60);
    EXPECT_EQ(image[field::AdvanceMap(5, 5)], 61);
    EXPECT_EQ(changed(before, image).size(), 98u);
}

TEST(EditSteps, ColumnStepOnZerosAndSixties)
{
    struct Row {
        int cell;
        Step step;
        int after;
    };
    const Row rows[] = {{0, Step::Down, 0}, {1, Step::Down, 0}, {60, Step::Up, 60}, {59, Step::Up, 60}};
    for (const Row &r : rows) {
        UnitImage image = patterned();
        for (int row = 0; row < field::MapRows; ++row)
            image[field::AdvanceMap(row, 9)] = static_cast<std::uint8_t>(r.cell);
        const UnitImage before = image;
        stepMapColumn(image, 9, r.step);
        for (int row = 0; row < field::MapRows; ++row)
            EXPECT_EQ(image[field::AdvanceMap(row, 9)], r.after) << r.cell << ", row " << row;
        EXPECT_EQ(changed(before, image).size(), r.cell == r.after ? 0u : 10u) << "only column 9 moves";
    }
}

TEST(EditSteps, ServoVoltageStaysWithin20And4980Millivolts)
{
    struct Row {
        int stored;
        Step step;
        int after;
    };
    const Row rows[] = {
        {2, Step::Down, 1},   {1, Step::Down, 1},   {0, Step::Down, 0},     {248, Step::Up, 249},
        {249, Step::Up, 249}, {250, Step::Up, 250}, {250, Step::Down, 249}, {0, Step::Up, 1},
    };
    for (const Row &r : rows) {
        UnitImage image = patterned();
        image[field::ServoVoltage(4)] = static_cast<std::uint8_t>(r.stored);
        const UnitImage before = image;
        stepServoVoltage(image, r.step, false, 4);
        EXPECT_EQ(image[field::ServoVoltage(4)], r.after) << r.stored;
        EXPECT_LE(changed(before, image).size(), 1u) << "only the operating point";
    }
}

TEST(EditSteps, ServoAllStepsEveryPointWithinItsBounds)
{
    UnitImage image = patterned();
    for (int i = 0; i < field::CurvePoints; ++i)
        image[field::ServoVoltage(i)] = static_cast<std::uint8_t>(100 + i);
    image[field::ServoVoltage(0)] = 1;
    image[field::ServoVoltage(9)] = 249;
    const UnitImage before = image;

    stepServoVoltage(image, Step::Down, true, 9);
    EXPECT_EQ(image[field::ServoVoltage(0)], 1);
    EXPECT_EQ(image[field::ServoVoltage(9)], 248);
    for (int i = 1; i < 9; ++i)
        EXPECT_EQ(image[field::ServoVoltage(i)], 99 + i);
    EXPECT_EQ(changed(before, image).size(), 9u);

    image = before;
    stepServoVoltage(image, Step::Up, true, 0);
    EXPECT_EQ(image[field::ServoVoltage(0)], 2);
    EXPECT_EQ(image[field::ServoVoltage(9)], 249);
    EXPECT_EQ(changed(before, image).size(), 9u);
}

TEST(EditSteps, ThrottleCaptureWindows)
{
    struct Row {
        bool hundred; ///< "Set TPS 100 %", else "Set TPS 0 %"
        int millivolts;
        bool taken;
        int stored;
    };
    const Row rows[] = {
        {false, 99, false, 0},  {false, 100, true, 10},  {false, 2500, true, 250}, {false, 2501, false, 0},
        {true, 2499, false, 0}, {true, 2500, true, 0},   {true, 4900, true, 240},  {true, 4901, false, 0},
        {false, -5, false, 0},  {true, 3795, true, 129},
    };
    for (const Row &r : rows) {
        UnitImage image = patterned();
        const UnitImage before = image;
        const int offset = r.hundred ? field::Tps100Voltage : field::Tps0Voltage;
        const bool taken = r.hundred ? captureTps100(image, r.millivolts) : captureTps0(image, r.millivolts);
        EXPECT_EQ(taken, r.taken) << r.millivolts;
        if (r.taken) {
            EXPECT_EQ(image[offset], r.stored) << r.millivolts;
            EXPECT_LE(changed(before, image).size(), 1u);
        } else {
            EXPECT_EQ(image, before) << r.millivolts;
        }
    }
}
