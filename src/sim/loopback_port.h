#pragma once

#include "link/serial_port.h"
#include "sim/simulated_unit.h"

#include <bitset>
#include <chrono>
#include <string>
#include <vector>

namespace talviro6::sim {

/// Where the loopback takes its time from.
class Clock {
  public:
    virtual ~Clock() = default;
    virtual Micros now() const = 0;
};

/// Moves only when told: tests advance it by one tick before each engine tick.
class ManualClock : public Clock {
  public:
    Micros now() const override { return m_now; }
    void advance(Micros by) { m_now += by; }

  private:
    Micros m_now = 0;
};

/// Real time, for the window's demonstration mode.
class SteadyClock : public Clock {
  public:
    Micros now() const override
    {
        return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - m_start)
            .count();
    }

  private:
    std::chrono::steady_clock::time_point m_start = std::chrono::steady_clock::now();
};

/// A serial port whose other end is a SimulatedUnit in the same process. The unit
/// sits behind one port number (COM1 unless told otherwise); other numbers can be
/// made present without a unit, or absent so that opening them fails.
class LoopbackPort : public SerialPort {
  public:
    LoopbackPort(SimulatedUnit &unit, const Clock &clock) : m_unit(unit), m_clock(clock) { m_present.set(0); }

    void setUnitPort(int portNumber);
    /// A port that opens but has nothing on the other end.
    void setPresent(int portNumber, bool present);
    /// Every port number the engine tried to open, in order.
    const std::vector<int> &openAttempts() const { return m_openAttempts; }
    int openPortNumber() const { return m_open; }
    /// Puts bytes on the line towards the tool, as if the unit had sent them now.
    void inject(std::span<const std::uint8_t> bytes);

    bool open(int portNumber) override;
    void close() override;
    bool isOpen() const override { return m_open != 0; }
    std::string openError() const override { return m_openError; }
    std::size_t bytesWaiting() override;
    std::size_t read(std::span<std::uint8_t> into) override;
    void writeAndDrain(std::span<const std::uint8_t> bytes) override;
    std::string deviceName(int portNumber) const override;

  private:
    bool connected() const { return m_open != 0 && m_open == m_unitPort; }

    SimulatedUnit &m_unit;
    const Clock &m_clock;
    int m_unitPort = 1;
    int m_open = 0;
    std::string m_openError;
    std::bitset<LastPortNumber> m_present;
    std::vector<int> m_openAttempts;
    std::vector<std::uint8_t> m_injected;
};

} // namespace talviro6::sim
