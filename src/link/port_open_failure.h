#pragma once

#include <string>
#include <vector>

namespace talviro6 {

/// A program that has a serial device open.
struct PortHolder {
    int pid = 0;
    std::string program; ///< the process's short name, e.g. "minicom"

    bool operator==(const PortHolder &) const = default;
};

/// Why a port would not open, as facts: the words for the tuner are made from them
/// in the tuner's language, so that every port (the termios port, the Qt port, a port of
/// another system) is told of in the same words.
struct PortOpenFailure {
    enum class Kind {
        Missing,          ///< no device by that name, or the number leads to none
        PermissionDenied, ///< this user may not open the device
        Busy,             ///< another program holds the device
        NotSerial,        ///< the name leads to something that is not a serial line
        Other,            ///< anything else; `systemText` says what
    };

    Kind kind = Kind::Other;
    std::string device;               ///< the path, or "COM<n>" when the number leads nowhere
    std::string systemText;           ///< one line naming the device and the system's reason
    std::string group;                ///< PermissionDenied: the group that may use the device, if any
    std::vector<PortHolder> holders;  ///< Busy: the holders this user can see
    std::vector<std::string> present; ///< Missing: the serial devices present now
};

} // namespace talviro6
