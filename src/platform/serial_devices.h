#pragma once

#include <string>
#include <vector>

namespace talviro6 {

/// Serial devices present now, found under /dev by name: USB adapters (ttyUSB*,
/// ttyACM*, cu.usb*), on-board UARTs (ttyAMA*), and ttyS* ports that have a UART
/// behind them (Linux reports a type other than 0 for those). A look at one folder,
/// well under a millisecond: the automatic port search lists the devices once a
/// tick while it runs. Empty where there is no /dev.
std::vector<std::string> presentSerialDevicesPosix();

} // namespace talviro6
