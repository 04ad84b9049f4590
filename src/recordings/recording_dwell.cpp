#include "recordings/recording_dwell.h"

#include "live/operating_point.h"
#include "model/fields.h"

#include <cstdlib>

namespace talviro6 {
namespace {

/// True when a step from `a` to `b` moves `change` (rpm or %) faster than `limit` per
/// second. A step whose time does not advance gives no rate: a line written twice in
/// the same millisecond, or a file joined from two recordings, is no transient.
bool tooFast(const PackedFrame &a, const PackedFrame &b, int change, const std::optional<double> &limit)
{
    if (!limit)
        return false;
    const std::int64_t elapsed = b.milliseconds - a.milliseconds;
    if (elapsed <= 0)
        return false;
    return std::abs(change) * 1000.0 > *limit * static_cast<double>(elapsed);
}

/// A frame is a transient when the step from the frame before it or the step to the
/// frame after it (neighbours in the whole recording, also outside the range) is too
/// fast: both ends of a jump stand in the change, and a rate from one step alone would
/// count the first frame of a sudden run-up as steady.
bool transient(const std::deque<PackedFrame> &frames, std::size_t i, const DwellFilters &f)
{
    const auto step = [&f](const PackedFrame &a, const PackedFrame &b) {
        return tooFast(a, b, int(b.engineSpeed) - int(a.engineSpeed), f.maxRpmPerSecond) ||
               tooFast(a, b, int(b.tpsPercent) - int(a.tpsPercent), f.maxThrottlePerSecond);
    };
    return (i > 0 && step(frames[i - 1], frames[i])) || (i + 1 < frames.size() && step(frames[i], frames[i + 1]));
}

} // namespace

DwellCounts countRecording(const std::deque<PackedFrame> &frames, const UnitImage &image, const RecordingRange &range,
                           const DwellFilters &filters)
{
    DwellCounts counts;
    // The live dwell map does the counting, so that a recording and the live data
    // choose their cells, and leave out a stopped engine, alike.
    DwellMap map;
    const bool tpsMap = image[field::TpsMapEnable] != 0;
    for (std::size_t i = 0; i < frames.size(); ++i) {
        const PackedFrame &frame = frames[i];
        if ((range.fromMilliseconds && frame.milliseconds < *range.fromMilliseconds) ||
            (range.toMilliseconds && frame.milliseconds > *range.toMilliseconds))
            continue;
        ++counts.framesInRange;
        if (transient(frames, i, filters)) {
            ++counts.transientsLeftOut;
            continue;
        }
        if (frame.engineSpeed != 0)
            ++counts.framesCounted;
        map.tick(UpdateOperatingPoint(image, frame.engineSpeed, frame.tpsPercent, tpsMap), frame.engineSpeed);
    }
    for (std::size_t r = 0; r < DwellMap::Size; ++r) {
        for (std::size_t c = 0; c < DwellMap::Size; ++c)
            counts.cells[r][c] = map.cellTicks(r, c);
        counts.servo[r] = map.servoTicks(r);
    }
    return counts;
}

void shadeCounts(DwellMap &map, const DwellCounts &counts, std::uint32_t minCount)
{
    auto cells = counts.cells;
    auto servo = counts.servo;
    const auto filtered = [minCount](std::uint32_t &n) {
        if (n < minCount)
            n = 0;
    };
    for (auto &row : cells)
        for (auto &n : row)
            filtered(n);
    for (auto &n : servo)
        filtered(n);
    map.setCounts(cells, servo);
}

std::vector<std::vector<std::string>> dwellTable(const DwellCounts &counts, const UnitImage &image,
                                                 const std::string &servoSpeedLabel, const std::string &servoCountLabel)
{
    const auto rpm = [&image](int base, std::size_t i) {
        return std::to_string(int(image[base + static_cast<int>(i)]) * 100);
    };
    std::vector<std::vector<std::string>> table;
    std::vector<std::string> header{""};
    for (std::size_t c = 0; c < DwellMap::Size; ++c)
        header.push_back(rpm(field::AdvanceRpmBase, c));
    table.push_back(header);
    for (std::size_t r = 0; r < DwellMap::Size; ++r) {
        std::vector<std::string> row{std::to_string(ThrottleRows[r]) + " %"};
        for (std::size_t c = 0; c < DwellMap::Size; ++c)
            row.push_back(std::to_string(counts.cells[r][c]));
        table.push_back(row);
    }
    std::vector<std::string> speeds{servoSpeedLabel};
    std::vector<std::string> servo{servoCountLabel};
    for (std::size_t k = 0; k < DwellMap::Size; ++k) {
        speeds.push_back(rpm(field::ServoRpmBase, k));
        servo.push_back(std::to_string(counts.servo[k]));
    }
    table.push_back(speeds);
    table.push_back(servo);
    return table;
}

} // namespace talviro6
