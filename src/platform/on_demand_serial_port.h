#pragma once

#include "link/serial_port.h"
#include "platform/port_map.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <string>

namespace talviro6 {

/// Where the serial port's library is looked for (library_loader.h says in which order).
struct SerialLibrary {
    /// Without the system's prefix and suffix (libtalviro6_serial.so, talviro6_serial.dll).
    QString name = QStringLiteral("talviro6_serial");
    std::optional<QStringList> folders;
};

/// The window's serial port on Qt Serial Port, from the serial port's library, which
/// is loaded when the port is first asked for a device or opened: after the
/// window's first paint, and never in a simulated window. A library that cannot be
/// loaded is tried once; every opening then fails, saying why.
class OnDemandSerialPort final : public SerialPort {
  public:
    explicit OnDemandSerialPort(PortMap map, SerialLibrary library = {});
    ~OnDemandSerialPort() override;

    bool open(int portNumber) override;
    void close() override;
    bool isOpen() const override;
    bool reopen(int portNumber) override;
    std::size_t bytesWaiting() override;
    std::size_t read(std::span<std::uint8_t> into) override;
    void writeAndDrain(std::span<const std::uint8_t> bytes) override;
    std::string deviceName(int portNumber) const override;
    std::string openError() const override;
    PortOpenFailure openFailure() const override;

  private:
    /// The port, loaded now if it was not; null when its library cannot be had.
    SerialPort *port() const;

    mutable PortMap m_map; ///< handed to the port when it is made
    SerialLibrary m_library;
    mutable std::unique_ptr<SerialPort> m_port;
    mutable bool m_tried = false;
    mutable std::string m_loadError; ///< why the library could not be loaded
};

} // namespace talviro6
