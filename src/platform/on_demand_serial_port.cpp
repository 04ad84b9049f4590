#include "platform/on_demand_serial_port.h"

#include "platform/library_loader.h"
#include "platform/serial_library.h"

#include <utility>

namespace talviro6 {

OnDemandSerialPort::OnDemandSerialPort(PortMap map, SerialLibrary library)
    : m_map(std::move(map)), m_library(std::move(library))
{
}

OnDemandSerialPort::~OnDemandSerialPort() = default;

SerialPort *OnDemandSerialPort::port() const
{
    if (!m_port && !m_tried) {
        // Once: the automatic search asks for a port on every tick, and a library
        // missing from an installation does not come back by itself.
        m_tried = true;
        QString reason;
        const auto make = reinterpret_cast<MakeSerialPort>(
            loadLibraryFactory(m_library.name, m_library.folders, MakeSerialPortName, &reason));
        if (make)
            m_port.reset(make(&m_map));
        else
            m_loadError = "the serial port's library could not be loaded: " +
                          reason.replace(QLatin1Char('\n'), QStringLiteral("; ")).toStdString();
    }
    return m_port.get();
}

bool OnDemandSerialPort::open(int portNumber)
{
    SerialPort *p = port();
    return p && p->open(portNumber);
}

void OnDemandSerialPort::close()
{
    if (m_port)
        m_port->close();
}

bool OnDemandSerialPort::isOpen() const
{
    return m_port && m_port->isOpen();
}

bool OnDemandSerialPort::reopen(int portNumber)
{
    SerialPort *p = port();
    return p && p->reopen(portNumber);
}

std::size_t OnDemandSerialPort::bytesWaiting()
{
    return m_port ? m_port->bytesWaiting() : 0;
}

std::size_t OnDemandSerialPort::read(std::span<std::uint8_t> into)
{
    return m_port ? m_port->read(into) : 0;
}

void OnDemandSerialPort::writeAndDrain(std::span<const std::uint8_t> bytes)
{
    if (m_port)
        m_port->writeAndDrain(bytes);
}

std::string OnDemandSerialPort::deviceName(int portNumber) const
{
    const SerialPort *p = port();
    return p ? p->deviceName(portNumber) : std::string();
}

std::string OnDemandSerialPort::openError() const
{
    return m_port ? m_port->openError() : m_loadError;
}

PortOpenFailure OnDemandSerialPort::openFailure() const
{
    if (m_port)
        return m_port->openFailure();
    PortOpenFailure failure;
    failure.systemText = m_loadError;
    return failure;
}

} // namespace talviro6
