#include "model/fields.h"
#include "model/map_block.h"
#include "model/unit_image.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

using namespace talviro6;

namespace {

using Values = std::vector<std::vector<int>>;

/// Rows 2 ... 4, columns 3 ... 5: values that make each rounding and both range
/// ends show.
constexpr MapBlock Block{2, 3, 4, 5};
const Values BlockValues = {
    {10, 20, 40},
    {0, 59, 7},
    {30, 35, 60},
};

/// Every byte a different value, the map cells too, so a write outside the block shows.
UnitImage patternedAroundTheBlock()
{
    UnitImage image;
    for (int i = 0; i < ParameterSize; ++i)
        image[i] = static_cast<std::uint8_t>(i * 37 + 11);
    for (int r = 0; r < field::MapRows; ++r)
        for (int c = 0; c < field::MapColumns; ++c)
            image[field::AdvanceMap(r, c)] = static_cast<std::uint8_t>((r * 7 + c * 3) % 61);
    for (int r = 0; r < Block.rows(); ++r)
        for (int c = 0; c < Block.columns(); ++c)
            image[field::AdvanceMap(Block.top + r, Block.left + c)] = static_cast<std::uint8_t>(BlockValues[r][c]);
    return image;
}

Values valuesIn(const UnitImage &image, const MapBlock &b)
{
    Values v;
    for (int r = b.top; r <= b.bottom; ++r) {
        v.emplace_back();
        for (int c = b.left; c <= b.right; ++c)
            v.back().push_back(image[field::AdvanceMap(r, c)]);
    }
    return v;
}

/// The offsets outside `b` whose bytes differ.
std::vector<int> changedOutside(const UnitImage &before, const UnitImage &after, const MapBlock &b)
{
    std::vector<int> offsets;
    for (int i = 0; i < ParameterSize; ++i) {
        const bool inMap = i >= field::AdvanceMap(0, 0) && i <= field::AdvanceMap(9, 9);
        const MapCell cell{(i - field::AdvanceMap(0, 0)) / field::MapColumns,
                           (i - field::AdvanceMap(0, 0)) % field::MapColumns};
        if (before[i] != after[i] && !(inMap && b.contains(cell)))
            offsets.push_back(i);
    }
    return offsets;
}

struct OperationCase {
    const char *name;
    BlockOperation operation;
    int argument;
    Values expected;
};

} // namespace

TEST(MapBlock, EachOperationsNumbersRoundedHalfUpAndClamped)
{
    const std::vector<OperationCase> cases = {
        {"set", BlockOperation::Set, 25, {{25, 25, 25}, {25, 25, 25}, {25, 25, 25}}},
        {"set above 60", BlockOperation::Set, 70, {{60, 60, 60}, {60, 60, 60}, {60, 60, 60}}},
        {"set below 0", BlockOperation::Set, -5, {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}}},
        {"add", BlockOperation::Add, 3, {{13, 23, 43}, {3, 60, 10}, {33, 38, 60}}},
        {"subtract", BlockOperation::Add, -8, {{2, 12, 32}, {0, 51, 0}, {22, 27, 52}}},
        // 59 * 1.5 = 88.5, 7 * 1.5 = 10.5 -> 11, 35 * 1.5 = 52.5 -> 53
        {"scale up", BlockOperation::Scale, 150, {{15, 30, 60}, {0, 60, 11}, {45, 53, 60}}},
        // 59 / 2 = 29.5 -> 30, 3.5 -> 4, 17.5 -> 18
        {"scale down", BlockOperation::Scale, 50, {{5, 10, 20}, {0, 30, 4}, {15, 18, 30}}},
        {"scale negative", BlockOperation::Scale, -100, {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}}},
        // middle of row 3: (0 + 7) / 2 = 3.5 -> 4
        {"rows", BlockOperation::InterpolateRows, 0, {{10, 25, 40}, {0, 4, 7}, {30, 45, 60}}},
        // middle of column 4: (20 + 35) / 2 = 27.5 -> 28
        {"columns", BlockOperation::InterpolateColumns, 0, {{10, 20, 40}, {20, 28, 50}, {30, 35, 60}}},
        {"bilinear", BlockOperation::Bilinear, 0, {{10, 25, 40}, {20, 35, 50}, {30, 45, 60}}},
        // means of the cell and its neighbours inside the block, from the values before:
        // 89/4 = 22.25, 136/6 = 22.7, 126/4 = 31.5, 154/6 = 25.7, 261/9 = 29, 221/6 = 36.8,
        // 124/4 = 31, 191/6 = 31.8, 161/4 = 40.25
        {"smooth", BlockOperation::Smooth, 0, {{22, 23, 32}, {26, 29, 37}, {31, 32, 40}}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const UnitImage before = patternedAroundTheBlock();
        UnitImage image = before;
        applyBlockOperation(image, Block, c.operation, c.argument);
        EXPECT_EQ(valuesIn(image, Block), c.expected);
        EXPECT_EQ(changedOutside(before, image, Block), std::vector<int>{});
    }
}

TEST(MapBlock, OneRowOrColumnAndASingleCell)
{
    UnitImage image = patternedAroundTheBlock();
    // One row: bilinear is linear along it; interpolating along columns keeps it.
    const MapBlock row{2, 3, 2, 5};
    UnitImage r = image;
    applyBlockOperation(r, row, BlockOperation::Bilinear);
    EXPECT_EQ(valuesIn(r, row), (Values{{10, 25, 40}}));
    r = image;
    applyBlockOperation(r, row, BlockOperation::InterpolateColumns);
    EXPECT_EQ(r, image);

    const MapBlock column{2, 4, 4, 4};
    UnitImage c = image;
    applyBlockOperation(c, column, BlockOperation::Bilinear);
    EXPECT_EQ(valuesIn(c, column), (Values{{20}, {28}, {35}}));

    const MapBlock cell{3, 4, 3, 4};
    for (const auto op : {BlockOperation::InterpolateRows, BlockOperation::InterpolateColumns, BlockOperation::Bilinear,
                          BlockOperation::Smooth}) {
        UnitImage s = image;
        applyBlockOperation(s, cell, op);
        EXPECT_EQ(s, image);
    }
}

TEST(MapBlock, SpanningInAnyOrderAndCutToTheMap)
{
    EXPECT_EQ(MapBlock::spanning({4, 5}, {2, 3}), Block);
    EXPECT_EQ(MapBlock::spanning({2, 5}, {4, 3}), Block);

    UnitImage image = patternedAroundTheBlock();
    applyBlockOperation(image, MapBlock{8, 8, 14, 12}, BlockOperation::Set, 1);
    EXPECT_EQ(valuesIn(image, MapBlock{8, 8, 9, 9}), (Values{{1, 1}, {1, 1}}));
    EXPECT_EQ(changedOutside(patternedAroundTheBlock(), image, MapBlock{8, 8, 9, 9}), std::vector<int>{});
}

TEST(MapBlock, TextAsASpreadsheetCopiesItAndBackElsewhere)
{
    UnitImage image = patternedAroundTheBlock();
    const std::string text = blockToText(image, Block);
    EXPECT_EQ(text, "10\t20\t40\n0\t59\t7\n30\t35\t60\n");

    const ParsedPaste parsed = parseTabSeparated(text);
    ASSERT_FALSE(parsed.error);
    const MapBlock covered = pasteCells(image, {6, 1}, parsed.cells);
    EXPECT_EQ(covered, (MapBlock{6, 1, 8, 3}));
    EXPECT_EQ(valuesIn(image, covered), BlockValues);
}

TEST(MapBlock, PasteReadsWhatSpreadsheetsWrite)
{
    using Row = std::vector<std::optional<int>>;
    const auto n = std::nullopt;
    const struct {
        const char *text;
        PastedCells cells;
    } cases[] = {
        {"1\t2\n3\t4", {Row{1, 2}, Row{3, 4}}},
        {"1\t2\r\n3\t4\r\n", {Row{1, 2}, Row{3, 4}}},
        {"1\t2\r3\t4\r\r\n\n", {Row{1, 2}, Row{3, 4}}},
        {"1.5\t2,4\t2.45\t-2.5\t-2.51\t+3", {Row{2, 2, 2, -2, -3, 3}}},
        {"\"12\"\t 13 \t\"1,5\"\t\" 7 \"", {Row{12, 13, 2, 7}}},
        {"12\xC2\xB0\t\t5\t", {Row{12, n, 5, n}}},
        {"\xC2\xA0"
         "8\xC2\xA0\t.5",
         {Row{8, 1}}},
        {"1\n\n2", {Row{1}, Row{n}, Row{2}}},
        {"99999999999999\t-99999999999999", {Row{1'000'000, -1'000'000}}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        const ParsedPaste parsed = parseTabSeparated(c.text);
        EXPECT_FALSE(parsed.error);
        EXPECT_EQ(parsed.cells, c.cells);
    }
}

TEST(MapBlock, MalformedPasteNamesTheLineAndColumn)
{
    const struct {
        const char *text;
        PasteError::Kind kind;
        int line;
        int column;
        const char *cell;
    } cases[] = {
        {"1\t2\nx\t4", PasteError::Kind::NotANumber, 2, 1, "x"},
        {"1\t2\t3\r\n4\t abc \t6", PasteError::Kind::NotANumber, 2, 2, "abc"},
        {"1.2.3", PasteError::Kind::NotANumber, 1, 1, "1.2.3"},
        {"1e3", PasteError::Kind::NotANumber, 1, 1, "1e3"},
        {"5\t\"12", PasteError::Kind::NotANumber, 1, 2, "\"12"},
        {"\"1\"2\"", PasteError::Kind::NotANumber, 1, 1, "\"1\"2\""},
        {"-", PasteError::Kind::NotANumber, 1, 1, "-"},
        {"1 2", PasteError::Kind::NotANumber, 1, 1, "1 2"},
        {"", PasteError::Kind::NoNumbers, 0, 0, ""},
        {"\t\r\n \n\n", PasteError::Kind::NoNumbers, 0, 0, ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        const ParsedPaste parsed = parseTabSeparated(c.text);
        ASSERT_TRUE(parsed.error);
        EXPECT_EQ(parsed.error->kind, c.kind);
        EXPECT_EQ(parsed.error->line, c.line);
        EXPECT_EQ(parsed.error->column, c.column);
        EXPECT_EQ(parsed.error->cell, c.cell);
        EXPECT_TRUE(parsed.cells.empty());
    }
}

TEST(MapBlock, PasteIsCutToTheMapClampedAndSkipsBlanks)
{
    const UnitImage before = patternedAroundTheBlock();
    UnitImage image = before;
    using Row = std::vector<std::optional<int>>;
    const PastedCells cells = {Row{99, std::nullopt, 5}, Row{-3, 12, 5}, Row{7, 7, 7}};
    const MapBlock covered = pasteCells(image, {8, 8}, cells);
    EXPECT_EQ(covered, (MapBlock{8, 8, 9, 9}));
    EXPECT_EQ(valuesIn(image, covered), (Values{{60, before[field::AdvanceMap(8, 9)]}, {0, 12}}));
    EXPECT_EQ(changedOutside(before, image, covered), std::vector<int>{});
}
