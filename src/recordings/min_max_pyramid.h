#pragma once

#include "recordings/recording_reader.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

namespace talviro6 {

/// The values of a recorded frame that the viewer plots, each as the frame holds it.
enum class PlotSeries : std::uint8_t {
    EngineSpeed,   ///< rpm
    Advance1,      ///< the frame's advance byte, channel 1
    Advance2,      ///< channel 2
    TpsPercent,    ///< %
    ServoDesired,  ///< counts
    ServoMeasured, ///< counts
    Supply,        ///< mV
    Flags,         ///< the sixteen on/off values: min is "on in every frame", max "on in any"
};
inline constexpr std::size_t PlotSeriesCount = static_cast<std::size_t>(PlotSeries::Flags) + 1;

std::uint16_t seriesValue(const PackedFrame &frame, PlotSeries series);

/// The least and greatest value over some frames. Over no frames min > max (the
/// values that leave any other unchanged when combined).
struct MinMax {
    std::uint16_t min = 0xFFFF;
    std::uint16_t max = 0;
    bool empty() const { return min > max; } ///< over any frame AND <= OR, so the flags too
    bool operator==(const MinMax &) const = default;
};

/// Every series' MinMax over the same frames.
struct FrameSpan {
    std::array<MinMax, PlotSeriesCount> series{};
    const MinMax &operator[](PlotSeries s) const { return series[static_cast<std::size_t>(s)]; }
    bool empty() const { return series[0].empty(); }
    bool operator==(const FrameSpan &) const = default;
};

/// Min and max of every plotted series per 2^k frames, k = FirstLevel and up, so that
/// any run of frames is summed up from at most two blocks per level and a few frames
/// at its ends. A painter asks one span per pixel column and so draws as many lines
/// at any zoom; a day of frames costs 8 bytes a frame here besides the frames.
/// The frames are not kept: each query is handed the ones it was built from, in
/// time order as a recording holds them.
class MinMaxPyramid {
  public:
    static constexpr int FirstLevel = 3; ///< blocks of 8 frames: below that, frames are read

    MinMaxPyramid() = default;
    explicit MinMaxPyramid(const std::deque<PackedFrame> &frames);

    /// Frames [first, last).
    FrameSpan span(const std::deque<PackedFrame> &frames, std::size_t first, std::size_t last) const;

    /// The time from `fromMs` to `toMs` (the frames' own times) cut into `columns`
    /// equal columns: column c holds the frames at or after its start and before the
    /// next column's. An empty column has an empty span.
    std::vector<FrameSpan> query(const std::deque<PackedFrame> &frames, double fromMs, double toMs, int columns) const;

    /// The first frame at or after `ms`.
    static std::size_t frameAt(const std::deque<PackedFrame> &frames, double ms);

    std::size_t bytes() const;

  private:
    std::vector<std::vector<FrameSpan>> m_levels; ///< m_levels[i]: blocks of 2^(FirstLevel + i) frames
};

} // namespace talviro6
