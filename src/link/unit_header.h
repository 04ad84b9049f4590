#pragma once

#include "model/unit_image.h"

#include <string>

namespace talviro6 {

/// Where the unit keeps what the tool reads from its header (block 0).
namespace header {
inline constexpr int Name = 0;           ///< three characters
inline constexpr int FirmwareNumber = 3; ///< 0 ... 99
inline constexpr int Day = 4;
inline constexpr int Month = 5; ///< coded, see monthCharacters
inline constexpr int Year = 6;  ///< 0 ... 99 for 2000 ... 2099
inline constexpr int Hour = 7;
inline constexpr int Minute = 8;
inline constexpr int ProtocolVersion = 10;
inline constexpr int FirmwareText = 16; ///< up to 30 characters, used when not empty
inline constexpr int FirmwareTextLength = 30;
} // namespace header

/// The firmware of the unit as the window shows it in LabelVerze1 ... LabelVerze3,
/// in UTF-8. The unit's own texts are Windows-1250; a byte that code page leaves
/// undefined shows as U+FFFD, a control byte as '?'.
struct UnitHeaderTexts {
    std::string UnitNameText; ///< at most 30 characters of the unit (up to 90 bytes of UTF-8)
    std::string UnitDateText; ///< 10 characters, " 5. 3.2008"
    std::string UnitTimeText; ///< 5 characters, "14:21"
};

UnitHeaderTexts DecodeUnitHeader(const UnitHeader &header);

/// Which unit a snapshot came from, as one line: the firmware's name and number,
/// date and time ("ZB07 1. 3.2019 10:00"). Empty for a header never received.
std::string unitIdentity(const UnitHeader &header);

/// The two characters of a month code: the low byte of the sum of the character
/// codes of the English month name ("Jan" ... "Dec"); " 1" ... "12", or "00".
const char *monthCharacters(std::uint8_t code);

} // namespace talviro6
