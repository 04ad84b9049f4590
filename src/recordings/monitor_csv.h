#pragma once

#include "link/monitor_frame.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace talviro6 {

/// The live data as CSV: one line per accepted live frame, as `talviro6-cli monitor`
/// prints it and the window records it. New columns go at the end, so that scripts
/// written against an older column list keep working.
std::string_view monitorCsvHeader(); ///< the column names, without the line end

/// One line for a frame, without the line end. `tpsMillivolts` is the link's own
/// conversion of the frame's throttle counts (saturated at 65535 mV).
std::string monitorCsvLine(double seconds, const MonitorFrame &frame, std::uint16_t tpsMillivolts);

/// A line read back: the time and a frame that, decoded, shows what was recorded.
/// Bytes the CSV does not carry (test values, pick-up counters) are zero.
struct RecordedFrame {
    std::int64_t milliseconds = 0; ///< the line's time, rounded to the millisecond
    MonitorFrame frame;
};

/// The lines of a recording or of the monitor's output.
struct MonitorCsv {
    std::vector<RecordedFrame> frames;
    std::vector<std::string> comments; ///< the "#" lines, without the "#" and one space after it
    std::size_t skippedLines = 0;      ///< lines that could not be read; blank lines and the header not counted
    std::size_t firstSkippedLine = 0;  ///< 1-based; 0 when none
};

/// One line; false when it is not a line of values (the header, a comment, garbage).
bool parseMonitorCsvLine(std::string_view line, RecordedFrame &out);

/// A whole text, comments kept. Tolerant: a line it cannot read is skipped and
/// counted. The monitor of older builds wrote no servo columns; its lines read with
/// the servo at 0 counts. Files are read by readRecording (recording_reader.h).
MonitorCsv parseMonitorCsv(std::string_view text);

/// mV back to converter counts: the smallest count whose mV (counts * 5000 / 1023,
/// truncated) is at least `millivolts`, so counts -> mV -> counts is exact.
std::uint16_t millivoltsToCounts(std::uint32_t millivolts);

} // namespace talviro6
