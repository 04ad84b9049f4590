#include "recordings/min_max_pyramid.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace talviro6 {
namespace {

void add(FrameSpan &into, const FrameSpan &other)
{
    for (std::size_t i = 0; i < PlotSeriesCount; ++i) {
        MinMax &a = into.series[i];
        const MinMax &b = other.series[i];
        if (static_cast<PlotSeries>(i) == PlotSeries::Flags) {
            a.min = static_cast<std::uint16_t>(a.min & b.min);
            a.max = static_cast<std::uint16_t>(a.max | b.max);
        } else {
            a.min = std::min(a.min, b.min);
            a.max = std::max(a.max, b.max);
        }
    }
}

FrameSpan spanOf(const PackedFrame &frame)
{
    FrameSpan s;
    for (std::size_t i = 0; i < PlotSeriesCount; ++i) {
        const std::uint16_t v = seriesValue(frame, static_cast<PlotSeries>(i));
        s.series[i] = {v, v};
    }
    return s;
}

} // namespace

std::uint16_t seriesValue(const PackedFrame &frame, PlotSeries series)
{
    switch (series) {
    case PlotSeries::EngineSpeed:
        return frame.engineSpeed;
    case PlotSeries::Advance1:
        return frame.advance[0];
    case PlotSeries::Advance2:
        return frame.advance[1];
    case PlotSeries::TpsPercent:
        return frame.tpsPercent;
    case PlotSeries::ServoDesired:
        return frame.servoDesired;
    case PlotSeries::ServoMeasured:
        return frame.servoMeasured;
    case PlotSeries::Supply:
        return frame.supplyMillivolts;
    case PlotSeries::Flags:
        return frame.flags;
    }
    return 0;
}

MinMaxPyramid::MinMaxPyramid(const std::deque<PackedFrame> &frames)
{
    constexpr std::size_t first = std::size_t{1} << FirstLevel;
    std::vector<FrameSpan> level(frames.size() / first);
    auto it = frames.begin();
    for (FrameSpan &block : level)
        for (std::size_t i = 0; i < first; ++i, ++it)
            add(block, spanOf(*it));
    while (!level.empty()) {
        std::vector<FrameSpan> up(level.size() / 2);
        for (std::size_t i = 0; i < up.size(); ++i) {
            up[i] = level[2 * i];
            add(up[i], level[2 * i + 1]);
        }
        m_levels.push_back(std::move(level));
        level = std::move(up);
    }
}

FrameSpan MinMaxPyramid::span(const std::deque<PackedFrame> &frames, std::size_t first, std::size_t last) const
{
    FrameSpan s;
    last = std::min(last, frames.size());
    std::size_t i = first;
    while (i < last) {
        // The largest block that starts here (its size divides i) and ends inside the run.
        const int aligned = i == 0 ? 63 : std::countr_zero(i);
        const int fits = std::bit_width(last - i) - 1;
        const int level = std::min({aligned, fits, FirstLevel + static_cast<int>(m_levels.size()) - 1}) - FirstLevel;
        if (level < 0) {
            add(s, spanOf(frames[i]));
            ++i;
            continue;
        }
        add(s, m_levels[static_cast<std::size_t>(level)][i >> (FirstLevel + level)]);
        i += std::size_t{1} << (FirstLevel + level);
    }
    return s;
}

std::size_t MinMaxPyramid::frameAt(const std::deque<PackedFrame> &frames, double ms)
{
    return static_cast<std::size_t>(
        std::partition_point(frames.begin(), frames.end(),
                             [ms](const PackedFrame &f) { return static_cast<double>(f.milliseconds) < ms; }) -
        frames.begin());
}

std::vector<FrameSpan> MinMaxPyramid::query(const std::deque<PackedFrame> &frames, double fromMs, double toMs,
                                            int columns) const
{
    std::vector<FrameSpan> out(static_cast<std::size_t>(std::max(columns, 0)));
    if (out.empty() || !(toMs > fromMs))
        return out;
    const double width = (toMs - fromMs) / columns;
    std::size_t first = frameAt(frames, fromMs);
    for (int c = 0; c < columns; ++c) {
        const std::size_t last = c + 1 == columns ? frameAt(frames, toMs) : frameAt(frames, fromMs + width * (c + 1));
        out[static_cast<std::size_t>(c)] = span(frames, first, last);
        first = std::max(first, last);
    }
    return out;
}

std::size_t MinMaxPyramid::bytes() const
{
    std::size_t total = 0;
    for (const auto &level : m_levels)
        total += level.capacity() * sizeof(FrameSpan);
    return total;
}

} // namespace talviro6
