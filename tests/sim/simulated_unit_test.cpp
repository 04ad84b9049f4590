#include "link/frame.h"
#include "link/monitor_frame.h"
#include "link/unit_header.h"
#include "model/fields.h"
#include "sim/simulated_unit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using namespace talviro6;
using namespace talviro6::sim;

namespace {

/// Sends one request at `at` and collects everything the unit sends within `window`.
std::vector<std::uint8_t> ask(SimulatedUnit &unit, const Frame &request, Micros at, Micros window = 50'000)
{
    unit.receive(request, at);
    std::vector<std::uint8_t> out(2048);
    out.resize(unit.take(out, at + window));
    return out;
}

Frame frameOf(const std::vector<std::uint8_t> &bytes)
{
    Frame f{};
    std::copy_n(bytes.begin(), std::min<std::size_t>(bytes.size(), FrameSize), f.begin());
    return f;
}

} // namespace

TEST(SimulatedUnit, AnswersEveryRequestTheToolMakes)
{
    SimulatedUnit unit;
    Micros now = 0;

    // Program: block 0 answers the header and stores nothing; blocks 1 ... 3 store and echo.
    Frame header = frameOf(ask(unit, makeFrame(0x00), now += 100'000));
    EXPECT_EQ(header[0], 0x80);
    EXPECT_TRUE(hasMatchingCheckByte(header));
    EXPECT_EQ(header[1 + header::ProtocolVersion], 76);
    EXPECT_EQ(DecodeUnitHeader(unit.header()).UnitNameText, "TLV06");
    EXPECT_EQ(DecodeUnitHeader(unit.header()).UnitDateText, "14. 3.2024");

    std::array<std::uint8_t, 100> data{};
    data.fill(0x21);
    Frame echo = frameOf(ask(unit, makeFrame(0x02, data), now += 100'000));
    EXPECT_EQ(echo, makeFrame(0x82, data));
    EXPECT_EQ(unit.memory()[100], 0x21);
    EXPECT_EQ(unit.memory()[199], 0x21);

    // Read and verify answer with memory, whatever data came with the request.
    EXPECT_EQ(frameOf(ask(unit, makeFrame(0x42), now += 100'000)), makeFrame(0xC2, data));
    EXPECT_EQ(unit.memory()[100], 0x21) << "a verify request does not store";
    EXPECT_EQ(frameOf(ask(unit, makeFrame(0x40), now += 100'000))[0], 0xC0);

    // The poll: a live frame of our protocol version.
    const auto live = decodeMonitorFrame(frameOf(ask(unit, makeFrame(0x30), now += 100'000)));
    ASSERT_TRUE(live);
    EXPECT_EQ(live->protocolVersion, 76);

    // What the unit cannot trust or does not know gets no answer.
    Frame corrupt = makeFrame(0x41);
    corrupt[101] ^= 1;
    EXPECT_TRUE(ask(unit, corrupt, now += 100'000).empty());
    EXPECT_TRUE(ask(unit, makeFrame(0x44), now += 100'000).empty());
    EXPECT_TRUE(ask(unit, makeFrame(0x81), now += 100'000).empty());
}

TEST(SimulatedUnit, AnswerTakesAsLongAsOnARealLine)
{
    SimulatedUnit unit;
    unit.receive(makeFrame(0x41), 0);
    EXPECT_EQ(unit.available(AnswerLatency), 0u);
    EXPECT_GT(unit.available(AnswerLatency + FrameMicros / 2), 40u);
    EXPECT_LT(unit.available(AnswerLatency + FrameMicros / 2), 60u);
    EXPECT_EQ(unit.available(AnswerLatency + FrameMicros), 102u);
    EXPECT_EQ(*unit.nextDue(), AnswerLatency + FrameMicros / FrameSize);
}

TEST(SimulatedUnit, NamedFaults)
{
    struct Row {
        Fault fault;
        std::size_t bytesAfter20ms;
        std::size_t bytesAfter400ms;
        bool checkMatches;
    };
    const Row rows[] = {
        {Fault::NoAnswer, 0, 0, false},      {Fault::WrongCheckByte, 102, 102, false},
        {Fault::LateAnswer, 0, 102, true},   {Fault::SplitAnswer, SplitAt, 102, true},
        {Fault::StrayByte, 103, 103, false}, {Fault::Silence, 0, 0, false},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(faultName(r.fault));
        EXPECT_EQ(faultFromName(faultName(r.fault)), r.fault);
        SimulatedUnit unit;
        unit.injectFault(r.fault);
        unit.receive(makeFrame(0x41), 0);
        EXPECT_EQ(unit.available(20'000), r.bytesAfter20ms);
        EXPECT_EQ(unit.available(400'000), r.bytesAfter400ms);
        std::vector<std::uint8_t> bytes(200);
        bytes.resize(unit.take(bytes, 400'000));
        if (bytes.size() >= FrameSize) {
            EXPECT_EQ(hasMatchingCheckByte(frameOf(bytes)), r.checkMatches);
        }
        // Only the next answer had the fault.
        EXPECT_EQ(ask(unit, makeFrame(0x41), 1'000'000).size(), 102u);
    }
    EXPECT_FALSE(faultFromName("gremlins"));
}

TEST(SimulatedUnit, FaultsCountOnlyTheRequestTheyAreFor)
{
    SimulatedUnit unit;
    unit.injectFault(Fault::NoAnswer, 2, 0x42);
    Micros now = 0;
    EXPECT_EQ(ask(unit, makeFrame(0x41), now += 100'000).size(), 102u);
    EXPECT_TRUE(ask(unit, makeFrame(0x42), now += 100'000).empty());
    EXPECT_EQ(ask(unit, makeFrame(0x30), now += 100'000).size(), 102u);
    EXPECT_TRUE(ask(unit, makeFrame(0x42), now += 100'000).empty());
    EXPECT_EQ(ask(unit, makeFrame(0x42), now += 100'000).size(), 102u);

    // Silence: the unplugged unit stores nothing either.
    unit.injectFault(Fault::Silence, -1);
    std::array<std::uint8_t, 100> data{};
    data.fill(9);
    EXPECT_TRUE(ask(unit, makeFrame(0x01, data), now += 100'000).empty());
    EXPECT_NE(unit.memory()[0], 9);

    unit.clearFaults();
    unit.injectFault(Fault::OtherVersion, 2);
    EXPECT_EQ(ask(unit, makeFrame(0x00), now += 100'000)[1 + header::ProtocolVersion], 75);
    EXPECT_EQ(decodeMonitorFrame(frameOf(ask(unit, makeFrame(0x30), now += 100'000)))->protocolVersion, 75);
    EXPECT_EQ(decodeMonitorFrame(frameOf(ask(unit, makeFrame(0x30), now += 100'000)))->protocolVersion, 76);
}

TEST(SimulatedUnit, PauseInTheMiddleOfARequestStartsItOver)
{
    SimulatedUnit unit;
    unit.setLogging(true);
    const Frame request = makeFrame(0x41);
    unit.receive(std::span<const std::uint8_t>(request).first(40), 0);
    // The rest never came; a whole request follows after a pause.
    EXPECT_EQ(ask(unit, request, InterByteGap + 1).size(), 102u);
    EXPECT_EQ(unit.requests().size(), 1u);
    // Arriving in pieces without a pause is one request.
    unit.receive(std::span<const std::uint8_t>(request).first(60), 1'000'000);
    unit.receive(std::span<const std::uint8_t>(request).subspan(60), 1'002'000);
    EXPECT_EQ(unit.requests().size(), 2u);
}

// The window's --simulate runs for hours: a log of every frame would grow all the while.
TEST(SimulatedUnit, KeepsNoLogUnlessAsked)
{
    SimulatedUnit unit;
    Micros now = 0;
    for (int i = 0; i < 20'000; ++i) // nearly two hours of polls at 330 ms
        ASSERT_EQ(ask(unit, makeFrame(i % 4 == 0 ? 0x41 : 0x30), now += 100'000).size(), 102u);
    EXPECT_TRUE(unit.requests().empty());
    EXPECT_TRUE(unit.answers().empty());

    // Asked for, the logs keep the newest frames and no more.
    unit.setLogging(true);
    const std::size_t frames = 3 * SimulatedUnit::LogCapacity + 7;
    for (std::size_t i = 0; i < frames; ++i) {
        std::array<std::uint8_t, 100> data{};
        data[0] = static_cast<std::uint8_t>(i);
        data[1] = static_cast<std::uint8_t>(i >> 8);
        ask(unit, makeFrame(0x41, data), now += 100'000);
    }
    ASSERT_EQ(unit.requests().size(), SimulatedUnit::LogCapacity);
    ASSERT_EQ(unit.answers().size(), SimulatedUnit::LogCapacity);
    const auto number = [](const Frame &f) { return f[1] | f[2] << 8; };
    EXPECT_EQ(number(unit.requests().front()), static_cast<int>(frames - SimulatedUnit::LogCapacity));
    EXPECT_EQ(number(unit.requests().back()), static_cast<int>(frames - 1));
    EXPECT_EQ(unit.answers().back()[0], 0xC1);
}

TEST(SimulatedUnit, ProgrammingCountsAndStartsTheSavingCountdown)
{
    SimulatedUnit unit;
    EXPECT_EQ(unit.programCount(), 0);
    ask(unit, makeFrame(0x01, unit.memory()), 0);
    ask(unit, makeFrame(0x03), 100'000);
    EXPECT_EQ(unit.programCount(), 1);
    EXPECT_EQ(unit.savingCountdown(100'000), 600);
    EXPECT_EQ(unit.savingCountdown(100'000 + SavingMicros / 2), 300);
    EXPECT_EQ(unit.savingCountdown(100'000 + SavingMicros), 0);
    EXPECT_EQ(unit.liveValues(100'000 + SavingMicros / 2).savingCountdown, 300);
    EXPECT_EQ(unit.liveValues(200'000).programCount, 1);
}

TEST(SimulatedUnit, LiveEngineSweepsThroughTheMap)
{
    SimulatedUnit unit;
    const int firstColumn = unit.memory()[field::AdvanceRpm(0)] * 100;
    const int lastColumn = unit.memory()[field::AdvanceRpm(9)] * 100;
    int slowest = 1 << 20, fastest = 0, lowThrottle = 100, highThrottle = 0;
    bool input1 = false, input2 = false, stopped = false, atMaximum = false, yellowSupply = false;
    for (Micros t = 0; t < 24'000'000; t += 55'000) {
        const MonitorFrame m = unit.liveValues(t);
        if (m.engineSpeed > 0) {
            slowest = std::min<int>(slowest, m.engineSpeed);
            EXPECT_TRUE(m.pickup1);
        } else {
            stopped = true;
            EXPECT_FALSE(m.pickup1);
        }
        fastest = std::max<int>(fastest, m.engineSpeed);
        lowThrottle = std::min<int>(lowThrottle, m.tpsPercent);
        highThrottle = std::max<int>(highThrottle, m.tpsPercent);
        input1 |= m.input1Grounded;
        input2 |= m.input2Grounded;
        atMaximum |= m.maxAdvance[0] > 0 && m.advance[0] - 100 >= m.maxAdvance[0];
        yellowSupply |= m.supplyMillivolts <= 11000;
        EXPECT_LE(m.tpsPercent, 100);
        EXPECT_EQ(m.protocolVersion, 76);
    }
    EXPECT_TRUE(stopped);
    EXPECT_LT(slowest, firstColumn);
    EXPECT_GT(fastest, lastColumn);
    EXPECT_EQ(lowThrottle, 0);
    EXPECT_EQ(highThrottle, 100);
    EXPECT_TRUE(input1 && input2);
    EXPECT_TRUE(atMaximum);
    EXPECT_TRUE(yellowSupply);
}
