#pragma once

#include "sim/loopback_port.h"
#include "sim/simulated_unit.h"

#include <memory>

namespace talviro6 {

/// `--simulate`: the built-in simulated unit answers behind every port number for
/// the run, so a new user without a unit sees live data and can program at once.
class SimulatedPort final : public SerialPort {
  public:
    /// The unit's time is the wall clock's.
    SimulatedPort() : m_loopback(m_unit, m_steady) {}
    /// The unit's time is `clock`'s, which must outlive the port (pictures taken
    /// tick by tick).
    explicit SimulatedPort(const sim::Clock &clock) : m_loopback(m_unit, clock) {}

    bool open(int portNumber) override
    {
        m_loopback.setUnitPort(portNumber);
        return m_loopback.open(portNumber);
    }
    void close() override { m_loopback.close(); }
    bool isOpen() const override { return m_loopback.isOpen(); }
    std::size_t bytesWaiting() override { return m_loopback.bytesWaiting(); }
    std::size_t read(std::span<std::uint8_t> into) override { return m_loopback.read(into); }
    void writeAndDrain(std::span<const std::uint8_t> bytes) override { m_loopback.writeAndDrain(bytes); }
    std::string deviceName(int) const override { return "simulated unit"; }

  private:
    sim::SteadyClock m_steady;
    sim::SimulatedUnit m_unit;
    sim::LoopbackPort m_loopback;
};

} // namespace talviro6
