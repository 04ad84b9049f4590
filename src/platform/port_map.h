#pragma once

#include "link/serial_port.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace talviro6 {

/// Which device a port number (COM1 ... COM21) opens.
///
/// The rule: a number mapped explicitly (settings section "PORTS", key "COM<n>", or
/// `--device N=PATH` for one run) opens that path. Any other number n opens the n-th
/// serial device present when the port is opened, in the order of orderSerialDevices:
/// USB adapters first. So a single USB adapter is COM1 and "Com Auto" finds it.
class PortMap {
  public:
    void setExplicit(int portNumber, std::string path);
    const std::string &explicitPath(int portNumber) const;

    /// The device for n given the devices present now; empty when n leads nowhere.
    std::string deviceFor(int portNumber, const std::vector<std::string> &present) const;

    /// Whether deviceFor(n) looks at the devices present: a number in range without an
    /// explicit mapping. Listing them is slow (10 ms and more), so a caller skips it
    /// when it is not needed.
    bool needsPresentDevices(int portNumber) const;

  private:
    std::array<std::string, LastPortNumber> m_explicit;
};

/// The order in which present devices take the numbers: USB adapters (ttyUSB*,
/// ttyACM*, cu.usb*) first, then the rest; within a group by name with numbers
/// compared as numbers, so ttyUSB2 comes before ttyUSB10.
std::vector<std::string> orderSerialDevices(std::vector<std::string> paths);

/// One `--device N=PATH`; N is 1 ... 21.
struct DeviceMapping {
    int portNumber = 0;
    std::string path;
};

/// Takes every "--device N=PATH" (or "--device=N=PATH") out of args and returns the
/// mappings; anything else stays in args in its order. Sets *error and returns what
/// it has so far on the first malformed one.
std::vector<DeviceMapping> takeDeviceArguments(std::vector<std::string> &args, std::string *error);

/// "N=PATH" with N in 1 ... 21 and a non-empty PATH.
std::optional<DeviceMapping> parseDeviceMapping(std::string_view text);

} // namespace talviro6
