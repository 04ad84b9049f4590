// Frames and the unit header: pure functions over bytes.
#include "link/frame.h"
#include "link/monitor_frame.h"
#include "link/unit_header.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <iconv.h>
#endif

#include <initializer_list>
#include <string>

using namespace talviro6;

TEST(Frame, CheckByteIsFFXorEveryByte)
{
    struct Row {
        std::uint8_t code;
        std::uint8_t fill;
        std::uint8_t check;
    };
    const Row rows[] = {
        {0x30, 0x00, 0xCF}, // the poll
        {0x00, 0x00, 0xFF}, // program: the header request
        {0x40, 0x00, 0xBF}, // read: the header request
        {0x41, 0x01, 0xBE}, // 100 equal data bytes cancel out
        {0x43, 0xFF, 0xBC},
    };
    for (const Row &r : rows) {
        Frame f{};
        f[0] = r.code;
        std::fill(f.begin() + 1, f.begin() + 101, r.fill);
        seal(f);
        EXPECT_EQ(f[101], r.check) << int(r.code);
        EXPECT_TRUE(hasMatchingCheckByte(f));
    }
    // Any single flipped bit anywhere is caught.
    Frame f = makeFrame(0x41);
    for (std::size_t i = 0; i < f.size(); ++i) {
        for (int bit = 0; bit < 8; ++bit) {
            Frame g = f;
            g[i] ^= static_cast<std::uint8_t>(1 << bit);
            EXPECT_FALSE(hasMatchingCheckByte(g)) << i << ':' << bit;
        }
    }
}

TEST(Frame, MonitorFrameFieldsSurviveEncodeAndDecode)
{
    MonitorFrame m;
    m.engineSpeed = 0xBEEF;
    m.tpsCounts = 1023;
    m.supplyMillivolts = 13800;
    m.servoMeasured = 1;
    m.servoDesired = 2;
    m.programCount = 0x1234;
    m.testValues = {1, 2, 3, 4, 5, 6, 7, 0xFFFF};
    m.killSwitch = m.clutch = m.powerOut3 = m.pickup2 = m.speedYellow = m.input2Grounded = m.dataError = true;
    m.tpsPercent = 150;
    m.pickupCounterA = {1, 2};
    m.pickupCounterB = {3, 4};
    m.advance = {130, 75};
    m.maxAdvance = {30, 0x0102};
    m.savingCountdown = 600;
    m.protocolVersion = 76;
    const Frame f = encodeMonitorFrame(m);
    EXPECT_EQ(f[0], 0xB0);
    EXPECT_EQ(f[1], 0xEF); // least significant byte first
    EXPECT_EQ(f[2], 0xBE);
    EXPECT_EQ(f[41], 150);
    EXPECT_EQ(f[56], 0x02);
    EXPECT_EQ(f[95], 600 & 0xFF);
    EXPECT_EQ(f[100], 76);
    ASSERT_TRUE(decodeMonitorFrame(f));
    EXPECT_EQ(*decodeMonitorFrame(f), m);

    Frame wrongType = f;
    wrongType[0] = 0xB1;
    seal(wrongType);
    EXPECT_FALSE(decodeMonitorFrame(wrongType));
    Frame wrongCheck = f;
    wrongCheck[101] ^= 0x80;
    EXPECT_FALSE(decodeMonitorFrame(wrongCheck));
    // Any non-zero byte is a set flag.
    Frame flag = f;
    flag[37] = 0x40;
    seal(flag);
    EXPECT_TRUE(decodeMonitorFrame(flag)->killSwitch);
}

TEST(UnitHeader, DecodesNameDateAndTime)
{
    UnitHeader h{};
    const std::uint8_t bytes[] = {'A', 'B', 'C', 7, 5, 32, 8, 14, 21};
    std::copy(std::begin(bytes), std::end(bytes), h.begin());
    UnitHeaderTexts t = DecodeUnitHeader(h);
    EXPECT_EQ(t.UnitNameText, "ABC07");
    EXPECT_EQ(t.UnitDateText, " 5. 3.2008");
    EXPECT_EQ(t.UnitTimeText, "14:21");

    h[16] = 'X';
    EXPECT_EQ(DecodeUnitHeader(h).UnitNameText, "X");
    // 30 characters at most, even without a closing zero.
    for (int i = 16; i < 100; ++i)
        h[static_cast<std::size_t>(i)] = 'Y';
    EXPECT_EQ(DecodeUnitHeader(h).UnitNameText, std::string(30, 'Y'));

    h[4] = 31;
    h[16] = 0;
    EXPECT_EQ(DecodeUnitHeader(h).UnitDateText, "31. 3.2008");
}

namespace {

/// The unit's name as the window gets it when the header holds these bytes.
std::string firmwareText(std::initializer_list<std::uint8_t> bytes)
{
    UnitHeader h{};
    std::copy(bytes.begin(), bytes.end(), h.begin() + header::FirmwareText);
    return DecodeUnitHeader(h).UnitNameText;
}

} // namespace

// The unit writes its texts in the Czech code page; the window wants UTF-8.
TEST(UnitHeader, TextsAreDecodedFromWindows1250)
{
    struct Row {
        std::initializer_list<std::uint8_t> bytes;
        const char *text;
    };
    const Row rows[] = {
        {{0x8E, 'l', 'u', 0x9D, 'o', 'u', 0xE8, 'k', 0xFD, ' ', 'k', 0xF9, 0xF2}, "Žluťoučký kůň"},
        {{'E', 'L', 0xC8, 'I', 'N', ' ', 0xA9, ' ', 0x80, ' ', 0xB9, 0xF8}, "ELČIN © € ąř"},
        {{'9', '0', 0xB0, 'C'}, "90°C"},
        {{'T', 'L', 'V', '-', '6', ' ', 'v', '1', '.', '2', '~'}, "TLV-6 v1.2~"},
        {{0xA0, 0xAD, 0xFF}, "\u00A0\u00AD\u02D9"}, // no-break space, soft hyphen, dot above
        // Bytes the code page leaves undefined show as the replacement character...
        {{'a', 0x81, 0x83, 0x88, 0x90, 0x98, 'b'}, "a\uFFFD\uFFFD\uFFFD\uFFFD\uFFFDb"},
        // ... and control bytes as a question mark, as the unit's own display would not show them.
        {{'a', 0x01, 0x09, 0x0A, 0x1F, 0x7F, 'b'}, "a?????b"},
    };
    for (const Row &r : rows)
        EXPECT_EQ(firmwareText(r.bytes), r.text) << r.text;

    // The name and number of a unit without a firmware text take the same code page.
    UnitHeader h{};
    const std::uint8_t name[] = {0x8A, 0xC8, 'Z', 12};
    std::copy(std::begin(name), std::end(name), h.begin());
    EXPECT_EQ(DecodeUnitHeader(h).UnitNameText, "ŠČZ12");

    // Thirty characters of the unit, however many bytes they take in UTF-8.
    std::fill(h.begin() + header::FirmwareText, h.end(), 0xE8);
    std::string thirty;
    for (int i = 0; i < 30; ++i)
        thirty += "č";
    EXPECT_EQ(DecodeUnitHeader(h).UnitNameText, thirty);
}

// Every character of the code page against the C library's converter, where it has one
// (iconv; the Windows C library has none).
#ifndef _WIN32
TEST(UnitHeader, EveryWindows1250CharacterMatchesTheSystemConverter)
{
    const iconv_t cd = ::iconv_open("UTF-8", "CP1250");
    if (cd == reinterpret_cast<iconv_t>(-1))
        GTEST_SKIP() << "no CP1250 converter on this system";
    int undefined = 0;
    for (int b = 0x80; b <= 0xFF; ++b) {
        char in[1] = {static_cast<char>(b)};
        char out[8] = {};
        char *inPtr = in;
        char *outPtr = out;
        std::size_t inLeft = 1, outLeft = sizeof out;
        ::iconv(cd, nullptr, nullptr, nullptr, nullptr);
        const bool converted = ::iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1);
        undefined += !converted;
        const std::string expected = converted ? std::string(out, sizeof out - outLeft) : "\uFFFD";
        EXPECT_EQ(firmwareText({static_cast<std::uint8_t>(b)}), expected) << "byte " << b;
    }
    ::iconv_close(cd);
    EXPECT_EQ(undefined, 5);
}
#endif

TEST(UnitHeader, MonthCodesAreSumsOfTheEnglishNames)
{
    const char *names[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const char *expected[] = {" 1", " 2", " 3", " 4", " 5", " 6", " 7", " 8", " 9", "10", "11", "12"};
    for (int i = 0; i < 12; ++i) {
        const auto code = static_cast<std::uint8_t>(names[i][0] + names[i][1] + names[i][2]);
        EXPECT_STREQ(monthCharacters(code), expected[i]) << names[i];
    }
    EXPECT_STREQ(monthCharacters(0), "00");
    EXPECT_STREQ(monthCharacters(26), "00");
}
