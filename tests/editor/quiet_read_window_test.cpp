// The unit read quietly when it is found: the status field, its click, the Extras
// item and the setting that keeps it.
#include "window_fixture.h"

#include "editor/compare/form_compare.h"
#include "editor/widgets/bar_gauge.h"
#include "files/profile_file.h"
#include "files/settings_files.h"
#include "texts/extras_texts.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTableWidget>

#include <fstream>
#include <memory>

using namespace talviro6;
using namespace talviro6::testing;

namespace {

class QuietReadWindowTest : public WindowFixture {
  protected:
    QString unitState() { return c().frame.LabelUnitState->text(); }

    /// The unit holds the editor's set with two fields changed.
    void giveUnitTwoOtherFields()
    {
        ParameterArea other = image().parameters;
        other[field::Retard] = static_cast<std::uint8_t>(other[field::Retard] + 1);
        other[field::AdvanceMap(5, 4)] = static_cast<std::uint8_t>(other[field::AdvanceMap(5, 4)] + 2);
        unit.memory() = other;
    }

    /// Ticks until the quiet read has made the unit known, with the transfer line
    /// hidden on every tick.
    void tickUntilKnown()
    {
        for (int i = 0; i < 60 && !window.link().knownUnitArea(); ++i) {
            tick();
            EXPECT_TRUE(c().frame.monitor.LabelHlaseni->isHidden()) << "tick " << i;
            EXPECT_TRUE(c().frame.monitor.CGaugeProgram->isHidden()) << "tick " << i;
        }
        ASSERT_TRUE(window.link().knownUnitArea());
        tick();
    }

    QStringList snapshots() { return QDir(window.snapshotFolder()).entryList({QStringLiteral("*.ign")}, QDir::Files); }
};

TEST_F(QuietReadWindowTest, FoundUnitIsComparedWithTheEditorWithoutAWord)
{
    EXPECT_TRUE(c().menu.MenuReadWhenFound->isCheckable());
    EXPECT_TRUE(c().menu.MenuReadWhenFound->isChecked()) << "on at a first start";
    EXPECT_EQ(c().menu.MenuReadWhenFound->text(), QStringLiteral("Read the unit when it is found"));
    giveUnitTwoOtherFields();
    const UnitImage editor = image();
    EXPECT_EQ(unitState(), QStringLiteral("Unit: not known"));

    tickUntilKnown();
    EXPECT_EQ(unitState(), QStringLiteral("Fields differing from the unit: 2"));
    EXPECT_TRUE(window.windowTitle().endsWith(QStringLiteral("Fields differing from the unit: 2")));
    EXPECT_EQ(image(), editor) << "the editor is not touched";
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_TRUE(snapshots().isEmpty()) << "a quiet read leaves no snapshot";
    EXPECT_FALSE(window.history().canUndo()) << "no history step";

    c().menu.MenuGerman->trigger();
    EXPECT_EQ(unitState(), QStringLiteral("Abweichende Felder zur Zündbox: 2"));
    EXPECT_EQ(c().menu.MenuReadWhenFound->text(), QStringLiteral("Zündbox beim Erkennen auslesen"));
}

TEST_F(QuietReadWindowTest, UnitThatHoldsTheEditorSaysSo)
{
    unit.memory() = image().parameters;
    tickUntilKnown();
    EXPECT_EQ(unitState(), QStringLiteral("Unit = editor"));
    EXPECT_TRUE(window.windowTitle().endsWith(QStringLiteral("Unit = editor")));
}

TEST_F(QuietReadWindowTest, ClickOnTheStatusFieldComparesTheEditorWithTheUnit)
{
    giveUnitTwoOtherFields();
    tickUntilKnown();
    // Left on other sources by an earlier use.
    FormCompare *compare = window.compareWindow();
    compare->choose(0, FormCompare::Kind::Unit);
    compare->choose(1, FormCompare::Kind::Editor);
    compare->hide();

    QLabel *state = c().frame.LabelUnitState;
    QTest::mouseClick(state, Qt::RightButton);
    EXPECT_FALSE(compare->isVisible()) << "only the left button";
    QTest::mouseClick(state, Qt::LeftButton);
    ASSERT_TRUE(compare->isVisible());
    EXPECT_EQ(compare->SourceA->currentText(), QString::fromUtf8(extraText(ExtraText::SourceEditor, 0)));
    EXPECT_EQ(compare->SourceB->currentText(), QString::fromUtf8(extraText(ExtraText::SourceUnit, 0)));
    EXPECT_EQ(compare->Fields->rowCount(), 2);
    EXPECT_EQ(state->toolTip(), QStringLiteral("Click to compare the editor with the unit"));
}

// A job the tuner starts while the quiet read runs is the one that runs: its text,
// its gauge, its result.
TEST_F(QuietReadWindowTest, ReadStartedWhileTheQuietReadRunsRunsAsEver)
{
    giveUnitTwoOtherFields();
    for (int i = 0; i < 60 && !window.link().quietReadRunning(); ++i)
        tick();
    ASSERT_TRUE(window.link().quietReadRunning());
    tick(2);
    c().menu.MenuRead->trigger();
    EXPECT_FALSE(window.link().quietReadRunning());
    for (int i = 0; i < 200 && window.link().state().TransferMode != Transfer::Idle; ++i)
        tick();
    tick();
    EXPECT_EQ(window.link().state().lastJobEnd, JobEnd::Verified);
    EXPECT_EQ(image().parameters, unit.memory());
    EXPECT_EQ(c().frame.monitor.LabelHlaseni->text(), QStringLiteral("Verify:: OK"));
    EXPECT_EQ(unitState(), QStringLiteral("Unit = editor"));
    EXPECT_EQ(snapshots().size(), 1) << "the tuner's read leaves its snapshot";

    // The port chosen again: the unit is found anew and read quietly, which leaves
    // no snapshot, though the last job was a read.
    unit.memory()[field::Retard] = static_cast<std::uint8_t>(unit.memory()[field::Retard] + 1);
    c().menu.MenuComItems[0]->trigger();
    const std::uint32_t revision = window.link().knownUnitRevision();
    for (int i = 0; i < 60 && window.link().knownUnitRevision() == revision; ++i)
        tick();
    tick();
    EXPECT_EQ(window.link().knownUnitArea(), unit.memory());
    EXPECT_EQ(unitState(), QStringLiteral("Fields differing from the unit: 1"));
    EXPECT_EQ(snapshots().size(), 1);
}

/// Runs of the tool on one settings folder.
class QuietReadSettingTest : public ::testing::Test {
  protected:
    std::unique_ptr<WindowRig> start()
    {
        auto run = std::make_unique<WindowRig>(folder.path());
        run->unit.setLogging(true);
        run->start();
        return run;
    }
    static void tick(WindowRig &run, int n)
    {
        for (int i = 0; i < n; ++i) {
            run.clock.advance(TickMicros);
            run.window.Timer1Timer();
        }
    }
    ProfileFile settingsFile() const
    {
        ProfileFile ini;
        std::ifstream in(QDir(folder.path()).filePath(QString::fromStdString(settingsFileName())).toStdString());
        EXPECT_TRUE(in && ini.read(in));
        return ini;
    }

    QTemporaryDir folder;
};

TEST_F(QuietReadSettingTest, SwitchedOffItStaysOffAndIsKeptInASectionOfItsOwn)
{
    {
        auto run = start();
        QAction *item = run->window.controls().menu.MenuReadWhenFound;
        item->trigger();
        EXPECT_FALSE(item->isChecked());
        tick(*run, 60);
        EXPECT_FALSE(run->window.link().knownUnitArea());
        run->window.close();
    }
    const ProfileFile ini = settingsFile();
    EXPECT_EQ(ini.readInteger(QuietReadSection, "ReadUnitWhenFound", -1), 0);
    EXPECT_EQ(ini.readInteger(BasicSection, "ReadUnitWhenFound", -1), -1) << "[BASIC] keeps its keys only";
    {
        auto run = start();
        QAction *item = run->window.controls().menu.MenuReadWhenFound;
        EXPECT_FALSE(item->isChecked());
        tick(*run, 60);
        EXPECT_FALSE(run->window.link().knownUnitArea());
        for (const Frame &f : run->unit.requests())
            EXPECT_EQ(f[0], code::Poll) << "nothing but polls";
        item->trigger();
        run->window.close();
    }
    EXPECT_EQ(settingsFile().readInteger(QuietReadSection, "ReadUnitWhenFound", -1), 1);
    auto run = start();
    EXPECT_TRUE(run->window.controls().menu.MenuReadWhenFound->isChecked());
    tick(*run, 60);
    EXPECT_TRUE(run->window.link().knownUnitArea());
}

} // namespace
