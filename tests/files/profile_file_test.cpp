#include "files/profile_file.h"
#include "files/settings_files.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <random>
#include <sstream>
#include <string>

using namespace talviro6;

namespace {

ProfileFile profileOf(const std::string &text)
{
    ProfileFile p;
    std::istringstream in(text, std::ios::binary);
    EXPECT_TRUE(p.read(in));
    return p;
}

std::string written(const ProfileFile &p)
{
    std::ostringstream out(std::ios::binary);
    p.writeTo(out);
    return out.str();
}

std::string crlf(const std::string &lf)
{
    std::string s;
    for (const char c : lf) {
        if (c == '\n')
            s += '\r';
        s += c;
    }
    return s;
}

bool unlocks(const std::string &text)
{
    std::istringstream in(text, std::ios::binary);
    return containsAccessWord(in);
}

// A settings file as a tuner may leave it: our section among others, comments,
// blank lines, blanks around names and values, and lines that are nothing.
const std::string HandEdited = "; kept by hand\n"
                               "[PORTS]\n"
                               "Port1=/dev/ttyUSB0\n"
                               "\n"
                               "[BASIC]\n"
                               "Left=10\n"
                               "  Top = 20  \n"
                               "; language=1 was German\n"
                               "Language=2\n"
                               "[Tuner]\n"
                               "stray line\n"
                               "=no name\n"
                               "Notes=a=b; c\n";

} // namespace

TEST(ProfileFile, WritesBackWhatItReadInOrderWithCrLf)
{
    const ProfileFile p = profileOf(HandEdited);
    EXPECT_EQ(written(p), crlf(HandEdited));
    EXPECT_EQ(written(profileOf(crlf(HandEdited))), crlf(HandEdited)) << "CRLF read is not doubled";

    EXPECT_EQ(p.value("BASIC", "Top"), "20") << "blanks around names and values do not count";
    EXPECT_EQ(p.value("Tuner", "Notes"), "a=b; c") << "the first '=' ends the name";
    EXPECT_EQ(p.value("PORTS", "Port1"), "/dev/ttyUSB0");
    EXPECT_FALSE(p.value("BASIC", "; language").has_value()) << "a comment is no key";
    EXPECT_FALSE(p.value("Tuner", "").has_value());
    EXPECT_FALSE(p.value("BASIC", "Port1").has_value()) << "keys belong to their section";
}

TEST(ProfileFile, SettingAKeyReplacesItsLineInPlace)
{
    ProfileFile p = profileOf(HandEdited);
    p.writeInteger("BASIC", "Top", -7);
    std::string expected = crlf(HandEdited);
    expected.replace(expected.find("  Top = 20  "), 12, "Top=-7");
    EXPECT_EQ(written(p), expected);
    EXPECT_EQ(p.readInteger("BASIC", "Top", 0), -7);
}

TEST(ProfileFile, ReadIntegerTakesOnlyAWholeDecimalNumber)
{
    constexpr int Fallback = -99;
    struct Row {
        const char *text;
        int value;
    };
    const Row rows[] = {
        {"12", 12},
        {" -3 ", -3},
        {"+7", 7},
        {"007", 7},
        {"-0", 0},
        {"2147483647", INT_MAX},
        {"-2147483648", INT_MIN},
        {"12abc", Fallback},
        {"", Fallback},
        {"99999999999", Fallback},
        {"2147483648", Fallback},
        {"-2147483649", Fallback},
        {"0x10", Fallback},
        {"1.5", Fallback},
        {"1 2", Fallback},
        {"+", Fallback},
        {"-", Fallback},
        {"+-3", Fallback},
        {"-+3", Fallback},
        {"++3", Fallback},
        {"--3", Fallback},
        {"+ 3", Fallback},
        {"3-", Fallback},
    };
    for (const Row &r : rows) {
        const ProfileFile p = profileOf(std::string("[S]\nK=") + r.text + "\n");
        EXPECT_EQ(p.readInteger("S", "K", Fallback), r.value) << '"' << r.text << '"';
    }
    EXPECT_EQ(profileOf("[S]\nK=5\n").readInteger("S", "Missing", Fallback), Fallback);
    EXPECT_EQ(profileOf("[S]\nK=5\n").readInteger("T", "K", Fallback), Fallback);
}

TEST(ProfileFile, SectionAndKeyNamesIgnoreCase)
{
    ProfileFile p = profileOf("[basic]\nLEFT=5\nleft=6\n");
    EXPECT_EQ(p.readInteger("BASIC", "Left", 0), 5) << "the first of two spellings";
    p.writeInteger("Basic", "lEfT", 8);
    EXPECT_EQ(written(p), "[basic]\r\nlEfT=8\r\nleft=6\r\n") << "no second section, no second key";
    EXPECT_EQ(p.readString("BASIC", "LEFT", "none"), "8");
}

TEST(ProfileFile, NewKeysGoToTheEndOfTheirSectionAndNewSectionsToTheEnd)
{
    ProfileFile p = profileOf("[A]\nx=1\n; about B\n\n[B]\ny=2\n[Empty]\n[C]\n");
    p.write("a", "z", "3");
    p.write("Empty", "e", "4");
    p.write("New", "k", "v");
    p.write("new", "k2", "w");
    EXPECT_EQ(written(p), crlf("[A]\nx=1\nz=3\n; about B\n\n[B]\ny=2\n[Empty]\ne=4\n[C]\n[New]\nk=v\nk2=w\n"));
    EXPECT_EQ(p.value("A", "z"), "3");
    EXPECT_EQ(p.value("NEW", "K2"), "w");

    ProfileFile empty;
    empty.writeInteger("BASIC", "Left", 1);
    EXPECT_EQ(written(empty), "[BASIC]\r\nLeft=1\r\n");
}

TEST(ProfileFile, AValueWithLineBreaksStaysOneLine)
{
    ProfileFile p = profileOf("[BASIC]\nFile=old\nIniDir=x\n");
    p.write("BASIC", "File", "one\r\ntwo\nthree\rfour");
    const std::string out = written(p);
    EXPECT_EQ(out, "[BASIC]\r\nFile=one  two three four\r\nIniDir=x\r\n");
    const ProfileFile again = profileOf(out);
    EXPECT_EQ(again.value("BASIC", "File"), "one  two three four");
    EXPECT_EQ(again.value("BASIC", "IniDir"), "x");
}

TEST(ProfileFile, AValueWithANulByteIsWrittenSoItReadsBack)
{
    // A NUL makes a file unreadable as ours, so the next start would set it aside.
    ProfileFile p = profileOf("[BASIC]\nFile=old\n");
    p.write("BASIC", "File", std::string("a\0b \0", 5));
    const std::string out = written(p);
    EXPECT_EQ(out, "[BASIC]\r\nFile=ab\r\n");
    ProfileFile again;
    std::istringstream in(out, std::ios::binary);
    ASSERT_TRUE(again.read(in));
    EXPECT_EQ(again.value("BASIC", "File"), "ab");
}

TEST(ProfileFile, AStreamLongerThanTheCapIsRefusedAndLeavesNothing)
{
    const std::string line = "[BASIC]\nLeft=1\n";
    std::string atCap = line;
    atCap.resize(ProfileFile::MaxBytes, ';');
    EXPECT_EQ(profileOf(atCap).readInteger("BASIC", "Left", 0), 1) << "exactly the cap is read";

    ProfileFile p = profileOf("[BASIC]\nTop=3\n");
    std::string big = line;
    big.resize(2 * ProfileFile::MaxBytes, 'x');
    std::istringstream in(big, std::ios::binary);
    EXPECT_FALSE(p.read(in));
    EXPECT_FALSE(p.value("BASIC", "Left").has_value());
    EXPECT_FALSE(p.value("BASIC", "Top").has_value()) << "what was read before is gone too";
    EXPECT_EQ(written(p), "");

    std::string overByOne = atCap + ';';
    std::istringstream over(overByOne, std::ios::binary);
    EXPECT_FALSE(p.read(over));
}

TEST(ProfileFile, AnyBytesReadWithoutThrowingAndWriteBackUnchanged)
{
    std::mt19937 random(76);
    std::vector<std::string> inputs{
        std::string("\0\0[\0]\0=\0\n", 10), "[", "]", "[]\n=\n[ ]\n=x\nk=\n", "a\rb\r\r\nc\r", "\r\n\r\n\n\n",
        "[BASIC]\nLeft=\xff\xfe\x80\n",
    };
    for (int n = 0; n < 50; ++n) {
        std::string s(static_cast<std::size_t>(random() % 4096), '\0');
        for (char &c : s)
            c = static_cast<char>(random() % 8 == 0 ? "[]=;\r\n \t"[random() % 8] : 1 + random() % 255);
        inputs.push_back(s);
    }
    for (const std::string &input : inputs) {
        ProfileFile p;
        std::istringstream in(input, std::ios::binary);
        // A NUL byte is no text of ours (UTF-16, binary): refused, so never rewritten.
        const bool text = input.find('\0') == std::string::npos;
        ASSERT_NO_THROW(EXPECT_EQ(p.read(in), text));
        if (!text)
            continue;
        ASSERT_NO_THROW(p.readInteger("BASIC", "Left", 0));
        const std::string once = written(p);
        EXPECT_EQ(written(profileOf(once)), once);
    }
}

TEST(TestEnableFile, OnlyTheWholeAccessWordUnlocks)
{
    struct Row {
        std::string text;
        bool unlocks;
        const char *what;
    };
    const std::string huge(10'000'000, 'X');
    const Row rows[] = {
        {"DIAG_UNLOCK", true, "the word alone"},
        {"mode DIAG_UNLOCK please", true, "among others"},
        {"first line\r\nDIAG_UNLOCK\r\n", true, "with CRLF"},
        {"\t\tDIAG_UNLOCK\t", true, "between tabs"},
        {"", false, "empty file"},
        {" \r\n\t", false, "blanks only"},
        {"diag_unlock", false, "lower case"},
        {"Diag_Unlock", false, "mixed case"},
        {"DIAG_UNLOC", false, "one letter short"},
        {"DIAG_UNLOCKED", false, "the word as a prefix"},
        {"XDIAG_UNLOCK", false, "the word as a suffix"},
        {"DIAG_UNLOCK;", false, "punctuation belongs to the token"},
        {std::string("DIAG_UNLOCK\0", 12), false, "a NUL belongs to the token"},
        {"DIAG_UNLOCK" + std::string(5, 'X'), false, "a prefix that just fills the kept characters"},
        {"DIAG_UNLOCK" + huge, false, "a 10 MB token that starts with the word"},
        {huge + " DIAG_UNLOCK", true, "after a 10 MB token"},
        {"DIAG UNLOCK", false, "split in two"},
    };
    for (const Row &r : rows)
        EXPECT_EQ(unlocks(r.text), r.unlocks) << r.what;
}

TEST(SettingsFiles, NamesCarryTheProtocolVersion)
{
    EXPECT_EQ(settingsFileName(), "TALVIRO6_v76.ini");
    EXPECT_EQ(startupImageFileName(), "_TALVIRO6_v76.ini");
    EXPECT_EQ(TestEnableFileName, "test_zorbin.txt");
}
