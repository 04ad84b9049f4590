// The min/max pyramid the viewer paints from: every answer equals the min and max
// read frame by frame.
#include "recordings/min_max_pyramid.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

using namespace talviro6;

namespace {

std::deque<PackedFrame> randomFrames(std::size_t count, std::mt19937 &random, int maxStepMs)
{
    std::deque<PackedFrame> frames;
    std::int64_t ms = 5'000'000'000; // a time past 32 bits
    std::uniform_int_distribution<int> step(0, maxStepMs), word(0, 0xFFFF), byte(0, 255);
    for (std::size_t i = 0; i < count; ++i) {
        PackedFrame f;
        ms += step(random);
        f.milliseconds = ms;
        f.engineSpeed = static_cast<std::uint16_t>(word(random));
        f.advance = {static_cast<std::uint8_t>(byte(random)), static_cast<std::uint8_t>(byte(random))};
        f.tpsPercent = static_cast<std::uint8_t>(byte(random) % 101);
        f.servoDesired = static_cast<std::uint16_t>(word(random));
        f.servoMeasured = static_cast<std::uint16_t>(word(random));
        f.supplyMillivolts = static_cast<std::uint16_t>(word(random));
        // Sparse bits, so that "on in every frame" and "on in any" both occur.
        f.flags = static_cast<std::uint16_t>((word(random) & word(random)) | (i % 3 == 0 ? 0x8000 : 0));
        frames.push_back(f);
    }
    return frames;
}

FrameSpan bruteForce(const std::deque<PackedFrame> &frames, std::size_t first, std::size_t last)
{
    FrameSpan s;
    for (std::size_t i = first; i < std::min(last, frames.size()); ++i)
        for (std::size_t k = 0; k < PlotSeriesCount; ++k) {
            const auto series = static_cast<PlotSeries>(k);
            const std::uint16_t v = seriesValue(frames[i], series);
            MinMax &m = s.series[k];
            if (series == PlotSeries::Flags) {
                m.min = static_cast<std::uint16_t>(m.min & v);
                m.max = static_cast<std::uint16_t>(m.max | v);
            } else {
                m.min = std::min(m.min, v);
                m.max = std::max(m.max, v);
            }
        }
    return s;
}

} // namespace

TEST(MinMaxPyramid, AnyRunOfFramesEqualsTheMinAndMaxReadFrameByFrame)
{
    std::mt19937 random(21);
    // Sizes around the block edges: none, fewer than a block, exact powers, one past.
    for (std::size_t count : {0u, 1u, 7u, 8u, 9u, 63u, 64u, 65u, 1000u, 4099u}) {
        const std::deque<PackedFrame> frames = randomFrames(count, random, 100);
        const MinMaxPyramid pyramid(frames);
        std::vector<std::pair<std::size_t, std::size_t>> runs{{0, count}, {0, 0}, {count, count}, {0, count + 5}};
        if (count > 1)
            runs.insert(runs.end(), {{1, count}, {0, count - 1}, {count - 1, count}, {count / 2, count / 2 + 1}});
        std::uniform_int_distribution<std::size_t> at(0, count);
        for (int r = 0; r < 300; ++r) {
            std::size_t a = at(random), b = at(random);
            runs.emplace_back(std::min(a, b), std::max(a, b));
        }
        for (auto [first, last] : runs) {
            const FrameSpan got = pyramid.span(frames, first, last);
            ASSERT_EQ(got, bruteForce(frames, first, last)) << count << " frames, [" << first << ", " << last << ")";
            EXPECT_EQ(got.empty(), first >= std::min(last, count));
        }
    }
}

TEST(MinMaxPyramid, ColumnsOfTimeHoldTheFramesOfTheirTime)
{
    std::mt19937 random(4);
    // Frames 0..40 ms apart (several at one millisecond), columns wider and
    // narrower than a frame, ranges past either end of the recording.
    const std::deque<PackedFrame> frames = randomFrames(5000, random, 40);
    const MinMaxPyramid pyramid(frames);
    const double start = static_cast<double>(frames.front().milliseconds);
    const double end = static_cast<double>(frames.back().milliseconds);
    struct Case {
        double from, to;
        int columns;
    };
    std::vector<Case> cases{{start, end + 1, 1},
                            {start, end + 1, 1280},
                            {start - 5000, end + 5000, 700},
                            {start + 100, start + 150, 1000},
                            {end - 10, end + 1, 3},
                            {end + 10, end + 90, 50},
                            {start, start, 10},
                            {start, end, 0}};
    std::uniform_real_distribution<double> at(start - 100, end + 100);
    for (int r = 0; r < 30; ++r) {
        const double a = at(random), b = at(random);
        cases.push_back({std::min(a, b), std::max(a, b), 1 + r * 37});
    }
    for (const Case &c : cases) {
        const std::vector<FrameSpan> got = pyramid.query(frames, c.from, c.to, c.columns);
        ASSERT_EQ(got.size(), static_cast<std::size_t>(std::max(c.columns, 0)));
        std::size_t seen = 0;
        const double width = (c.to - c.from) / std::max(c.columns, 1);
        for (int col = 0; col < c.columns; ++col) {
            const double lo = c.from + width * col, hi = col + 1 == c.columns ? c.to : c.from + width * (col + 1);
            std::size_t first = frames.size(), last = 0;
            for (std::size_t i = 0; i < frames.size(); ++i) {
                const auto t = static_cast<double>(frames[i].milliseconds);
                if (t >= lo && t < hi) {
                    first = std::min(first, i);
                    last = i + 1;
                }
            }
            const FrameSpan want = first < last ? bruteForce(frames, first, last) : FrameSpan{};
            ASSERT_EQ(got[static_cast<std::size_t>(col)], want)
                << "[" << c.from << ", " << c.to << ") in " << c.columns << ", column " << col;
            seen += first < last ? last - first : 0;
        }
        if (c.from <= start && c.to > end && c.columns > 0) {
            EXPECT_EQ(seen, frames.size()) << "every frame in one column";
        }
    }
}

TEST(MinMaxPyramid, CostsAQuarterOfAFrameForItsBlocks)
{
    std::mt19937 random(1);
    const std::deque<PackedFrame> frames = randomFrames(1 << 16, random, 60);
    EXPECT_LE(MinMaxPyramid(frames).bytes(), frames.size() * 8);
}
