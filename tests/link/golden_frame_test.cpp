// Frames written out byte by byte, as they come from a unit, with the values they
// stand for worked out by hand from the frame layout. The simulated unit encodes its
// live frames with the decoder's own table, so only frames like these can show a
// field read from the wrong byte.
#include "link_fixture.h"

#include "link/monitor_frame.h"

#include <gtest/gtest.h>

#include <cstddef>

using namespace talviro6;
using namespace talviro6::testing;

namespace {

// Every field at its own value; bytes the tool does not interpret hold 0xEE. The
// flags alternate (set: 37, 39, 42, 48, 62, 64, 66, 68, each with another non-zero
// value), the two-byte fields have different high and low bytes.
constexpr Frame LiveA{
    0xB0, 0x38, 0x15, 0xD1, 0x02, 0x12, 0x36, 0x55, 0x01, 0x77, 0x03, 0x0B, 0x0A, 0x11, 0x01, 0x12, //   0
    0x02, 0x13, 0x03, 0x14, 0x04, 0x15, 0x05, 0x16, 0x06, 0x17, 0x07, 0x18, 0x08, 0xEE, 0xEE, 0xEE, //  16
    0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0x01, 0x00, 0x02, 0x00, 0x2D, 0x04, 0x00, 0x21, 0x22, 0x23, 0x24, //  32
    0x08, 0x00, 0x82, 0x7D, 0xEE, 0xEE, 0x31, 0x01, 0x42, 0x02, 0xEE, 0xEE, 0xEE, 0xEE, 0x10, 0x00, //  48
    0x20, 0x00, 0x40, 0x00, 0x80, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, //  64
    0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0x58, //  80
    0x02, 0xEE, 0xEE, 0x00, 0x4C, 0xFB,                                                             //  96
};

// The other flags set, the high bytes of the two-byte fields in use, the throttle
// sensor in error, another protocol version; uninterpreted bytes zero.
constexpr Frame LiveB{
    0xB0, 0xDC, 0xFE, 0xFF, 0x03, 0x58, 0x1B, 0x00, 0x04, 0xFF, 0x00, 0x00, 0x01, 0x01, 0x80, 0x02, //   0
    0x40, 0x03, 0x20, 0x04, 0x10, 0x05, 0x08, 0x06, 0x04, 0x07, 0x02, 0xFF, 0xFF, 0x00, 0x00, 0x00, //  16
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xFF, 0x00, 0x03, 0x96, 0x00, 0x05, 0x00, 0xFF, 0x80, 0x01, //  32
    0x00, 0x07, 0x00, 0xFF, 0x00, 0x00, 0x00, 0x00, 0x00, 0x80, 0x00, 0x00, 0x00, 0x00, 0x00, 0x09, //  48
    0x00, 0x0A, 0x00, 0x0B, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, //  64
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, //  80
    0x00, 0x00, 0x00, 0x0C, 0x4B, 0xF0,                                                             //  96
};

// Answer 0xC0 to a read's header request: "ABC", firmware 7, 5 March 2008, 14:21,
// protocol version 76 at header byte 10 (frame byte 11). Check byte: 0xFF ^ C0 ^ 41
// ^ 42 ^ 43 ^ 07 ^ 05 ^ 20 ^ 08 ^ 0E ^ 15 ^ 4C = 0x02.
constexpr Frame HeaderAbc{
    0xC0, 0x41, 0x42, 0x43, 0x07, 0x05, 0x20, 0x08, 0x0E, 0x15, 0x00, 0x4C, 0x00, 0x00, 0x00, 0x00, //   0
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, //  16
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, //  32
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, //  48
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, //  64
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, //  80
    0x00, 0x00, 0x00, 0x00, 0x00, 0x02,                                                             //  96
};

// The same with a firmware text from header byte 16 (frame byte 17) on, "TALVIRO6
// R2 " and 0x8A (S with caron in the unit's code page), 31 November (code 51) 2024,
// 09:05.
constexpr Frame HeaderText{
    0xC0, 0x41, 0x42, 0x43, 0x07, 0x1F, 0x33, 0x18, 0x09, 0x05, 0x00, 0x4C, 0x00, 0x00, 0x00, 0x00, //   0
    0x00, 0x54, 0x41, 0x4C, 0x56, 0x49, 0x52, 0x4F, 0x36, 0x20, 0x52, 0x32, 0x20, 0x8A, 0x00, 0x00, //  16
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, //  32
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, //  48
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, //  64
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, //  80
    0x00, 0x00, 0x00, 0x00, 0x00, 0x8B,                                                             //  96
};

/// The sixteen flags of a live frame: where each lies, and how the decoder names it.
struct FlagAt {
    std::size_t byte;
    bool MonitorFrame::*flag;
    const char *name;
};
constexpr FlagAt Flags[] = {
    {37, &MonitorFrame::killSwitch, "kill switch"},
    {38, &MonitorFrame::retard, "retard"},
    {39, &MonitorFrame::startLimiter, "start limiter"},
    {40, &MonitorFrame::clutch, "clutch master"},
    {42, &MonitorFrame::powerOut2, "power output 2"},
    {43, &MonitorFrame::powerOut1, "power output 1"},
    {48, &MonitorFrame::pickup1, "pick-up 1"},
    {49, &MonitorFrame::pickup2, "pick-up 2"},
    {62, &MonitorFrame::speedRed, "speed red"},
    {63, &MonitorFrame::motorOff, "motor off"},
    {64, &MonitorFrame::speedYellow, "speed yellow"},
    {65, &MonitorFrame::servoOk, "servo in order"},
    {66, &MonitorFrame::input1Grounded, "input 1 grounded"},
    {67, &MonitorFrame::input2Grounded, "input 2 grounded"},
    {68, &MonitorFrame::powerOut3, "power output 3"},
    {99, &MonitorFrame::dataError, "data error"},
};

} // namespace

TEST(GoldenFrame, LiveFrameDecodesEveryFieldFromItsOwnBytes)
{
    ASSERT_TRUE(hasMatchingCheckByte(LiveA));
    const auto a = decodeMonitorFrame(LiveA);
    ASSERT_TRUE(a);
    EXPECT_EQ(a->engineSpeed, 5432);       // 0x1538
    EXPECT_EQ(a->tpsCounts, 721);          // 0x02D1
    EXPECT_EQ(a->supplyMillivolts, 13842); // 0x3612
    EXPECT_EQ(a->servoMeasured, 341);      // 0x0155
    EXPECT_EQ(a->servoDesired, 887);       // 0x0377
    EXPECT_EQ(a->programCount, 2571);      // 0x0A0B
    EXPECT_EQ(a->testValues, (std::array<std::uint16_t, 8>{273, 530, 787, 1044, 1301, 1558, 1815, 2072}));
    EXPECT_EQ(a->tpsPercent, 45);
    EXPECT_EQ(a->pickupCounterA, (std::array<std::uint8_t, 2>{33, 34}));
    EXPECT_EQ(a->pickupCounterB, (std::array<std::uint8_t, 2>{35, 36}));
    EXPECT_EQ(a->advance, (std::array<std::uint8_t, 2>{130, 125}));     // +30 and +25 degrees
    EXPECT_EQ(a->maxAdvance, (std::array<std::uint16_t, 2>{305, 578})); // 0x0131, 0x0242
    EXPECT_EQ(a->savingCountdown, 600);                                 // 0x0258
    EXPECT_EQ(a->protocolVersion, 76);

    ASSERT_TRUE(hasMatchingCheckByte(LiveB));
    const auto b = decodeMonitorFrame(LiveB);
    ASSERT_TRUE(b);
    EXPECT_EQ(b->engineSpeed, 65244);     // 0xFEDC
    EXPECT_EQ(b->tpsCounts, 1023);        // 0x03FF
    EXPECT_EQ(b->supplyMillivolts, 7000); // 0x1B58
    EXPECT_EQ(b->servoMeasured, 1024);    // 0x0400
    EXPECT_EQ(b->servoDesired, 255);      // 0x00FF
    EXPECT_EQ(b->programCount, 256);      // 0x0100
    EXPECT_EQ(b->testValues,
              (std::array<std::uint16_t, 8>{0x8001, 0x4002, 0x2003, 0x1004, 0x0805, 0x0406, 0x0207, 0xFFFF}));
    EXPECT_EQ(b->tpsPercent, 150);
    EXPECT_EQ(b->pickupCounterA, (std::array<std::uint8_t, 2>{0, 255}));
    EXPECT_EQ(b->pickupCounterB, (std::array<std::uint8_t, 2>{128, 1}));
    EXPECT_EQ(b->advance, (std::array<std::uint8_t, 2>{0, 255}));
    EXPECT_EQ(b->maxAdvance, (std::array<std::uint16_t, 2>{0, 32768}));
    EXPECT_EQ(b->savingCountdown, 0);
    EXPECT_EQ(b->protocolVersion, 75);

    // The flags: set in one frame exactly where they are clear in the other.
    for (const FlagAt &f : Flags) {
        const bool inA = LiveA[f.byte] != 0;
        EXPECT_EQ((*a).*f.flag, inA) << f.name;
        EXPECT_EQ((*b).*f.flag, !inA) << f.name;
    }
}

TEST(GoldenFrame, EachFlagIsReadFromItsOwnByteAlone)
{
    for (const FlagAt &only : Flags) {
        Frame f{};
        f[0] = 0xB0;
        f[only.byte] = 0x01;
        seal(f);
        const auto m = decodeMonitorFrame(f);
        ASSERT_TRUE(m) << only.name;
        for (const FlagAt &other : Flags)
            EXPECT_EQ((*m).*other.flag, &other == &only) << "byte " << only.byte << " set, " << other.name;
    }
}

TEST(GoldenFrame, LiveFrameReachesTheReadOuts)
{
    SettingsIndexes settings;
    KeptTexts texts;
    sim::SimulatedUnit unit;
    sim::ManualClock clock;
    sim::LoopbackPort port{unit, clock};
    UnitImage image = startImage();
    RecordingCallbacks callbacks{image};
    LinkEngine engine{port, settings, callbacks};
    LiveData liveData{image, texts};
    callbacks.live = &liveData;

    engine.HandleMonitorFrame(LiveA);
    const MonitorDisplay &d = liveData.display();
    EXPECT_EQ(d.LabelRpm.text, "RPM = 5432 ");
    EXPECT_EQ(d.LabelNapeti.text, "U = 13.8 [V]");
    EXPECT_EQ(d.LabelTpsMon.text, "TP= 45 [%]= 3523 [mV]"); // 721 x 5000 / 1023
    EXPECT_EQ(liveData.state().TpsMillivolts, 3523);
    EXPECT_EQ(engine.state().SavingCountdown, 600);
    EXPECT_EQ(d.LabelPocetProgramovani.text, texts[TextRole::TextProgramCount] + "2571");
}

TEST_F(LinkFixture, GoldenHeaderAnswersDecodeAsTheUnitWroteThem)
{
    struct Row {
        const Frame *frame;
        const char *name;
        const char *date;
        const char *time;
    };
    const Row rows[] = {
        {&HeaderAbc, "ABC07", " 5. 3.2008", "14:21"},
        {&HeaderText, "TALVIRO6 R2 \u0160", "31.11.2024", "09:05"},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.name);
        ASSERT_TRUE(hasMatchingCheckByte(*r.frame));
        engine.StartReadJob();
        ASSERT_EQ(engine.state().RequestByte, 0x40);
        engine.takeFrame(*r.frame);
        EXPECT_EQ(engine.state().RequestByte, 0x41) << "version 76: the read goes on to block 1";
        EXPECT_EQ(engine.unitHeaderTexts().UnitNameText, r.name);
        EXPECT_EQ(engine.unitHeaderTexts().UnitDateText, r.date);
        EXPECT_EQ(engine.unitHeaderTexts().UnitTimeText, r.time);
        EXPECT_EQ(engine.display().LabelVerze1, r.name);
        EXPECT_EQ(engine.unitHeader()[10], 76);
        EXPECT_TRUE(std::equal(engine.unitHeader().begin(), engine.unitHeader().end(), r.frame->begin() + 1));
    }
}
