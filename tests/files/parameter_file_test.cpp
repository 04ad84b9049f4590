#include "file_fixtures.h"
#include "files/parameter_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <sstream>
#include <vector>

using namespace talviro6;
using talviro6::testing::readFixture;
using talviro6::testing::startupImage;
using talviro6::testing::startupImageWithCells;

namespace {

std::string written(const UnitImage &image)
{
    std::ostringstream out(std::ios::binary);
    writeParameterFile(out, image);
    return out.str();
}

struct ReadResult {
    int version;
    std::vector<FileMessage> messages;
};

ReadResult readInto(UnitImage &image, const std::string &text)
{
    std::istringstream in(text, std::ios::binary);
    ReadResult result{0, {}};
    result.version = readParameterFile(in, image, [&](FileMessage m) { result.messages.push_back(m); });
    return result;
}

/// Offsets the file stores.
std::vector<int> storedOffsets()
{
    std::vector<int> offsets = {0,  2,  3,  4,  5,  6,  8,  9,  10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21,
                                22, 23, 24, 25, 26, 27, 28, 30, 31, 34, 35, 38, 39, 42, 43, 46, 47, 50, 51};
    for (int i = 70; i < 227; ++i)
        offsets.push_back(i);
    return offsets;
}

const std::string Key76 = "KORVALEN_KEY 76\r\n";

} // namespace

TEST(ParameterFileWriter, WritesTheFixtureByteForByte)
{
    const std::string text = written(startupImageWithCells());
    EXPECT_EQ(text, readFixture("startup_cells.ign"));

    int lines = 1;
    for (char c : text)
        lines += c == '\n';
    EXPECT_EQ(lines, 57);
    EXPECT_NE(text.back(), '\n') << "the last line has no line end";
    EXPECT_EQ(text.find("\n"), text.find("\r\n") + 1) << "CRLF line ends";
}

TEST(ParameterFileWriter, EveryConversionOfEveryByteIsHeldByteForByte)
{
    // No two neighbouring bytes alike and every value class present (0, 1, above
    // 100, above 250), so a conversion, a format or a value swapped with its
    // neighbour shows in the text.
    UnitImage image;
    for (int offset = 0; offset < ParameterSize; ++offset)
        image[offset] = static_cast<std::uint8_t>(offset * 37 + 11);
    EXPECT_EQ(written(image), readFixture("every_byte.ign"));

    UnitImage back;
    for (int offset = 0; offset < ParameterSize; ++offset)
        back[offset] = static_cast<std::uint8_t>(offset * 37 + 11);
    EXPECT_EQ(readInto(back, readFixture("every_byte.ign")).version, 76);
    EXPECT_EQ(written(back), readFixture("every_byte.ign")) << "read back and written again";
}

TEST(ParameterFileWriter, SignedAndOnOffValues)
{
    UnitImage image = startupImage();
    image[field::TachoCorrection] = 40;     // -60 %
    image[field::AdvanceCorrection1] = 120; // +20 degrees
    image[field::AdvanceCorrection2] = 0;   // -100, only from outside the controls
    image[field::TpsMapEnable] = 7;
    image[field::ServoEnable] = 0;
    const std::string text = written(image);
    EXPECT_NE(text.find("\r\nRPM            1   -60 \r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\nCOR_ADV_12     20  -100 \r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\nTPS_MAPA        1\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\nSERVO_ENABLE    0\r\n"), std::string::npos);
}

TEST(ParameterFileReader, ReadsTheFixtureBackExactly)
{
    UnitImage image = startupImage();
    image[field::PowerOutCells(0, 0)] = 0xF0; // its high bits are not in the file
    const auto result = readInto(image, readFixture("startup_cells.ign"));
    EXPECT_EQ(result.version, 76);
    EXPECT_TRUE(result.messages.empty());
    EXPECT_EQ(image, startupImageWithCells());
}

TEST(ParameterFileReader, RoundTripOfRandomImages)
{
    std::mt19937 random(12345);
    for (int round = 0; round < 200; ++round) {
        UnitImage original;
        for (auto &byte : original.parameters)
            byte = static_cast<std::uint8_t>(random());

        UnitImage expected = original;
        for (int i = field::PowerOutCellsBase; i < field::PowerOutCells(2, 2) + 1; ++i)
            expected[i] &= 0x0F; // only bits 0 ... 3 are written
        for (int onOff : {field::TpsMapEnable, field::ServoEnable})
            expected[onOff] = original[onOff] != 0;

        UnitImage read;
        read.parameters.fill(0xA5); // the unstored bytes must keep this
        for (int offset : storedOffsets())
            read[offset] = 0;
        const auto result = readInto(read, written(original));
        ASSERT_EQ(result.version, 76);
        const std::vector<int> stored = storedOffsets();
        for (int i = 0; i < ParameterSize; ++i) {
            const bool isStored = std::find(stored.begin(), stored.end(), i) != stored.end();
            ASSERT_EQ(read[i], isStored ? expected[i] : 0xA5) << "offset " << i << ", round " << round;
        }
    }
}

TEST(ParameterFileReader, KeyAloneLoadsAndChangesNothing)
{
    UnitImage image = startupImage();
    const auto result = readInto(image, "KORVALEN_KEY   76 ");
    EXPECT_EQ(result.version, 76);
    EXPECT_EQ(image, startupImage());
}

TEST(ParameterFileReader, FilesWithoutAnAcceptedVersionChangeNothing)
{
    struct Row {
        const char *name;
        std::string text;
        int mismatches;
    };
    std::string binary;
    for (int i = 0; i < 4096; ++i)
        binary.push_back(static_cast<char>((i * 7919) & 0xFF));
    const Row rows[] = {
        {"empty", "", 0},
        {"blank", " \r\n\t", 0},
        {"no key word", "BIKE 5 BASE_ADV 20", 0},
        {"binary", binary, 0},
        {"lower-case key", "korvalen_key 76 BASE_ADV 20", 0},
        {"unknown version", "KORVALEN_KEY 75 BASE_ADV 20", 1},
        {"two unknown versions", "KORVALEN_KEY 75 KORVALEN_KEY 77 BASE_ADV 20", 2},
        {"version missing at the end", "BASE_ADV 20 KORVALEN_KEY", 1},
        {"version not a number", "KORVALEN_KEY v76 BASE_ADV 20", 1},
    };
    for (const Row &row : rows) {
        UnitImage image = startupImage();
        const auto result = readInto(image, row.text);
        EXPECT_EQ(result.version, 0) << row.name;
        EXPECT_EQ(image, startupImage()) << row.name;
        EXPECT_EQ(result.messages,
                  std::vector<FileMessage>(static_cast<std::size_t>(row.mismatches), FileMessage::FileVersionMismatch))
            << row.name;
    }
}

TEST(ParameterFileReader, AVersionThatIsNotANumberMayBeTheNextKey)
{
    UnitImage image = startupImage();
    const auto result = readInto(image, "KORVALEN_KEY KORVALEN_KEY 76 BASE_ADV 20");
    EXPECT_EQ(result.version, 76);
    EXPECT_EQ(result.messages, std::vector<FileMessage>{FileMessage::FileVersionMismatch});
    EXPECT_EQ(image[field::BaseAdvance], 20);
}

TEST(ParameterFileReader, UnknownVersionThenAWholeFile)
{
    UnitImage image = startupImage();
    const auto result = readInto(image, "KORVALEN_KEY 75\r\n" + readFixture("startup_cells.ign"));
    EXPECT_EQ(result.version, 76);
    EXPECT_EQ(result.messages, std::vector<FileMessage>{FileMessage::FileVersionMismatch});
    EXPECT_EQ(image, startupImageWithCells());
}

TEST(ParameterFileReader, VersionIsComparedOnItsLow16Bits)
{
    UnitImage image = startupImage();
    EXPECT_EQ(readInto(image, "KORVALEN_KEY 65612").version, 76); // 65536 + 76
}

TEST(ParameterFileReader, OlderVersionsSetTheOlderDefaultsFirst)
{
    for (int version : {50, 60}) {
        UnitImage image = startupImage();
        image[field::AdvanceCorrection1] = 105;
        image[field::AdvanceCorrection2] = 95;
        image[field::PowerOutMode(0)] = 4;
        image[field::PowerOutRpm(1, 0)] = 33;
        const auto result = readInto(image, "KORVALEN_KEY " + std::to_string(version) + " BASE_ADV 20");
        EXPECT_EQ(result.version, version);
        EXPECT_EQ(result.messages, std::vector<FileMessage>{FileMessage::OlderFileVersion});
        EXPECT_EQ(image[field::BaseAdvance], 20);
        EXPECT_EQ(image[field::PowerOutMode(0)], 1);
        EXPECT_EQ(image[field::PowerOutMode(1)], 2);
        EXPECT_EQ(image[field::PowerOutMode(2)], 3);
        EXPECT_EQ(image[field::PowerOutRpm(1, 0)], 90);
        EXPECT_EQ(image[field::PowerOutRpm(2, 0)], 40);
        EXPECT_EQ(image[field::PowerOutRpm(2, 1)], 125);
        EXPECT_EQ(image[field::PowerOutTps(2, 0)], 75);
        if (version == 50) {
            EXPECT_EQ(image[field::AdvanceCorrection1], 100);
            EXPECT_EQ(image[field::AdvanceCorrection2], 100);
        } else {
            EXPECT_EQ(image[field::AdvanceCorrection1], 105);
            EXPECT_EQ(image[field::AdvanceCorrection2], 95);
        }
    }
}

TEST(ParameterFileReader, OlderFileValuesOverrideItsDefaults)
{
    UnitImage image = startupImage();
    readInto(image, "KORVALEN_KEY 50\r\nCOR_ADV_12 -3 4\r\nPILOT_LIGHT 9500\r\n");
    EXPECT_EQ(image[field::AdvanceCorrection1], 97);
    EXPECT_EQ(image[field::AdvanceCorrection2], 104);
    EXPECT_EQ(image[field::PowerOutRpm(1, 0)], 95);
}

TEST(ParameterFileReader, ValueConversions)
{
    struct Row {
        const char *text;
        std::vector<std::pair<int, int>> bytes; // offset, expected value
    };
    const std::vector<Row> rows = {
        {"RPM 77 -16", {{11, 77}, {12, 84}}},
        {"TPS 1400 3970", {{20, 140}, {21, 147}}},
        {"TPS 0 2500", {{20, 0}, {21, 0}}},
        {"TPS 0 5050", {{21, 255}}},
        {"CLUTCH 2509 100", {{27, 250}, {28, 10}}},
        {"SERVO_HYSTER 1274", {{17, 254}}},
        {"LIMITER 100 120 7", {{25, 100}, {13, 120}, {26, 7}}},
        {"INPUT 1 -1 1 0", {{14, 1}, {15, 255}, {6, 1}, {8, 0}}},
        {"BASE_ADV 4294967297", {{9, 1}}},             // 2^32 + 1
        {"BASE_ADV 99999999999999999999", {{9, 255}}}, // 1661992959 mod 256
        {"BASE_ADV -1", {{9, 255}}},
        {"BASE_ADV 300", {{9, 44}}},
        {"RPM_ADV 65636 100 0 0 0 0 0 0 0 25599", {{90, 1}, {91, 1}, {92, 0}, {99, 255}}}, // low 16 first
        {"COR_ADV_12 -100 155", {{18, 0}, {19, 255}}},
        {"TPS_MAPA 2", {{22, 2}}},
        {"SERVO_MV 5000 20 0 0 0 0 0 0 0 5119", {{80, 250}, {81, 1}, {89, 255}}},
        {"POWER_JET 4000 12500 75 1", {{209, 40}, {210, 125}, {216, 75}, {202, 4}, {224, 3}, {225, 1}, {226, 1}}},
        // A fourth value of zero leaves the output as it was: a power jet with its fixed cells.
        {"POWER_JET 4100 12600 76 0", {{209, 41}, {210, 126}, {216, 76}, {202, 3}, {224, 14}, {225, 12}, {226, 12}}},
        {"POWER_JET 4000 12500 75 65536", {{202, 3}, {224, 14}}}, // low 16 is zero
        {"POWER_OUT2 4 300 400 500 10 20 1 0 0 0 0 1 0 0 7 7 7 7",
         {{201, 4}, {206, 3}, {207, 4}, {208, 5}, {214, 10}, {215, 20}, {221, 1}, {222, 2}, {223, 15}}},
        {"POWER_OUT3 0 0 0 0 0 0 0 0 0 65536 0 0 0 0 0 0 0 0", {{224, 0}}},
    };
    for (const Row &row : rows) {
        UnitImage image = startupImage();
        const auto result = readInto(image, Key76 + row.text);
        ASSERT_EQ(result.version, 76) << row.text;
        for (auto [offset, value] : row.bytes)
            EXPECT_EQ(image[offset], value) << row.text << ": offset " << offset;
    }
}

TEST(ParameterFileReader, TpsCorrectionSurvivesARoundTrip)
{
    UnitImage image = startupImage();
    readInto(image, Key76 + "RPM 77 -16");
    EXPECT_NE(written(image).find("\r\nRPM           77   -16 \r\n"), std::string::npos);
}

TEST(ParameterFileReader, KeyWordsAreExactAndCaseSensitive)
{
    struct Row {
        const char *text;
        int baseAdvance; // byte 9 afterwards; 10 is the default
    };
    const Row rows[] = {
        {"base_adv 20", 10},
        {"BASE_ADVX 20", 10},
        {"XBASE_ADV 20", 10},
        {"BASE_ADV 20 BASE_ADV 30", 30},            // repeated: the last wins
        {"BASE_ADV 20 21 22", 20},                  // extra values are skipped
        {"BASE_ADV KORVALEN_KEY 50 BASE_ADV 5", 5}, // a second key is an ordinary token
        {"BASE_ADV", 10},                           // the file ends where the value should be
    };
    for (const Row &row : rows) {
        UnitImage image = startupImage();
        const auto result = readInto(image, Key76 + row.text);
        EXPECT_EQ(result.version, 76) << row.text;
        EXPECT_TRUE(result.messages.empty()) << row.text;
        EXPECT_EQ(image[field::BaseAdvance], row.baseAdvance) << row.text;
    }
}

TEST(ParameterFileReader, ATokenThatIsNotANumberEndsTheKeyWordAndIsReadAgain)
{
    UnitImage image = startupImage();
    readInto(image, Key76 + "LIMITER 90 BASE_ADV 12");
    EXPECT_EQ(image[field::StartLimiter], 90);
    EXPECT_EQ(image[field::Limiter], 110) << "not stored";
    EXPECT_EQ(image[field::Retard], 6) << "not stored";
    EXPECT_EQ(image[field::BaseAdvance], 12) << "the interrupting key word is read";

    image = startupImage();
    readInto(image, Key76 + "LIMITER 90 " + std::string(500, '7') + "x 5 6");
    EXPECT_EQ(image[field::StartLimiter], 90);
    EXPECT_EQ(image[field::Limiter], 110);
}

TEST(ParameterFileReader, AFlagRowIsStoredOnlyWhenComplete)
{
    UnitImage image = startupImage();
    image[field::PowerOutCells(0, 0)] = 0xF0;
    image[field::PowerOutCells(0, 1)] = 0x0A;
    readInto(image, Key76 + "POWER_OUT1 2 30 40 50 10 20 1 0 1 0 1 1 end");
    EXPECT_EQ(image[field::PowerOutMode(0)], 2);
    EXPECT_EQ(image[field::PowerOutCells(0, 0)], 0b0101) << "complete row, high bits cleared";
    EXPECT_EQ(image[field::PowerOutCells(0, 1)], 0x0A) << "two of four flags: row kept";
}

TEST(ParameterFileReader, KeyWordsInAnyOrderLoadTheSameImage)
{
    // Split the fixture into its key-word sections and read them back to front.
    const std::string text = readFixture("startup_cells.ign");
    std::vector<std::string> sections;
    std::istringstream in(text);
    std::string line;
    std::getline(in, line); // the key line
    while (std::getline(in, line)) {
        if (!line.empty() && line[0] != ' ' && line[0] != '\r')
            sections.emplace_back();
        if (!sections.empty())
            sections.back() += line + "\n";
    }
    ASSERT_EQ(sections.size(), 19u);
    std::string reordered = Key76;
    for (auto it = sections.rbegin(); it != sections.rend(); ++it)
        reordered += *it;

    UnitImage image;
    const auto result = readInto(image, reordered);
    EXPECT_EQ(result.version, 76);
    UnitImage fromFixture;
    readInto(fromFixture, text);
    EXPECT_EQ(image, fromFixture);
    EXPECT_EQ(image, startupImageWithCells());
}

TEST(ParameterFileReader, HugeInputsEndWithoutHarm)
{
    // A long run of one long token, then a number, with no separators in between.
    std::string text = Key76 + "BIKE " + std::string(1 << 20, 'Z');
    UnitImage image = startupImage();
    const auto result = readInto(image, text);
    EXPECT_EQ(result.version, 76);
    EXPECT_EQ(image, startupImage());
}

// A file cut short or lacking key words loads what it holds over the values before
// it, which the tuner must hear of: the reader counts the values it did not hold.
TEST(ParameterFileReader, CountsTheValuesAFileDoesNotHold)
{
    const std::string whole = written(startupImageWithCells());
    const std::size_t advance = whole.find("ADVANCE");
    // 45 values come before the map; cut after 35 of its 100.
    std::string cut = whole.substr(0, advance);
    {
        std::istringstream map(whole.substr(advance));
        std::string token;
        map >> token;
        cut += token;
        for (int i = 0; i < 35 && map >> token; ++i)
            cut += ' ' + token;
    }
    std::string withoutLimiter = whole;
    withoutLimiter.replace(withoutLimiter.find("LIMITER"), 7, "limiter");
    const std::string png = std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16) + std::string(200, '\x07');

    const struct {
        const char *what;
        std::string text;
        int version;
        bool keyFound;
        int missing;
    } rows[] = {
        {"a whole file", whole, 76, true, 0},
        {"cut in the advance map", cut, 76, true, ParameterFileValueCount - 45 - 35},
        {"without LIMITER", withoutLimiter, 76, true, 3},
        {"the key word alone", Key76, 76, true, ParameterFileValueCount},
        {"a repeated key word counts once", whole + "\r\nLIMITER 1 2 3", 76, true, 0},
        {"text without the key word", "BIKE 1 2 3\r\nhello", 0, false, 0},
        {"a picture", png, 0, false, 0},
        {"only a version the tool does not know", "KORVALEN_KEY 75 BIKE 1", 0, true, 0},
    };
    EXPECT_EQ(ParameterFileValueCount, 223);
    for (const auto &row : rows) {
        UnitImage image = startupImage();
        std::istringstream in(row.text, std::ios::binary);
        ParameterFileReport report;
        EXPECT_EQ(readParameterFile(in, image, {}, &report), row.version) << row.what;
        EXPECT_EQ(report.keyFound, row.keyFound) << row.what;
        EXPECT_EQ(report.valuesMissing, row.missing) << row.what;
    }
}
