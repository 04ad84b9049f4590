#include "sim/loopback_port.h"

#include <algorithm>

namespace talviro6::sim {

void LoopbackPort::setUnitPort(int portNumber)
{
    m_unitPort = portNumber;
    setPresent(portNumber, true);
}

void LoopbackPort::setPresent(int portNumber, bool present)
{
    if (portNumber >= FirstPortNumber && portNumber <= LastPortNumber)
        m_present.set(static_cast<std::size_t>(portNumber - 1), present);
}

bool LoopbackPort::open(int portNumber)
{
    m_openAttempts.push_back(portNumber);
    close();
    if (portNumber < FirstPortNumber || portNumber > LastPortNumber ||
        !m_present.test(static_cast<std::size_t>(portNumber - 1))) {
        m_openError = "COM" + std::to_string(portNumber) + ": no serial device behind this number";
        return false;
    }
    m_openError.clear();
    m_open = portNumber;
    return true;
}

void LoopbackPort::close()
{
    if (connected())
        m_unit.dropPending();
    m_injected.clear();
    m_open = 0;
}

void LoopbackPort::inject(std::span<const std::uint8_t> bytes)
{
    m_injected.insert(m_injected.end(), bytes.begin(), bytes.end());
}

std::size_t LoopbackPort::bytesWaiting()
{
    if (m_open == 0)
        return 0;
    return m_injected.size() + (connected() ? m_unit.available(m_clock.now()) : 0);
}

std::size_t LoopbackPort::read(std::span<std::uint8_t> into)
{
    if (m_open == 0)
        return 0;
    const std::size_t fromInjected = std::min(into.size(), m_injected.size());
    std::copy_n(m_injected.begin(), fromInjected, into.begin());
    m_injected.erase(m_injected.begin(), m_injected.begin() + static_cast<std::ptrdiff_t>(fromInjected));
    std::size_t n = fromInjected;
    if (connected())
        n += m_unit.take(into.subspan(n), m_clock.now());
    return n;
}

void LoopbackPort::writeAndDrain(std::span<const std::uint8_t> bytes)
{
    if (connected())
        m_unit.receive(bytes, m_clock.now());
}

std::string LoopbackPort::deviceName(int portNumber) const
{
    return portNumber == m_unitPort ? "simulated unit" : std::string();
}

} // namespace talviro6::sim
