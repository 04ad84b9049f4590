#pragma once

#include "link/port_map.h"
#include "link/serial_port.h"

#include <string>
#include <vector>

#include <termios.h>

namespace talviro6::cli {

/// The line to the unit for the command line, on termios: 57600 8N1 raw, no flow
/// control, exclusive (TIOCEXCL and an flock), and a write that returns when the
/// bytes have left (tcdrain). Closing restores the terminal's earlier settings and
/// gives up exclusive mode and the lock. Keeps talviro6-cli free of Qt, so the same jobs run in
/// the builds without a window and under the sanitizers.
class PosixSerialPort final : public SerialPort {
  public:
    explicit PosixSerialPort(PortMap map) : m_map(std::move(map)) {}
    ~PosixSerialPort() override { close(); }
    PosixSerialPort(const PosixSerialPort &) = delete;
    PosixSerialPort &operator=(const PosixSerialPort &) = delete;

    bool open(int portNumber) override;
    void close() override;
    bool isOpen() const override { return m_fd >= 0; }
    std::size_t bytesWaiting() override;
    std::size_t read(std::span<std::uint8_t> into) override;
    void writeAndDrain(std::span<const std::uint8_t> bytes) override;
    std::string deviceName(int portNumber) const override;

    /// Why the last opening failed, e.g. "/dev/ttyUSB0: Device or resource busy".
    const std::string &lastError() const { return m_lastError; }
    std::string openError() const override { return m_lastError; }

    /// The device hung up since it was opened: an adapter pulled out, or the other
    /// end of a pseudo-terminal closed. Seen by bytesWaiting, which every tick calls.
    bool vanished() const { return m_vanished; }

  private:
    PortMap m_map;
    int m_fd = -1;
    termios m_savedLine{}; ///< the terminal's settings before this opening, put back by close()
    bool m_lineChanged = false;
    bool m_exclusive = false;
    bool m_vanished = false;
    std::string m_lastError;
};

} // namespace talviro6::cli
