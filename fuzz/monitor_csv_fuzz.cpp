// Any bytes as a recording: no crash, no hang; every frame read is a fixed point
// (written as a line and read again, it comes back the same, and so does the line);
// the replay clock over the frames keeps its order and bounds wherever it is moved.
#include "live/monitor_view.h"
#include "recordings/monitor_csv.h"
#include "recordings/replay_clock.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

using namespace talviro6;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char *>(data), size);
    const MonitorCsv csv = parseMonitorCsv(input);
    if (csv.skippedLines > 0 && csv.firstSkippedLine == 0)
        std::abort();
    for (const RecordedFrame &r : csv.frames) {
        const double seconds = static_cast<double>(r.milliseconds) / 1000.0;
        const std::string line = monitorCsvLine(seconds, r.frame, countsToMillivolts(r.frame.tpsCounts));
        RecordedFrame again;
        if (!parseMonitorCsvLine(line, again) || again.frame != r.frame || again.milliseconds != r.milliseconds)
            std::abort();
        if (monitorCsvLine(seconds, again.frame, countsToMillivolts(again.frame.tpsCounts)) != line)
            std::abort();
    }

    ReplayClock clock(csv.frames);
    const std::int64_t duration = clock.durationMs();
    if (duration < 0)
        std::abort();
    for (const std::int64_t at : {std::int64_t{-1}, std::int64_t{0}, duration / 3, duration, duration + 1}) {
        const std::size_t shown = clock.seek(at);
        if (csv.frames.empty())
            continue;
        if (shown >= csv.frames.size() || clock.timeOf(shown) > clock.positionMs())
            std::abort();
        // Played on from the moment shown, or from the start when that was the end.
        std::size_t expected = clock.atEnd() ? 0 : shown + 1;
        clock.play();
        for (int tick = 0; tick < 8; ++tick)
            for (const std::size_t i : clock.tick())
                if (i != expected++)
                    std::abort();
        if (clock.positionMs() < 0 || clock.positionMs() > duration)
            std::abort();
    }
    return 0;
}
