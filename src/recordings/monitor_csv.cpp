#include "recordings/monitor_csv.h"

#include "live/monitor_view.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace talviro6 {
namespace {

constexpr std::string_view Header =
    "time_s,rpm,advance_deg,advance1_deg,advance2_deg,max_advance_deg,throttle_pct,throttle_mv,supply_v,"
    "kill_switch,retard,start_limiter,clutch,motor_off,input1,input2,pickup1,pickup2,"
    "out1,out2,out3,speed_red,speed_yellow,servo_ok,data_error,saving,programmings,version,"
    "servo_desired_mv,servo_measured_mv";

constexpr std::size_t OldColumns = 28; ///< the monitor before the servo columns
constexpr std::size_t Columns = 30;

/// The maximum advance the window shows: the smaller channel, leaving out one that reports none.
int shownMaxAdvance(const MonitorFrame &m)
{
    const int m1 = m.maxAdvance[0], m2 = m.maxAdvance[1];
    if (m1 == 0)
        return m2;
    if (m2 == 0)
        return m1;
    return std::min(m1, m2);
}

std::string_view trim(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

template <typename T> bool readInt(std::string_view s, long long low, long long high, T &out)
{
    s = trim(s);
    long long v = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc{} || end != s.data() + s.size() || s.empty() || v < low || v > high)
        return false;
    out = static_cast<T>(v);
    return true;
}

bool readDouble(std::string_view s, double low, double high, double &out)
{
    s = trim(s);
    double v = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc{} || end != s.data() + s.size() || s.empty() || !std::isfinite(v) || v < low || v > high)
        return false;
    out = v;
    return true;
}

bool readFlag(std::string_view s, bool &out)
{
    int v = 0;
    if (!readInt(s, 0, 1, v))
        return false;
    out = v != 0;
    return true;
}

} // namespace

std::string_view monitorCsvHeader()
{
    return Header;
}

std::string monitorCsvLine(double seconds, const MonitorFrame &m, std::uint16_t tpsMillivolts)
{
    char line[512];
    std::snprintf(line, sizeof line,
                  "%.3f,%u,%d,%d,%d,%d,%u,%u,%.3f,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%u,%u,%u,%d,%d",
                  seconds, m.engineSpeed, std::max(m.advance[0], m.advance[1]) - 100, m.advance[0] - 100,
                  m.advance[1] - 100, shownMaxAdvance(m), m.tpsPercent, tpsMillivolts, m.supplyMillivolts * 0.001,
                  m.killSwitch, m.retard, m.startLimiter, m.clutch, m.motorOff, m.input1Grounded, m.input2Grounded,
                  m.pickup1, m.pickup2, m.powerOut1, m.powerOut2, m.powerOut3, m.speedRed, m.speedYellow, m.servoOk,
                  m.dataError, m.savingCountdown, m.programCount, m.protocolVersion,
                  servoCountsToMillivolts(m.servoDesired), servoCountsToMillivolts(m.servoMeasured));
    return line;
}

std::uint16_t millivoltsToCounts(std::uint32_t millivolts)
{
    const std::uint64_t counts = (static_cast<std::uint64_t>(millivolts) * 1023u + 4999u) / 5000u;
    return static_cast<std::uint16_t>(std::min<std::uint64_t>(counts, 65535u));
}

bool parseMonitorCsvLine(std::string_view line, RecordedFrame &out)
{
    std::array<std::string_view, Columns + 1> cell{};
    std::size_t n = 0;
    for (;;) {
        const std::size_t comma = line.find(',');
        if (n == cell.size())
            return false;
        cell[n++] = line.substr(0, comma);
        if (comma == std::string_view::npos)
            break;
        line.remove_prefix(comma + 1);
    }
    if (n != Columns && n != OldColumns)
        return false;

    RecordedFrame r;
    MonitorFrame &m = r.frame;
    double seconds = 0, supplyVolts = 0;
    int advance1 = 0, advance2 = 0, maxAdvance = 0, shownAdvance = 0;
    std::uint32_t tpsMillivolts = 0, servoDesired = 0, servoMeasured = 0;
    // Degrees travel as the byte minus 100, so a byte's range bounds them.
    bool ok = readDouble(cell[0], 0.0, 1e9, seconds) && readInt(cell[1], 0, 65535, m.engineSpeed) &&
              readInt(cell[2], -100, 155, shownAdvance) && readInt(cell[3], -100, 155, advance1) &&
              readInt(cell[4], -100, 155, advance2) && readInt(cell[5], 0, 65535, maxAdvance) &&
              readInt(cell[6], 0, 255, m.tpsPercent) && readInt(cell[7], 0, 65535, tpsMillivolts) &&
              readDouble(cell[8], 0.0, 65.535, supplyVolts);
    bool *const flags[] = {&m.killSwitch, &m.retard,         &m.startLimiter,   &m.clutch,
                           &m.motorOff,   &m.input1Grounded, &m.input2Grounded, &m.pickup1,
                           &m.pickup2,    &m.powerOut1,      &m.powerOut2,      &m.powerOut3,
                           &m.speedRed,   &m.speedYellow,    &m.servoOk,        &m.dataError};
    for (std::size_t i = 0; ok && i < std::size(flags); ++i)
        ok = readFlag(cell[9 + i], *flags[i]);
    ok = ok && readInt(cell[25], 0, 65535, m.savingCountdown) && readInt(cell[26], 0, 65535, m.programCount) &&
         readInt(cell[27], 0, 255, m.protocolVersion);
    if (ok && n == Columns)
        ok = readInt(cell[28], 0, 1'000'000, servoDesired) && readInt(cell[29], 0, 1'000'000, servoMeasured);
    if (!ok)
        return false;

    r.milliseconds = std::llround(seconds * 1000.0);
    m.advance = {static_cast<std::uint8_t>(advance1 + 100), static_cast<std::uint8_t>(advance2 + 100)};
    m.maxAdvance = {static_cast<std::uint16_t>(maxAdvance), static_cast<std::uint16_t>(maxAdvance)};
    m.tpsCounts = millivoltsToCounts(tpsMillivolts);
    m.supplyMillivolts = static_cast<std::uint16_t>(std::llround(supplyVolts * 1000.0));
    m.servoDesired = millivoltsToCounts(servoDesired);
    m.servoMeasured = millivoltsToCounts(servoMeasured);
    out = r;
    return true;
}

} // namespace talviro6
