// The advance and servo charts follow the map as it is edited and the operating
// point as it moves; the window loads their library when they are first asked for,
// and says why when it cannot. This program links the library, so the window finds
// the copy already loaded.
#include "window_fixture.h"

#include "editor/charts/charts_loader.h"
#include "editor/charts/charts_window.h"
#include "editor/colours.h"
#include "editor/widgets/mouse_up_check_box.h"
#include "link/monitor_frame.h"
#include "model/field_table.h"

#include <QAction>
#include <QChartView>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QLineSeries>
#include <QScatterSeries>
#include <QValueAxis>

#include <cmath>
#include <optional>
#include <utility>

using namespace talviro6;
using namespace talviro6::testing;

namespace {

/// A chart as the window shows it: its lines in the order they are drawn, and the
/// operating point's marker.
struct ShownChart {
    std::vector<QLineSeries *> lines;
    QScatterSeries *marker = nullptr;
};

class ChartsTest : public WindowFixture {
  protected:
    QDialog *open()
    {
        c().menu.MenuCharts->trigger();
        QApplication::processEvents();
        EXPECT_TRUE(dialogs.messages.empty()) << dialogs.messages.front().toStdString();
        QDialog *charts = window.chartsWindow() ? window.chartsWindow()->dialog() : nullptr;
        EXPECT_TRUE(charts && charts->isVisible());
        return charts;
    }

    /// The advance map's lines (one per throttle row shown, the lowest first) or the servo curve.
    static ShownChart chart(QDialog *charts, const char *viewName)
    {
        ShownChart shown;
        const auto *view = charts->findChild<QChartView *>(QLatin1String(viewName));
        if (!view) {
            ADD_FAILURE() << "no chart " << viewName;
            return shown;
        }
        for (QAbstractSeries *series : view->chart()->series()) {
            if (auto *line = qobject_cast<QLineSeries *>(series))
                shown.lines.push_back(line);
            else if (auto *marker = qobject_cast<QScatterSeries *>(series))
                shown.marker = marker;
        }
        return shown;
    }
    static ShownChart advance(QDialog *charts) { return chart(charts, "ChartAdvance"); }
    static ShownChart servo(QDialog *charts) { return chart(charts, "ChartServo"); }

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
    QDialog *charts = open();
    ASSERT_TRUE(charts);
    ASSERT_EQ(image()[field::TpsMapEnable], 0);
    ShownChart shown = advance(charts);
    ASSERT_EQ(shown.lines.size(), 1u) << "row 9 alone without the throttle map";
    EXPECT_EQ(shown.lines[0]->points(), expectedRow(9));
    EXPECT_EQ(shown.lines[0]->name(), QStringLiteral("Throttle 100 %"));
    EXPECT_EQ(shown.lines[0]->color(), toQColor(palette::ChartRows[9])) << "a row keeps its colour";

    c().frame.PageControl1->setCurrentWidget(c().frame.TabSheetAdvance);
    QTest::mouseClick(c().advance.CheckBoxTpsMapa, Qt::LeftButton);
    ASSERT_EQ(image()[field::TpsMapEnable], 1);
    shown = advance(charts);
    ASSERT_EQ(shown.lines.size(), 10u);
    for (int row = 0; row < field::MapRows; ++row) {
        const QLineSeries *line = shown.lines[static_cast<std::size_t>(row)];
        EXPECT_EQ(line->points(), expectedRow(row)) << row;
        EXPECT_EQ(line->color(), toQColor(palette::ChartRows[static_cast<std::size_t>(row)])) << row;
    }
    EXPECT_EQ(shown.lines[5]->name(), QStringLiteral("Throttle 30 %"));
    EXPECT_TRUE(shown.marker) << "the marker is drawn over the lines";

    QTest::mouseClick(c().advance.CheckBoxTpsMapa, Qt::LeftButton);
    EXPECT_EQ(advance(charts).lines.size(), 1u);

    // Undo is an edit of the map too.
    c().frame.PageControl1->setCurrentWidget(c().frame.TabSheetAdvance);
    window.SpeedButtonZpetClick();
    EXPECT_EQ(image()[field::TpsMapEnable], 1);
    EXPECT_EQ(advance(charts).lines.size(), 10u);
}

TEST_F(ChartsTest, EditsOfTheMapAndTheServoCurveMoveTheirPoints)
{
    QDialog *charts = open();
    ASSERT_TRUE(charts);
    const auto row9 = [&] { return advance(charts).lines.at(0); };
    c().frame.PageControl1->setCurrentWidget(c().frame.TabSheetAdvance);
    typeInto(c().advance.EditCell[9][3], QStringLiteral("27"));
    ASSERT_EQ(shownOf(field::AdvanceMap(9, 3)), 27);
    EXPECT_EQ(row9()->at(3), QPointF(shownOf(field::AdvanceRpm(3)), 27));

    typeInto(c().advance.EditRpmAdv[4], QStringLiteral("5200"));
    ASSERT_EQ(shownOf(field::AdvanceRpm(4)), 5200);
    EXPECT_EQ(row9()->at(4).x(), 5200);

    c().frame.PageControl1->setCurrentWidget(c().frame.TabSheetServo);
    typeInto(c().servo.EditNapPriv[2], QStringLiteral("2440"));
    ASSERT_EQ(shownOf(field::ServoVoltage(2)), 2440);
    const ShownChart curve = servo(charts);
    ASSERT_EQ(curve.lines.size(), 1u);
    EXPECT_EQ(curve.lines[0]->at(2), QPointF(shownOf(field::ServoRpm(2)), 2440));
    EXPECT_EQ(curve.lines[0]->count(), field::CurvePoints);

    // Closed, the window is not kept up to date; opened again, it catches up.
    charts->close();
    c().frame.PageControl1->setCurrentWidget(c().frame.TabSheetAdvance);
    typeInto(c().advance.EditCell[9][3], QStringLiteral("31"));
    EXPECT_EQ(row9()->at(3).y(), 27);
    EXPECT_EQ(open(), charts) << "one window for the run";
    EXPECT_EQ(row9()->at(3).y(), 31);
}

TEST_F(ChartsTest, TheOperatingPointIsMarkedOnBothCurves)
{
    QDialog *charts = open();
    ASSERT_TRUE(charts);
    unit.injectFault(sim::Fault::Silence, -1);
    MonitorFrame live;
    live.protocolVersion = ProtocolVersion;
    live.engineSpeed = static_cast<std::uint16_t>(shownOf(field::AdvanceRpm(6)));
    window.link().HandleMonitorFrame(encodeMonitorFrame(live));
    tick();
    const OperatingPoint &p = window.live().state().operatingPoint;
    ASSERT_TRUE(p.cellLit(9, 6));
    const QScatterSeries *advancePoint = advance(charts).marker;
    const QScatterSeries *servoPoint = servo(charts).marker;
    ASSERT_TRUE(advancePoint && servoPoint);
    ASSERT_EQ(advancePoint->count(), 1);
    EXPECT_EQ(advancePoint->at(0), QPointF(shownOf(field::AdvanceRpm(6)), shownOf(field::AdvanceMap(9, 6))));
    ASSERT_EQ(servoPoint->count(), 1);
    const int s = p.OperatingServoPoint;
    EXPECT_EQ(servoPoint->at(0), QPointF(shownOf(field::ServoRpm(s)), shownOf(field::ServoVoltage(s))));

    live.engineSpeed = 300; // cranking, below the map: no cell in use
    window.link().HandleMonitorFrame(encodeMonitorFrame(live));
    tick();
    ASSERT_TRUE(p.BelowSpeedRange);
    EXPECT_EQ(advancePoint->count(), 0);
}

TEST_F(ChartsTest, TextsFollowTheLanguage)
{
    QDialog *charts = open();
    ASSERT_TRUE(charts);
    c().menu.MenuGerman->trigger();
    EXPECT_EQ(charts->windowTitle(), QString::fromUtf8("Diagramme Vorzündung und Servo"));
    EXPECT_EQ(advance(charts).lines.at(0)->name(), QStringLiteral("Drosselklappe 100 %"));
    c().menu.MenuCzech->trigger();
    EXPECT_EQ(charts->windowTitle(), QString::fromUtf8("Grafy předstihu a serva"));
}

} // namespace

TEST_F(ChartsTest, AxesEndOnATickWithRoomForEverySpeedLabel)
{
    QDialog *charts = open();
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

namespace {

/// The library `name` looked for in `folder` alone, and what the reason must say
/// of the file there.
struct LibraryCase {
    const char *what;
    QString name;
    QString folder;
    const char *error;
};

} // namespace

TEST(ChartsLoader, SaysForEveryPlaceTriedWhichFileAndWhyItGaveNoWindow)
{
    QTemporaryDir empty;
    const LibraryCase cases[] = {
        {"no such file", QStringLiteral("talviro6_charts_absent"), empty.path(), "No such file"},
        // A library there that lacks the factory.
        {"no factory", QStringLiteral("talviro6_charts_hollow"), QStringLiteral(TALVIRO6_HOLLOW_CHARTS_DIR),
         MakeChartsWindowName},
    };
    for (const LibraryCase &c : cases) {
        SCOPED_TRACE(c.what);
        QWidget parent;
        QString reason;
        EXPECT_EQ(loadChartsWindow(ChartsLibrary{c.name, QStringList{c.folder}}, &parent, &reason), nullptr);
        const QStringList lines = reason.split(QLatin1Char('\n'));
        ASSERT_EQ(lines.size(), 2) << "the copy already loaded, then the folder: " << reason.toStdString();
        EXPECT_TRUE(lines[0].contains(c.name)) << lines[0].toStdString();
        EXPECT_TRUE(lines[1].contains(QDir::toNativeSeparators(c.folder)) && lines[1].contains(c.name))
            << lines[1].toStdString();
        EXPECT_TRUE(lines[1].contains(QLatin1String(c.error))) << lines[1].toStdString();
        EXPECT_TRUE(parent.children().isEmpty());
    }
}

TEST(ChartsLoader, WithoutFoldersLooksBesideTheProgramThenInItsInstallFolder)
{
    QString reason;
    EXPECT_EQ(loadChartsWindow(ChartsLibrary{QStringLiteral("talviro6_charts_absent"), std::nullopt}, nullptr, &reason),
              nullptr);
    const QDir program(QCoreApplication::applicationDirPath());
    const QStringList lines = reason.split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 3) << reason.toStdString();
    const QString installed = QDir::cleanPath(program.filePath(QStringLiteral("../lib/talviro6")));
    for (const auto &[line, folder] : {std::pair{lines[1], program.path()}, std::pair{lines[2], installed}})
        EXPECT_TRUE(line.contains(QDir::toNativeSeparators(folder) + QDir::separator())) << line.toStdString();
}

TEST(ChartsLibraryMissing, TheMenuCommandSaysWhyInTheWindowsLanguageAndOpensNothing)
{
    const struct {
        QAction *MainMenu::*language;
        const char *firstLine;
    } languages[] = {
        {&MainMenu::MenuEnglish, "The charts cannot be shown:"},
        {&MainMenu::MenuCzech, "Grafy nelze zobrazit:"},
    };
    for (const auto &l : languages) {
        SCOPED_TRACE(l.firstLine);
        QTemporaryDir settings;
        QTemporaryDir empty;
        WindowRig rig(settings.path(), nullptr,
                      ChartsLibrary{QStringLiteral("talviro6_charts_absent"), QStringList{empty.path()}});
        rig.start();
        Controls &c = rig.window.controls();
        (c.menu.*l.language)->trigger();
        c.menu.MenuCharts->trigger();
        QApplication::processEvents();

        ASSERT_EQ(rig.dialogs.messages.size(), 1u);
        const QStringList lines = rig.dialogs.messages[0].split(QLatin1Char('\n'));
        ASSERT_GE(lines.size(), 2);
        EXPECT_EQ(lines[0], QString::fromUtf8(l.firstLine));
        EXPECT_TRUE(lines.last().contains(empty.path())) << lines.last().toStdString();
        EXPECT_EQ(rig.window.chartsWindow(), nullptr);
        for (const QWidget *w : QApplication::topLevelWidgets())
            EXPECT_FALSE(w != &rig.window && w->isVisible()) << w->objectName().toStdString();

        // Every click tries again, and says so again.
        c.menu.MenuCharts->trigger();
        EXPECT_EQ(rig.dialogs.messages.size(), 2u);
    }
}
