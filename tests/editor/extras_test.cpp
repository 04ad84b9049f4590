// Extras: what is known of the unit, snapshots, and the
// Compare window.
#include "window_fixture.h"

#include "editor/compare/diff_grid.h"
#include "editor/compare/field_labels.h"
#include "editor/compare/form_compare.h"
#include "files/parameter_file.h"
#include "model/field_table.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>

#include <fstream>

using namespace talviro6;
using namespace talviro6::testing;

namespace {

class ExtrasTest : public WindowFixture {
  protected:
    ExtrasTest()
    {
        // Switched off, the quiet read leaves the unit unknown until a job of the test's.
        c().menu.MenuReadWhenFound->trigger();
        tick(20); // the simulated unit is found
    }

    void runJob()
    {
        for (int i = 0; i < 200 && window.link().state().TransferMode != Transfer::Idle; ++i)
            tick();
        ASSERT_EQ(window.link().state().TransferMode, Transfer::Idle);
        tick();
    }

    QString unitState() { return c().frame.LabelUnitState->text(); }

    QStringList snapshots()
    {
        return QDir(window.snapshotFolder()).entryList({QStringLiteral("*.ign")}, QDir::Files, QDir::Name);
    }

    /// The list's rows by field label.
    QStringList listed(FormCompare *compare)
    {
        QStringList rows;
        for (int r = 0; r < compare->Fields->rowCount(); ++r)
            rows << compare->Fields->item(r, 0)->text();
        return rows;
    }
};

TEST_F(ExtrasTest, TheWindowTellsWhetherTheEditorHoldsWhatTheUnitHolds)
{
    EXPECT_EQ(unitState(), QStringLiteral("Unit: not known"));
    EXPECT_TRUE(window.windowTitle().endsWith(QStringLiteral("Unit: not known")));

    c().menu.MenuRead->trigger();
    runJob();
    EXPECT_EQ(unitState(), QStringLiteral("Unit = editor"));
    afterEditStep(); // the read becomes a history entry of its own

    image()[field::Retard] = 9;
    image()[field::AdvanceMap(9, 1)] = 33;
    afterEditStep();
    EXPECT_EQ(unitState(), QStringLiteral("Fields differing from the unit: 2"));
    EXPECT_TRUE(window.windowTitle().endsWith(QStringLiteral("Fields differing from the unit: 2")));

    c().menu.MenuZpet->trigger();
    EXPECT_EQ(unitState(), QStringLiteral("Unit = editor")) << "undone back to what the unit holds";

    image()[field::Retard] = 10;
    afterEditStep();
    c().menu.MenuProgram->trigger();
    runJob();
    EXPECT_EQ(unitState(), QStringLiteral("Unit = editor")) << "programmed and verified";

    c().menu.MenuGerman->trigger();
    EXPECT_EQ(unitState(), QStringLiteral("Zündbox = Editor"));
}

TEST_F(ExtrasTest, EveryReadAndProgrammingLeavesASnapshotVerifyingDoesNot)
{
    const QRegularExpression name(
        QStringLiteral("^\\d{4}-\\d\\d-\\d\\d_\\d{4}(_prog\\d{4})?_(read|program)(_\\d+)?\\.ign$"));
    c().menu.MenuRead->trigger();
    runJob();
    ASSERT_EQ(snapshots().size(), 1);
    EXPECT_TRUE(name.match(snapshots()[0]).hasMatch()) << snapshots()[0].toStdString();
    EXPECT_TRUE(snapshots()[0].endsWith(QStringLiteral("_read.ign")));
    const auto saved = readParameterSet(QDir(window.snapshotFolder()).filePath(snapshots()[0]));
    ASSERT_TRUE(saved);
    EXPECT_EQ(*saved, unit.memory()) << "what the unit held";

    c().menu.MenuVerify->trigger();
    runJob();
    EXPECT_EQ(snapshots().size(), 1) << "a verify adds nothing new";

    image()[field::Retard] = 12;
    afterEditStep();
    c().menu.MenuProgram->trigger();
    runJob();
    ASSERT_EQ(snapshots().size(), 2) << "none overwritten, also within the same minute";
    EXPECT_EQ(snapshots().filter(QStringLiteral("_program")).size(), 1);
}

TEST(CompareLabels, EveryFieldIsNamedInTheWordsTheWindowShowsForIt)
{
    struct Row {
        int offset;
        const char *english;
        const char *german;
    };
    const Row rows[] = {
        {field::Limiter, "Limiter [rpm]", "Drehzahlbegrenzer [U/min]"},
        {field::PickupInvert2, "Inverse polarity of pick-up 2", "Umgekehrte Gebereingang 2"},
        {field::AdvanceCorrection1, "Correction for cyl. 1,2: 1", "Korrektion für Zyl. 1,2: 1"},
        {field::Compensation2, "Compensation 2", "Kompensation 2"},
        {field::IgnitionsPerRev, "ignition per revolution", "Zündung pro Umdrehung"},
        {field::Input1Function, "Input 1", "Eingang 1"},
        {field::Tps100Voltage, "TPS 100% [mV]", "TPS 100% [mV]"},
        {field::TpsMapEnable, "TPS", "TPS"},
        {field::AdvanceMap(5, 4), "Advance map [°], 30%, column 5", "Vorzündung Karte [°], 30%, Spalte 5"},
        {field::MaxAdvEdge2(1), "Maximum advance, 2nd edge, channel 2", "Maximale Vorzündung, 2. Flanke, Kanal 2"},
        {field::ServoVoltage(9), "Servo voltage [mV], point 10", "Servo-Spannung [mV], Punkt 10"},
        {field::PowerOutMode(0), "Power out mode, output 1", "Leistungsausgang Betriebsart, Ausgang 1"},
        {field::PowerOutCells(2, 0), "Power out map row, output 3, row 1",
         "Leistungsausgang Kennfeldzeile, Ausgang 3, Zeile 1"},
    };
    for (const Row &r : rows) {
        const FieldInfo &f = *fieldAt(r.offset);
        EXPECT_EQ(fieldLabel(f, 0), QString::fromUtf8(r.english));
        EXPECT_EQ(fieldLabel(f, 1), QString::fromUtf8(r.german));
        EXPECT_EQ(fieldLabel(f, 7), QString::fromUtf8(r.english)) << "an unknown language reads English";
    }

    // Every field has words of a language: none falls back to its name in the image.
    for (const FieldInfo &f : editableFields())
        for (int language = 0; language < LanguageTableCount; ++language)
            EXPECT_NE(fieldLabel(f, language), QString::fromUtf8(f.name.data(), qsizetype(f.name.size())))
                << fieldName(f);
}

TEST_F(ExtrasTest, CompareListsTheDifferencesAndTakesChosenFieldsOverAsOneUndoStep)
{
    c().menu.MenuRead->trigger();
    runJob();
    image()[field::Retard] = 9;
    image()[field::AdvanceMap(5, 4)] = 33;
    afterEditStep();
    const auto entries = window.history().currentIndex();

    c().menu.MenuCompare->trigger();
    FormCompare *compare = window.compareWindow();
    ASSERT_TRUE(compare->isVisible());
    EXPECT_EQ(compare->SourceA->currentText(), QStringLiteral("Editor"));
    EXPECT_EQ(compare->SourceB->currentText(), QStringLiteral("Unit (last known)"));
    EXPECT_EQ(listed(compare),
              (QStringList{QStringLiteral("Retard [°]"), QStringLiteral("Advance map [°], 30%, column 5")}));
    EXPECT_EQ(compare->Fields->item(0, 1)->text(), QStringLiteral("9 °")) << "A, with its unit";
    EXPECT_EQ(compare->MapGrid->differingCells(), 1);
    EXPECT_TRUE(compare->MapGrid->differs(5, 4));

    compare->ShowAll->setChecked(true);
    EXPECT_GT(compare->Fields->rowCount(), 150) << "every field";
    compare->ShowAll->setChecked(false);

    // Take the unit's map cell back into the editor, leave the retard.
    compare->Fields->item(1, 0)->setCheckState(Qt::Checked);
    QTest::mouseClick(compare->TakeOver, Qt::LeftButton);
    EXPECT_EQ(image()[field::AdvanceMap(5, 4)], unit.memory()[field::AdvanceMap(5, 4)]);
    EXPECT_EQ(image()[field::Retard], 9);
    EXPECT_EQ(window.history().currentIndex(), entries + 1) << "one undo step";
    EXPECT_EQ(listed(compare), QStringList{QStringLiteral("Retard [°]")}) << "compared again";
    EXPECT_EQ(c().advance.EditCell[5][4]->value(), unit.memory()[field::AdvanceMap(5, 4)]) << "the controls show it";
    compare->close();
}

// A chosen value that validation puts back must not vanish from the list without a
// word; and cells a mode fixes are listed as what they are.
TEST_F(ExtrasTest, TakeOverSaysWhatValidationHoldsOtherwise)
{
    image()[field::PowerOutRpm(0, 0)] = 30;
    image()[field::PowerOutRpm(0, 1)] = 40;
    image()[field::PowerOutRpm(0, 2)] = 50;
    afterEditStep();
    UnitImage other = image();
    other[field::PowerOutRpm(0, 0)] = 10;
    other[field::PowerOutRpm(0, 1)] = 20;
    other[field::PowerOutRpm(0, 2)] = 30;
    other[field::PowerOutMode(1)] = powerout::Special;
    other[field::PowerOutCells(1, 0)] = 0;
    other[field::PowerOutCells(1, 1)] = 0;
    other[field::PowerOutCells(1, 2)] = 0b0110;
    const QString path = QDir(settingsFolder.path()).filePath(QStringLiteral("other.ign"));
    {
        std::ofstream out(path.toStdString(), std::ios::binary);
        writeParameterFile(out, other);
    }
    c().menu.MenuCompare->trigger();
    FormCompare *compare = window.compareWindow();
    ASSERT_TRUE(compare->choose(1, FormCompare::Kind::File, path));
    const QStringList rows = listed(compare);
    const auto cells = rows.indexOf(QStringLiteral("Power out map, output 2"));
    ASSERT_GE(cells, 0) << rows.join(QStringLiteral(" | ")).toStdString();
    EXPECT_EQ(compare->Fields->item(cells, 1)->text(), QStringLiteral("fixed pattern of Pilot light"));
    EXPECT_EQ(compare->Fields->item(cells, 2)->text(), QStringLiteral("rows 0, 0, 6"));

    // The second threshold alone: below the editor's first, validation lifts it.
    const auto second = rows.indexOf(QStringLiteral("Power out speed [rpm], output 1, threshold 2"));
    ASSERT_GE(second, 0) << rows.join(QStringLiteral(" | ")).toStdString();
    compare->Fields->item(second, 0)->setCheckState(Qt::Checked);
    QTest::mouseClick(compare->TakeOver, Qt::LeftButton);
    EXPECT_EQ(image()[field::PowerOutRpm(0, 1)], 31);
    EXPECT_TRUE(compare->Summary->text().endsWith(
        QStringLiteral("Not taken over as chosen (validation): Power out speed [rpm], output 1, threshold 2")))
        << compare->Summary->text().toStdString();
    compare->show();
    const QImage picture = compare->Summary->grab().toImage();
    EXPECT_EQ(picture.pixelColor(picture.width() - 2, picture.height() - 2), QColor(Qt::yellow));
    compare->close();
}

TEST_F(ExtrasTest, CompareWithAFileAndWithoutAKnownUnit)
{
    FormCompare *compare = window.compareWindow();
    compare->choose(1, FormCompare::Kind::Unit);
    EXPECT_EQ(compare->Summary->text(),
              QStringLiteral("The unit's parameters are not known yet: read the unit, or program it."));
    EXPECT_FALSE(compare->TakeOver->isEnabled());

    // Chosen from the list: the file dialog, and a cancel goes back to the editor.
    dialogs.openName.clear();
    compare->SourceB->setCurrentIndex(2);
    EXPECT_FALSE(dialogs.openPresets.empty());
    EXPECT_EQ(compare->SourceB->currentIndex(), 0);

    ASSERT_TRUE(compare->choose(1, FormCompare::Kind::File, QStringLiteral(TALVIRO6_FILES_DATA "/startup_cells.ign")));
    EXPECT_TRUE(compare->SourceB->currentText().endsWith(QStringLiteral("startup_cells.ign")));
    EXPECT_GT(compare->Fields->rowCount(), 0);
    EXPECT_FALSE(
        compare->choose(1, FormCompare::Kind::File, QStringLiteral(TALVIRO6_CLI_DATA "/not_a_parameter_file.txt")));
}

} // namespace
