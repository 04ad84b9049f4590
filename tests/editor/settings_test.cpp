// The files kept between runs: what a close writes, what the next start restores,
// and starts from files that are missing, strange or not ours.
#include "window_fixture.h"

#include "editor/widgets/mouse_up_check_box.h"
#include "editor/window_placement.h"
#include "files/settings_files.h"
#include "model/defaults.h"
#include "model/settle.h"
#include "model/validate.h"
#include "recordings/monitor_csv.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QStatusBar>
#include <QTabWidget>

#include <memory>

using namespace talviro6;
using namespace talviro6::testing;

namespace {

/// Windows started and closed one after another on the same settings folder, as a
/// tuner's runs of the tool are.
class SettingsTest : public ::testing::Test {
  protected:
    /// One run of the tool on the test's settings folder.
    std::unique_ptr<WindowRig> start(const QStringList &arguments = {})
    {
        auto run = std::make_unique<WindowRig>(folder.path());
        run->start(arguments);
        return run;
    }

    QString file(const std::string &name) const { return folder.filePath(QString::fromStdString(name)); }

    void write(const std::string &name, const QByteArray &content)
    {
        QFile f(file(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(content);
    }

    QByteArray read(const std::string &name)
    {
        QFile f(file(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir folder;
};

TEST_F(SettingsTest, AFirstStartFindsNoFileAndUsesTheDefaults)
{
    auto run = start();
    FormHlav &w = run->window;
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(w.y() - screen.y(), (screen.height() - w.height()) / 2) << "centred";
    EXPECT_TRUE(w.controls().menu.MenuComItems[0]->isChecked()) << "Com 1";
    EXPECT_EQ(w.settings().languageIndex, 0);
    EXPECT_EQ(w.controls().bike.LabelFile2->text(), QString());
    EXPECT_EQ(w.controls().frame.PageControl1->currentIndex(), 0);
    EXPECT_FALSE(w.testEnable());
    EXPECT_TRUE(w.controls().frame.LabelTest[0]->isHidden());
    EXPECT_TRUE(w.controls().bike.EditKompenz1->isHidden());
    EXPECT_TRUE(run->dialogs.messages.empty());
}

TEST_F(SettingsTest, ARestartShowsWhatTheCloseLeft)
{
    const QString parameterFile = QStringLiteral(TALVIRO6_FILES_DATA "/startup_cells.ign");
    UnitImage edited;
    QRect placed;
    {
        auto run = start();
        FormHlav &w = run->window;
        run->dialogs.openName = parameterFile;
        w.controls().menu.MenuOpen->trigger();
        w.session().rawImage()[field::AdvanceMap(4, 4)] = 51;
        w.refresh();
        w.controls().menu.MenuComItems[4]->trigger(); // Com 5
        w.controls().frame.PageControl1->setCurrentIndex(3);
        w.move(40, 30);
        w.resize(w.width() + 20, w.height() + 10);
        placed = QRect(w.pos(), w.size());
        w.close();
        edited = w.image();
        EXPECT_TRUE(run->dialogs.messages.size() <= 1u) << "at most the box for Com 5, which is not there";
    }
    auto run = start();
    FormHlav &w = run->window;
    EXPECT_EQ(w.image(), edited);
    EXPECT_EQ(w.image()[field::AdvanceMap(4, 4)], 51);
    EXPECT_EQ(w.controls().frame.PageControl1->currentIndex(), 3);
    EXPECT_TRUE(w.controls().menu.MenuComItems[4]->isChecked());
    EXPECT_EQ(w.controls().bike.LabelFile2->text(), parameterFile);
    EXPECT_EQ(w.currentFileName(), parameterFile);
    EXPECT_EQ(w.openPreset(), parameterFile);
    EXPECT_EQ(w.savePreset(), parameterFile);
    EXPECT_EQ(QRect(w.pos(), w.size()), placed);
}

TEST_F(SettingsTest, KeysAreReadWithTheirRules)
{
    struct Case {
        const char *basic;
        int portIndex;
        int scanIndex;
        int language;
    };
    const Case cases[] = {
        {"ComPort=21\r\nComPortAuto=5\r\n", 20, 4, 0}, // Com Auto, scanning from COM5
        {"ComPort=22\r\n", 0, 0, 0},                   // out of range: Com 1
        {"ComPort=0\r\n", 0, 0, 0},
        {"ComPort=258\r\n", 1, 0, 0},  // a byte: 257 is 1
        {"Language=7\r\n", 0, 0, 0},   // falls back to English
        {"Language=2\r\n", 0, 0, 2},   // French
        {"Language=two\r\n", 0, 0, 0}, // not a number: the value stays
        {"ComPort=3x\r\n", 0, 0, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.basic);
        write(settingsFileName(), QByteArray("[BASIC]\r\n") + c.basic);
        auto run = start();
        EXPECT_EQ(run->window.settings().portIndex, c.portIndex);
        EXPECT_EQ(run->window.settings().scanIndex, c.scanIndex);
        EXPECT_EQ(run->window.settings().languageIndex, c.language);
    }
    write(settingsFileName(), "[BASIC]\r\nLanguage=3\r\n");
    auto run = start({QStringLiteral("DEUTSCH")});
    EXPECT_EQ(run->window.settings().languageIndex, 1) << "the command line wins for the run";
    run->window.close();
    EXPECT_TRUE(read(settingsFileName()).contains("Language=1\r\n")) << "and the value in effect is written back";
}

TEST_F(SettingsTest, APartialStartupImageSetsOnlyItsBytes)
{
    QByteArray numbers;
    for (int i = 0; i < 150; ++i)
        numbers += QByteArray::number(i % 7) + ' ';
    write(startupImageFileName(), numbers);
    auto run = start();

    // What start-up makes of it: the defaults, the 150 numbers over them, validated
    // and shown as the controls hold them.
    UnitImage expected;
    expected[field::BikeType] = bike::Classic;
    newParameterSet(expected, NewSetCause::StartOrNew);
    for (int i = 0; i < 150; ++i)
        expected[i] = static_cast<std::uint8_t>(i % 7);
    validate(expected);
    settleToControls(expected, false);
    EXPECT_EQ(run->window.image().parameters, expected.parameters);
}

TEST_F(SettingsTest, StrangeFilesNeverStopTheStart)
{
    const QByteArray binary = QByteArray::fromHex("00ff13377f80c3a9").repeated(5000);
    const QByteArray huge = QByteArray("[BASIC]\r\nLanguage=2\r\n") + QByteArray(3 << 20, 'x');
    const QByteArray foreign = "[Settings]\r\ntheme=dark\r\n[BASIC]\r\nLeft=-32000\r\nTop=-32000\r\nWidth=0\r\n";
    for (const QByteArray &content : {binary, huge, foreign}) {
        write(settingsFileName(), content);
        write(startupImageFileName(), binary);
        auto run = start();
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        EXPECT_EQ(run->window.y() - screen.y(), (screen.height() - run->window.height()) / 2)
            << "a placement off every screen keeps the window centred";
        EXPECT_EQ(run->window.settings().languageIndex, 0) << "a file too large to be ours is not read";
        EXPECT_TRUE(run->dialogs.messages.empty());
    }
}

TEST_F(SettingsTest, ARestartKnowsWhetherTheEditorStillHoldsTheFileItNames)
{
    const QString parameterFile = folder.filePath(QStringLiteral("bike.ign"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(TALVIRO6_FILES_DATA "/startup_cells.ign"), parameterFile));
    int recordings = 0;
    const auto head = [&](FormHlav &w) {
        const QString csv = folder.filePath(QStringLiteral("run%1.csv").arg(++recordings));
        EXPECT_TRUE(w.startRecording(csv));
        w.stopRecording();
        QFile file(csv);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        const MonitorCsv parsed = parseMonitorCsv(std::string_view(bytes.constData(), std::size_t(bytes.size())));
        return parsed.comments.size() > 1 ? parsed.comments[1] : std::string("(no head)");
    };
    const std::string named = "parameter file: " + parameterFile.toStdString();
    {
        auto run = start();
        run->dialogs.openName = parameterFile;
        run->window.controls().menu.MenuOpen->trigger();
        run->window.close();
    }
    {
        auto run = start();
        EXPECT_EQ(head(run->window), named) << "the start-up image is the file's";
        run->window.session().rawImage()[field::Limiter] = 123;
        run->window.refresh();
        run->window.close();
    }
    {
        auto run = start();
        EXPECT_EQ(head(run->window), named + " (edited since)") << "closed after an edit";
    }
    QFile::remove(parameterFile);
    auto run = start();
    EXPECT_EQ(head(run->window), named + " (edited since)") << "a file that is gone cannot vouch for the editor";
    EXPECT_TRUE(run->dialogs.messages.empty());
}

TEST(WindowPlacement, AFrameIsMovedIntoTheScreenAndMadeSmallerOnlyWhereItCannotFit)
{
    const QRect screen(0, 0, 1024, 768);
    const QRect belowAPanel(1280, 30, 1024, 738); // a second screen with a panel along its top
    const struct {
        const char *why;
        QRect frame;
        QRect available;
        QSize minimum;
        QRect fitted;
    } rows[] = {
        {"fits: kept exactly", {100, 50, 800, 600}, screen, {}, {100, 50, 800, 600}},
        {"fills the screen exactly", screen, screen, {}, screen},
        {"over the right edge", {500, 50, 800, 600}, screen, {}, {224, 50, 800, 600}},
        {"over the bottom edge", {100, 400, 800, 600}, screen, {}, {100, 168, 800, 600}},
        {"above and left of it", {-50, -20, 800, 600}, screen, {}, {0, 0, 800, 600}},
        {"placed for 1280 x 1024", {148, 126, 1100, 860}, screen, {}, {0, 0, 1024, 768}},
        {"wider than the screen only", {148, 126, 1100, 500}, screen, {}, {0, 126, 1024, 500}},
        {"not below the minimum, corner on it", {148, 126, 1100, 860}, screen, {1050, 790}, {0, 0, 1050, 790}},
        {"a small frame grows to the minimum", {100, 100, 500, 400}, screen, {600, 450}, {100, 100, 600, 450}},
        {"under the panel of a screen to the right", {1400, 10, 800, 600}, belowAPanel, {}, {1400, 30, 800, 600}},
        {"beyond that screen's far corner", {2300, 760, 800, 600}, belowAPanel, {}, {1504, 168, 800, 600}},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.why);
        EXPECT_EQ(fitIntoScreen(row.frame, row.available, row.minimum), row.fitted);
    }
}

/// The test program's two screens (screens.json): the tuner's 1280 x 1024 and, to its
/// right, a 1024 x 768 one.
TEST_F(SettingsTest, APlacementIsRestoredExactlyWhereItFitsAndBroughtIntoTheScreenItLandsOn)
{
    const QList<QScreen *> screens = QGuiApplication::screens();
    ASSERT_EQ(screens.size(), 2) << "run with QT_QPA_PLATFORM=offscreen:configfile=.../screens.json";
    const QRect large = screens[0]->availableGeometry();
    const QRect small = screens[1]->availableGeometry();
    ASSERT_EQ(large.size(), QSize(1280, 1024));
    ASSERT_EQ(small, QRect(1280, 0, 1024, 768));
    EXPECT_EQ(screenUnder(QRect(1200, 100, 1000, 700), screens), screens[1]) << "most of it";
    EXPECT_EQ(screenUnder(QRect(5000, 100, 1000, 700), screens), nullptr);

    const auto placedBy = [this](int left, int top, int width, int height) {
        write(settingsFileName(), QStringLiteral("[BASIC]\r\nLeft=%1\r\nTop=%2\r\nWidth=%3\r\nHeight=%4\r\n")
                                      .arg(left)
                                      .arg(top)
                                      .arg(width)
                                      .arg(height)
                                      .toLatin1());
        return start();
    };
    {
        auto run = placedBy(148, 126, 1100, 860);
        EXPECT_EQ(run->window.geometry().size(), QSize(1100, 860));
        EXPECT_EQ(run->window.frameGeometry().topLeft(), QPoint(148, 126)) << "fits on the large screen: kept";
    }
    {
        // Closed at 148,126 on 1280 x 1024, started where the screen has 1024 x 768.
        auto run = placedBy(1280 + 148, 126, 1100, 860);
        const QRect frame = run->window.frameGeometry();
        SCOPED_TRACE(QStringLiteral("frame %1,%2 %3x%4")
                         .arg(frame.x())
                         .arg(frame.y())
                         .arg(frame.width())
                         .arg(frame.height())
                         .toStdString());
        EXPECT_TRUE(small.contains(frame));
        EXPECT_TRUE(small.contains(run->window.controls().frame.StatusBar1->mapToGlobal(QPoint(0, 0))));
        const auto &monitor = run->window.controls().frame.monitor;
        const QRect transferLine(monitor.LabelHlaseni->mapToGlobal(QPoint(0, 0)), monitor.LabelHlaseni->size());
        EXPECT_TRUE(small.contains(transferLine)) << "the job line";
    }
    {
        // The frame reaches 4 px over the right edge of the large screen.
        auto run = placedBy(1280 - 1000, 100, 1000, 800);
        const QSize decoration = run->window.frameGeometry().size() - run->window.size();
        EXPECT_EQ(run->window.frameGeometry(),
                  QRect(QPoint(1280 - 1000 - decoration.width(), 100), QSize(1000, 800) + decoration));
    }
}

TEST_F(SettingsTest, TheCloseKeepsWhatTheFileHoldsBesideItsOwnKeys)
{
    write(settingsFileName(),
          "; the tuner's note\r\n[PORTS]\r\nCOM1=/dev/ttyUSB3\r\n[BASIC]\r\nLanguage=0\r\nMine=1\r\n");
    start()->window.close();
    const QByteArray written = read(settingsFileName());
    EXPECT_TRUE(written.startsWith("; the tuner's note\r\n[PORTS]\r\nCOM1=/dev/ttyUSB3\r\n[BASIC]\r\n"));
    EXPECT_TRUE(written.contains("Mine=1\r\n"));
    for (const char *key : {"Left=", "Top=", "Height=", "Width=", "ComPort=1\r\n", "ComPortAuto=1\r\n", "Language=0",
                            "File=\r\n", "IniDir=\r\n", "PageControl1->ActivePageIndex=0\r\n"})
        EXPECT_TRUE(written.contains(key)) << key;
    EXPECT_EQ(read(startupImageFileName()).count('\n'), 33) << "30 lines of ten, an empty line after each hundred";
}

TEST_F(SettingsTest, AFailedWriteAtCloseIsSaidAndTheToolStillCloses)
{
    auto run = start();
    // The start-up image's name taken by a folder: the settings file itself can be written.
    ASSERT_TRUE(QDir(folder.path()).mkpath(QString::fromStdString(startupImageFileName())));
    EXPECT_TRUE(run->window.close());
    ASSERT_EQ(run->dialogs.messages.size(), 1u);
    EXPECT_TRUE(run->dialogs.messages.front().startsWith(QStringLiteral("The settings could not be saved:\n")));
    EXPECT_TRUE(read(settingsFileName()).contains("[BASIC]"));
}

TEST_F(SettingsTest, TheTestEnableFileSwitchesTestMode)
{
    for (const auto &[content, on] : {std::pair{QByteArray("x DIAG_UNLOCK y\r\n"), true},
                                      std::pair{QByteArray("diag_unlock DIAG_UNLOCKED"), false}}) {
        SCOPED_TRACE(content.toStdString());
        write(std::string(TestEnableFileName), content);
        auto run = start();
        FormHlav &w = run->window;
        EXPECT_EQ(w.testEnable(), on);
        EXPECT_EQ(!w.controls().frame.LabelTest[7]->isHidden(), on);
        EXPECT_EQ(!w.controls().bike.EditKompenz1->isHidden(), on);
        EXPECT_EQ(!w.controls().bike.LabelKompenz->isHidden(), on);
    }
}

} // namespace

// A folder, or a file that fails at its first read, in place of a kept file must not
// stop the start (the standard file buffer throws from a failed read): the window
// starts with defaults for that file and says so in the status bar.
TEST_F(SettingsTest, AKeptFileThatCannotBeReadStartsWithDefaultsAndSaysSo)
{
    const auto fresh = start();
    const UnitImage defaults = fresh->window.image();
    fresh->window.close();

    const struct {
        std::string name;
        bool folderInstead; ///< else a link to a file that fails at its first read
    } rows[] = {
        {startupImageFileName(), true},
        {std::string(TestEnableFileName), true},
        {startupImageFileName(), false},
        {std::string(TestEnableFileName), false},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name + (row.folderInstead ? " as a folder" : " failing at its first read"));
        QFile::remove(file(settingsFileName()));
        QFile::remove(file(startupImageFileName()));
        if (row.folderInstead)
            ASSERT_TRUE(QDir(folder.path()).mkdir(QString::fromStdString(row.name)));
        else
            ASSERT_TRUE(QFile::link(QStringLiteral("/proc/self/mem"), file(row.name)));
        auto run = start();
        FormHlav &w = run->window;
        EXPECT_EQ(w.image(), defaults);
        EXPECT_FALSE(w.testEnable());
        QLabel *note = w.controls().frame.LabelFileNote;
        EXPECT_TRUE(note->isVisible());
        EXPECT_TRUE(note->text().startsWith(QString::fromStdString(row.name) + QLatin1Char(':')))
            << note->text().toStdString();
        EXPECT_TRUE(note->toolTip().startsWith(file(row.name))) << "the tooltip says where";
        EXPECT_TRUE(note->text().endsWith(QStringLiteral("; the tool started with defaults in its place")))
            << note->text().toStdString();
        EXPECT_TRUE(run->dialogs.messages.empty());
        run->window.close();
        run.reset();
        if (row.folderInstead)
            QDir(file(row.name)).removeRecursively();
        else
            QFile::remove(file(row.name));
    }
}

// A settings file that is not ours is never written over: it is kept whole under a
// new name beside it, said once in the status bar, and the close writes a fresh one.
TEST_F(SettingsTest, ASettingsFileThatIsNotOursIsKeptWholeBesideTheNewOne)
{
    const QByteArray large = QByteArray("[PORTS]\r\nCOM3=/dev/ttyUSB7\r\n[NOTES]\r\n") +
                             QByteArray("the tuner's notes\r\n").repeated(80'000) + "[BASIC]\r\nLanguage=1\r\n";
    QByteArray utf16("\xff\xfe", 2);
    for (const char c : QByteArray("[BASIC]\r\nLanguage=2\r\n"))
        utf16 += QByteArray(1, c) + QByteArray(1, '\0');
    const QByteArray nul("[BASIC]\0\r\nLanguage=3\r\n", 22);
    for (const QByteArray &content : {large, utf16, nul}) {
        SCOPED_TRACE(content.left(12).toHex().toStdString());
        QDir(folder.path()).removeRecursively();
        QDir().mkpath(folder.path());
        write(settingsFileName(), content);
        auto run = start();
        const std::string keptName = settingsFileName() + ".unreadable";
        EXPECT_EQ(read(keptName), content) << "kept whole, byte for byte";
        QLabel *note = run->window.controls().frame.LabelFileNote;
        EXPECT_TRUE(note->isVisible());
        EXPECT_TRUE(note->text().endsWith(QStringLiteral("; kept whole as ") + QString::fromStdString(keptName)))
            << note->text().toStdString();
        EXPECT_EQ(run->window.settings().languageIndex, 0) << "nothing of it was taken";
        run->window.close();
        run.reset();
        EXPECT_EQ(read(keptName), content) << "still, after the close";
        const QByteArray written = read(settingsFileName());
        EXPECT_TRUE(written.startsWith("[BASIC]\r\n")) << written.left(40).toStdString();
        EXPECT_FALSE(written.contains('\0'));

        // The next start reads the fresh file and keeps nothing more aside.
        auto again = start();
        EXPECT_FALSE(again->window.controls().frame.LabelFileNote->isVisible());
        again->window.close();
        EXPECT_FALSE(QFile::exists(file(settingsFileName() + ".unreadable-2")));
    }
}
