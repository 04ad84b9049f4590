// Where the engine ran, in the window: counted at every tick with live data, and
// painted on the map cells and servo points as the tuner sees them.
#include "window_fixture.h"

#include "editor/colours.h"
#include "editor/live_display.h"
#include "editor/palette.h"
#include "link/monitor_frame.h"
#include "live/operating_point.h"
#include "model/field_table.h"
#include "recordings/monitor_csv.h"

#include <QAction>
#include <QDir>
#include <QFile>

#include <set>

using namespace talviro6;
using namespace talviro6::testing;

namespace {

/// The advance page with the whole map in use, and a unit that stays silent so that
/// only the frames a test hands the link arrive.
class DwellTest : public WindowFixture {
  protected:
    DwellTest()
    {
        image()[field::TpsMapEnable] = 1;
        window.refresh();
        unit.injectFault(sim::Fault::Silence, -1);
        c().frame.PageControl1->setCurrentWidget(c().frame.TabSheetAdvance);
    }

    /// `ticks` ticks of an engine at the speed of the map's column and the throttle of its row.
    void runAt(int row, int column, int ticks)
    {
        MonitorFrame live;
        live.protocolVersion = ProtocolVersion;
        live.engineSpeed = static_cast<std::uint16_t>(shownOf(field::AdvanceRpm(column)));
        live.tpsPercent = ThrottleRows[static_cast<std::size_t>(row)];
        for (int i = 0; i < ticks; ++i) {
            window.link().HandleMonitorFrame(encodeMonitorFrame(live));
            tick();
        }
        const OperatingPoint &p = window.live().state().operatingPoint;
        ASSERT_TRUE(p.cellLit(row, column)) << "at " << row << "," << column;
    }

    int shownOf(int offset) { return toShown(*fieldAt(offset), image()[offset]); }

    /// A long stay at (0, 1), a shorter one at (1, 1), then a sweep of twelve cells
    /// through rows 5 and 6 that leaves both out of the trail; the engine ends at (6, 1).
    void ride()
    {
        runAt(0, 1, 40);
        runAt(1, 1, 4);
        for (int column = 0; column < field::MapColumns; ++column)
            runAt(5, column, 1);
        runAt(6, 0, 1);
        runAt(6, 1, 1);
    }

    void showDwell(bool on)
    {
        if (c().menu.MenuDwell->isChecked() != on)
            c().menu.MenuDwell->trigger();
        ASSERT_EQ(c().menu.MenuDwell->isChecked(), on);
    }

    QColor painted(const QImage &shot, QWidget *cell)
    {
        return shot.pixelColor(cell->mapTo(&window, QPoint(4, cell->height() / 2)));
    }

    QImage shot()
    {
        QApplication::processEvents();
        return window.grab().toImage();
    }

    QWidget *cell(int row, int column) { return c().advance.EditCell[row][column]; }
};

TEST_F(DwellTest, TicksCountWhileLiveDataComesAndStopOnceTheUnitIsLost)
{
    ride();
    const DwellMap &dwell = window.dwell();
    EXPECT_EQ(dwell.cellTicks(0, 1), 40u);
    EXPECT_EQ(dwell.cellTicks(1, 1), 4u);
    EXPECT_EQ(dwell.cellTicks(5, 4), 1u);
    EXPECT_EQ(dwell.trail().front(), (DwellMap::Cell{6, 1}));
    EXPECT_EQ(dwell.trail().size(), DwellMap::TrailLength);
    EXPECT_EQ(dwell.trailAge(1, 1), -1);

    // No more frames: the last speed is stale once the unit counts as lost.
    tick(LinkEngine::LostTicks + 5);
    const std::uint32_t held = dwell.cellTicks(6, 1);
    EXPECT_LE(held, 1u + LinkEngine::LostTicks);
    tick(20);
    EXPECT_EQ(dwell.cellTicks(6, 1), held);

    c().menu.MenuDwellReset->trigger();
    EXPECT_EQ(dwell.cellTicks(0, 1), 0u);
    EXPECT_TRUE(dwell.trail().empty());
}

TEST_F(DwellTest, CellsAreShadedByTimeAndTrailedDistinctFromTheLimeOperatingPoint)
{
    ride();
    const QImage before = shot();
    const QColor normal = painted(before, cell(3, 3));
    const QColor lime = toQColor(Colour::Lime);
    EXPECT_EQ(painted(before, cell(0, 1)), normal) << "off by default";
    EXPECT_EQ(painted(before, cell(6, 1)), lime);

    showDwell(true);
    QImage image = shot();
    const QColor longest = painted(image, cell(0, 1));
    const QColor shorter = painted(image, cell(1, 1));
    const QColor newestTrail = painted(image, cell(6, 0));
    const QColor oldestTrail = painted(image, cell(5, 0));
    EXPECT_EQ(longest, dwellShadeColour(DwellMap::ShadeLevels));
    EXPECT_EQ(shorter, dwellShadeColour(window.dwell().cellShade(1, 1)));
    EXPECT_EQ(newestTrail, dwellTrailColour(1));
    EXPECT_EQ(oldestTrail, dwellTrailColour(static_cast<int>(DwellMap::TrailLength) - 1));
    EXPECT_EQ(painted(image, cell(6, 1)), lime) << "the operating cell stays lime";
    EXPECT_EQ(painted(image, cell(3, 3)), normal) << "a cell never visited";
    for (const QColor &seen : {longest, shorter, newestTrail, oldestTrail}) {
        SCOPED_TRACE(seen.name().toStdString());
        EXPECT_NE(seen, normal);
        EXPECT_NE(seen, lime);
    }
    EXPECT_NE(longest, shorter);
    EXPECT_NE(newestTrail, oldestTrail);
    EXPECT_NE(newestTrail, longest);

    // The servo curve: its operating point lime, a point the engine ran at shaded or trailed.
    const std::size_t servoNow = window.live().state().operatingPoint.OperatingServoPoint;
    EXPECT_EQ(c().servo.EditNapPriv[servoNow]->palette().color(QPalette::Base), lime);
    int marked = 0;
    for (std::size_t i = 0; i < Points; ++i) {
        const QColor base = c().servo.EditRpmPriv[i]->palette().color(QPalette::Base);
        EXPECT_EQ(base, c().servo.EditNapPriv[i]->palette().color(QPalette::Base)) << "point " << i;
        const int age = window.dwell().servoTrailAge(i);
        if (i != servoNow && age > 0) {
            EXPECT_EQ(base, dwellTrailColour(age, static_cast<int>(DwellMap::ServoTrailLength))) << "point " << i;
            ++marked;
        } else if (i != servoNow && window.dwell().servoTicks(i) > 0) {
            EXPECT_EQ(base, dwellShadeColour(window.dwell().servoShade(i))) << "point " << i;
            ++marked;
        }
    }
    EXPECT_GT(marked, 0);

    // Off: the normal colours again, the operating cell still lime.
    showDwell(false);
    image = shot();
    for (auto [row, column] : {std::pair{0, 1}, {1, 1}, {6, 0}, {5, 0}, {3, 3}})
        EXPECT_EQ(painted(image, cell(row, column)), normal) << row << "," << column;
    EXPECT_EQ(painted(image, cell(6, 1)), lime);
    for (std::size_t i = 0; i < Points; ++i) {
        if (i != servoNow) {
            EXPECT_EQ(c().servo.EditNapPriv[i]->palette().color(QPalette::Base), normal) << "point " << i;
        }
    }

    // A reset while shown leaves only the operating cell coloured.
    showDwell(true);
    c().menu.MenuDwellReset->trigger();
    image = shot();
    for (auto [row, column] : {std::pair{0, 1}, {6, 0}})
        EXPECT_EQ(painted(image, cell(row, column)), normal) << row << "," << column;
    EXPECT_EQ(painted(image, cell(6, 1)), lime);
}

TEST_F(DwellTest, EveryCellIsPaintedInThePalettesColourForWhatItShows)
{
    showDwell(true);
    ride();
    const QImage image = shot();
    const DwellMap &dwell = window.dwell();
    const OperatingPoint &p = window.live().state().operatingPoint;
    const auto expected = [&](int r, int c) {
        const auto rr = static_cast<std::size_t>(r);
        const auto cc = static_cast<std::size_t>(c);
        if (p.cellLit(r, c))
            return palette::OperatingPoint;
        if (dwell.trailAge(rr, cc) >= 0)
            return palette::dwellTrail(dwell.trailAge(rr, cc));
        if (dwell.cellShade(rr, cc) > 0)
            return palette::dwellShade(dwell.cellShade(rr, cc));
        return palette::CellBackground;
    };
    std::set<QRgb> seen;
    for (int r = 0; r < field::MapRows; ++r)
        for (int c = 0; c < field::MapColumns; ++c) {
            const QColor painted = this->painted(image, cell(r, c));
            EXPECT_EQ(painted, toQColor(expected(r, c))) << r << "," << c;
            seen.insert(painted.rgb());
        }
    // The ride leaves the operating point, shades, trail and untouched cells all on show.
    EXPECT_GE(seen.size(), 8u);
    const QWidget *speed = c().advance.EditRpmAdv[static_cast<std::size_t>(p.OperatingColumn)];
    EXPECT_EQ(image.pixelColor(speed->mapTo(&window, QPoint(4, speed->height() / 2))),
              toQColor(palette::OperatingPoint));
}

TEST_F(DwellTest, TicksThatChangeNoColourTouchNoCell)
{
    showDwell(true);
    ride();
    const auto paletteKeys = [this] {
        std::vector<qint64> keys;
        for (auto &row : c().advance.EditCell)
            for (auto *w : row)
                keys.push_back(w->palette().cacheKey());
        return keys;
    };
    const std::vector<qint64> keys = paletteKeys();
    // Still counting in the lit cell, below the longest-held cell's time: every other
    // cell keeps its shade and its place in the trail.
    runAt(6, 1, 10);
    EXPECT_EQ(window.dwell().cellTicks(6, 1), 11u);
    EXPECT_EQ(paletteKeys(), keys) << "no palette was set again";
    tick(LinkEngine::LostTicks + 5); // the unit lost: nothing counts, nothing moves
    EXPECT_EQ(paletteKeys(), keys);
}

TEST_F(DwellTest, AReplayCountsAsItPlaysAndNotTheMomentItHolds)
{
    // Six frames at the speed of column 2, then four at column 5, 330 ms apart: a
    // frame holds for six ticks of 55 ms.
    std::string text = "# TALVIRO6 recording\n" + std::string(monitorCsvHeader()) + "\n";
    for (int i = 0; i < 10; ++i) {
        MonitorFrame m;
        m.protocolVersion = ProtocolVersion;
        m.engineSpeed = static_cast<std::uint16_t>(shownOf(field::AdvanceRpm(i < 6 ? 2 : 5)));
        m.tpsPercent = 100;
        text += monitorCsvLine(0.33 * i, m, 0) + "\n";
    }
    const QString file = QDir(settingsFolder.path()).filePath(QStringLiteral("ride.csv"));
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(text.c_str());
    out.close();
    dialogs.openName = file;
    c().menu.MenuReplay->trigger();

    tick(55); // the last frame is due at tick 55
    const DwellMap &dwell = window.dwell();
    EXPECT_EQ(dwell.cellTicks(9, 2), 36u);
    EXPECT_NEAR(dwell.cellTicks(9, 5), 19u, 1u);
    // Ended, the replay holds its last moment on show: no time passes there.
    const std::uint32_t atEnd = dwell.cellTicks(9, 5);
    tick(40);
    EXPECT_EQ(dwell.cellTicks(9, 5), atEnd);
}

} // namespace
