// Where the engine ran, counted from a recording: the cells chosen as live, the time
// range and the transient filters at their edges, the minimum count as shading only.
#include "model/fields.h"
#include "recordings/recording_dwell.h"

#include <gtest/gtest.h>

using namespace talviro6;

namespace {

/// Map columns 1000 ... 10000 rpm, servo points 500 ... 9500 rpm, throttle map on.
UnitImage steppedImage()
{
    UnitImage image;
    for (int i = 0; i < 10; ++i) {
        image[field::AdvanceRpmBase + i] = static_cast<std::uint8_t>(10 * (i + 1));
        image[field::ServoRpmBase + i] = static_cast<std::uint8_t>(5 + 10 * i);
    }
    image[field::TpsMapEnable] = 1;
    return image;
}

PackedFrame frameAt(std::int64_t ms, std::uint16_t rpm, std::uint8_t tps)
{
    PackedFrame f;
    f.milliseconds = ms;
    f.engineSpeed = rpm;
    f.tpsPercent = tps;
    return f;
}

std::uint32_t total(const DwellCounts &c)
{
    std::uint32_t n = 0;
    for (const auto &row : c.cells)
        for (auto v : row)
            n += v;
    return n;
}

} // namespace

TEST(RecordingDwell, CountsFramesInTheCellsTheLiveMapChooses)
{
    const std::deque<PackedFrame> frames{
        frameAt(0, 3000, 20),      // row 4 (20 %), column 2 (3000 rpm), servo 2 (2500 rpm is nearer than 3500)
        frameAt(300, 3040, 21),    // the same cell
        frameAt(600, 500, 0),      // below the first column: the servo curve alone (point 0)
        frameAt(900, 0, 50),       // stopped: nowhere
        frameAt(1200, 30000, 100), // past the last column and row: the last cell
    };
    const DwellCounts c = countRecording(frames, steppedImage(), {}, {});
    EXPECT_EQ(c.cells[4][2], 2u);
    EXPECT_EQ(c.cells[9][9], 1u);
    EXPECT_EQ(total(c), 3u);
    EXPECT_EQ(c.servo[2], 2u);
    EXPECT_EQ(c.servo[0], 1u);
    EXPECT_EQ(c.servo[9], 1u);
    EXPECT_EQ(c.framesInRange, 5u);
    EXPECT_EQ(c.framesCounted, 4u);

    // Without the throttle map only the last row is in use, as on the unit.
    UnitImage noMap = steppedImage();
    noMap[field::TpsMapEnable] = 0;
    EXPECT_EQ(countRecording(frames, noMap, {}, {}).cells[9][2], 2u);
}

TEST(RecordingDwell, RangeIncludesBothEnds)
{
    std::deque<PackedFrame> frames;
    for (std::int64_t ms : {999, 1000, 1500, 2000, 2001})
        frames.push_back(frameAt(ms, 3000, 20));
    struct Row {
        std::optional<std::int64_t> from, to;
        std::uint32_t counted;
    };
    const Row rows[] = {
        {{}, {}, 5}, {1000, 2000, 3}, {1001, 1999, 1}, {2001, {}, 1}, {{}, 999, 1}, {2002, {}, 0}, {2000, 1000, 0},
    };
    for (const Row &r : rows) {
        const DwellCounts c = countRecording(frames, steppedImage(), {r.from, r.to}, {});
        EXPECT_EQ(c.cells[4][2], r.counted) << r.from.value_or(-1) << " ... " << r.to.value_or(-1);
        EXPECT_EQ(c.framesInRange, r.counted);
    }
}

TEST(RecordingDwell, TransientsAtTheLimitsEdge)
{
    // A steady second, a step of 500 rpm and 10 % in 500 ms (1000 rpm/s, 20 %/s),
    // then steady again; the frames at both ends of the step stand in the change.
    const std::deque<PackedFrame> frames{frameAt(0, 3000, 20), frameAt(500, 3000, 20), frameAt(1000, 3500, 30),
                                         frameAt(1500, 3500, 30)};
    struct Row {
        std::optional<double> rpm, tps;
        std::size_t leftOut;
    };
    const Row rows[] = {
        {{}, {}, 0},   {1000.0, {}, 0},   {999.9, {}, 2},    {{}, 20.0, 0},
        {{}, 19.9, 2}, {1000.0, 20.0, 0}, {5000.0, 19.9, 2}, {0.0, {}, 2},
    };
    for (const Row &r : rows) {
        DwellFilters f;
        f.maxRpmPerSecond = r.rpm;
        f.maxThrottlePerSecond = r.tps;
        const DwellCounts c = countRecording(frames, steppedImage(), {}, f);
        EXPECT_EQ(c.transientsLeftOut, r.leftOut) << r.rpm.value_or(-1) << " rpm/s, " << r.tps.value_or(-1) << " %/s";
        EXPECT_EQ(c.framesCounted + c.transientsLeftOut, 4u);
    }

    // A neighbour outside the range still gives the rate: the frame at 1000 ms is a
    // transient also when the range starts there.
    DwellFilters f;
    f.maxRpmPerSecond = 100;
    EXPECT_EQ(countRecording(frames, steppedImage(), {1000, {}}, f).transientsLeftOut, 1u);

    // Time that does not advance gives no rate: a repeated or joined line is no jump.
    const std::deque<PackedFrame> joined{frameAt(0, 3000, 20), frameAt(0, 6000, 80), frameAt(0, 3000, 20)};
    f.maxThrottlePerSecond = 1;
    EXPECT_EQ(countRecording(joined, steppedImage(), {}, f).transientsLeftOut, 0u);
}

TEST(RecordingDwell, MinimumCountLeavesCellsUnshadedButCounted)
{
    std::deque<PackedFrame> frames;
    for (int i = 0; i < 3; ++i)
        frames.push_back(frameAt(i * 300, 3000, 20)); // 3 in row 4, column 2
    for (int i = 3; i < 12; ++i)
        frames.push_back(frameAt(i * 300, 6000, 60)); // 9 in row 7, column 5
    const DwellCounts c = countRecording(frames, steppedImage(), {}, {});
    struct Row {
        std::uint32_t min;
        bool smallShaded, largeShaded;
    };
    for (const Row r :
         {Row{0, true, true}, Row{3, true, true}, Row{4, false, true}, Row{9, false, true}, Row{10, false, false}}) {
        DwellMap map;
        shadeCounts(map, c, r.min);
        EXPECT_EQ(map.cellShade(4, 2) > 0, r.smallShaded) << "min " << r.min;
        EXPECT_EQ(map.cellShade(7, 5) > 0, r.largeShaded) << "min " << r.min;
        EXPECT_TRUE(map.trail().empty());
        // The table's numbers do not follow the display filter.
        EXPECT_EQ(dwellTable(c, steppedImage(), "s", "n")[5][3], "3");
    }
}

TEST(RecordingDwell, TableRowsAndColumns)
{
    const std::deque<PackedFrame> frames{frameAt(0, 3000, 20)};
    const auto t = dwellTable(countRecording(frames, steppedImage(), {}, {}), steppedImage(), "servo rpm", "servo");
    ASSERT_EQ(t.size(), 13u);
    for (const auto &row : t)
        EXPECT_EQ(row.size(), 11u);
    EXPECT_EQ(t[0][1], "1000");
    EXPECT_EQ(t[0][10], "10000");
    EXPECT_EQ(t[1][0], "0 %");
    EXPECT_EQ(t[10][0], "100 %");
    EXPECT_EQ(t[5][3], "1");
    EXPECT_EQ(t[11][0], "servo rpm");
    EXPECT_EQ(t[11][1], "500");
    EXPECT_EQ(t[12][3], "1");
}
