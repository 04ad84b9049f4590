// The live monitor: what one accepted MonitorFrame shows, and the operating point.
#include "link/link_fixture.h"

#include "live/monitor_view.h"
#include "live/operating_point.h"

using namespace talviro6;
using namespace talviro6::testing;

namespace {

class Monitor : public LinkFixture {
  protected:
    Monitor()
    {
        live.protocolVersion = ProtocolVersion;
        live.servoOk = true;
    }
    const MonitorDisplay &show()
    {
        engine.HandleMonitorFrame(encodeMonitorFrame(live));
        return liveData.display();
    }
    /// Combined read-out: no special bike and both cylinder corrections at 0 degrees.
    void combinedAdvance()
    {
        image[field::BikeType] = bike::Classic;
        image[field::AdvanceCorrection1] = 100;
        image[field::AdvanceCorrection2] = 100;
    }
    MonitorFrame live;
};

} // namespace

TEST_F(Monitor, SupplyVoltageTextAndThresholds)
{
    struct Row {
        std::uint16_t mv;
        const char *text;
        Colour colour;
    };
    const Row rows[] = {
        {13800, "U = 13.8 [V]", Colour::Face},   {9000, "U =  9.0 [V]", Colour::Yellow},
        {14999, "U = 15.0 [V]", Colour::Yellow}, {14998, "U = 15.0 [V]", Colour::Face},
        {11000, "U = 11.0 [V]", Colour::Yellow}, {11001, "U = 11.0 [V]", Colour::Face},
        {7000, "U =  7.0 [V]", Colour::Red},     {7001, "U =  7.0 [V]", Colour::Yellow},
        {17999, "U = 18.0 [V]", Colour::Red},    {17998, "U = 18.0 [V]", Colour::Yellow},
        {0, "U =  0.0 [V]", Colour::Red},        {65535, "U = 65.5 [V]", Colour::Red},
    };
    for (const Row &r : rows) {
        live.supplyMillivolts = r.mv;
        EXPECT_EQ(show().LabelNapeti.text, r.text) << r.mv;
        EXPECT_EQ(show().LabelNapeti.colour, r.colour) << r.mv;
    }
}

TEST_F(Monitor, FrameWithWrongCheckByteChangesNothing)
{
    live.engineSpeed = 5000;
    Frame f = encodeMonitorFrame(live);
    f[101] ^= 1;
    const auto revision = liveData.display().revision;
    engine.HandleMonitorFrame(f);
    EXPECT_EQ(liveData.display().revision, revision);
    EXPECT_EQ(liveData.state().EngineSpeed, 0);
    EXPECT_EQ(engine.state().SilenceTicks, LinkEngine::LostTicks) << "not a sign of life";
}

TEST_F(Monitor, CombinedAdvanceReadOut)
{
    combinedAdvance();
    struct Row {
        std::uint8_t advance1, advance2;
        std::uint16_t max1, max2;
        const char *text;
        Colour colour;
    };
    const Row rows[] = {
        {125, 125, 0, 30, "Advance = 25 [°] /max 30 [°]", Colour::Face},
        {125, 125, 25, 30, "Advance = 25 [°] /max 25 [°]", Colour::Yellow},
        {125, 125, 0, 0, "Advance = 25 [°]", Colour::Face},
        {120, 131, 0, 0, "Advance = 31 [°]", Colour::Face}, // the larger of two that differ
        {131, 120, 40, 30, "Advance = 31 [°] /max 30 [°]", Colour::Yellow},
        {90, 90, 5, 0, "Advance = -10 [°] /max 5 [°]", Colour::Face},
    };
    for (const Row &r : rows) {
        live.advance = {r.advance1, r.advance2};
        live.maxAdvance = {r.max1, r.max2};
        EXPECT_EQ(show().LabelAdvance1.text, r.text);
        EXPECT_EQ(show().LabelAdvance1.colour, r.colour) << r.text;
        EXPECT_TRUE(show().LabelAdvance2.text.empty()) << "not touched by the combined read-out";
    }
}

TEST_F(Monitor, PerChannelAdvanceReadOut)
{
    struct Setup {
        std::uint8_t bike, correction1, correction2;
    };
    // A special bike, or a cylinder correction, shows each channel on its own.
    for (const Setup s :
         {Setup{bike::Special, 100, 100}, Setup{bike::Classic, 102, 100}, Setup{bike::Classic, 100, 97}}) {
        image[field::BikeType] = s.bike;
        image[field::AdvanceCorrection1] = s.correction1;
        image[field::AdvanceCorrection2] = s.correction2;
        live.advance = {130, 128};
        live.maxAdvance = {30, 0};
        const MonitorDisplay &d = show();
        EXPECT_EQ(d.LabelAdvance1.text, "Advance 1 = 30 [°] /max 30 [°]");
        EXPECT_EQ(d.LabelAdvance1.colour, Colour::Yellow);
        EXPECT_EQ(d.LabelAdvance2.text, "Advance 2 = 28 [°]");
        EXPECT_EQ(d.LabelAdvance2.colour, Colour::Face);
    }
}

TEST_F(Monitor, PickupErrorReplacesTheAdvance)
{
    image[field::StartRevolutions] = 3;
    image[field::LobeCount] = 2;
    live.advance = {120, 120};
    // Channel 2: counter A below 3 and counter B above 3 * 2.
    live.pickupCounterA = {10, 2};
    live.pickupCounterB = {0, 7};
    combinedAdvance();
    EXPECT_EQ(show().LabelAdvance1.text, "Pick up system error                    ");
    EXPECT_EQ(show().LabelAdvance1.colour, Colour::Red);

    image[field::AdvanceCorrection1] = 101;
    EXPECT_EQ(show().LabelAdvance2.text, "Pick up system error                    ");
    EXPECT_EQ(show().LabelAdvance2.colour, Colour::Red);

    live.pickupCounterB = {0, 6}; // 6 is not above 3 * 2
    EXPECT_EQ(show().LabelAdvance2.text, "Advance 2 = 20 [°]");
}

TEST_F(Monitor, ThrottleReadOut)
{
    live.tpsPercent = 45;
    live.tpsCounts = 460;
    EXPECT_EQ(show().LabelTpsMon.text, "TP= 45 [%]= 2248 [mV]");
    EXPECT_EQ(liveData.display().CGaugeTps.progress, 45);
    EXPECT_EQ(liveData.state().TpsMillivolts, 2248);

    live.tpsPercent = 101;
    live.tpsCounts = 1023;
    image[field::TpsMapEnable] = 1;
    EXPECT_EQ(show().LabelTpsMon.text, "TP=error = 5000 [mV]");
    EXPECT_EQ(liveData.display().LabelTpsMon.colour, Colour::Red);
    EXPECT_EQ(liveData.display().CGaugeTps.progress, 0);
    image[field::TpsMapEnable] = 0;
    EXPECT_EQ(show().LabelTpsMon.colour, Colour::Face) << "without the throttle map an error is no alarm";

    live.tpsCounts = 65535; // garbage: saturates rather than wrapping into a plausible voltage
    show();
    EXPECT_EQ(liveData.state().TpsMillivolts, 65535);
    EXPECT_EQ(countsToMillivolts(13400), 65493);
    EXPECT_EQ(countsToMillivolts(13404), 65513);
    EXPECT_EQ(countsToMillivolts(13408), 65532);
    EXPECT_EQ(countsToMillivolts(13409), 65535);
}

TEST_F(Monitor, SpeedReadOutAndGauge)
{
    struct Row {
        std::uint8_t limiter;
        std::uint16_t rpm;
        bool red, yellow;
        int gauge;
        Colour colour;
    };
    const Row rows[] = {
        {150, 7500, false, false, 50, Colour::Face}, {150, 14000, false, true, 93, Colour::Yellow},
        {150, 15000, true, true, 100, Colour::Red},  {150, 30000, true, false, 100, Colour::Red},
        {0, 4200, false, false, 42, Colour::Face},   {0, 12000, false, false, 100, Colour::Face},
    };
    for (const Row &r : rows) {
        image[field::Limiter] = r.limiter;
        live.engineSpeed = r.rpm;
        live.speedRed = r.red;
        live.speedYellow = r.yellow;
        const MonitorDisplay &d = show();
        EXPECT_EQ(d.LabelRpm.text, "RPM = " + std::to_string(r.rpm) + " ");
        EXPECT_EQ(d.LabelRpm.colour, r.colour) << r.rpm;
        EXPECT_EQ(d.CGaugeRpm.progress, r.gauge) << r.rpm;
    }
}

TEST_F(Monitor, YesNoReadOutsKeepTheirPrefix)
{
    const MonitorDisplay &off = show();
    EXPECT_EQ(off.LabelBlocking1.text, "Motor off - NO");
    EXPECT_EQ(off.LabelClutchMon.text, "Clutch master - NO");
    EXPECT_EQ(off.LabelMonStartLimiterOut.text, "Start limiter: NO");
    EXPECT_EQ(off.LabelMonRetard.text, "Retard - NO");
    EXPECT_EQ(off.LabelKillSwitch.text, "Kill switch - NO");
    EXPECT_EQ(off.LabelMonInput1In.text, "Input 1: Open");
    EXPECT_EQ(off.LabelMonSnimac1.text, "Pick-up (CKPS) 1 - no signal");
    for (const Readout *r :
         {&off.LabelBlocking1, &off.LabelClutchMon, &off.LabelMonStartLimiterOut, &off.LabelMonRetard,
          &off.LabelKillSwitch, &off.LabelMonInput1In, &off.LabelMonInput2In, &off.LabelMonSnimac1})
        EXPECT_EQ(r->colour, Colour::Face) << r->text;

    live.motorOff = live.clutch = live.startLimiter = live.retard = live.killSwitch = true;
    live.input1Grounded = live.input2Grounded = live.pickup1 = live.pickup2 = true;
    const MonitorDisplay &on = show();
    struct Row {
        const Readout &label;
        const char *text;
        Colour colour;
    };
    const Row rows[] = {
        {on.LabelBlocking1, "Motor off - YES", Colour::Red},
        {on.LabelClutchMon, "Clutch master - YES", Colour::Lime},
        {on.LabelMonStartLimiterOut, "Start limiter: YES", Colour::Fuchsia},
        {on.LabelMonRetard, "Retard - YES", Colour::Aqua},
        {on.LabelKillSwitch, "Kill switch - YES", Colour::Red},
        {on.LabelMonInput1In, "Input 1: grounded", Colour::Fuchsia},
        {on.LabelMonInput2In, "Input 2: grounded", Colour::Aqua},
        {on.LabelMonSnimac1, "Pick-up (CKPS) 1 - is running", Colour::Lime},
        {on.LabelMonSnimac2, "Pick-up (CKPS) 2 - is running", Colour::Lime},
    };
    for (const Row &r : rows) {
        EXPECT_EQ(r.label.text, r.text);
        EXPECT_EQ(r.label.colour, r.colour) << r.text;
    }
}

TEST_F(Monitor, PowerOutputNames)
{
    struct Row {
        std::uint8_t mode;
        const char *name;
    };
    const Row rows[] = {{0, "Special out"}, {1, "Fuel pump"},   {2, "Gear shift light"},
                        {3, "Power jet"},   {4, "Special out"}, {5, ""}};
    live.powerOut1 = true;
    live.powerOut3 = true;
    for (const Row &r : rows) {
        for (int o = 0; o < 3; ++o)
            image[field::PowerOutMode(o)] = r.mode;
        const MonitorDisplay &d = show();
        EXPECT_EQ(d.LabelMonPOut1.text, std::string("1- ") + r.name + " - YES");
        EXPECT_EQ(d.LabelMonPOut2.text, std::string("2- ") + r.name + " - NO");
        EXPECT_EQ(d.LabelMonPOut3.text, std::string("3- ") + r.name + " - YES");
    }
    EXPECT_EQ(liveData.display().LabelMonPOut1.colour, Colour::Lime);
    EXPECT_EQ(liveData.display().LabelMonPOut2.colour, Colour::Face);
    EXPECT_EQ(liveData.display().LabelMonPOut3.colour, Colour::Yellow);
    live.powerOut2 = true;
    EXPECT_EQ(show().LabelMonPOut2.colour, Colour::Aqua);
}

TEST_F(Monitor, ServoCountersVersionAndTestValues)
{
    image[field::ServoEnable] = 1;
    live.servoDesired = 1023;
    live.servoMeasured = 460;
    live.servoOk = false;
    live.programCount = 1234;
    live.dataError = true;
    live.testValues = {1, 2, 3, 4, 5, 6, 7, 65535};
    const MonitorDisplay &d = show();
    EXPECT_EQ(d.LabelPriveraPoz.text, "Servo desired= 5000 [mV]");
    EXPECT_EQ(d.LabelPriveraMer.text, "Servo measured= 2248 [mV]");
    EXPECT_EQ(d.LabelPriveraPoz.colour, Colour::Red);
    EXPECT_TRUE(d.LabelPriveraPoz.visible);
    EXPECT_EQ(d.LabelPocetProgramovani.text, "Number of Programing= 1234");
    EXPECT_TRUE(d.LabelEeDataErr.visible);
    EXPECT_FALSE(d.LabelVersion.visible);
    EXPECT_EQ(d.LabelTest[0].text, "Test1 = 1 ");
    EXPECT_EQ(d.LabelTest[7].text, "Test8 = 65535 ");

    image[field::ServoEnable] = 0;
    live.servoOk = true;
    EXPECT_FALSE(show().LabelPriveraMer.visible) << "shown only with the servo group";
    EXPECT_EQ(liveData.display().LabelPriveraMer.colour, Colour::Face);
}

// The servo read-outs are counts x 5000 / 1023 in 32 bits; only the throttle's
// live millivolts, a 16-bit value other steps compare against, saturate.
TEST_F(Monitor, ServoReadOutsTakeEveryCountWithoutSaturating)
{
    image[field::ServoEnable] = 1;
    struct Row {
        std::uint16_t counts;
        const char *millivolts;
    };
    const Row rows[] = {{0, "0"},         {1, "4"},         {460, "2248"},     {1023, "5000"},
                        {13408, "65532"}, {13409, "65537"}, {40000, "195503"}, {65535, "320307"}};
    for (const Row &r : rows) {
        live.servoDesired = r.counts;
        live.servoMeasured = r.counts;
        live.tpsCounts = r.counts;
        const MonitorDisplay &d = show();
        EXPECT_EQ(d.LabelPriveraPoz.text, std::string("Servo desired= ") + r.millivolts + " [mV]") << r.counts;
        EXPECT_EQ(d.LabelPriveraMer.text, std::string("Servo measured= ") + r.millivolts + " [mV]") << r.counts;
        EXPECT_LE(liveData.state().TpsMillivolts, 65535);
    }
    live.servoDesired = 1023;
    live.servoMeasured = 0;
    EXPECT_EQ(show().LabelPriveraPoz.text, "Servo desired= 5000 [mV]") << "each label has its own value";
    EXPECT_EQ(liveData.display().LabelPriveraMer.text, "Servo measured= 0 [mV]");
    live.tpsCounts = 65535;
    show();
    EXPECT_EQ(liveData.state().TpsMillivolts, 65535) << "the throttle keeps its saturation";
}

TEST_F(Monitor, KeptTextsOfAnotherLanguageReachTheReadOuts)
{
    texts.load(1);
    EXPECT_EQ(show().LabelBlocking1.text, "Motor off - NEIN");
    texts.load(0);
    EXPECT_EQ(show().LabelBlocking1.text, "Motor off - NO");
}

// ---- the operating point ------------------------------------------------------

TEST(OperatingPoint, SpeedColumnThrottleRowAndServoPoint)
{
    UnitImage image;
    for (int i = 0; i < 10; ++i) {
        image[field::AdvanceRpm(i)] = static_cast<std::uint8_t>(10 * (i + 1)); // 1000 ... 10000 rpm
        image[field::ServoRpm(i)] = static_cast<std::uint8_t>(5 + 10 * i);     // 500 ... 9500 rpm
    }
    struct Row {
        std::uint16_t rpm;
        int column;
        bool below;
        int servoPoint;
    };
    const Row rows[] = {
        {5400, 4, false, 5},
        {5500, 4, false, 5},
        {5600, 5, false, 5},
        {900, 0, true, 0},
        {400, 0, true, 0},
        {0, 0, true, 0},
        {10000, 9, false, 9},
        {25500, 9, false, 9},
        // 25600 rpm and more saturate at the last column instead of wrapping to a low one.
        {25600, 9, false, 9},
        {30000, 9, false, 9},
        {65535, 9, false, 9},
    };
    for (const Row &r : rows) {
        const OperatingPoint p = UpdateOperatingPoint(image, r.rpm, 0, true);
        EXPECT_EQ(p.OperatingColumn, r.column) << r.rpm;
        EXPECT_EQ(p.BelowSpeedRange, r.below) << r.rpm;
        EXPECT_EQ(p.OperatingServoPoint, r.servoPoint) << r.rpm;
        EXPECT_EQ(p.columnLit(r.column), !r.below);
    }

    struct ThrottleRow {
        std::uint8_t percent;
        int row;
    };
    const ThrottleRow throttle[] = {{0, 0},  {1, 0},  {3, 1},   {4, 2},   {15, 3}, {16, 4},
                                    {70, 7}, {71, 8}, {100, 9}, {150, 9}, {255, 9}};
    for (const ThrottleRow &t : throttle) {
        EXPECT_EQ(UpdateOperatingPoint(image, 3000, t.percent, true).OperatingRow, t.row) << int(t.percent);
        EXPECT_EQ(UpdateOperatingPoint(image, 3000, t.percent, false).OperatingRow, 9) << int(t.percent);
    }
}

TEST_F(Monitor, TickMarksTheOperatingPointFromTheLastLiveValues)
{
    for (int i = 0; i < 10; ++i)
        image[field::AdvanceRpm(i)] = static_cast<std::uint8_t>(10 * (i + 1));
    image[field::TpsMapEnable] = 1;
    live.engineSpeed = 5600;
    live.tpsPercent = 4;
    show();
    tick();
    const OperatingPoint &p = liveData.state().operatingPoint;
    EXPECT_EQ(p.OperatingColumn, 5);
    EXPECT_EQ(p.OperatingRow, 2);
    EXPECT_TRUE(p.cellLit(2, 5));
    EXPECT_FALSE(p.cellLit(2, 4));
    image[field::TpsMapEnable] = 0; // CheckBoxTpsMapa unticked
    tick();
    EXPECT_EQ(liveData.state().operatingPoint.OperatingRow, 9);
}
