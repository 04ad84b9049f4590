#pragma once

#include "model/unit_image.h"

#include <string>
#include <string_view>

namespace talviro6 {

// The three small files kept between runs, all in one folder of the user's
// configuration; the names carry the protocol version, so a tool of another
// version keeps its own.

/// "TALVIRO6_v76.ini": window placement, port, language, file, page; [PORTS].
inline std::string settingsFileName()
{
    return "TALVIRO6_v" + std::to_string(ProtocolVersion) + ".ini";
}

/// "_TALVIRO6_v76.ini": the parameter area as it was at close (not an INI file).
inline std::string startupImageFileName()
{
    return "_" + settingsFileName();
}

/// Switches the hidden test mode on when it holds the access word; only read.
inline constexpr std::string_view TestEnableFileName = "test_zorbin.txt";

/// The settings file's own section.
inline constexpr std::string_view BasicSection = "BASIC";
/// Extras > "Read the unit when it is found": `ReadUnitWhenFound`, 1 or 0.
inline constexpr std::string_view QuietReadSection = "QUIET_READ";

/// The review before programming: AskBeforeProgramming=0 once turned off.
inline constexpr std::string_view ReviewSection = "REVIEW";

} // namespace talviro6
