// Extras > History: the snapshots by unit, their labels and notes, and restoring
// or comparing them.
#include "window_fixture.h"

#include "editor/compare/form_compare.h"
#include "editor/history/form_history.h"
#include "files/snapshot_history.h"
#include "link/unit_header.h"
#include "platform/file_paths.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTreeWidget>

using namespace talviro6;
using namespace talviro6::testing;

namespace {

class HistoryWindowTest : public WindowFixture {
  protected:
    HistoryWindowTest() { tick(20); } // the simulated unit is found

    void runJob()
    {
        for (int i = 0; i < 200 && window.link().state().TransferMode != Transfer::Idle; ++i)
            tick();
        ASSERT_EQ(window.link().state().TransferMode, Transfer::Idle);
        tick();
    }

    /// Reads the unit, which leaves a snapshot; returns its path.
    QString readUnit()
    {
        const QStringList before = snapshots();
        c().menu.MenuRead->trigger();
        runJob();
        for (const QString &name : snapshots())
            if (!before.contains(name))
                return QDir(window.snapshotFolder()).filePath(name);
        ADD_FAILURE() << "no snapshot saved";
        return {};
    }

    QStringList snapshots()
    {
        return QDir(window.snapshotFolder()).entryList({QStringLiteral("*.ign")}, QDir::Files, QDir::Name);
    }

    FormHistory *openHistory()
    {
        c().menu.MenuHistory->trigger();
        FormHistory *history = window.historyWindow();
        EXPECT_TRUE(history->isVisible());
        return history;
    }

    QTreeWidgetItem *rowOf(FormHistory *history, const QString &path)
    {
        QTreeWidget *tree = history->Snapshots;
        for (int u = 0; u < tree->topLevelItemCount(); ++u)
            for (int r = 0; r < tree->topLevelItem(u)->childCount(); ++r)
                if (FormHistory::pathOf(tree->topLevelItem(u)->child(r)) == path)
                    return tree->topLevelItem(u)->child(r);
        ADD_FAILURE() << "no row for " << path.toStdString();
        return nullptr;
    }

    void click(FormHistory *history, QTreeWidgetItem *row, Qt::KeyboardModifiers keys = {})
    {
        QTreeWidget *tree = history->Snapshots;
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, keys, tree->visualItemRect(row).center());
    }

    /// Through the window, as the system delivers it: press, release, press, release,
    /// of which Qt makes the double click.
    static void doubleClick(QWidget *widget, QPoint at)
    {
        QTest::mouseDClick(widget->window()->windowHandle(), Qt::LeftButton, {}, widget->mapTo(widget->window(), at));
    }

    QPoint cellCentre(FormHistory *history, QTreeWidgetItem *row, int column)
    {
        QTreeWidget *tree = history->Snapshots;
        return tree->visualRect(tree->indexFromItem(row, column)).center();
    }
};

} // namespace

TEST_F(HistoryWindowTest, SnapshotsAreListedByUnitAndOneIsRestoredAsOneUndoStep)
{
    const QString read = readUnit();
    // A snapshot from before units were recorded beside them.
    const QString older = QDir(window.snapshotFolder()).filePath(QStringLiteral("2026-01-02_0800_read.ign"));
    ASSERT_TRUE(QFile::copy(read, older));
    const std::uint8_t unitRetard = image()[field::Retard];
    image()[field::Retard] = static_cast<std::uint8_t>(unitRetard == 10 ? 12 : 10);
    afterEditStep();
    const std::uint8_t edited = image()[field::Retard];

    FormHistory *history = openHistory();
    QTreeWidget *tree = history->Snapshots;
    ASSERT_EQ(tree->topLevelItemCount(), 2);
    EXPECT_EQ(tree->topLevelItem(0)->text(0), QString::fromStdString(unitIdentity(window.link().unitHeader())));
    EXPECT_FALSE(tree->topLevelItem(0)->text(0).isEmpty());
    EXPECT_EQ(tree->topLevelItem(1)->text(0), QStringLiteral("unknown unit"));
    QTreeWidgetItem *readRow = rowOf(history, read);
    QTreeWidgetItem *olderRow = rowOf(history, older);
    ASSERT_TRUE(readRow && olderRow);
    EXPECT_EQ(readRow->text(FormHistory::ColumnJob), QStringLiteral("read"));
    EXPECT_EQ(olderRow->text(FormHistory::ColumnDate), QStringLiteral("2026-01-02 08:00"));

    // The buttons follow how many snapshots are chosen.
    EXPECT_FALSE(history->Restore->isEnabled());
    EXPECT_FALSE(history->CompareTwo->isEnabled());
    click(history, tree->topLevelItem(0)); // a unit's row is no snapshot
    EXPECT_FALSE(history->Restore->isEnabled());
    click(history, olderRow);
    EXPECT_TRUE(history->Restore->isEnabled());
    EXPECT_FALSE(history->CompareTwo->isEnabled());
    click(history, readRow, Qt::ControlModifier);
    EXPECT_FALSE(history->Restore->isEnabled());
    EXPECT_TRUE(history->CompareTwo->isEnabled());
    click(history, readRow);
    ASSERT_TRUE(history->Restore->isEnabled());

    QTest::mouseClick(history->Restore, Qt::LeftButton);
    EXPECT_EQ(image()[field::Retard], unitRetard) << "the snapshot is in the editor";
    EXPECT_EQ(image().parameters, unit.memory());
    QTest::keyClick(&window, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(image()[field::Retard], edited) << "one undo step takes it back";
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(HistoryWindowTest, ALabelTypedIsSavedBesideTheSnapshotWhole)
{
    const QString read = readUnit();
    QFile file(read);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray content = file.readAll();
    file.close();

    FormHistory *history = openHistory();
    QTreeWidget *tree = history->Snapshots;
    QTreeWidgetItem *row = rowOf(history, read);
    ASSERT_TRUE(row);
    for (const auto &[column, typed] : {std::pair{int(FormHistory::ColumnLabel), "dyno run 3"},
                                        std::pair{int(FormHistory::ColumnNote), "rich above 6000"}}) {
        const QPoint at = cellCentre(history, row, column);
        doubleClick(tree->viewport(), at);
        auto *editor = tree->viewport()->findChild<QLineEdit *>();
        ASSERT_TRUE(editor && editor->isVisible()) << "a double click opens the cell for typing";
        QTest::keyClicks(editor, QString::fromLatin1(typed));
        QTest::keyClick(editor, Qt::Key_Return);
    }
    // A double click on the date opens nothing.
    doubleClick(tree->viewport(), cellCentre(history, row, FormHistory::ColumnDate));
    const auto *open = tree->viewport()->findChild<QLineEdit *>();
    EXPECT_FALSE(open && open->isVisible());

    const SnapshotHistory listed = listSnapshotHistory(toFsPath(window.snapshotFolder()));
    ASSERT_EQ(listed.groups.size(), 1u);
    ASSERT_EQ(listed.groups[0].entries.size(), 1u);
    EXPECT_EQ(listed.groups[0].entries[0].label, "dyno run 3");
    EXPECT_EQ(listed.groups[0].entries[0].note, "rich above 6000");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), content) << "the snapshot itself is untouched";

    // Shown again after the window is opened anew, and in the language chosen.
    history->close();
    c().menu.MenuGerman->trigger();
    history = openHistory();
    row = rowOf(history, read);
    ASSERT_TRUE(row);
    EXPECT_EQ(row->text(FormHistory::ColumnLabel), QStringLiteral("dyno run 3"));
    EXPECT_EQ(row->text(FormHistory::ColumnJob), QStringLiteral("gelesen"));
    EXPECT_EQ(history->Restore->text(), QStringLiteral("&Wiederherstellen"));
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(HistoryWindowTest, TwoChosenAreComparedOlderFirst)
{
    const QString first = readUnit();
    unit.memory()[field::Retard] = static_cast<std::uint8_t>(unit.memory()[field::Retard] == 10 ? 12 : 10);
    const QString second = readUnit();
    ASSERT_NE(first, second);

    FormHistory *history = openHistory();
    click(history, rowOf(history, second));
    click(history, rowOf(history, first), Qt::ControlModifier);
    ASSERT_TRUE(history->CompareTwo->isEnabled());
    QTest::mouseClick(history->CompareTwo, Qt::LeftButton);

    FormCompare *compare = window.compareWindow();
    EXPECT_TRUE(compare->isVisible());
    EXPECT_TRUE(compare->SourceA->currentText().endsWith(QFileInfo(first).fileName()))
        << compare->SourceA->currentText().toStdString();
    EXPECT_TRUE(compare->SourceB->currentText().endsWith(QFileInfo(second).fileName()))
        << compare->SourceB->currentText().toStdString();
    EXPECT_EQ(compare->Fields->rowCount(), 1) << "they differ in one field";
}

TEST_F(HistoryWindowTest, ASnapshotThatCannotBeReadIsListedAndNothingIsRestored)
{
    const QString read = readUnit();
    // A folder in a snapshot's place and in a note's place.
    ASSERT_TRUE(QDir(window.snapshotFolder()).mkdir(QStringLiteral("2026-01-02_0800_read.ign")));
    ASSERT_TRUE(QDir().mkdir(read + QStringLiteral(".note")));

    FormHistory *history = openHistory();
    const QString broken = QDir(window.snapshotFolder()).filePath(QStringLiteral("2026-01-02_0800_read.ign"));
    QTreeWidgetItem *row = rowOf(history, broken);
    ASSERT_TRUE(row);
    EXPECT_TRUE(row->text(FormHistory::ColumnNote).startsWith(QStringLiteral("cannot be read: ")));
    const UnitImage before = image();
    click(history, row);
    QTest::mouseClick(history->Restore, Qt::LeftButton);
    EXPECT_EQ(image().parameters, before.parameters);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].contains(QDir::toNativeSeparators(broken)));

    // A note that could not be read is not written over by typing.
    QTreeWidgetItem *noted = rowOf(history, read);
    ASSERT_TRUE(noted);
    EXPECT_FALSE(noted->flags() & Qt::ItemIsEditable);
    EXPECT_TRUE(QFileInfo(read + QStringLiteral(".note")).isDir());
}
