#include "model/field_compare.h"
#include "model/fields.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

using namespace talviro6;

namespace {

/// One field of a listing as the tuner reads it: name, A shown, B shown.
std::vector<std::string> listing(const std::vector<FieldDifference> &differences)
{
    std::vector<std::string> lines;
    for (const FieldDifference &d : differences)
        lines.push_back(fieldName(*d.field) + " | " + formatShown(*d.field, d.shownA) + " | " +
                        formatShown(*d.field, d.shownB));
    return lines;
}

void put(ParameterArea &area, int offset, int stored)
{
    area[static_cast<std::size_t>(offset)] = static_cast<std::uint8_t>(stored);
}

} // namespace

TEST(FieldCompare, ListsChangedFieldsInTableOrderWithShownValuesAndUnits)
{
    // Offset 1 lies between BikeType and SyncMethod and belongs to no field.
    constexpr int CarriedByte = 1;
    ASSERT_EQ(fieldAt(CarriedByte), nullptr);

    const struct {
        int offset;
        int storedA, storedB;
    } rows[] = {
        {field::AdvanceMap(3, 4), 20, 25}, {field::Limiter, 150, 120},   {field::TachoCorrection, 80, 110},
        {field::Tps100Voltage, 0, 200},    {field::PickupInvert1, 0, 1}, {field::StartLimiter, 30, 40},
        {field::Input1Function, 2, 0},     {field::LobeCount, 3, 4},     {CarriedByte, 7, 9},
    };
    ParameterArea a{}, b{};
    for (const auto &row : rows) {
        put(a, row.offset, row.storedA);
        put(b, row.offset, row.storedB);
    }

    // The table's order is the window's read-back order, not the byte order:
    // Input1Function (14) before PickupInvert1 (6), StartLimiter (25) before Limiter (13).
    const std::vector<std::string> expected{
        "LobeCount | 3 | 4",
        "Input1Function | 2 | 0",
        "PickupInvert1 | 0 | 1",
        "TachoCorrection | -20 % | 10 %",
        "StartLimiter | 3000 rpm | 4000 rpm",
        "Limiter | 15000 rpm | 12000 rpm",
        "Tps100Voltage | 2500 mV | 4500 mV",
        "AdvanceMap[3][4] | 20 ° | 25 °",
    };
    const std::vector<FieldDifference> differences = compareParameters(a, b);
    EXPECT_EQ(listing(differences), expected);
    EXPECT_EQ(countDifferingFields(a, b), static_cast<int>(expected.size()));
    ASSERT_EQ(differences.size(), expected.size());
    EXPECT_EQ(differences[0].storedA, 3);
    EXPECT_EQ(differences[0].storedB, 4);
    EXPECT_EQ(differences[3].shownA, -20);
    EXPECT_EQ(differences[3].shownB, 10);

    // Read the other way round, the same fields with their sides swapped.
    const std::vector<FieldDifference> reverse = compareParameters(b, a);
    ASSERT_EQ(reverse.size(), differences.size());
    for (std::size_t i = 0; i < reverse.size(); ++i) {
        EXPECT_EQ(reverse[i].field, differences[i].field);
        EXPECT_EQ(reverse[i].shownA, differences[i].shownB);
    }

    EXPECT_TRUE(compareParameters(a, a).empty());
    EXPECT_EQ(countDifferingFields(b, b), 0);
    ParameterArea carriedOnly = a;
    put(carriedOnly, CarriedByte, 200);
    EXPECT_TRUE(compareParameters(a, carriedOnly).empty()) << "a carried byte is no field";
    EXPECT_EQ(countDifferingFields(a, carriedOnly), 0);
}

// Every field of the table is compared, and nothing else: with every byte changed
// the listing is the table itself.
TEST(FieldCompare, EveryByteChangedListsEveryFieldOnce)
{
    ParameterArea a{}, b{};
    b.fill(1);
    const std::vector<FieldDifference> differences = compareParameters(a, b);
    const auto fields = editableFields();
    ASSERT_EQ(differences.size(), fields.size());
    for (std::size_t i = 0; i < fields.size(); ++i)
        EXPECT_EQ(differences[i].field, &fields[i]) << fieldName(fields[i]);
    EXPECT_EQ(countDifferingFields(a, b), static_cast<int>(fields.size()));
}

// Bytes that a control shows alike still program the unit differently.
TEST(FieldCompare, BytesThatShowAlikeStillDiffer)
{
    ParameterArea a{}, b{};
    put(a, field::ServoEnable, 1);
    put(b, field::ServoEnable, 2);
    const std::vector<FieldDifference> differences = compareParameters(a, b);
    ASSERT_EQ(differences.size(), 1u);
    EXPECT_EQ(fieldName(*differences[0].field), "ServoEnable");
    EXPECT_EQ(differences[0].shownA, differences[0].shownB);
    EXPECT_EQ(differences[0].storedA, 1);
    EXPECT_EQ(differences[0].storedB, 2);
}

TEST(FieldCompare, ShownValueHasItsUnitAfterABlank)
{
    const auto named = [](std::string_view name) -> const FieldInfo & {
        for (const FieldInfo &f : editableFields())
            if (f.name == name)
                return f;
        throw std::runtime_error("no field " + std::string(name));
    };
    EXPECT_EQ(formatShown(named("Limiter"), 15000), "15000 rpm");
    EXPECT_EQ(formatShown(named("AdvanceCorrection1"), -20), "-20 °");
    EXPECT_EQ(formatShown(named("LobeCount"), 3), "3");
    EXPECT_EQ(formatShown(named("ServoEnable"), 1), "1");
    EXPECT_EQ(formatShown(named("ClutchTime"), 0), "0 ms");
}

// Cells a power-output mode fixes are no rows of raw numbers to the tuner: one
// entry for the output, each side named by what it holds.
TEST(FieldCompare, CellsAModeFixesAreOneEntryNamedByWhatTheyAre)
{
    ParameterArea pilot{}, special{}, blank{};
    put(pilot, field::PowerOutMode(1), powerout::PilotLight);
    for (int r = 0; r < 3; ++r)
        put(pilot, field::PowerOutCells(1, r), 0b1110);
    special = pilot;
    put(special, field::PowerOutMode(1), powerout::Special);
    put(special, field::PowerOutCells(1, 0), 0);
    put(special, field::PowerOutCells(1, 1), 0);
    put(special, field::PowerOutCells(1, 2), 0b0110);
    blank = pilot; // a unit in the mode, but without the cells the tool would send
    for (int r = 0; r < 3; ++r)
        put(blank, field::PowerOutCells(1, r), 0);

    const struct {
        const char *what;
        const ParameterArea &a, &b;
        std::vector<std::string> lines;
    } rows[] = {
        {"pilot light against special",
         pilot,
         special,
         {"PowerOutMode[1] | 2 | 4", "PowerOutCells[1] | fixed pattern of Pilot light | rows 0, 0, 6"}},
        {"a unit that lacks the pattern",
         blank,
         pilot,
         {"PowerOutCells[1] | rows 0, 0, 0 | fixed pattern of Pilot light"}},
    };
    for (const auto &row : rows) {
        const auto differences = compareParameters(row.a, row.b);
        std::vector<std::string> lines;
        for (const FieldDifference &d : differences)
            lines.push_back(differenceName(d) + " | " + formatSide(d, true) + " | " + formatSide(d, false));
        EXPECT_EQ(lines, row.lines) << row.what;
        EXPECT_EQ(countDifferingFields(row.a, row.b), static_cast<int>(row.lines.size())) << row.what;
        EXPECT_EQ(
            differences.back().offsets(),
            (std::vector<int>{field::PowerOutCells(1, 0), field::PowerOutCells(1, 1), field::PowerOutCells(1, 2)}))
            << "taken over, the entry brings all three rows";
    }
    EXPECT_TRUE(compareParameters(pilot, pilot).empty());
    const auto all = compareParameters(pilot, pilot, true);
    EXPECT_EQ(std::count_if(all.begin(), all.end(), [](const FieldDifference &d) { return d.fixedCells; }), 1);
    EXPECT_TRUE(std::none_of(all.begin(), all.end(), [](const FieldDifference &d) { return d.differs; }));
}
