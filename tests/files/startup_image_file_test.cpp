#include "file_fixtures.h"
#include "files/startup_image_file.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace talviro6;
using talviro6::testing::readFixture;
using talviro6::testing::startupImage;
using talviro6::testing::startupImageWithCells;

namespace {

int readStartupInto(UnitImage &image, const std::string &text)
{
    std::istringstream in(text, std::ios::binary);
    return readStartupImage(in, image);
}

} // namespace

TEST(StartupImageFile, WritesTheFixtureByteForByte)
{
    std::ostringstream out(std::ios::binary);
    writeStartupImage(out, startupImageWithCells());
    EXPECT_EQ(out.str(), readFixture("startup_cells.dump"));
    EXPECT_EQ(out.str().size(), 300u * 6 + 30u * 2 + 3u * 2);
}

TEST(StartupImageFile, RoundTripOfEveryByteValue)
{
    UnitImage image;
    for (int i = 0; i < ParameterSize; ++i)
        image[i] = static_cast<std::uint8_t>(i % 256);
    std::ostringstream out(std::ios::binary);
    writeStartupImage(out, image);
    UnitImage read;
    EXPECT_EQ(readStartupInto(read, out.str()), 300);
    EXPECT_EQ(read, image);
}

TEST(StartupImageFile, ReadingStopsAndWraps)
{
    struct Row {
        const char *name;
        std::string text;
        std::vector<int> values; // the bytes from offset 0 that the text sets
    };
    std::string threeFifty;
    for (int i = 0; i < 350; ++i)
        threeFifty += std::to_string(i % 200) + "\r\n";
    std::vector<int> first300;
    for (int i = 0; i < 300; ++i)
        first300.push_back(i % 200);
    std::string oneFifty;
    for (int i = 0; i < 150; ++i)
        oneFifty += "7 ";
    const std::vector<Row> rows = {
        {"empty", "", {}},
        {"150 numbers", oneFifty, std::vector<int>(150, 7)},
        {"more than 300", threeFifty, first300},
        {"modulo 256", "256 257 -1 4294967295 +5", {0, 1, 255, 255, 5}},
        {"stops at a word", "9 9 nine 9", {9, 9}},
        {"stops at a mixed token", "4 5x 6", {4}},
        {"tabs and bare line feeds", "1\t2\n3", {1, 2, 3}},
    };
    for (const Row &row : rows) {
        UnitImage image = startupImage();
        EXPECT_EQ(readStartupInto(image, row.text), static_cast<int>(row.values.size())) << row.name;
        UnitImage expected = startupImage();
        for (std::size_t i = 0; i < row.values.size(); ++i)
            expected[static_cast<int>(i)] = static_cast<std::uint8_t>(row.values[i]);
        EXPECT_EQ(image, expected) << row.name << ": the bytes after the last number keep their values";
    }
}
