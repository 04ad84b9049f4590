// Recording the live data from the window, and replaying a recording into it.
#include "window_fixture.h"

#include "../support/file_size_limit.h"

#include "editor/colours.h"
#include "editor/replay/form_replay.h"
#include "live/monitor_view.h"
#include "recordings/live_recorder.h"
#include "recordings/monitor_csv.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QSlider>
#include <QStatusBar>
#include <QToolButton>

#include <set>

#include <sys/stat.h>

using namespace talviro6;
using namespace talviro6::testing;

namespace {

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

MonitorCsv parseFile(const QString &path)
{
    const QByteArray bytes = readFile(path);
    return parseMonitorCsv(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

class RecordingWindow : public WindowFixture {
  protected:
    QTemporaryDir dir;
    QString file = dir.filePath(QStringLiteral("run.csv"));

    QAction *menuRecord() { return c().menu.MenuRecord; }
    bool labelIsRed(QLabel *label)
    {
        const QImage image = label->grab().toImage();
        const QColor pixel = image.pixelColor(2, image.height() / 2); // the padding, left of the text
        return pixel.red() > 150 && pixel.green() < 60 && pixel.blue() < 60;
    }
};

} // namespace

TEST_F(RecordingWindow, RecordsEveryAcceptedLiveFrameAfterItsHeadLinesFlushedEverySecond)
{
    tick(20);
    ASSERT_TRUE(c().frame.LabelSpojeni->isHidden());
    window.MenuReadClick(); // the unit's header comes with a job
    for (int i = 0; i < 400 && window.link().state().TransferMode != Transfer::Idle; ++i)
        tick();
    const std::string unitName = window.link().unitHeaderTexts().UnitNameText;
    ASSERT_FALSE(unitName.empty());
    EXPECT_FALSE(menuRecord()->isChecked()) << "off by default";

    dialogs.saveName = file;
    menuRecord()->trigger();
    ASSERT_TRUE(window.recording());
    EXPECT_TRUE(menuRecord()->isChecked());
    ASSERT_EQ(dialogs.savePresets.size(), 1u);
    EXPECT_TRUE(dialogs.savePresets[0].endsWith(QStringLiteral(".csv"))) << dialogs.savePresets[0].toStdString();
    QLabel *rec = window.recordingLabel();
    ASSERT_NE(rec, nullptr);
    EXPECT_TRUE(rec->isVisible());
    EXPECT_EQ(rec->text(), QStringLiteral("REC 00:00"));
    EXPECT_TRUE(labelIsRed(rec));
    EXPECT_LT(rec->mapTo(&window, QPoint()).x(), c().frame.LabelUnitState->mapTo(&window, QPoint()).x())
        << "left of the unit state";

    const std::uint32_t framesBefore = window.link().state().monitorFrames;
    tick(LiveRecorder::FlushTicks);
    // Still open, yet every frame so far is on disk.
    const MonitorCsv flushed = parseFile(file);
    EXPECT_GE(flushed.frames.size(), 2u);
    EXPECT_EQ(flushed.frames.size(), window.link().state().monitorFrames - framesBefore);

    tick(200); // 218 ticks in all: 11.99 s
    EXPECT_EQ(rec->text(), QStringLiteral("REC 00:11"));
    const MonitorFrame last = window.link().lastMonitorFrame();
    const std::uint32_t recorded = window.link().state().monitorFrames - framesBefore;
    menuRecord()->trigger(); // unchecks: stops
    EXPECT_FALSE(window.recording());
    EXPECT_TRUE(rec->isHidden());
    tick(20);

    const MonitorCsv csv = parseFile(file);
    EXPECT_EQ(csv.skippedLines, 0u);
    ASSERT_EQ(csv.frames.size(), recorded) << "nothing after the stop";
    const std::string expectedLast =
        monitorCsvLine(csv.frames.back().milliseconds / 1000.0, last, countsToMillivolts(last.tpsCounts));
    EXPECT_EQ(monitorCsvLine(csv.frames.back().milliseconds / 1000.0, csv.frames.back().frame,
                             countsToMillivolts(csv.frames.back().frame.tpsCounts)),
              expectedLast);
    ASSERT_GE(csv.comments.size(), 4u);
    EXPECT_EQ(csv.comments[0], "TALVIRO6 recording");
    EXPECT_EQ(csv.comments[1], "parameter file: (none)");
    EXPECT_EQ(csv.comments[2].rfind("unit: " + unitName + " | ", 0), 0u) << csv.comments[2];
    EXPECT_EQ(csv.comments[3].rfind("started: 20", 0), 0u) << csv.comments[3];
    const QByteArray text = readFile(file);
    EXPECT_TRUE(text.contains(QByteArray("\n") +
                              QByteArray(monitorCsvHeader().data(), static_cast<qsizetype>(monitorCsvHeader().size())) +
                              "\n"));
}

TEST_F(RecordingWindow, TheHeadSaysWhenTheEditorNoLongerHoldsTheParameterFile)
{
    const QString parameters = dir.filePath(QStringLiteral("bike.ign"));
    int recordings = 0;
    const auto head = [&] {
        dialogs.saveName = dir.filePath(QStringLiteral("run%1.csv").arg(++recordings));
        menuRecord()->trigger();
        menuRecord()->trigger();
        const MonitorCsv csv = parseFile(dialogs.saveName);
        return csv.comments.size() > 1 ? csv.comments[1] : std::string("(no head)");
    };
    const std::string named = "parameter file: " + parameters.toStdString();
    const std::string edited = named + " (edited since)";

    dialogs.saveName = parameters;
    QTest::keyClick(&window, Qt::Key_F2);
    ASSERT_EQ(window.currentFileName(), parameters);
    EXPECT_EQ(head(), named);

    auto *limiter = field(QStringLiteral("EditOmez2"));
    limiter->setFocus();
    limiter->edit()->selectAll();
    QTest::keyClicks(limiter->edit(), QStringLiteral("12300"));
    QTest::keyClick(limiter, Qt::Key_Return);
    ASSERT_EQ(image()[field::Limiter], 123);
    EXPECT_EQ(head(), edited);

    QTest::mouseClick(c().frame.toolBar.SpeedButtonZpet, Qt::LeftButton);
    ASSERT_NE(image()[field::Limiter], 123);
    EXPECT_EQ(head(), named) << "undone: the editor holds the file again";

    QTest::mouseClick(c().frame.toolBar.SpeedButtonZnovu, Qt::LeftButton);
    EXPECT_EQ(head(), edited);
    dialogs.openName = parameters;
    QTest::keyClick(&window, Qt::Key_F3);
    EXPECT_EQ(head(), named) << "opened again";

    limiter->setValue(12300);
    afterEditStep();
    dialogs.saveName = parameters;
    QTest::keyClick(&window, Qt::Key_F2);
    EXPECT_EQ(head(), named) << "saved with the change";
}

TEST_F(RecordingWindow, ADiskThatFillsUpEndsTheRecordingWithAMessage)
{
    tick(20);
    dialogs.saveName = file;
    menuRecord()->trigger();
    ASSERT_TRUE(window.recording());
    {
        // Files may grow no further: the next flush fails.
        const FileSizeLimit full(static_cast<rlim_t>(QFileInfo(file).size()));
        tick(LiveRecorder::FlushTicks);
    }
    EXPECT_FALSE(window.recording());
    EXPECT_FALSE(menuRecord()->isChecked());
    EXPECT_TRUE(window.recordingLabel()->isHidden()) << "no REC on a recording that has ended";
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].startsWith(QStringLiteral("The recording has stopped:")))
        << dialogs.messages[0].toStdString();
    EXPECT_TRUE(dialogs.messages[0].contains(file)) << dialogs.messages[0].toStdString();
}

TEST_F(RecordingWindow, AFileThatCannotBeWrittenIsSaidAndNothingRecords)
{
    struct Row {
        const char *what;
        QString path;
    };
    const Row rows[] = {
        {"no such folder", dir.filePath(QStringLiteral("missing/run.csv"))},
        {"a full disk", QStringLiteral("/dev/full")},
    };
    for (const Row &r : rows) {
        dialogs.messages.clear();
        dialogs.saveName = r.path;
        menuRecord()->trigger();
        EXPECT_FALSE(window.recording()) << r.what;
        EXPECT_FALSE(menuRecord()->isChecked()) << r.what;
        ASSERT_EQ(dialogs.messages.size(), 1u) << r.what;
        EXPECT_TRUE(dialogs.messages[0].contains(r.path)) << dialogs.messages[0].toStdString();
        EXPECT_TRUE(!window.recordingLabel() || window.recordingLabel()->isHidden()) << r.what;
    }
    dialogs.saveName.clear(); // the dialog cancelled
    menuRecord()->trigger();
    EXPECT_FALSE(menuRecord()->isChecked());
    EXPECT_EQ(dialogs.messages.size(), 1u);
}

namespace {

/// A recording of ten frames 330 ms apart, the engine speeding up by 500 rpm each.
class ReplayWindow : public RecordingWindow {
  protected:
    static constexpr int Frames = 10;
    static std::uint16_t speedOf(int i) { return static_cast<std::uint16_t>(1500 + 500 * i); }

    ReplayWindow()
    {
        unit.injectFault(sim::Fault::Silence, -1); // no unit: everything live comes from the file
        QFile f(file);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        std::string text = "# TALVIRO6 recording\n" + std::string(monitorCsvHeader()) + "\n";
        for (int i = 0; i < Frames; ++i) {
            MonitorFrame m;
            m.engineSpeed = speedOf(i);
            m.tpsPercent = 60;
            m.tpsCounts = 600;
            m.supplyMillivolts = 13500;
            m.advance = {125, 125};
            m.servoOk = true;
            m.protocolVersion = ProtocolVersion;
            text += monitorCsvLine(100.0 + 0.33 * i, m, countsToMillivolts(m.tpsCounts)) + "\n";
        }
        f.write(text.c_str());
        f.close();
        dialogs.openName = file;
    }
    std::uint16_t shownSpeed() const { return const_cast<FormHlav &>(window).live().state().EngineSpeed; }
    FormReplay *replay() { return window.replayWindow(); }
    void click(QPushButton *button) { QTest::mouseClick(button, Qt::LeftButton); }
};

} // namespace

TEST_F(ReplayWindow, FramesReachTheMonitorAtTheirRecordedTimesAt1xAnd4x)
{
    for (int speed : {1, 4}) {
        c().menu.MenuReplay->trigger();
        ASSERT_NE(replay(), nullptr);
        ASSERT_TRUE(replay()->isVisible());
        if (speed == 4)
            click(replay()->findChild<QPushButton *>(QStringLiteral("ButtonReplaySpeed4")));
        EXPECT_EQ(replay()->clock().speed(), speed);
        const int step = 55 * speed;
        for (int n = 1; n <= 80; ++n) {
            tick();
            // Tick n is (n - 1) ticks after the first frame.
            const int due = std::min(Frames - 1, (n - 1) * step / 330);
            ASSERT_EQ(shownSpeed(), speedOf(due)) << speed << "x, tick " << n;
            if ((n - 1) * step / 330 == Frames - 1) { // the tick of the last frame
                EXPECT_TRUE(c().frame.LabelSpojeni->isHidden()) << "the monitor looks live while frames come";
                EXPECT_EQ(c().frame.monitor.LabelRpm->text().trimmed(), QStringLiteral("RPM = %1").arg(speedOf(due)));
            }
        }
        EXPECT_FALSE(replay()->clock().playing()) << "ends at the last frame";
        EXPECT_TRUE(c().frame.LabelSpojeni->isHidden()) << "the last moment stays on show";
        replay()->close();
        tick(LinkEngine::LostTicks + 1);
        EXPECT_FALSE(c().frame.LabelSpojeni->isHidden()) << "closed, and no unit: the silence shows";
    }
    EXPECT_FALSE(window.recording());
}

TEST_F(ReplayWindow, PauseSliderAndCloseControlTheReplay)
{
    c().menu.MenuReplay->trigger();
    ASSERT_NE(replay(), nullptr);
    QPushButton *play = replay()->playButton();
    tick(7); // 330 ms: the second frame
    EXPECT_EQ(shownSpeed(), speedOf(1));
    click(play); // pause
    EXPECT_FALSE(replay()->clock().playing());
    tick(30);
    EXPECT_EQ(shownSpeed(), speedOf(1)) << "paused";

    // The slider: to the end and back to the start, as keys move it.
    QSlider *slider = replay()->slider();
    QTest::keyClick(slider, Qt::Key_End);
    EXPECT_EQ(shownSpeed(), speedOf(Frames - 1));
    QTest::keyClick(slider, Qt::Key_Home);
    EXPECT_EQ(shownSpeed(), speedOf(0));
    QTest::keyClick(slider, Qt::Key_Right); // one second on: 990 ms is the moment shown
    EXPECT_EQ(replay()->clock().positionMs(), 1000);
    EXPECT_EQ(shownSpeed(), speedOf(3));
    click(play);
    tick(6); // 1320 ms reached at 1000 + 6 * 55
    EXPECT_EQ(shownSpeed(), speedOf(4));
    const QLabel *time = replay()->findChild<QLabel *>(QStringLiteral("LabelReplayTime"));
    EXPECT_EQ(time->text(), QStringLiteral("0:01 / 0:02"));

    // The operating point follows the replayed speed, as it follows the unit's.
    const OperatingPoint at4 = window.live().state().operatingPoint;
    ASSERT_FALSE(at4.BelowSpeedRange);
    QTest::keyClick(slider, Qt::Key_End);
    tick();
    EXPECT_GT(window.live().state().operatingPoint.OperatingColumn, at4.OperatingColumn);

    QTest::keyClick(slider, Qt::Key_Home);
    click(play);
    replay()->close();
    tick(100);
    EXPECT_EQ(shownSpeed(), speedOf(0)) << "closed: nothing more is played";
    EXPECT_FALSE(c().frame.LabelSpojeni->isHidden()) << "and the silence shows again";
}

TEST_F(ReplayWindow, AFileWithoutLiveDataIsSaidAndNothingPlays)
{
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write("# TALVIRO6 recording\nthis is, not, a recording\n1,2,3\n");
    f.close();
    const std::uint32_t before = window.link().state().monitorFrames;
    c().menu.MenuReplay->trigger();
    EXPECT_EQ(replay(), nullptr);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].contains(file));
    EXPECT_TRUE(dialogs.messages[0].contains(QStringLiteral(": 2"))) << "the unreadable lines counted";
    tick(20);
    EXPECT_EQ(window.link().state().monitorFrames, before);
}

TEST_F(ReplayWindow, WhatIsNotARegularFileOrCannotBeReadIsRefusedWithTheReason)
{
    const QString fifo = dir.filePath(QStringLiteral("pipe.csv"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    struct Row {
        const char *what;
        QString path;
        QString reason;
    };
    const Row rows[] = {
        {"a folder", dir.path(), QStringLiteral("not a regular file")},
        {"a pipe, which would wait for a writer", fifo, QStringLiteral("not a regular file")},
        {"a device that never ends", QStringLiteral("/dev/zero"), QStringLiteral("not a regular file")},
        {"a file whose reading fails", QStringLiteral("/proc/self/mem"), QStringLiteral("Input/output error")},
    };
    const std::uint32_t before = window.link().state().monitorFrames;
    for (const Row &r : rows) {
        dialogs.messages.clear();
        EXPECT_FALSE(window.openRecording(r.path)) << r.what;
        EXPECT_EQ(replay(), nullptr) << r.what;
        ASSERT_EQ(dialogs.messages.size(), 1u) << r.what;
        const QString text = dialogs.messages[0];
        EXPECT_TRUE(text.startsWith(QStringLiteral("This recording cannot be read:"))) << text.toStdString();
        EXPECT_TRUE(text.contains(r.path)) << text.toStdString();
        EXPECT_TRUE(text.contains(r.reason)) << text.toStdString();
    }
    tick(20);
    EXPECT_EQ(window.link().state().monitorFrames, before);
}

TEST_F(ReplayWindow, AConnectedUnitDoesNotMixInAndAPausedReplayHoldsItsMoment)
{
    unit.clearFaults(); // the unit answers all along
    tick(20);
    ASSERT_TRUE(c().frame.LabelSpojeni->isHidden());
    c().menu.MenuReplay->trigger();
    ASSERT_NE(replay(), nullptr);
    std::set<std::uint16_t> replayed;
    for (int i = 0; i < Frames; ++i)
        replayed.insert(speedOf(i));
    for (int n = 0; n < 30; ++n) {
        tick();
        ASSERT_TRUE(replayed.count(shownSpeed())) << "tick " << n << ": " << shownSpeed() << " rpm is the unit's";
    }
    click(replay()->playButton()); // pause
    const std::uint16_t held = shownSpeed();
    const QString rpmText = c().frame.monitor.LabelRpm->text();
    tick(100);
    EXPECT_EQ(shownSpeed(), held);
    EXPECT_TRUE(c().frame.LabelSpojeni->isHidden()) << "paused, the moment stays on show";
    EXPECT_EQ(c().frame.monitor.LabelRpm->text(), rpmText);

    replay()->close();
    tick(20);
    EXPECT_FALSE(replayed.count(shownSpeed())) << "closed: the unit's own data again";
}

TEST_F(ReplayWindow, FollowsTheWindowsLanguage)
{
    c().menu.MenuReplay->trigger();
    ASSERT_NE(replay(), nullptr);
    click(replay()->playButton()); // paused: the button offers Play
    struct Row {
        QAction *menu;
        const char *caption;
        const char *play;
    };
    const Row rows[] = {
        {c().menu.MenuGerman, "Wiedergabe", "Abspielen"},
        {c().menu.MenuFrench, "Relecture", "Lecture"},
        {c().menu.MenuCzech, "Přehrávání záznamu", "Přehrát"},
        {c().menu.MenuEnglish, "Replay", "Play"},
    };
    for (const Row &r : rows) {
        r.menu->trigger();
        tick();
        EXPECT_TRUE(replay()->windowTitle().startsWith(QString::fromUtf8(r.caption)))
            << replay()->windowTitle().toStdString();
        EXPECT_EQ(replay()->playButton()->text(), QString::fromUtf8(r.play));
    }
}
