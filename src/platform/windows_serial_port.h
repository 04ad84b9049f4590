#pragma once

#include "link/serial_port.h"
#include "platform/port_map.h"

#include <string>

namespace talviro6::cli {

/// The line to the unit for the command line on Windows: a COM port opened for this
/// process alone, 57600 8N1 without flow control, reads that return at once and a
/// write that returns when the bytes have left or WriteBoundMs has passed. The same
/// surface as the termios port, so that the jobs do not know which one they drive.
class WindowsSerialPort final : public SerialPort {
  public:
    /// As the termios port's: a stalled line drops the frame well inside a 55 ms tick.
    static constexpr int WriteBoundMs = 35; ///< ms

    explicit WindowsSerialPort(PortMap map) : m_map(std::move(map)) {}
    ~WindowsSerialPort() override { close(); }
    WindowsSerialPort(const WindowsSerialPort &) = delete;
    WindowsSerialPort &operator=(const WindowsSerialPort &) = delete;

    bool open(int portNumber) override;
    void close() override;
    bool isOpen() const override { return m_handle != nullptr; }
    std::size_t bytesWaiting() override;
    std::size_t read(std::span<std::uint8_t> into) override;
    void writeAndDrain(std::span<const std::uint8_t> bytes) override;
    std::string deviceName(int portNumber) const override;

    /// Why the last opening failed, e.g. "COM5: no such port".
    const std::string &lastError() const { return m_lastError; }
    std::string openError() const override { return m_lastError; }

    /// The device stopped answering the system (an adapter pulled out). Stays set
    /// after close() until an opening succeeds, as the termios port's does.
    bool vanished() const { return m_vanished; }

  private:
    PortMap m_map;
    void *m_handle = nullptr; ///< the HANDLE; null while closed (never INVALID_HANDLE_VALUE)
    bool m_vanished = false;
    std::string m_lastError;
};

/// The device port number n opens on Windows: the path mapped to it (`--device
/// N=PATH`), else COM<n>. Windows numbers its ports itself, so no search is needed.
std::string windowsDeviceFor(const PortMap &map, int portNumber);

/// A COM port keeps its name while it is away; it is followed under that name.
inline std::string stableDeviceName(const std::string &device)
{
    return device;
}

} // namespace talviro6::cli
