#include "link/unit_header.h"

#include <array>

namespace talviro6 {
namespace {

char digit(int x)
{
    return static_cast<char>('0' + x);
}

/// Header characters are the unit's 8-bit code page; the window shows UTF-8, so
/// anything beyond printable ASCII is shown as a question mark rather than as a
/// broken sequence.
char printable(std::uint8_t c)
{
    return c >= 0x20 && c < 0x7F ? static_cast<char>(c) : '?';
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
            t.UnitNameText += printable(h[static_cast<std::size_t>(header::FirmwareText + i)]);
    } else {
        for (int i = 0; i < 3; ++i)
            t.UnitNameText += printable(h[static_cast<std::size_t>(header::Name + i)]);
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

} // namespace talviro6
