#pragma once

#include <string>
#include <vector>

namespace talviro6 {

/// Serial devices present now, found under /dev by name: USB adapters (ttyUSB*,
/// ttyACM*, cu.usb*), on-board UARTs (ttyAMA*), and ttyS* ports that have a UART
/// behind them (Linux reports a type other than 0 for those). The automatic port
/// search asks once a tick while it runs: the listing is kept while /dev is
/// unchanged, for a second at most. Empty where there is no /dev. One thread.
std::vector<std::string> presentSerialDevicesPosix();

} // namespace talviro6
