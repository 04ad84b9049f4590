#pragma once

#include "link/serial_port.h"
#include "platform/port_map.h"

namespace talviro6 {

/// The serial port's library (libtalviro6_serial.so, talviro6_serial.dll) makes the
/// window's port on Qt Serial Port through this function, taking the port map over.
/// The port is deleted through its own vtable, which stays loaded with the library.
using MakeSerialPort = SerialPort *(*)(PortMap *map);
inline constexpr char MakeSerialPortName[] = "talviro6_make_serial_port";

} // namespace talviro6
