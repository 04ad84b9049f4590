#include "link/unit_header.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>

namespace talviro6 {
namespace {

char digit(int x)
{
    return static_cast<char>('0' + x);
}

constexpr char16_t Undefined = 0xFFFD; ///< the replacement character

/// The unit writes its texts in Windows-1250 (Czech); these are the code points of
/// its upper half, bytes 0x80 ... 0xFF. Five bytes have no character in it.
constexpr std::array<char16_t, 128> Windows1250Upper{
    0x20AC,    Undefined, 0x201A, Undefined, 0x201E, 0x2026, 0x2020, 0x2021, // 0x80
    Undefined, 0x2030,    0x0160, 0x2039,    0x015A, 0x0164, 0x017D, 0x0179, // 0x88
    Undefined, 0x2018,    0x2019, 0x201C,    0x201D, 0x2022, 0x2013, 0x2014, // 0x90
    Undefined, 0x2122,    0x0161, 0x203A,    0x015B, 0x0165, 0x017E, 0x017A, // 0x98
    0x00A0,    0x02C7,    0x02D8, 0x0141,    0x00A4, 0x0104, 0x00A6, 0x00A7, // 0xA0
    0x00A8,    0x00A9,    0x015E, 0x00AB,    0x00AC, 0x00AD, 0x00AE, 0x017B, // 0xA8
    0x00B0,    0x00B1,    0x02DB, 0x0142,    0x00B4, 0x00B5, 0x00B6, 0x00B7, // 0xB0
    0x00B8,    0x0105,    0x015F, 0x00BB,    0x013D, 0x02DD, 0x013E, 0x017C, // 0xB8
    0x0154,    0x00C1,    0x00C2, 0x0102,    0x00C4, 0x0139, 0x0106, 0x00C7, // 0xC0
    0x010C,    0x00C9,    0x0118, 0x00CB,    0x011A, 0x00CD, 0x00CE, 0x010E, // 0xC8
    0x0110,    0x0143,    0x0147, 0x00D3,    0x00D4, 0x0150, 0x00D6, 0x00D7, // 0xD0
    0x0158,    0x016E,    0x00DA, 0x0170,    0x00DC, 0x00DD, 0x0162, 0x00DF, // 0xD8
    0x0155,    0x00E1,    0x00E2, 0x0103,    0x00E4, 0x013A, 0x0107, 0x00E7, // 0xE0
    0x010D,    0x00E9,    0x0119, 0x00EB,    0x011B, 0x00ED, 0x00EE, 0x010F, // 0xE8
    0x0111,    0x0144,    0x0148, 0x00F3,    0x00F4, 0x0151, 0x00F6, 0x00F7, // 0xF0
    0x0159,    0x016F,    0x00FA, 0x0171,    0x00FC, 0x00FD, 0x0163, 0x02D9, // 0xF8
};

void appendUtf8(std::string &out, char16_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

/// One unit character of a header text, appended as UTF-8 for the window. Control
/// bytes become a question mark: a one-line label has no use for them.
void appendHeaderCharacter(std::string &out, std::uint8_t c)
{
    if (c < 0x20 || c == 0x7F)
        out += '?';
    else if (c < 0x80)
        out += static_cast<char>(c);
    else
        appendUtf8(out, Windows1250Upper[c - 0x80u]);
}

} // namespace

const char *monthCharacters(std::uint8_t code)
{
    static constexpr std::array<std::uint8_t, 12> Codes{25, 13, 32, 35, 39, 45, 43, 29, 40, 38, 51, 12};
    static constexpr std::array<const char *, 12> Months{" 1", " 2", " 3", " 4", " 5", " 6",
                                                         " 7", " 8", " 9", "10", "11", "12"};
    for (std::size_t i = 0; i < Codes.size(); ++i)
        if (Codes[i] == code)
            return Months[i];
    return "00";
}

UnitHeaderTexts DecodeUnitHeader(const UnitHeader &h)
{
    UnitHeaderTexts t;
    if (h[header::FirmwareText] != 0) {
        for (int i = 0; i < header::FirmwareTextLength && h[static_cast<std::size_t>(header::FirmwareText + i)] != 0;
             ++i)
            appendHeaderCharacter(t.UnitNameText, h[static_cast<std::size_t>(header::FirmwareText + i)]);
    } else {
        for (int i = 0; i < 3; ++i)
            appendHeaderCharacter(t.UnitNameText, h[static_cast<std::size_t>(header::Name + i)]);
        t.UnitNameText += digit(h[header::FirmwareNumber] / 10);
        t.UnitNameText += digit(h[header::FirmwareNumber] % 10);
    }

    const int day = h[header::Day];
    t.UnitDateText += day < 10 ? ' ' : digit(day / 10);
    t.UnitDateText += digit(day % 10);
    t.UnitDateText += '.';
    t.UnitDateText += monthCharacters(h[header::Month]);
    t.UnitDateText += ".20";
    t.UnitDateText += digit(h[header::Year] / 10);
    t.UnitDateText += digit(h[header::Year] % 10);

    t.UnitTimeText += digit(h[header::Hour] / 10);
    t.UnitTimeText += digit(h[header::Hour] % 10);
    t.UnitTimeText += ':';
    t.UnitTimeText += digit(h[header::Minute] / 10);
    t.UnitTimeText += digit(h[header::Minute] % 10);
    return t;
}

std::string unitIdentity(const UnitHeader &h)
{
    if (std::all_of(h.begin(), h.end(), [](std::uint8_t b) { return b == 0; }))
        return {};
    const UnitHeaderTexts t = DecodeUnitHeader(h);
    std::string_view date = t.UnitDateText;
    date.remove_prefix(std::min(date.find_first_not_of(' '), date.size()));
    return t.UnitNameText + " " + std::string(date) + " " + t.UnitTimeText;
}

} // namespace talviro6
