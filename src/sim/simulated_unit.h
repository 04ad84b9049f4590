#pragma once

#include "link/frame.h"
#include "link/monitor_frame.h"
#include "model/unit_image.h"

#include <cstdint>
#include <deque>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace talviro6::sim {

/// Time on the simulated line, in microseconds from an arbitrary start.
using Micros = std::int64_t;

inline constexpr Micros FrameMicros = 17'708;     ///< 102 bytes of 10 bits at 57600 baud
inline constexpr Micros AnswerLatency = 1'000;    ///< the unit's processing before it answers
inline constexpr Micros LateBy = 250'000;         ///< a late answer: after the tool has repeated
inline constexpr Micros SplitGap = 60'000;        ///< a split answer's second piece: a tick later
inline constexpr Micros InterByteGap = 10'000;    ///< a pause this long restarts a half-received request
inline constexpr Micros SavingMicros = 2'000'000; ///< the unit stores its parameters this long
inline constexpr int SplitAt = 51;

/// Faults the unit can be told to make, each on a counted number of answers.
enum class Fault : std::uint8_t {
    NoAnswer,       ///< the request is carried out, the answer is lost
    WrongCheckByte, ///< the answer arrives with a corrupted check byte
    LateAnswer,     ///< the answer comes 250 ms late, after the tool's repeat
    SplitAnswer,    ///< the answer comes in two pieces, the second one a tick later
    StrayByte,      ///< a stray byte on the line before the answer
    OtherVersion,   ///< header and live frames report protocol version 75
    Silence,        ///< the unit is unplugged: requests are neither carried out nor answered
};

/// Names as the command line of talviro6-sim takes them: "no-answer", "wrong-check-byte", ...
std::optional<Fault> faultFromName(std::string_view name);
const char *faultName(Fault fault);

/// Who the simulated unit says it is.
struct UnitIdentity {
    std::uint8_t protocolVersion = ProtocolVersion;
    std::string name = "TLV"; ///< three characters
    std::uint8_t firmwareNumber = 6;
    std::uint8_t day = 14;
    std::uint8_t monthCode = 32; ///< March, coded as the unit codes months
    std::uint8_t year = 24;      ///< 2024
    std::uint8_t hour = 9;
    std::uint8_t minute = 30;
    std::string firmwareText; ///< up to 30 characters; replaces name and number when set
};

/// A TALVIRO6 as seen from the serial line: 300 bytes of parameter memory and a
/// header, answering every request the way the tool relies on, with a live engine
/// that sweeps through the map. It runs on explicit time: bytes go in with the time
/// they arrived, and the answer bytes are due at the times a real line would deliver
/// them. Standard library only; the loopback port and talviro6-sim put it on a line.
class SimulatedUnit {
  public:
    explicit SimulatedUnit(UnitIdentity identity = {});

    /// Bytes from the tool, arrived at `now`.
    void receive(std::span<const std::uint8_t> bytes, Micros now);

    /// Answer bytes that have arrived by `now` and not been taken yet.
    std::size_t available(Micros now) const;
    std::size_t take(std::span<std::uint8_t> into, Micros now);
    /// When the next answer byte arrives, if one is on its way.
    std::optional<Micros> nextDue() const;
    /// Answers on their way are lost (the tool closed the port).
    void dropPending() { m_out.clear(); }

    /// The next `count` answers (all of them while count < 0) get the fault; with
    /// `onlyRequest`, only answers to that request code count.
    void injectFault(Fault fault, int count = 1, std::optional<std::uint8_t> onlyRequest = {});
    void clearFaults() { m_faults.clear(); }

    /// The live data the unit would send at `now`.
    MonitorFrame liveValues(Micros now) const;

    ParameterArea &memory() { return m_memory; }
    const ParameterArea &memory() const { return m_memory; }
    const UnitHeader &header() const { return m_header; }
    UnitIdentity &identity() { return m_identity; }
    void setIdentity(const UnitIdentity &identity);
    std::uint16_t programCount() const { return m_programCount; }
    std::uint16_t savingCountdown(Micros now) const;

    /// Frames each log keeps, the newest; about 100 kB. A test's job with all its
    /// repeats and the polls between takes far fewer.
    static constexpr std::size_t LogCapacity = 1000;

    /// The logs are off unless asked for (tests): the window's --simulate and
    /// talviro6-sim run for hours and must not grow.
    void setLogging(bool on) { m_logging = on; }
    /// Complete requests with a matching check byte, oldest first, at most LogCapacity.
    const std::deque<Frame> &requests() const { return m_requests; }
    /// Answer frames as the unit meant to send them, before faults, oldest first, at
    /// most LogCapacity.
    const std::deque<Frame> &answers() const { return m_answers; }
    void clearLogs()
    {
        m_requests.clear();
        m_answers.clear();
    }

  private:
    struct FaultRule {
        Fault fault;
        int remaining;
        std::optional<std::uint8_t> request;
    };
    struct DueByte {
        Micros due;
        std::uint8_t byte;
    };

    void handleRequest(const Frame &request, Micros now);
    bool takeFault(Fault fault, std::uint8_t request);
    void send(Frame answer, std::uint8_t request, Micros now);
    void buildHeader();
    void log(std::deque<Frame> &to, const Frame &frame);

    UnitIdentity m_identity;
    ParameterArea m_memory{};
    UnitHeader m_header{};
    std::uint16_t m_programCount = 0;
    std::optional<Micros> m_savingSince;

    Frame m_in{};
    std::size_t m_inLength = 0;
    Micros m_lastByte = 0;
    std::deque<DueByte> m_out;
    std::vector<FaultRule> m_faults;
    bool m_logging = false;
    std::deque<Frame> m_requests;
    std::deque<Frame> m_answers;
};

} // namespace talviro6::sim
