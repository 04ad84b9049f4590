#pragma once

#include "link/monitor_frame.h"
#include "live/monitor_display.h"

#include <cstdint>

namespace talviro6 {

struct UnitImage;
class KeptTexts;

/// Throttle-sensor counts (0 ... 1023 for 0 ... 5 V) in mV. Saturates at 65535 so
/// that a garbage count cannot wrap into the window of the calibration buttons.
std::uint16_t countsToMillivolts(std::uint16_t counts);

/// Servo-position counts in mV for the read-outs only: the same scale in 32 bits and
/// not saturated, so a count beyond the converter's range shows as what it is
/// (65535 counts: 320307 mV, well inside an int).
int servoCountsToMillivolts(std::uint16_t counts);

/// Writes the monitor read-outs for one accepted live frame. Reads the image's
/// BikeType, LobeCount, StartRevolutions, Limiter, AdvanceCorrection1/2,
/// TpsMapEnable, ServoEnable (GroupBoxPrivera is shown exactly then) and PowerOutMode.
void showMonitorFrame(const MonitorFrame &frame, const UnitImage &image, const KeptTexts &texts, MonitorDisplay &d);

} // namespace talviro6
