#include "model/field_table.h"
#include "model/unit_image.h"

#include "golden.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

using namespace talviro6;

namespace {

const char *const ConversionNames[] = {"Plain",    "Scaled", "Offset", "Tps100", "Ignitions",
                                       "BikeItem", "Flag",   "Choice", "Cells"};
const char *const FileFormNames[] = {"Raw", "SignedRaw", "OnOff", "Scaled", "Tps100", "Offset", "Bits"};
const char *const LabelFormNames[] = {"FieldName", "Caption", "TrimmedCaption", "CaptionTail",
                                      "KeptWord",  "Literal", "Family"};
const char *const LabelPlaceNames[] = {"None", "Channel", "Point", "Column", "Throttle", "Output", "Threshold", "Row"};

/// A value added to an enum after these lists shows as its number.
template <std::size_t N, typename E> std::string nameOf(const char *const (&names)[N], E value)
{
    const auto i = static_cast<std::size_t>(value);
    return i < N ? names[i] : "#" + std::to_string(i);
}

/// One line per row of the table, in its order, with every fact of the row, so
/// that the golden file pins the layout of the parameter area (offsets, order,
/// conversions, file forms, bounds, controls and labels) without a second copy of
/// the table in code. Texts are quoted so that blanks show.
std::string tableText()
{
    std::ostringstream out;
    out << "# name offset conversion scale minimum maximum step unit test-only valid file control label\n";
    for (const FieldInfo &f : editableFields()) {
        out << fieldName(f) << ' ' << f.offset << ' ' << nameOf(ConversionNames, f.conversion) << ' ' << f.scale << ' '
            << f.minimum << ' ' << f.maximum << ' ' << f.step << " \"" << f.unit << "\" "
            << (f.testOnly ? "test" : "always") << ' ' << int(f.valid.low) << ".." << int(f.valid.high) << ' '
            << nameOf(FileFormNames, f.file) << " \"" << f.control << "\" " << nameOf(LabelFormNames, f.label.form);
        switch (f.label.form) {
        case LabelForm::Caption:
        case LabelForm::TrimmedCaption:
        case LabelForm::CaptionTail:
            out << " caption " << static_cast<int>(f.label.caption);
            break;
        case LabelForm::KeptWord:
            out << " kept " << static_cast<int>(f.label.kept);
            break;
        case LabelForm::Family:
            out << " family " << static_cast<int>(f.label.family) << ' ' << nameOf(LabelPlaceNames, f.label.places[0])
                << ' ' << nameOf(LabelPlaceNames, f.label.places[1]);
            break;
        default:
            break;
        }
        out << " \"" << f.label.text << "\"\n";
    }
    return out.str();
}

const FieldInfo &at(int offset)
{
    const FieldInfo *f = fieldAt(offset);
    if (f == nullptr)
        throw std::logic_error("no field at offset " + std::to_string(offset));
    return *f;
}

std::uint8_t byte(int value)
{
    return static_cast<std::uint8_t>(value);
}

} // namespace

TEST(FieldTable, MatchesItsGoldenFileInReadBackOrder)
{
    golden::expectMatches(std::string(TALVIRO6_TEST_DATA) + "/field_table.txt", tableText());
}

TEST(FieldTable, RowsKeepTheirOwnRules)
{
    for (const FieldInfo &f : editableFields()) {
        SCOPED_TRACE(fieldName(f));
        EXPECT_EQ(f.testOnly, f.name == "Compensation1" || f.name == "Compensation2");
        EXPECT_LE(f.minimum, f.maximum);
        if (f.conversion == Conversion::Scaled) {
            EXPECT_EQ(f.step % f.scale, 0) << "one arrow click moves the stored byte by whole units";
        }
    }
}

TEST(FieldTable, EveryFieldHasAnOffsetOfItsOwnAndCarriedBytesNone)
{
    std::multiset<int> inTable;
    for (const FieldInfo &f : editableFields())
        inTable.insert(f.offset);

    for (int offset = 0; offset < ParameterSize; ++offset) {
        SCOPED_TRACE("offset " + std::to_string(offset));
        const FieldInfo *f = fieldAt(offset);
        if (inTable.count(offset) != 0) {
            EXPECT_EQ(inTable.count(offset), 1u);
            ASSERT_NE(f, nullptr);
            EXPECT_EQ(f->offset, offset);
        } else {
            EXPECT_EQ(f, nullptr);
        }
    }
    EXPECT_TRUE(inTable.empty() || (*inTable.begin() >= 0 && *inTable.rbegin() < ParameterSize));
    // The carried bytes: between the singles, the unused half of every channel
    // group, the gap before the servo curve, and everything after the power outputs.
    for (const int carried : {1, 7, 29, 32, 33, 36, 37, 40, 41, 44, 45, 48, 49, 52, 53, 54, 69, 227, 250, 299})
        EXPECT_EQ(fieldAt(carried), nullptr) << carried;
    EXPECT_EQ(fieldAt(-1), nullptr);
    EXPECT_EQ(fieldAt(ParameterSize), nullptr);
}

TEST(FieldTable, NamesAreUniqueAndCarryTheirIndexes)
{
    std::set<std::string> names;
    for (const FieldInfo &f : editableFields())
        EXPECT_TRUE(names.insert(fieldName(f)).second) << fieldName(f);

    EXPECT_EQ(fieldName(at(13)), "Limiter");
    EXPECT_EQ(fieldName(at(31)), "MaxAdvLobe[1]");
    EXPECT_EQ(fieldName(at(134)), "AdvanceMap[3][4]");
    EXPECT_EQ(fieldName(at(205)), "PowerOutRpm[0][2]");
    EXPECT_EQ(fieldName(at(217)), "PowerOutTps[2][1]");
    EXPECT_EQ(fieldName(at(226)), "PowerOutCells[2][2]");
}

TEST(FieldTable, EveryMeaningfulStoredByteSurvivesShowingAndStoringAgain)
{
    for (const FieldInfo &f : editableFields()) {
        // Beyond these the byte names no item: it is shown as some other item, or
        // as no selection at all, and never stored back as it was.
        int last = 255;
        if (f.conversion == Conversion::Ignitions)
            last = 3;
        else if (f.conversion == Conversion::BikeItem)
            last = 5;
        else if (f.conversion == Conversion::Flag)
            last = 1;
        for (int b = 0; b <= last; ++b)
            EXPECT_EQ(toStored(f, toShown(f, byte(b))), std::optional<std::uint8_t>(byte(b)))
                << fieldName(f) << " stored " << b << " shown " << toShown(f, byte(b));
    }
}

TEST(FieldTable, EveryShownValueInRangeComesBackTruncatedToItsScale)
{
    for (const FieldInfo &f : editableFields()) {
        const int grain = f.conversion == Conversion::Scaled ? f.scale : f.conversion == Conversion::Tps100 ? 10 : 1;
        for (int shown = f.minimum; shown <= f.maximum; ++shown) {
            const auto stored = toStored(f, shown);
            ASSERT_TRUE(stored.has_value()) << fieldName(f) << " " << shown;
            EXPECT_EQ(toShown(f, *stored), shown - shown % grain) << fieldName(f) << " " << shown;
        }
    }
}

TEST(FieldTable, ConversionEdgeCases)
{
    struct Row {
        int offset;
        int shown;
        std::optional<int> stored; ///< empty: the field keeps its byte
        const char *what;
    };
    const Row rows[] = {
        {21, 2500, 0, "throttle 100 % at 2500 mV"},
        {21, 4750, 225, "throttle 100 % at its highest"},
        {20, 2500, 250, "throttle 0 % at its highest"},
        {12, -60, 40, "tachometer correction -60 %"},
        {18, 0, 100, "no advance correction"},
        {19, -20, 80, "cylinder 2 retarded by 20 degrees"},
        {13, 999, 9, "lowest limiter keeps 900 rpm reachable"},
        {25, 15050, 150, "a stray 50 rpm is dropped"},
        {90, 199, 1, "first advance speed at its lowest"},
        {17, 1274, 254, "hysteresis truncated to 5 mV"},
        {5, 3, 0, "ignitions: one per two revolutions (camshaft)"},
        {5, 0, 1, "ignitions: one per revolution"},
        {5, -1, std::nullopt, "ignitions: nothing chosen"},
        {0, 5, 1, "Special setting"},
        {0, 3, 4, "one lobe per two revolutions (camshaft sensor)"},
        {0, -1, std::nullopt, "motorcycle: nothing chosen"},
        {2, -1, std::nullopt, "synchronisation: nothing chosen"},
        {200, -1, std::nullopt, "power-output mode: nothing chosen"},
        {6, 7, 1, "a check box stores 0 or 1"},
        {218, 0b1010, 0b1010, "cells are bits"},
    };
    for (const Row &r : rows) {
        const auto stored = toStored(at(r.offset), r.shown);
        EXPECT_EQ(stored.has_value(), r.stored.has_value()) << r.what;
        if (stored && r.stored) {
            EXPECT_EQ(*stored, *r.stored) << r.what;
        }
    }

    struct Back {
        int offset;
        int stored;
        int shown;
        const char *what;
    };
    const Back backs[] = {
        {21, 0, 2500, "throttle 100 % stored 0"},
        {5, 0, 3, "stored 0 selects the camshaft item"},
        {0, 5, 4, "code 5 selects Honda NSR"},
        {0, 1, 5, "code 1 selects Special setting"},
        {0, 6, -1, "an unknown code leaves the selection"},
        {12, 0, -100, "below the tachometer range"},
        {8, 200, 1, "any nonzero flag shows ticked"},
    };
    for (const Back &b : backs)
        EXPECT_EQ(toShown(at(b.offset), byte(b.stored)), b.shown) << b.what;
}

TEST(FieldTable, StoredValuesBeyondTheRangeShowAtTheNearerEnd)
{
    struct Row {
        int offset;
        int stored;
        int shown;
    };
    const Row rows[] = {
        {13, 255, 25000}, {13, 0, 999},    {90, 1, 199}, {91, 2, 300},  {70, 0, 200},      {72, 1, 300},
        {21, 255, 4750},  {20, 0, 250},    {12, 0, -60}, {12, 200, 60}, {211, 255, 25200}, {203, 255, 25000},
        {212, 255, 101},  {213, 200, 102}, {3, 0, 1},    {100, 61, 60},
    };
    for (const Row &r : rows) {
        const FieldInfo &f = at(r.offset);
        EXPECT_EQ(clampShown(f, toShown(f, byte(r.stored))), r.shown) << fieldName(f) << " stored " << r.stored;
    }
}

TEST(FieldTable, ValidationBoundsAreTheirOwnFactsBesideTheControlRanges)
{
    // Stored units. Curve point i lies between 300 + 100 i and 19100 + 100 i rpm
    // whatever its control allows (199 or 300 ... 20100 rpm); both throttle
    // voltages end at 250 (2500 mV at 0 %, 5000 mV at 100 %), though the control for
    // 100 % stops at 4750 mV.
    std::map<int, std::pair<int, int>> expected;
    for (int i = 0; i < 10; ++i) {
        expected[90 + i] = {3 + i, 191 + i};
        expected[70 + i] = {3 + i, 191 + i};
    }
    expected[20] = {0, 250};
    expected[21] = {0, 250};
    expected[4] = {0, 2};
    for (int offset = 203; offset <= 211; ++offset)
        expected[offset] = {3, 255};

    for (const FieldInfo &f : editableFields()) {
        const auto it = expected.find(f.offset);
        const auto bounds = it != expected.end() ? it->second : std::pair<int, int>{0, 255};
        EXPECT_EQ(f.valid.low, bounds.first) << fieldName(f);
        EXPECT_EQ(f.valid.high, bounds.second) << fieldName(f);
    }
    EXPECT_EQ(at(90).minimum, 199);
    EXPECT_EQ(at(99).maximum, 20100);
    EXPECT_EQ(at(21).maximum, 4750);
}

TEST(FieldTable, FileFormsFollowTheParameterFileLayout)
{
    // Where the file writes the byte itself although the control shows it scaled
    // (the limiters), or signed, or as on/off, the row says so; elsewhere the form
    // follows the conversion, with the conversion's scale.
    const std::map<int, FileForm> special{
        {13, FileForm::Raw},    {25, FileForm::Raw},    {15, FileForm::SignedRaw},
        {16, FileForm::OnOff},  {22, FileForm::OnOff},  {21, FileForm::Tps100},
        {12, FileForm::Offset}, {18, FileForm::Offset}, {19, FileForm::Offset},
    };
    for (const FieldInfo &f : editableFields()) {
        FileForm form = FileForm::Raw;
        if (const auto it = special.find(f.offset); it != special.end())
            form = it->second;
        else if (f.conversion == Conversion::Scaled)
            form = FileForm::Scaled;
        else if (f.conversion == Conversion::Cells)
            form = FileForm::Bits;
        EXPECT_EQ(f.file, form) << fieldName(f);
    }
    EXPECT_EQ(at(17).scale, 5);
    EXPECT_EQ(at(27).scale, 10);
    EXPECT_EQ(at(85).scale, 20);
}
