#pragma once

#include "link/serial_port.h"
#include "platform/port_map.h"

#include <QObject>
#include <QSerialPort>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace talviro6 {

/// The serial devices present now, as QSerialPortInfo sees them.
std::vector<std::string> presentSerialDevices();

/// The line to the unit on QSerialPort: 57600 8N1, no flow control, this process
/// alone (QSerialPort locks the device). Port numbers become devices by PortMap's
/// rule over the devices present, listed once for every opening: the listing made
/// for deviceName(n) serves the open() that follows it, as the engine asks for the
/// name just before opening, and no other. So an adapter plugged in later is found
/// by the next opening, and the automatic search, which opens a number on every
/// tick, does not list twice per tick.
/// Lives on the GUI thread; its read buffer is filled by the event loop that also
/// delivers the tick.
class QtSerialPort final : public QObject, public SerialPort {
    Q_OBJECT
  public:
    using DeviceLister = std::function<std::vector<std::string>()>;

    explicit QtSerialPort(PortMap map = {}, DeviceLister present = presentSerialDevices, QObject *parent = nullptr);

    PortMap &portMap() { return m_map; }

    bool open(int portNumber) override;
    void close() override;
    bool reopen(int portNumber) override;
    bool isOpen() const override { return m_port.isOpen(); }
    std::size_t bytesWaiting() override;
    std::size_t read(std::span<std::uint8_t> into) override;
    void writeAndDrain(std::span<const std::uint8_t> bytes) override;
    std::string deviceName(int portNumber) const override;

    /// The reason of the last failed opening, for a tooltip or the command line.
    QString lastError() const { return m_lastError; }
    std::string openError() const override { return m_lastError.toStdString(); }
    PortOpenFailure openFailure() const override;

    /// A write that has not left after this long is abandoned and its rest dropped:
    /// the tick (55 ms) must not hang on an adapter that stalls or a line nobody
    /// reads. A frame takes 17.7 ms at 57600 baud, so twice that is given.
    static constexpr int WriteTimeoutMs = 35; ///< ms

  private:
    void onError(QSerialPort::SerialPortError error);
    /// The open handle is `device` still, as the name leads now, and not hung up.
    bool holds(const std::string &device) const;
    /// The devices present, if the rule needs them for n; otherwise not listed.
    std::vector<std::string> listingFor(int portNumber) const;

    QSerialPort m_port;
    PortMap m_map;
    DeviceLister m_present;
    /// Made by deviceName for the next open(); taken by that open, dropped by close().
    mutable std::optional<std::vector<std::string>> m_listing;
    QString m_lastError;
    PortOpenFailure::Kind m_failureKind = PortOpenFailure::Kind::Other;
    std::string m_failedDevice; ///< the path that would not open, or "COM<n>"
};

} // namespace talviro6
