#include "files/token_reader.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

using namespace talviro6;

namespace {

std::vector<Token> allTokens(TokenReader reader)
{
    std::vector<Token> tokens;
    Token token;
    while (reader.next(token))
        tokens.push_back(token);
    return tokens;
}

/// The tokens of a stream, checked against those of the same bytes as a text read
/// already: both sources must split alike.
std::vector<Token> tokensOf(const std::string &text)
{
    std::istringstream in(text);
    const std::vector<Token> tokens = allTokens(TokenReader(in));
    const std::vector<Token> fromText = allTokens(TokenReader(std::string_view(text)));
    EXPECT_EQ(fromText.size(), tokens.size());
    for (std::size_t i = 0; i < std::min(tokens.size(), fromText.size()); ++i) {
        EXPECT_EQ(fromText[i].text, tokens[i].text);
        EXPECT_EQ(fromText[i].truncated, tokens[i].truncated);
        EXPECT_EQ(fromText[i].isNumber, tokens[i].isNumber);
        EXPECT_EQ(fromText[i].value, tokens[i].value);
    }
    return tokens;
}

} // namespace

TEST(TokenReader, SplitsOnSpaceTabCrLfOnly)
{
    const auto tokens = tokensOf("  BIKE\t\t12\r\n\r\nx\vy\fz  ");
    ASSERT_EQ(tokens.size(), 3u);
    EXPECT_EQ(tokens[0].text, "BIKE");
    EXPECT_EQ(tokens[1].text, "12");
    EXPECT_EQ(tokens[2].text, "x\vy\fz") << "other control bytes belong to the token";
}

TEST(TokenReader, Numbers)
{
    struct Row {
        const char *text;
        bool isNumber;
        std::uint32_t value;
    };
    const Row rows[] = {
        {"0", true, 0},
        {"76", true, 76},
        {"+76", true, 76},
        {"-16", true, 4294967280u},
        {"-0", true, 0},
        {"4294967295", true, 4294967295u},
        {"4294967296", true, 0},
        {"4294967373", true, 77}, // 2^32 + 77
        {"99999999999999999999", true, 1661992959u},
        {"000000000000000000000000000000000000000042", true, 42},
        {"-", false, 0},
        {"+", false, 0},
        {"+-1", false, 0},
        {"1-", false, 0},
        {"12a", false, 0},
        {"0x10", false, 0},
        {"1.5", false, 0},
        {"BIKE", false, 0},
    };
    for (const Row &row : rows) {
        const auto tokens = tokensOf(row.text);
        ASSERT_EQ(tokens.size(), 1u) << row.text;
        EXPECT_EQ(tokens[0].isNumber, row.isNumber) << row.text;
        EXPECT_EQ(tokens[0].value, row.value) << row.text;
    }
}

TEST(TokenReader, LongTokensKeepOnlyTheirStart)
{
    const std::string longWord = "BIKE" + std::string(600, 'X');
    const std::string longNumber = std::string(700, '0') + "300";
    const auto tokens = tokensOf(longWord + " " + longNumber + " BIKE");
    ASSERT_EQ(tokens.size(), 3u);
    EXPECT_TRUE(tokens[0].truncated);
    EXPECT_FALSE(tokens[0].is("BIKE"));
    EXPECT_LE(tokens[0].text.size(), Token::KeptChars);
    EXPECT_TRUE(tokens[1].isNumber);
    EXPECT_EQ(tokens[1].value, 300u);
    EXPECT_TRUE(tokens[2].is("BIKE"));
}

TEST(TokenReader, BinaryBytesAndNulsAreOrdinaryTokenBytes)
{
    std::string text("A\0B \xff\xfe 7", 8);
    const auto tokens = tokensOf(text);
    ASSERT_EQ(tokens.size(), 3u);
    EXPECT_EQ(tokens[0].text, std::string("A\0B", 3));
    EXPECT_TRUE(tokens[2].isNumber);
}

TEST(TokenReader, EmptyAndBlankStreamsHaveNoTokens)
{
    EXPECT_TRUE(tokensOf("").empty());
    EXPECT_TRUE(tokensOf(" \r\n\t ").empty());
}
