#pragma once

#include "link/port_open_failure.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace talviro6 {

/// Port numbers the tool knows: COM1 ... COM20 by choice, COM21 only by the search.
inline constexpr int FirstPortNumber = 1;
inline constexpr int LastPortNumber = 21;

/// The line to the unit as the link engine sees it. The engine never owns one: the
/// window gives it the Qt port, the command line a POSIX port, tests a loopback to
/// the simulated unit. Every call returns at once except writeAndDrain.
class SerialPort {
  public:
    virtual ~SerialPort() = default;

    /// Opens port number n (1 ... 21) at 57600 8N1 without flow control, for this
    /// process alone. False when the port is missing or busy; the port is then closed.
    virtual bool open(int portNumber) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;

    /// close() and open(portNumber) as one step, for the watchdog's reopening. A port
    /// that still holds the very device the number leads to keeps it and only drops
    /// what waits in its queues, so that no other program can take the unit in the
    /// moment between the closing and the opening.
    virtual bool reopen(int portNumber)
    {
        close();
        return open(portNumber);
    }

    /// Bytes received and not yet read; 0 when closed.
    virtual std::size_t bytesWaiting() = 0;

    /// Reads up to into.size() of the waiting bytes; returns how many were read.
    virtual std::size_t read(std::span<std::uint8_t> into) = 0;

    /// Writes the bytes and returns when they have left the port (about 18 ms for
    /// a frame at 57600 baud), or, on a line that does not take them (a stalled
    /// adapter), after a bound well inside a tick, with the rest dropped. Errors are
    /// not reported: a lost frame shows up as a missing answer, which the engine handles.
    virtual void writeAndDrain(std::span<const std::uint8_t> bytes) = 0;

    /// The device behind port number n, shown to the user beside "COM= COM<n>";
    /// empty when the number leads nowhere.
    virtual std::string deviceName(int portNumber) const = 0;

    /// Why the last open failed, as one line that names the device or the port
    /// number ("/dev/ttyUSB0: Permission denied"); empty when nothing is known.
    virtual std::string openError() const { return {}; }

    /// Why the last open failed, with what the tuner needs to put it right: the
    /// device's group, the programs holding it, the devices present. Looked up when
    /// asked, not at each failed opening (the automatic search fails every tick).
    virtual PortOpenFailure openFailure() const
    {
        PortOpenFailure failure;
        failure.systemText = openError();
        return failure;
    }
};

} // namespace talviro6
