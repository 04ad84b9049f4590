// Open, Save, the manual, a dropped file and a file named on the command line.
#include "editor/desktop_opener.h"
#include "editor/widgets/bar_gauge.h"
#include "window_fixture.h"

#include "files/parameter_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMimeData>
#include <QUrl>

#include <sstream>

using namespace talviro6;
using namespace talviro6::testing;

namespace {

const QString Fixture = QStringLiteral(TALVIRO6_FILES_DATA "/startup_cells.ign");
const QString Older50 = QStringLiteral(TALVIRO6_CLI_DATA "/older50.ign");
const QString NotAParameterFile = QStringLiteral(TALVIRO6_CLI_DATA "/not_a_parameter_file.txt");

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

/// The file Save writes for an image.
QByteArray fileOf(const UnitImage &image)
{
    std::ostringstream out;
    writeParameterFile(out, image);
    return QByteArray::fromStdString(out.str());
}

class FilesTest : public WindowFixture {
  protected:
    QTemporaryDir folder;

    QString label() { return c().bike.LabelFile2->text(); }
};

TEST_F(FilesTest, SaveWritesTheCorrectedImageAndBecomesTheCurrentFile)
{
    image()[field::AdvanceMap(9, 9)] = 200; // a value no control lets through
    window.refresh();
    const auto entries = window.history().currentIndex();
    dialogs.saveName = folder.filePath(QStringLiteral("bike.ign"));
    QTest::keyClick(&window, Qt::Key_F2);
    ASSERT_EQ(dialogs.savePresets.size(), 1u);
    EXPECT_EQ(image()[field::AdvanceMap(9, 9)], 60) << "read back, validated, refreshed first";
    EXPECT_EQ(contentOf(dialogs.saveName), fileOf(image()));
    EXPECT_EQ(label(), dialogs.saveName);
    EXPECT_EQ(window.currentFileName(), dialogs.saveName);
    EXPECT_EQ(window.openPreset(), dialogs.saveName) << "Open proposes the file just saved";
    EXPECT_EQ(window.history().currentIndex(), entries) << "saving is no edit";
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(FilesTest, ASaveThatCannotBeWrittenSaysSoAndClaimsNothing)
{
    dialogs.saveName = folder.filePath(QStringLiteral("bike.ign"));
    QTest::keyClick(&window, Qt::Key_F2);
    const QByteArray before = contentOf(dialogs.saveName);

    // A folder that is not there, and a "folder" that is a file.
    for (const QString &bad :
         {folder.filePath(QStringLiteral("gone/x.ign")), folder.filePath(QStringLiteral("bike.ign/x.ign"))}) {
        SCOPED_TRACE(bad.toStdString());
        dialogs.messages.clear();
        dialogs.saveName = bad;
        QTest::keyClick(&window, Qt::Key_F2);
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_TRUE(dialogs.messages.front().startsWith(QStringLiteral("Open file error!")));
        EXPECT_EQ(label(), folder.filePath(QStringLiteral("bike.ign"))) << "the file saved before stays current";
        EXPECT_FALSE(QFile::exists(bad));
    }
    EXPECT_EQ(contentOf(folder.filePath(QStringLiteral("bike.ign"))), before);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), 1) << "no temporary file is left";
}

TEST_F(FilesTest, CancellingEitherDialogChangesNothingButHidesTheMessage)
{
    const UnitImage before = image();
    window.link().showNotice("Verify:: OK", Colour::Face);
    tick();
    ASSERT_TRUE(c().frame.monitor.LabelHlaseni->isVisible());
    QTest::keyClick(&window, Qt::Key_F3);
    EXPECT_FALSE(c().frame.monitor.LabelHlaseni->isVisible()) << "hidden even after a cancel";
    EXPECT_FALSE(c().frame.monitor.CGaugeProgram->isVisible());
    QTest::keyClick(&window, Qt::Key_F2);
    EXPECT_EQ(image(), before);
    EXPECT_EQ(label(), QString());
    EXPECT_EQ(dialogs.openPresets.size(), 1u);
    EXPECT_EQ(dialogs.savePresets.size(), 1u);
}

TEST_F(FilesTest, OpenLoadsTheFileAsOneEditAndProposesItForSaving)
{
    const auto entries = window.history().currentIndex();
    dialogs.openName = Fixture;
    c().menu.MenuOpen->trigger();
    EXPECT_NE(window.history().currentIndex(), entries) << "one history entry for the file";
    EXPECT_EQ(window.history().currentIndex(), (entries + 1) % EditHistory::Capacity);
    EXPECT_EQ(label(), Fixture);
    EXPECT_EQ(window.savePreset(), Fixture) << "Save proposes the file just opened";
    EXPECT_TRUE(dialogs.messages.empty());

    // The same file again equals the image: no entry.
    c().menu.MenuOpen->trigger();
    EXPECT_EQ(window.history().currentIndex(), (entries + 1) % EditHistory::Capacity);
}

// A file that is no parameter file at all says so and changes nothing; before, it
// did nothing at all, and the tuner could not tell it from a file that opened.
TEST_F(FilesTest, AFileWithoutTheKeyWordSaysSoAndLeavesEverythingAsItWas)
{
    const QString picture = folder.filePath(QStringLiteral("picture.ign"));
    {
        QFile png(picture);
        ASSERT_TRUE(png.open(QIODevice::WriteOnly));
        png.write(QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16) + QByteArray(300, '\x07'));
    }
    for (const QString &path : {NotAParameterFile, picture}) {
        SCOPED_TRACE(path.toStdString());
        dialogs.messages.clear();
        const UnitImage before = image();
        dialogs.openName = path;
        c().menu.MenuOpen->trigger();
        EXPECT_EQ(image(), before);
        EXPECT_EQ(label(), QString()) << "it does not become the current file";
        EXPECT_EQ(window.currentFileName(), QString());
        EXPECT_EQ(window.history().currentIndex(), 0);
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_EQ(dialogs.messages.front(),
                  QStringLiteral("This is not a parameter file (it has no KORVALEN_KEY); nothing was loaded:\n") +
                      QDir::toNativeSeparators(path));
    }
}

// Cut in the middle of the map: the rows it holds load over the editor's, which the
// tuner must hear of, with how many values the file lacked.
TEST_F(FilesTest, AFileCutShortLoadsWhatItHoldsAndSaysHowMuchItLacked)
{
    UnitImage other = image();
    for (int c = 0; c < 10; ++c)
        other[field::AdvanceMap(0, c)] = 7;
    other[field::AdvanceMap(5, 5)] = 9;
    const QByteArray whole = fileOf(other);
    const QString cut = folder.filePath(QStringLiteral("cut.ign"));
    {
        QFile file(cut);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        // The key words up to the map, and its first row: 45 + 10 values of 223.
        file.write(whole.left(whole.indexOf("\r\n", whole.indexOf("ADVANCE"))));
    }
    QLabel *note = c().frame.LabelFileNote;
    EXPECT_FALSE(note->isVisible());
    dialogs.openName = cut;
    c().menu.MenuOpen->trigger();
    EXPECT_TRUE(dialogs.messages.empty()) << "the window asks nothing";
    EXPECT_EQ(image()[field::AdvanceMap(0, 3)], 7) << "the rows it holds";
    EXPECT_NE(image()[field::AdvanceMap(5, 5)], 9) << "the editor's values for the rest";
    EXPECT_EQ(label(), cut);
    ASSERT_TRUE(note->isVisible());
    EXPECT_EQ(note->text(),
              QDir::toNativeSeparators(cut) +
                  QStringLiteral(": 168 values are not in the file; they kept the values they had before it"));
    const QImage pixels = note->grab().toImage();
    int yellow = 0;
    for (int x = 0; x < pixels.width(); ++x)
        yellow += pixels.pixelColor(x, 0) == QColor(Qt::yellow);
    EXPECT_GT(yellow, pixels.width() / 2) << "a yellow line";

    dialogs.openName = Fixture; // a whole file
    c().menu.MenuOpen->trigger();
    EXPECT_FALSE(note->isVisible()) << "the note spoke of the file before";
}

TEST_F(FilesTest, AnOlderFileIsSaidAndKeepsTheDefaultsItDoesNotHold)
{
    dialogs.openName = Older50;
    c().menu.MenuOpen->trigger();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages.front().startsWith(QStringLiteral("Older version of *.ign file!")));
    EXPECT_EQ(image()[field::BaseAdvance], 12);
    EXPECT_EQ(label(), Older50);
}

TEST_F(FilesTest, AFileThatCannotBeOpenedIsSaid)
{
    const UnitImage before = image();
    dialogs.openName = folder.filePath(QStringLiteral("missing.ign"));
    c().menu.MenuOpen->trigger();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages.front(),
              QStringLiteral("Open file error!\n") + dialogs.openName + QStringLiteral(": No such file or directory"));
    EXPECT_EQ(image(), before);

    dialogs.messages.clear();
    dialogs.openName = folder.path();
    c().menu.MenuOpen->trigger();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages.front(),
              QStringLiteral("Open file error!\n") + folder.path() + QStringLiteral(": is a folder, not a file"));
    EXPECT_EQ(image(), before);

    // Endless, or failing at its first read: refused or said, never a hang or an abort.
    const struct {
        QString path;
        QString says;
    } rows[] = {
        {QStringLiteral("/dev/zero"), QStringLiteral("/dev/zero: is not a regular file")},
        {QStringLiteral("/proc/self/mem"), QStringLiteral("/proc/self/mem: read error (Input/output error)")},
    };
    for (const auto &row : rows) {
        dialogs.messages.clear();
        dialogs.openName = row.path;
        c().menu.MenuOpen->trigger();
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_EQ(dialogs.messages.front(), QStringLiteral("Open file error!\n") + row.says);
        EXPECT_EQ(image(), before);
        EXPECT_EQ(label(), QString());
    }
}

TEST_F(FilesTest, TheExeDirCommandsProposeDataIgnBesideTheProgramForBothDialogs)
{
    const QString exeDirFile = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("data.ign"));
    EXPECT_EQ(window.exeDirFileName(), exeDirFile);
    c().menu.MenuOpenExeDir->trigger(); // cancelled
    ASSERT_EQ(dialogs.openPresets.size(), 1u);
    EXPECT_EQ(dialogs.openPresets.back(), exeDirFile);
    QTest::keyClick(&window, Qt::Key_F2); // a later Save proposes it too
    ASSERT_EQ(dialogs.savePresets.size(), 1u);
    EXPECT_EQ(dialogs.savePresets.back(), exeDirFile);
}

TEST_F(FilesTest, ContentsOpensTheManualBesideTheProgramOrSaysWhereItWasLookedFor)
{
    const QString manual =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("manual_quendal_talviro6_en.pdf"));
    QFile::remove(manual);
    QTest::keyClick(&window, Qt::Key_F1);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages.front(), QStringLiteral("Error by opening file manual_quendal_talviro6_en.pdf !\n") +
                                            QDir::toNativeSeparators(manual));
    EXPECT_TRUE(shell.opened.empty()) << "a missing manual is not handed to the desktop";

    QFile file(manual);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    QTest::keyClick(&window, Qt::Key_F1);
    QFile::remove(manual);
    ASSERT_EQ(shell.opened.size(), 1u);
    EXPECT_EQ(shell.opened.front(), manual);
    EXPECT_EQ(dialogs.messages.size(), 1u);

    // The desktop finds no viewer only after the opener ran: the box comes then.
    shell.failures.front()(QStringLiteral("xdg-open ended with code 3"));
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages.back(), QStringLiteral("Error by opening file manual_quendal_talviro6_en.pdf !\n") +
                                           QDir::toNativeSeparators(manual) +
                                           QStringLiteral("\nxdg-open ended with code 3"));
}

TEST_F(FilesTest, ASnapshotsFolderTheDesktopCannotOpenIsNamedInTheLanguageShown)
{
    c().menu.MenuSnapshots->trigger();
    ASSERT_EQ(shell.opened.size(), 1u);
    EXPECT_EQ(shell.opened.front(), window.snapshotFolder());
    EXPECT_TRUE(QFileInfo(window.snapshotFolder()).isDir()) << "made before it is opened";
    EXPECT_TRUE(dialogs.messages.empty());

    c().menu.MenuGerman->trigger();
    c().menu.MenuSnapshots->trigger();
    shell.failures.back()({});
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages.front(), QStringLiteral("Fehler beim öffnen der Datei ") +
                                            QDir::toNativeSeparators(window.snapshotFolder()) + QStringLiteral(" !"));
}

TEST_F(FilesTest, ADroppedParameterFileOpens)
{
    QMimeData text;
    text.setUrls({QUrl::fromLocalFile(NotAParameterFile)});
    QDragEnterEvent refused(QPoint(10, 10), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &refused);
    EXPECT_FALSE(refused.isAccepted()) << "only .ign files are taken";

    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(Fixture)});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &drop);
    EXPECT_EQ(label(), Fixture);
}

/// Help looks beside the program first (the build tree), then where an install puts
/// the manual: <prefix>/bin/talviro6 beside <prefix>/share/doc/talviro6.
TEST(ManualPath, BesideTheProgramFirstThenTheInstalledDocumentation)
{
    const QString name = QStringLiteral("manual_quendal_talviro6_de.pdf");
    struct Case {
        const char *what;
        bool beside;    ///< a manual beside the program
        bool docFolder; ///< share/doc/talviro6 exists
        bool installed; ///< a manual in it
        bool expectInstalled;
    };
    const Case cases[] = {
        {"only beside the program", true, false, false, false},
        {"only installed", false, true, true, true},
        {"both: the build tree's wins", true, true, true, false},
        {"none, but an installed layout: named where it belongs", false, true, false, true},
        {"none, a build tree: named beside the program", false, false, false, false},
    };
    for (const Case &c : cases) {
        QTemporaryDir prefix;
        ASSERT_TRUE(QDir(prefix.path()).mkpath(QStringLiteral("bin")));
        const QString bin = prefix.filePath(QStringLiteral("bin"));
        const QString doc = prefix.filePath(QStringLiteral("share/doc/talviro6"));
        const auto touch = [](const QString &path) {
            QFile file(path);
            return file.open(QIODevice::WriteOnly);
        };
        if (c.beside) {
            ASSERT_TRUE(touch(QDir(bin).filePath(name)));
        }
        if (c.docFolder) {
            ASSERT_TRUE(QDir().mkpath(doc));
        }
        if (c.installed) {
            ASSERT_TRUE(touch(QDir(doc).filePath(name)));
        }
        const QString expected = QDir(c.expectInstalled ? doc : bin).filePath(name);
        EXPECT_EQ(manualPath(bin, name).toStdString(), expected.toStdString()) << c.what;
    }
}

#if !defined(Q_OS_WIN) && !defined(Q_OS_MACOS)

/// The window with the real desktop shell, whose opener is a script of the test's:
/// it ends as xdg-open does on a machine without a viewer, or stays as xdg-open
/// does while it holds a viewer in the foreground.
class DesktopOpener : public ::testing::Test {
  protected:
    /// A window in `language` beside its manual, which lives as long as the window.
    /// Each test takes a language of its own: tests run side by side, and the
    /// manuals lie in the one folder of the program (English is FilesTest's).
    struct Run {
        Run(const QString &opener, const char *language, const char *suffix)
            : manual(QDir(QCoreApplication::applicationDirPath())
                         .filePath(QStringLiteral("manual_quendal_talviro6_%1.pdf").arg(QLatin1String(suffix)))),
              shell(opener)
        {
            QFile file(manual);
            if (!file.open(QIODevice::WriteOnly))
                ADD_FAILURE() << "cannot write " << manual.toStdString();
            rig.start({QString::fromLatin1(language)});
        }
        ~Run() { QFile::remove(manual); }

        const QString manual;
        DesktopShell shell; ///< the desktop's own opener, with the test's program as its viewer
        QTemporaryDir settings;
        WindowRig rig{settings.path(), &shell};
        RecordingDialogs &dialogs = rig.dialogs;
        FormHlav &window = rig.window;
    };

    /// ms: a shell script starts and ends well within this on a loaded machine.
    static constexpr int OpenerBound = 10'000;

    QString script(const QByteArray &body)
    {
        const QString path = scripts.filePath(QStringLiteral("opener%1").arg(++m_scripts));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            ADD_FAILURE() << "cannot write " << path.toStdString();
        file.write("#!/bin/sh\n" + body + "\n");
        file.close();
        file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
        return path;
    }

    QTemporaryDir scripts;

  private:
    int m_scripts = 0;
};

TEST_F(DesktopOpener, AnOpenerThatFindsNoViewerOrCannotStartEndsInABoxWithThePath)
{
    const struct {
        const char *why;
        QString opener;
        QString reason;
    } rows[] = {
        {"no viewer", script("exit 3"), QStringLiteral("ended with code 3: no program to open it with was found")},
        {"no such opener", scripts.filePath(QStringLiteral("missing")), QStringLiteral("missing: ")},
        {"killed", script("kill -9 $$"), QStringLiteral("ended abnormally")},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.why);
        Run run(row.opener, "FRANCE", "fr");
        QTest::keyClick(&run.window, Qt::Key_F1);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !run.dialogs.messages.empty(); }, OpenerBound));
        const QString &box = run.dialogs.messages.front();
        EXPECT_TRUE(box.startsWith(QStringLiteral("Erreur à l´ouvertur du Fichier manual_quendal_talviro6_fr.pdf !\n") +
                                   QDir::toNativeSeparators(run.manual) + QStringLiteral("\n")))
            << box.toStdString();
        EXPECT_TRUE(box.contains(row.reason)) << box.toStdString();
        QTest::qWait(100);
        EXPECT_EQ(run.dialogs.messages.size(), 1u) << "one box per opening";
    }
}

TEST_F(DesktopOpener, AViewerInTheForegroundNeitherStopsTheWindowNorOutlivesIt)
{
    const QString ran = scripts.filePath(QStringLiteral("ran"));
    const QString args = scripts.filePath(QStringLiteral("args"));
    QElapsedTimer clock;
    {
        Run run(script("echo \"$@\" > '" + args.toUtf8() + "'; touch '" + ran.toUtf8() + "'; exec sleep 30"), "DEUTSCH",
                "de");
        clock.start();
        QTest::keyClick(&run.window, Qt::Key_F1);
        EXPECT_LT(clock.elapsed(), 2000) << "the window does not wait for the viewer";
        ASSERT_TRUE(QTest::qWaitFor([&] { return QFileInfo::exists(ran); }, OpenerBound));
        QFile given(args);
        ASSERT_TRUE(given.open(QIODevice::ReadOnly));
        EXPECT_EQ(QString::fromLocal8Bit(given.readAll()).trimmed(), run.manual);
        QTest::qWait(200);
        EXPECT_TRUE(run.dialogs.messages.empty()) << run.dialogs.messages.front().toStdString();
        clock.restart();
    }
    EXPECT_LT(clock.elapsed(), 5000) << "closing does not wait for the viewer either";
}

TEST_F(DesktopOpener, AnOpenerThatSucceedsSaysNothing)
{
    const QString ran = scripts.filePath(QStringLiteral("ran"));
    Run run(script("touch '" + ran.toUtf8() + "'; exit 0"), "CESKY", "cz");
    QTest::keyClick(&run.window, Qt::Key_F1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFileInfo::exists(ran); }, OpenerBound));
    QTest::qWait(300); // the opener's end is seen by the event loop
    EXPECT_TRUE(run.dialogs.messages.empty()) << run.dialogs.messages.front().toStdString();
}

#endif

TEST(FilesAtStart, AFileNamedOnTheCommandLineOpens)
{
    QTemporaryDir settings;
    WindowRig rig(settings.path());
    RecordingDialogs &dialogs = rig.dialogs;
    FormHlav &window = rig.window;
    const QString missing = settings.filePath(QStringLiteral("missing.ign"));
    // A box about the file waits for the window: the start-up leaves the file alone.
    window.FormCreate({QStringLiteral("ENGLISH"), missing});
    EXPECT_TRUE(dialogs.messages.empty());
    window.show();
    window.openFromCommandLine({QStringLiteral("ENGLISH"), missing});
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages.front().contains(missing));

    dialogs.messages.clear();
    window.openFromCommandLine({QStringLiteral("ENGLISH"), Fixture});
    EXPECT_EQ(window.controls().bike.LabelFile2->text(), Fixture);
    EXPECT_TRUE(dialogs.messages.empty());
}

} // namespace
