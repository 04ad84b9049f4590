// Open, Save, the manual, a dropped file and a file named on the command line.
#include "window_fixture.h"
#include "editor/widgets/bar_gauge.h"

#include "files/parameter_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
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

TEST_F(FilesTest, AFileWithoutTheKeyWordLeavesEverythingAsItWas)
{
    const UnitImage before = image();
    dialogs.openName = NotAParameterFile;
    c().menu.MenuOpen->trigger();
    EXPECT_EQ(image(), before);
    EXPECT_EQ(label(), QString());
    EXPECT_EQ(window.history().currentIndex(), 0);
    EXPECT_TRUE(dialogs.messages.empty()) << "no message, as the reader has none";
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
    EXPECT_EQ(dialogs.messages.front(), QStringLiteral("Open file error!"));
    EXPECT_EQ(image(), before);
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

TEST(FilesAtStart, AFileNamedOnTheCommandLineOpens)
{
    sim::ManualClock clock;
    sim::SimulatedUnit unit;
    sim::LoopbackPort port{unit, clock};
    RecordingDialogs dialogs;
    RecordingPrinter printer;
    RecordingShell shell;
    QTemporaryDir settings;
    FormHlav window{port, WindowServices{dialogs, printer, shell, settings.path()}, FormHlav::TickSource::Manual};
    window.FormCreate({QStringLiteral("ENGLISH"), Fixture});
    EXPECT_EQ(window.controls().bike.LabelFile2->text(), Fixture);
    EXPECT_TRUE(dialogs.messages.empty());
}

} // namespace
