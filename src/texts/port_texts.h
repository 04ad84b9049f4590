#pragma once

#include <string_view>

namespace talviro6 {

/// Why a serial port would not open, and what puts it right: the lines under "Com
/// opening error!". Four languages each, UTF-8. "%1" stands for what the line names.
enum class PortText {
    PermissionDenied,      ///< no group may use the device
    PermissionDeniedGroup, ///< %1: the device's group
    FixUdevRuleOnly,       ///< %1: the udev rule's path
    FixUdevRule,           ///< %1: the udev rule's path; FixGroup follows
    FixGroup,              ///< %1: the device's group
    BusyHeldBy,            ///< %1: the programs, "minicom (PID 812)"
    BusyUnseen,            ///< no holder this user can see
    MissingPresent,        ///< %1: the serial devices present
    MissingNoneFound,
};

inline constexpr int PortTextCount = static_cast<int>(PortText::MissingNoneFound) + 1;

/// The text in a language (0 English, 1 German, 2 French, 3 Czech; any other gives English).
std::string_view portText(PortText text, int languageIndex);

} // namespace talviro6
