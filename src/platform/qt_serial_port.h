#pragma once

#include "link/port_map.h"
#include "link/serial_port.h"

#include <QObject>
#include <QSerialPort>

#include <functional>
#include <string>
#include <vector>

namespace talviro6 {

/// The serial devices present now, as QSerialPortInfo sees them.
std::vector<std::string> presentSerialDevices();

/// The line to the unit on QSerialPort: 57600 8N1, no flow control, this process
/// alone (QSerialPort locks the device). Port numbers become devices by PortMap's
/// rule, looked up again at every opening, so an adapter plugged in later is found.
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
    bool isOpen() const override { return m_port.isOpen(); }
    std::size_t bytesWaiting() override;
    std::size_t read(std::span<std::uint8_t> into) override;
    void writeAndDrain(std::span<const std::uint8_t> bytes) override;
    std::string deviceName(int portNumber) const override;

    /// The reason of the last failed opening, for a tooltip or the command line.
    QString lastError() const { return m_lastError; }

    /// A write that has not left after this long is abandoned: the tick must not hang
    /// on an adapter that stalls; the missing answer is handled like any other.
    static constexpr int WriteTimeoutMs = 500;

  private:
    void onError(QSerialPort::SerialPortError error);

    QSerialPort m_port;
    PortMap m_map;
    DeviceLister m_present;
    QString m_lastError;
};

} // namespace talviro6
