// The recording viewer: plots of a recording driven by the mouse, its fixed cursor
// shown in the main window as the replay shows a moment.
#include "window_fixture.h"

#include "editor/recording_dwell/form_recording_dwell.h"
#include "editor/viewer/form_viewer.h"
#include "editor/viewer/recording_plot.h"
#include "live/monitor_view.h"
#include "recordings/monitor_csv.h"
#include "recordings/recording_dwell.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QWheelEvent>

using namespace talviro6;
using namespace talviro6::testing;

namespace {

/// A ride of 20 s, a frame every 100 ms, the engine from 1500 rpm up by 50 rpm a
/// frame; the kill switch on in the last 5 s.
class ViewerWindow : public WindowFixture {
  protected:
    static constexpr int Frames = 200;
    static std::uint16_t speedOf(int i) { return static_cast<std::uint16_t>(1500 + 50 * i); }

    QTemporaryDir dir;
    QString file = dir.filePath(QStringLiteral("ride.csv"));

    ViewerWindow()
    {
        unit.injectFault(sim::Fault::Silence, -1); // no unit: everything live comes from the file
        std::string text = "# TALVIRO6 recording\n" + std::string(monitorCsvHeader()) + "\n";
        for (int i = 0; i < Frames; ++i) {
            MonitorFrame m;
            m.engineSpeed = speedOf(i);
            m.tpsPercent = 60;
            m.tpsCounts = 600;
            m.supplyMillivolts = 13500;
            m.advance = {125, 125};
            m.servoOk = true;
            m.killSwitch = i >= 150;
            m.protocolVersion = ProtocolVersion;
            text += monitorCsvLine(100.0 + 0.1 * i, m, countsToMillivolts(m.tpsCounts)) + "\n";
            if (i == 40)
                text += "12.5,this line is damaged\n";
        }
        QFile f(file);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text.c_str());
        f.close();
        dialogs.openName = file;
    }

    FormViewer *open()
    {
        c().menu.MenuViewer->trigger();
        FormViewer *v = window.viewerWindow();
        if (v) {
            v->resize(1000, 700);
            QApplication::processEvents();
        }
        return v;
    }
    RecordingPlot *plot() { return window.viewerWindow()->plot(); }
    QPoint at(double ms) { return {static_cast<int>(std::lround(plot()->xAt(ms))), 40}; }
    void wheel(QPoint pos, int delta)
    {
        QWheelEvent e(pos, plot()->mapToGlobal(pos), {}, {0, delta}, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                      false);
        QApplication::sendEvent(plot(), &e);
    }
    void drag(QPoint from, QPoint to, Qt::KeyboardModifiers keys = {})
    {
        QTest::mousePress(plot(), Qt::LeftButton, keys, from);
        const QPoint mid = (from + to) / 2;
        for (QPoint p : {mid, to}) {
            QMouseEvent move(QEvent::MouseMove, p, plot()->mapToGlobal(p), Qt::NoButton, Qt::LeftButton, keys);
            QApplication::sendEvent(plot(), &move);
        }
        QTest::mouseRelease(plot(), Qt::LeftButton, keys, to);
    }
    std::uint16_t shownSpeed() { return window.live().state().EngineSpeed; }
};

} // namespace

TEST_F(ViewerWindow, OpensTheWholeRideWithTheDamagedLineCounted)
{
    FormViewer *v = open();
    ASSERT_NE(v, nullptr);
    EXPECT_TRUE(v->isVisible());
    EXPECT_EQ(c().menu.MenuViewer->text(), QStringLiteral("View a recording"));
    EXPECT_EQ(v->clock().frameCount(), static_cast<std::size_t>(Frames));
    EXPECT_EQ(v->skippedLines(), 1u);
    EXPECT_TRUE(v->findChild<QLabel *>(QStringLiteral("LabelViewerFile"))->text().endsWith(QStringLiteral(": 1")));
    EXPECT_EQ(plot()->viewFrom(), 0);
    EXPECT_EQ(plot()->viewTo(), 19'900);
    EXPECT_TRUE(dialogs.messages.empty());
    // Opened, nothing is fixed: the window still waits for the unit.
    tick(LinkEngine::LostTicks + 1);
    EXPECT_FALSE(c().frame.LabelSpojeni->isHidden());
}

TEST_F(ViewerWindow, WheelZoomsAroundThePointerDragPansDoubleClickShowsAll)
{
    ASSERT_NE(open(), nullptr);
    for (double under : {5000.0, 12'345.0}) {
        const QPoint pos = at(under);
        const double before = plot()->timeAt(pos.x());
        wheel(pos, 120 * 3); // in
        const double span = plot()->viewTo() - plot()->viewFrom();
        EXPECT_NEAR(span, 19'900 * 0.512, 1);
        EXPECT_NEAR(plot()->timeAt(pos.x()), before, 1e-6) << "the time under the pointer stays there";
        wheel(pos, 120); // and once more
        EXPECT_NEAR(plot()->timeAt(pos.x()), before, 1e-6);
        EXPECT_LT(plot()->viewTo() - plot()->viewFrom(), span);

        // A drag to the left by 100 px brings later times in by 100 px worth.
        const double from = plot()->viewFrom();
        const double perPixel = (plot()->viewTo() - from) / plot()->plotArea().width();
        drag(pos, pos - QPoint(100, 0));
        EXPECT_NEAR(plot()->viewFrom(), from + 100 * perPixel, 1e-6);
        EXPECT_FALSE(plot()->fixedCursor()) << "a drag fixes no cursor";

        QTest::mouseDClick(plot(), Qt::LeftButton, {}, pos);
        EXPECT_EQ(plot()->viewFrom(), 0);
        EXPECT_EQ(plot()->viewTo(), 19'900);
    }
    // Zoomed out past the whole, the view is the whole.
    wheel(at(8000), -120 * 10);
    EXPECT_EQ(plot()->viewTo() - plot()->viewFrom(), 19'900);
}

TEST_F(ViewerWindow, AClickFixesTheCursorAndTheMainWindowShowsThatMoment)
{
    ASSERT_NE(open(), nullptr);
    // The cursor follows the mouse; only a click fixes it.
    QMouseEvent hover(QEvent::MouseMove, at(7000), plot()->mapToGlobal(at(7000)), Qt::NoButton, Qt::NoButton, {});
    QApplication::sendEvent(plot(), &hover);
    ASSERT_TRUE(plot()->hoverCursor());
    EXPECT_NEAR(static_cast<double>(*plot()->hoverCursor()), 7000, 25);
    EXPECT_FALSE(plot()->fixedCursor());
    QTest::mouseClick(plot(), Qt::LeftButton, {}, at(2000));
    ASSERT_TRUE(plot()->fixedCursor());
    EXPECT_NEAR(static_cast<double>(*plot()->fixedCursor()), 2000, 25);
    tick();
    EXPECT_EQ(shownSpeed(), speedOf(static_cast<int>(*plot()->fixedCursor() / 100)));
    const OperatingPoint early = window.live().state().operatingPoint;
    ASSERT_FALSE(early.BelowSpeedRange);
    EXPECT_TRUE(c().frame.LabelSpojeni->isHidden()) << "the monitor shows the moment as live";

    QTest::mouseClick(plot(), Qt::LeftButton, {}, at(19'000));
    tick(LinkEngine::LostTicks + 5); // held: the moment stays on show, never the silence
    EXPECT_EQ(shownSpeed(), speedOf(static_cast<int>(*plot()->fixedCursor() / 100)));
    EXPECT_GT(window.live().state().operatingPoint.OperatingColumn, early.OperatingColumn);
    EXPECT_TRUE(c().frame.LabelSpojeni->isHidden());

    // Play from the cursor at 4x: 220 ms of the ride a tick.
    QTest::mouseClick(plot(), Qt::LeftButton, {}, at(1000));
    const std::int64_t start = *plot()->fixedCursor();
    QTest::mouseClick(window.viewerWindow()->findChild<QPushButton *>(QStringLiteral("ButtonViewerSpeed4")),
                      Qt::LeftButton);
    QTest::mouseClick(window.viewerWindow()->findChild<QPushButton *>(QStringLiteral("ButtonViewerPlay")),
                      Qt::LeftButton);
    tick(10);
    EXPECT_EQ(*plot()->fixedCursor(), start + 10 * 4 * 55) << "the cursor moves with the play";
    EXPECT_EQ(shownSpeed(), speedOf(static_cast<int>((start + 10 * 4 * 55) / 100)));

    window.viewerWindow()->close();
    tick(LinkEngine::LostTicks + 1);
    EXPECT_FALSE(c().frame.LabelSpojeni->isHidden()) << "closed, and no unit: the silence shows";
}

TEST_F(ViewerWindow, ShiftDragChoosesARangeShownShaded)
{
    ASSERT_NE(open(), nullptr);
    std::vector<std::pair<qint64, qint64>> told;
    QObject::connect(window.viewerWindow(), &FormViewer::chosenRangeChanged,
                     [&told](qint64 a, qint64 b) { told.emplace_back(a, b); });
    const QImage before = plot()->grab().toImage();
    // Right to left: the range is the same.
    drag(at(15'000), at(5000), Qt::ShiftModifier);
    const auto range = window.viewerWindow()->chosenRange();
    ASSERT_TRUE(range);
    EXPECT_NEAR(static_cast<double>(range->first), 5000, 25);
    EXPECT_NEAR(static_cast<double>(range->second), 15'000, 25);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0], std::make_pair(static_cast<qint64>(range->first), static_cast<qint64>(range->second)));
    EXPECT_EQ(plot()->viewFrom(), 0) << "choosing does not pan";
    EXPECT_FALSE(plot()->fixedCursor());

    // Shaded inside the range, not outside: a pixel of the empty plot background.
    const QImage after = plot()->grab().toImage();
    const int y = plot()->plotArea().top() + 2;
    const QPoint inside(at(10'000).x(), y), outside(at(18'000).x(), y);
    EXPECT_NE(after.pixelColor(inside), before.pixelColor(inside));
    EXPECT_EQ(after.pixelColor(outside), before.pixelColor(outside));
}

// The range chosen in the viewer is what the counts of where the engine ran take,
// from the viewer's own recording; a second range counts again, the same frames.
TEST_F(ViewerWindow, AChosenRangeIsCountedWhereTheEngineRan)
{
    ASSERT_NE(open(), nullptr);
    const std::deque<PackedFrame> &frames = window.viewerWindow()->clock().frames();
    const std::int64_t first = frames.front().milliseconds;
    for (const auto &[from, to] : {std::pair{5000, 15'000}, std::pair{2000, 4000}}) {
        drag(at(from), at(to), Qt::ShiftModifier);
        const auto range = window.viewerWindow()->chosenRange();
        ASSERT_TRUE(range);
        FormRecordingDwell *counts = window.recordingDwellWindow();
        ASSERT_NE(counts, nullptr);
        EXPECT_TRUE(counts->isVisible());
        const DwellCounts expected =
            countRecording(frames, image(), {first + range->first, first + range->second}, DwellFilters{});
        EXPECT_EQ(counts->counts(), expected) << from << " .. " << to;
        EXPECT_GT(expected.framesInRange, 0u);
        EXPECT_LT(expected.framesInRange, frames.size());
    }
}

TEST_F(ViewerWindow, TheOnOffBandsShowWhenAValueWasOn)
{
    ASSERT_NE(open(), nullptr);
    const QImage image = plot()->grab().toImage();
    // The kill switch is the first band; painted near its bottom.
    const int y = plot()->bandArea(0).bottom() - 2;
    const QColor off = image.pixelColor(at(5000).x(), y);
    const QColor on = image.pixelColor(at(17'000).x(), y);
    EXPECT_NE(on, off);
    EXPECT_GT(on.green(), on.red()) << "on is drawn in the band's colour";
}

TEST_F(ViewerWindow, AFileThatIsNoRecordingIsRefusedWithAMessage)
{
    const QString other = dir.filePath(QStringLiteral("preset.txt"));
    QFile f(other);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[BASIC]\r\nComPort=2\r\nthis, is, no, recording\r\n");
    f.close();
    struct Row {
        QAction *language;
        const char *text;
    };
    for (const Row &r : {Row{c().menu.MenuEnglish, "This file is not a recording:"},
                         Row{c().menu.MenuGerman, "Diese Datei ist keine Aufzeichnung:"}}) {
        r.language->trigger();
        dialogs.messages.clear();
        dialogs.openName = other;
        c().menu.MenuViewer->trigger();
        EXPECT_EQ(window.viewerWindow(), nullptr);
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_TRUE(dialogs.messages[0].startsWith(QString::fromUtf8(r.text))) << dialogs.messages[0].toStdString();
        EXPECT_TRUE(dialogs.messages[0].contains(other));
    }
    // A folder is refused with the reason, as the replay refuses it.
    dialogs.messages.clear();
    dialogs.openName = dir.path();
    c().menu.MenuViewer->trigger();
    EXPECT_EQ(window.viewerWindow(), nullptr);
    EXPECT_EQ(dialogs.messages.size(), 1u);
}
