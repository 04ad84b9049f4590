// The files kept between runs: what a close writes, what the next start restores,
// and starts from files that are missing, strange or not ours.
#include "window_fixture.h"

#include "editor/widgets/mouse_up_check_box.h"
#include "files/settings_files.h"
#include "model/defaults.h"
#include "model/settle.h"
#include "model/validate.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QTabWidget>

#include <memory>

using namespace talviro6;
using namespace talviro6::testing;

namespace {

/// Windows started and closed one after another on the same settings folder, as a
/// tuner's runs of the tool are.
class SettingsTest : public ::testing::Test {
  protected:
    struct Run {
        sim::ManualClock clock;
        sim::SimulatedUnit unit;
        sim::LoopbackPort port{unit, clock};
        RecordingDialogs dialogs;
        RecordingPrinter printer;
        RecordingShell shell;
        std::unique_ptr<FormHlav> window;
    };

    std::unique_ptr<Run> start(const QStringList &arguments = {})
    {
        auto run = std::make_unique<Run>();
        run->window =
            std::make_unique<FormHlav>(run->port, WindowServices{run->dialogs, run->printer, run->shell, folder.path()},
                                       FormHlav::TickSource::Manual);
        run->window->FormCreate(arguments);
        run->window->show();
        QApplication::processEvents();
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
    FormHlav &w = *run->window;
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
        FormHlav &w = *run->window;
        run->dialogs.openName = parameterFile;
        w.controls().menu.MenuOpen->trigger();
        w.image()[field::AdvanceMap(4, 4)] = 51;
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
    FormHlav &w = *run->window;
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
        EXPECT_EQ(run->window->settings().portIndex, c.portIndex);
        EXPECT_EQ(run->window->settings().scanIndex, c.scanIndex);
        EXPECT_EQ(run->window->settings().languageIndex, c.language);
    }
    write(settingsFileName(), "[BASIC]\r\nLanguage=3\r\n");
    auto run = start({QStringLiteral("DEUTSCH")});
    EXPECT_EQ(run->window->settings().languageIndex, 1) << "the command line wins for the run";
    run->window->close();
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
    EXPECT_EQ(run->window->image().parameters, expected.parameters);
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
        EXPECT_EQ(run->window->y() - screen.y(), (screen.height() - run->window->height()) / 2)
            << "a placement off every screen keeps the window centred";
        EXPECT_EQ(run->window->settings().languageIndex, 0) << "a file too large to be ours is not read";
        EXPECT_TRUE(run->dialogs.messages.empty());
    }
}

TEST_F(SettingsTest, TheCloseKeepsWhatTheFileHoldsBesideItsOwnKeys)
{
    write(settingsFileName(),
          "; the tuner's note\r\n[PORTS]\r\nCOM1=/dev/ttyUSB3\r\n[BASIC]\r\nLanguage=0\r\nMine=1\r\n");
    start()->window->close();
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
    EXPECT_TRUE(run->window->close());
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
        FormHlav &w = *run->window;
        EXPECT_EQ(w.testEnable(), on);
        EXPECT_EQ(!w.controls().frame.LabelTest[7]->isHidden(), on);
        EXPECT_EQ(!w.controls().bike.EditKompenz1->isHidden(), on);
        EXPECT_EQ(!w.controls().bike.LabelKompenz->isHidden(), on);
    }
}

} // namespace
