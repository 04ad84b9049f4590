#pragma once

#include "link/serial_port.h"
#include "platform/port_map.h"

#include <filesystem>
#include <string>
#include <vector>

#include <termios.h>

namespace talviro6::cli {

/// The line to the unit for the command line, on termios: 57600 8N1 raw, no flow
/// control, exclusive (TIOCEXCL and an flock), and a write that returns when the
/// bytes have left or WriteBound has passed, whichever is first. Closing restores
/// the terminal's earlier settings and gives up exclusive mode and the lock. Keeps
/// talviro6-cli free of Qt, so the same jobs run in the builds without a window and
/// under the sanitizers.
class PosixSerialPort final : public SerialPort {
  public:
    /// A frame leaves in 17.7 ms at 57600 baud. A line that has not taken it by this
    /// bound is stalled (an adapter stuck in its flow control, a far end that reads
    /// nothing): the frame is dropped, and its missing answer ends the job as on a
    /// silent unit. Below the 55 ms tick, so that the job's clock keeps its pace.
    static constexpr int WriteBoundMs = 35; ///< ms

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
    PortOpenFailure openFailure() const override;

    /// The device hung up since it was last opened: an adapter pulled out, or the
    /// other end of a pseudo-terminal closed. Seen by bytesWaiting, which every tick
    /// calls, and by a failing write. Stays set after close() until an opening
    /// succeeds, so that a reopening in the same tick does not hide it.
    ///
    /// Once set, open() takes the device's name only when it has been made anew (a
    /// link replaced, a device node created again): a link that outlived its device
    /// names a kernel number that may already be another program's terminal.
    bool vanished() const { return m_vanished; }

  private:
    PortMap m_map;
    int m_fd = -1;
    termios m_savedLine{}; ///< the terminal's settings before this opening, put back by close()
    bool m_lineChanged = false;
    bool m_exclusive = false;
    bool m_vanished = false;
    /// What the device's name was at the last opening: each link on the way, or
    /// the node itself when the name is no link (see nameIdentity in the .cpp).
    std::vector<std::string> m_openedName;
    std::string m_lastError;
    PortOpenFailure::Kind m_failureKind = PortOpenFailure::Kind::Other;
    std::string m_failedDevice; ///< the path that would not open, or "COM<n>"
};

/// The name under which `device` comes back after it went away: the device itself
/// when it is given by a link (a by-id name, or a link of the user's), else the link
/// in `byIdFolder` that leads to it, else `device` as it is. A kernel name such as
/// /dev/ttyUSB0 or /dev/pts/3 may be given to another device when this one is gone.
std::string stableDeviceName(const std::string &device, const std::filesystem::path &byIdFolder = "/dev/serial/by-id");

} // namespace talviro6::cli
