// The advance and servo charts follow the map as it is edited and the operating
// point as it moves.
#include "window_fixture.h"

#include "editor/charts/form_charts.h"
#include "editor/colours.h"
#include "editor/widgets/mouse_up_check_box.h"
#include "link/monitor_frame.h"
#include "model/field_table.h"

#include <QAction>
#include <QChartView>
#include <QLineSeries>
#include <QScatterSeries>
#include <QValueAxis>

#include <cmath>

using namespace talviro6;
using namespace talviro6::testing;

namespace {

class ChartsTest : public WindowFixture {
  protected:
    FormCharts *open()
    {
        c().menu.MenuCharts->trigger();
        QApplication::processEvents();
        FormCharts *charts = window.findChild<FormCharts *>();
        EXPECT_TRUE(charts && charts->isVisible());
        return charts;
    }

    int shownOf(int offset) { return toShown(*fieldAt(offset), image()[offset]); }

    /// The points a row of the map should have: (speed of each column, its advance).
    QList<QPointF> expectedRow(int row)
    {
        QList<QPointF> points;
        for (int col = 0; col < field::MapColumns; ++col)
            points.append(QPointF(shownOf(field::AdvanceRpm(col)), shownOf(field::AdvanceMap(row, col))));
        return points;
    }

    void typeInto(NumericField *f, const QString &text)
    {
        f->setFocus();
        f->edit()->selectAll();
        QTest::keyClicks(f->edit(), text);
        QTest::keyClick(f, Qt::Key_Return);
    }
};

TEST_F(ChartsTest, OneLinePerRowTheMapUsesFollowingTheThrottleMapSwitch)
{
    FormCharts *charts = open();
    ASSERT_TRUE(charts);
    ASSERT_EQ(image()[field::TpsMapEnable], 0);
    ASSERT_EQ(charts->advanceSeries().size(), 1u) << "row 9 alone without the throttle map";
    EXPECT_EQ(charts->advanceSeries()[0]->points(), expectedRow(9));
    EXPECT_EQ(charts->advanceSeries()[0]->name(), QStringLiteral("Throttle 100 %"));
    EXPECT_EQ(charts->advanceSeries()[0]->color(), toQColor(palette::ChartRows[9])) << "a row keeps its colour";

    c().frame.PageControl1->setCurrentWidget(c().frame.TabSheetAdvance);
    QTest::mouseClick(c().advance.CheckBoxTpsMapa, Qt::LeftButton);
    ASSERT_EQ(image()[field::TpsMapEnable], 1);
    ASSERT_EQ(charts->advanceSeries().size(), 10u);
    for (int row = 0; row < field::MapRows; ++row) {
        const QLineSeries *line = charts->advanceSeries()[static_cast<std::size_t>(row)];
        EXPECT_EQ(line->points(), expectedRow(row)) << row;
        EXPECT_EQ(line->color(), toQColor(palette::ChartRows[static_cast<std::size_t>(row)])) << row;
    }
    EXPECT_EQ(charts->advanceSeries()[5]->name(), QStringLiteral("Throttle 30 %"));

    QTest::mouseClick(c().advance.CheckBoxTpsMapa, Qt::LeftButton);
    EXPECT_EQ(charts->advanceSeries().size(), 1u);

    // Undo is an edit of the map too.
    c().frame.PageControl1->setCurrentWidget(c().frame.TabSheetAdvance);
    window.SpeedButtonZpetClick();
    EXPECT_EQ(image()[field::TpsMapEnable], 1);
    EXPECT_EQ(charts->advanceSeries().size(), 10u);
}

TEST_F(ChartsTest, EditsOfTheMapAndTheServoCurveMoveTheirPoints)
{
    FormCharts *charts = open();
    ASSERT_TRUE(charts);
    c().frame.PageControl1->setCurrentWidget(c().frame.TabSheetAdvance);
    typeInto(c().advance.EditCell[9][3], QStringLiteral("27"));
    ASSERT_EQ(shownOf(field::AdvanceMap(9, 3)), 27);
    EXPECT_EQ(charts->advanceSeries()[0]->at(3), QPointF(shownOf(field::AdvanceRpm(3)), 27));

    typeInto(c().advance.EditRpmAdv[4], QStringLiteral("5200"));
    ASSERT_EQ(shownOf(field::AdvanceRpm(4)), 5200);
    EXPECT_EQ(charts->advanceSeries()[0]->at(4).x(), 5200);

    c().frame.PageControl1->setCurrentWidget(c().frame.TabSheetServo);
    typeInto(c().servo.EditNapPriv[2], QStringLiteral("2440"));
    ASSERT_EQ(shownOf(field::ServoVoltage(2)), 2440);
    EXPECT_EQ(charts->servoSeries()->at(2), QPointF(shownOf(field::ServoRpm(2)), 2440));
    EXPECT_EQ(charts->servoSeries()->count(), field::CurvePoints);

    // Closed, the window is not kept up to date; opened again, it catches up.
    charts->close();
    c().frame.PageControl1->setCurrentWidget(c().frame.TabSheetAdvance);
    typeInto(c().advance.EditCell[9][3], QStringLiteral("31"));
    EXPECT_EQ(charts->advanceSeries()[0]->at(3).y(), 27);
    charts = open();
    EXPECT_EQ(charts->advanceSeries()[0]->at(3).y(), 31);
}

TEST_F(ChartsTest, TheOperatingPointIsMarkedOnBothCurves)
{
    FormCharts *charts = open();
    ASSERT_TRUE(charts);
    unit.injectFault(sim::Fault::Silence, -1);
    MonitorFrame live;
    live.protocolVersion = ProtocolVersion;
    live.engineSpeed = static_cast<std::uint16_t>(shownOf(field::AdvanceRpm(6)));
    window.link().HandleMonitorFrame(encodeMonitorFrame(live));
    tick();
    const OperatingPoint &p = window.live().state().operatingPoint;
    ASSERT_TRUE(p.cellLit(9, 6));
    ASSERT_EQ(charts->advancePoint()->count(), 1);
    EXPECT_EQ(charts->advancePoint()->at(0), QPointF(shownOf(field::AdvanceRpm(6)), shownOf(field::AdvanceMap(9, 6))));
    ASSERT_EQ(charts->servoPoint()->count(), 1);
    const int s = p.OperatingServoPoint;
    EXPECT_EQ(charts->servoPoint()->at(0), QPointF(shownOf(field::ServoRpm(s)), shownOf(field::ServoVoltage(s))));

    live.engineSpeed = 300; // cranking, below the map: no cell in use
    window.link().HandleMonitorFrame(encodeMonitorFrame(live));
    tick();
    ASSERT_TRUE(p.BelowSpeedRange);
    EXPECT_EQ(charts->advancePoint()->count(), 0);
}

TEST_F(ChartsTest, TextsFollowTheLanguage)
{
    FormCharts *charts = open();
    ASSERT_TRUE(charts);
    c().menu.MenuGerman->trigger();
    EXPECT_EQ(charts->windowTitle(), QString::fromUtf8("Diagramme Vorzündung und Servo"));
    EXPECT_EQ(charts->advanceSeries()[0]->name(), QStringLiteral("Drosselklappe 100 %"));
    c().menu.MenuCzech->trigger();
    EXPECT_EQ(charts->windowTitle(), QString::fromUtf8("Grafy předstihu a serva"));
}

} // namespace

TEST_F(ChartsTest, AxesEndOnATickWithRoomForEverySpeedLabel)
{
    FormCharts *charts = open();
    ASSERT_TRUE(charts);
    QList<QValueAxis *> axes;
    for (const QChartView *view : charts->findChildren<QChartView *>())
        for (QAbstractAxis *axis : view->chart()->axes())
            if (auto *value = qobject_cast<QValueAxis *>(axis))
                axes.append(value);
    ASSERT_EQ(axes.size(), 4);
    for (const QValueAxis *axis : axes) {
        const double interval = axis->tickInterval();
        ASSERT_GT(interval, 0) << axis->titleText().toStdString();
        const double intervals = (axis->max() - axis->min()) / interval;
        EXPECT_DOUBLE_EQ(intervals, std::round(intervals))
            << axis->titleText().toStdString() << ": a label just past the last tick runs into it";
        if (axis->orientation() == Qt::Horizontal) {
            EXPECT_LE(intervals, 9) << axis->titleText().toStdString() << " from 0 to " << axis->max();
        }
    }
}
