#include "editor/widgets/bar_gauge.h"
#include "window_fixture.h"

#include "editor/colours.h"
#include "link/monitor_frame.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>

using namespace talviro6;
using namespace talviro6::testing;

namespace {

class LiveTest : public WindowFixture {
  protected:
    bool lime(QWidget *w) { return w->palette().color(QPalette::Base) == toQColor(Colour::Lime); }

    void waitForJob()
    {
        for (int i = 0; i < 400 && window.link().state().TransferMode != Transfer::Idle; ++i)
            tick();
        ASSERT_EQ(window.link().state().TransferMode, Transfer::Idle);
    }
};

TEST_F(LiveTest, TheOperatingPointLightsItsCellSpeedAndServoPoint)
{
    tick(20);
    ASSERT_TRUE(c().frame.LabelSpojeni->isHidden()) << "the simulated unit answers";
    const auto &point = window.live().state().operatingPoint;
    for (int i = 0; i < 400 && point.BelowSpeedRange; ++i)
        tick(); // the simulated engine is cranking
    ASSERT_FALSE(point.BelowSpeedRange) << "the simulated engine runs within the map";
    int lit = 0;
    for (std::size_t r = 0; r < 10; ++r)
        for (std::size_t col = 0; col < 10; ++col)
            if (lime(c().advance.EditCell[r][col])) {
                ++lit;
                EXPECT_EQ(r, point.OperatingRow);
                EXPECT_EQ(col, point.OperatingColumn);
            }
    EXPECT_EQ(lit, 1);
    EXPECT_TRUE(lime(c().advance.EditRpmAdv[point.OperatingColumn]));
    EXPECT_TRUE(lime(c().servo.EditNapPriv[point.OperatingServoPoint]));
    EXPECT_TRUE(c().frame.monitor.LabelRpm->text().startsWith(QStringLiteral("RPM = ")));
}

TEST_F(LiveTest, AKnownSpeedLightsTheNearestColumnAndBelowTheMapNothing)
{
    MonitorFrame live;
    live.engineSpeed = 5600;
    live.protocolVersion = ProtocolVersion;
    live.tpsPercent = 0;
    window.link().HandleMonitorFrame(encodeMonitorFrame(live));
    tick();
    EXPECT_TRUE(lime(c().advance.EditCell[9][5])) << "row 9 without the throttle map";
    EXPECT_FALSE(lime(c().advance.EditCell[9][4]));

    live.engineSpeed = 900;
    window.link().HandleMonitorFrame(encodeMonitorFrame(live));
    tick();
    for (auto *speed : c().advance.EditRpmAdv)
        EXPECT_FALSE(lime(speed));
    for (auto *cell : c().advance.EditCell[9])
        EXPECT_FALSE(lime(cell));
}

TEST_F(LiveTest, F9ProgramsAndVerifiesTheUnit)
{
    tick(20);
    field(QStringLiteral("EditOmez2"))->setValue(12300);
    c().menu.MenuProgram->trigger();
    EXPECT_TRUE(c().frame.monitor.LabelHlaseni->isVisible());
    EXPECT_EQ(c().frame.monitor.LabelHlaseni->text(), QStringLiteral("Program device:"));
    waitForJob();
    // OK only once the unit has stored what it was sent (two seconds).
    bool saving = false;
    for (int i = 0; i < 80 && c().frame.monitor.LabelHlaseni->text() != QStringLiteral("Program device:: OK"); ++i) {
        saving |= c().frame.monitor.LabelHlaseni->text() == QStringLiteral("Saving:");
        tick();
    }
    EXPECT_TRUE(saving);
    EXPECT_EQ(c().frame.monitor.LabelHlaseni->text(), QStringLiteral("Program device:: OK"));
    EXPECT_EQ(unit.memory()[field::Limiter], 123) << "F9 took the controls over first";
    EXPECT_EQ(unit.memory(), image().parameters);
    EXPECT_EQ(c().bike.LabelVerze1->text(), QStringLiteral("TLV06"));
}

// A message is worded as it arrives: a change of language leaves the one shown as
// it was, and the next one comes in the new language.
TEST_F(LiveTest, TheTransferLineKeepsTheLanguageOfEachMessage)
{
    tick(20);
    QLabel *message = c().frame.monitor.LabelHlaseni;
    c().menu.MenuVerify->trigger();
    tick();
    ASSERT_EQ(message->text(), QStringLiteral("Verify:"));
    c().menu.MenuGerman->trigger();
    // The gauge moves and the display is repainted, the words stay.
    int ticks = 0;
    for (; ticks < 400 && window.link().state().TransferMode != Transfer::Idle; ++ticks) {
        ASSERT_EQ(message->text(), QStringLiteral("Verify:")) << "tick " << ticks;
        tick();
    }
    EXPECT_GT(ticks, 1);
    tick();
    EXPECT_EQ(message->text(), QStringLiteral("Vergleichen:: OK"));
    c().menu.MenuEnglish->trigger();
    tick(20); // live frames repaint the column
    EXPECT_EQ(message->text(), QStringLiteral("Vergleichen:: OK"));
}

// Pulled while it stores: the unit may hold none of what the verify saw, so the
// window must neither keep "Saving:" up nor ever call the programming OK.
TEST_F(LiveTest, AUnitPulledWhileItStoresIsNotShownAsProgrammed)
{
    tick(20);
    QLabel *message = c().frame.monitor.LabelHlaseni;
    QTest::keyClick(&window, Qt::Key_F9);
    waitForJob();
    for (int i = 0; i < 40 && message->text() != QStringLiteral("Saving:"); ++i)
        tick();
    ASSERT_EQ(message->text(), QStringLiteral("Saving:"));
    ASSERT_EQ(c().frame.LabelUnitState->text(), QStringLiteral("Unit = editor"));

    unit.injectFault(sim::Fault::Silence, -1);
    int t = 0;
    while (c().frame.LabelSpojeni->isHidden() && t++ < 40)
        tick();
    ASSERT_FALSE(c().frame.LabelSpojeni->isHidden()) << "the unit counts as lost";
    EXPECT_EQ(message->text(), QStringLiteral("Program error!\nstoring not confirmed")) << "on the same tick";
    EXPECT_TRUE(message->isVisible());
    EXPECT_FALSE(c().frame.monitor.CGaugeProgram->isVisible()) << "the saving gauge goes at once";
    const QImage picture = message->grab().toImage();
    EXPECT_EQ(picture.pixelColor(2, picture.height() / 2), toQColor(Colour::Red));
    EXPECT_EQ(c().frame.LabelUnitState->text(), QStringLiteral("Unit: not known"));
    EXPECT_TRUE(window.windowTitle().contains(QStringLiteral("Unit: not known"))) << window.windowTitle().toStdString();

    // Plugged in again: still red, never OK; a verify makes the unit known again.
    unit.clearFaults();
    for (int i = 0; i < 60; ++i) {
        tick();
        ASSERT_NE(message->text(), QStringLiteral("Program device:: OK")) << "tick " << i;
    }
    EXPECT_TRUE(c().frame.LabelSpojeni->isHidden());
    EXPECT_EQ(c().frame.LabelUnitState->text(), QStringLiteral("Unit: not known"));
    QTest::keyClick(&window, Qt::Key_F8);
    waitForJob();
    EXPECT_EQ(c().frame.LabelUnitState->text(), QStringLiteral("Unit = editor"));
}

TEST_F(LiveTest, ReadTakesTheUnitsParametersIntoTheControls)
{
    tick(20);
    unit.memory() = image().parameters;
    unit.memory()[field::Limiter] = 140;
    c().frame.toolBar.ButtonRead->click();
    waitForJob();
    EXPECT_EQ(image()[field::Limiter], 140);
    EXPECT_EQ(field(QStringLiteral("EditOmez2"))->text(), QStringLiteral("14,000"));
}

TEST_F(LiveTest, ThrottleCaptureTakesTheLiveVoltageOnlyWithinItsWindow)
{
    MonitorFrame live;
    live.protocolVersion = ProtocolVersion;
    live.tpsCounts = 1013; // 4951 mV
    window.link().HandleMonitorFrame(encodeMonitorFrame(live));
    const auto before = image()[field::Tps100Voltage];
    c().misc.BitBtnTps100->click();
    EXPECT_EQ(image()[field::Tps100Voltage], before);

    live.tpsCounts = 776; // 3792 mV
    window.link().HandleMonitorFrame(encodeMonitorFrame(live));
    c().misc.BitBtnTps100->click();
    EXPECT_EQ(image()[field::Tps100Voltage], 129);

    live.tpsCounts = 143; // 698 mV
    window.link().HandleMonitorFrame(encodeMonitorFrame(live));
    c().misc.BitBtnTps0->click();
    EXPECT_EQ(image()[field::Tps0Voltage], 69);
}

} // namespace
