#pragma once

#include "link/frame.h"

#include <array>
#include <cstdint>
#include <optional>

namespace talviro6 {

/// The unit's live data, the answer to a poll. Byte positions live only in
/// decodeMonitorFrame / encodeMonitorFrame; everyone else uses the names.
struct MonitorFrame {
    std::uint16_t engineSpeed = 0;      ///< rpm
    std::uint16_t tpsCounts = 0;        ///< throttle sensor, converter counts 0 ... 1023 for 0 ... 5 V
    std::uint16_t supplyMillivolts = 0; ///< mV
    std::uint16_t servoMeasured = 0;    ///< converter counts
    std::uint16_t servoDesired = 0;     ///< converter counts
    std::uint16_t programCount = 0;     ///< programmings of the unit so far
    std::array<std::uint16_t, 8> testValues{};
    bool killSwitch = false;
    bool retard = false;
    bool startLimiter = false;
    bool clutch = false;
    std::uint8_t tpsPercent = 0; ///< 0 ... 100; above 100 the sensor is in error
    bool powerOut1 = false;
    bool powerOut2 = false;
    bool powerOut3 = false;
    std::array<std::uint8_t, 2> pickupCounterA{}; ///< channel 1, 2
    std::array<std::uint8_t, 2> pickupCounterB{};
    bool pickup1 = false; ///< pick-up delivers a signal
    bool pickup2 = false;
    std::array<std::uint8_t, 2> advance{};     ///< degrees + 100, channel 1, 2
    std::array<std::uint16_t, 2> maxAdvance{}; ///< degrees; 0 = none reported
    bool speedRed = false;
    bool motorOff = false;
    bool speedYellow = false;
    bool servoOk = false;
    bool input1Grounded = false;
    bool input2Grounded = false;
    std::uint16_t savingCountdown = 0; ///< 600 ... 0 while the unit stores its parameters
    bool dataError = false;            ///< the unit found its stored parameters corrupt
    std::uint8_t protocolVersion = 0;

    bool operator==(const MonitorFrame &) const = default;
};

/// Empty unless byte 0 is 0xB0 and the check byte matches.
std::optional<MonitorFrame> decodeMonitorFrame(FrameView frame);

/// The frame the unit sends for these values; bytes the tool does not interpret are zero.
Frame encodeMonitorFrame(const MonitorFrame &values);

} // namespace talviro6
