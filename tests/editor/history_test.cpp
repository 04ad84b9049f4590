// Undo and redo in the window, and programming after a change as the simulated
// unit sees it.
#include "window_fixture.h"

#include "editor/widgets/mouse_up_check_box.h"

#include <QAction>
#include <QTabWidget>
#include <QToolButton>

using namespace talviro6;
using namespace talviro6::testing;

namespace {

class HistoryTest : public WindowFixture {
  protected:
    HistoryTest()
    {
        tick(20); // the simulated unit is found
        unit.setLogging(true);
    }

    /// The first read back after start-up carries the fixed cells of the pilot-light
    /// and power-jet outputs into the image: a change of its own, settled here.
    void settle() { window.UpDownClick(); }

    bool undoEnabled() { return c().frame.toolBar.SpeedButtonZpet->isEnabled() && c().menu.MenuZpet->isEnabled(); }
    bool redoEnabled() { return c().frame.toolBar.SpeedButtonZnovu->isEnabled() && c().menu.MenuZnovu->isEnabled(); }
    void undo() { QTest::mouseClick(c().frame.toolBar.SpeedButtonZpet, Qt::LeftButton); }
    void redo() { QTest::mouseClick(c().frame.toolBar.SpeedButtonZnovu, Qt::LeftButton); }

    /// An edit as the tuner makes it: a number typed into a map cell, then Enter.
    void typeCell(int column, int value)
    {
        auto *cell = c().advance.EditCell[9][static_cast<std::size_t>(column)];
        c().frame.PageControl1->setCurrentWidget(c().frame.TabSheetAdvance);
        cell->setFocus();
        cell->edit()->selectAll();
        QTest::keyClicks(cell->edit(), QString::number(value));
        QTest::keyClick(cell, Qt::Key_Return);
    }

    /// Program jobs the unit has seen: requests for block 0 in program mode.
    int programJobs()
    {
        int n = 0;
        for (const Frame &f : unit.requests())
            n += f[0] == code::ProgramHeader;
        return n;
    }

    void runJobs()
    {
        for (int i = 0; i < 200 && window.link().state().TransferMode != Transfer::Idle; ++i)
            tick();
        ASSERT_EQ(window.link().state().TransferMode, Transfer::Idle);
    }
};

TEST_F(HistoryTest, UndoAndRedoWalkTheEditsAndBringTheirPageBack)
{
    EXPECT_FALSE(undoEnabled()) << "nothing to undo after start-up";
    EXPECT_FALSE(redoEnabled());
    settle();
    const UnitImage start = image();
    const auto startIndex = window.history().currentIndex();

    typeCell(2, 41); // on the advance page
    const UnitImage first = image();
    EXPECT_TRUE(undoEnabled());
    EXPECT_FALSE(redoEnabled());

    typeCell(2, 41);
    EXPECT_EQ(window.history().currentIndex(), startIndex + 1) << "the same value again records nothing";

    c().frame.PageControl1->setCurrentWidget(c().frame.TabSheetServo);
    undo();
    EXPECT_EQ(image(), start);
    EXPECT_EQ(c().advance.EditCell[9][2]->value(), start[field::AdvanceMap(9, 2)]) << "the controls show it";
    EXPECT_EQ(c().frame.PageControl1->currentWidget(), c().frame.TabSheetRuzne) << "the page of that entry";
    EXPECT_TRUE(redoEnabled());

    redo();
    EXPECT_EQ(image(), first);
    EXPECT_EQ(c().frame.PageControl1->currentWidget(), c().frame.TabSheetAdvance);
    EXPECT_FALSE(redoEnabled());

    // The shortcuts reach the same commands.
    QTest::keyClick(&window, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(image(), start);
    QTest::keyClick(&window, Qt::Key_Z, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(image(), first);
}

TEST_F(HistoryTest, ANewChangeAfterAnUndoDropsTheRedo)
{
    typeCell(1, 30);
    typeCell(1, 31);
    undo();
    ASSERT_TRUE(redoEnabled());
    typeCell(4, 50);
    EXPECT_FALSE(redoEnabled());
    EXPECT_EQ(image()[field::AdvanceMap(9, 1)], 30);
    EXPECT_EQ(image()[field::AdvanceMap(9, 4)], 50);
}

TEST_F(HistoryTest, TheRingKeepsTheLast199StepsOf250Changes)
{
    std::vector<ParameterArea> changes;
    for (int i = 1; i <= 250; ++i) {
        image()[field::AdvanceMap(0, 0)] = static_cast<std::uint8_t>(i % 50);
        image()[field::AdvanceMap(0, 1)] = static_cast<std::uint8_t>(i / 50);
        afterEditStep();
        changes.push_back(image().parameters);
    }
    int undos = 0;
    while (undoEnabled() && undos < 300) {
        undo();
        ++undos;
    }
    EXPECT_EQ(undos, 199);
    EXPECT_EQ(image().parameters, changes[50]) << "the 51st change";
}

TEST_F(HistoryTest, ProgrammingAfterChangeProgramsRealChangesThenEveryStepAndEveryUndo)
{
    settle();
    auto *box = c().frame.monitor.CheckBoxProgHned;
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
    ASSERT_TRUE(box->isChecked());
    tick(10);
    EXPECT_EQ(programJobs(), 0) << "ticking the box alone programs nothing";

    typeCell(3, 44);
    runJobs();
    EXPECT_EQ(programJobs(), 1);
    EXPECT_EQ(unit.memory(), image().parameters);

    QTest::keyClick(c().advance.EditCell[9][3], Qt::Key_Return); // nothing changed
    runJobs();
    EXPECT_EQ(programJobs(), 2) << "armed: every later step programs";

    undo();
    runJobs();
    EXPECT_EQ(programJobs(), 3);
    EXPECT_EQ(unit.memory(), image().parameters) << "the restored image is in the unit";

    // Clicking the box takes the focus from the field first: leaving the field is
    // one more after-edit step while the box is still ticked.
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
    runJobs();
    const int jobs = programJobs();
    typeCell(3, 45);
    runJobs();
    EXPECT_EQ(programJobs(), jobs) << "unticked: no more programming";
}

TEST_F(HistoryTest, AValueBeyondAControlsRangeReachesTheUnitOnlyAsTheControlBoundsIt)
{
    // A history entry (or a file) may hold a byte a control would never let through.
    // A choice is recorded without validation.
    window.session().choose(field::AdvanceMap(9, 0), 200);
    typeCell(5, 22);
    auto *box = c().frame.monitor.CheckBoxProgHned;
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
    undo(); // back to the entry with 200, programmed at once
    runJobs();
    EXPECT_EQ(unit.memory()[field::AdvanceMap(9, 0)], 60);
}

} // namespace
