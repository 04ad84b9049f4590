// The warnings on risky values in the status bar: shown while any holds, worded in
// the language in use, refreshed by every edit and by what the unit is known to hold.
#include "window_fixture.h"

#include "editor/colours.h"

#include <QAction>
#include <QTabWidget>

using namespace talviro6;
using namespace talviro6::testing;

namespace {

const QString Spike =
    QStringLiteral("Advance map, 4000 rpm, 100%: 38° is more than 8° above both neighbours in its row (15°, 28°)");
const QString High = QStringLiteral("Advance map, 10000 rpm, 100%: 55° is more than 50° of advance");

class RiskWarningsTest : public WindowFixture {
  protected:
    RiskWarningsTest()
    {
        // Switched off, the quiet read leaves the unit unknown until a job of the test's.
        c().menu.MenuReadWhenFound->trigger();
        tick(20); // the simulated unit is found
    }

    QLabel *line() { return c().frame.LabelRiskWarning; }

    /// A number typed into a cell of the advance curve, then Enter.
    void typeCell(int column, int value)
    {
        auto *cell = c().advance.EditCell[9][static_cast<std::size_t>(column)];
        c().frame.PageControl1->setCurrentWidget(c().frame.TabSheetAdvance);
        cell->setFocus();
        cell->edit()->selectAll();
        QTest::keyClicks(cell->edit(), QString::number(value));
        QTest::keyClick(cell, Qt::Key_Return);
    }

    void typeBaseAdvance(int value)
    {
        NumericField *f = field(QStringLiteral("EditBaseAdv"));
        c().frame.PageControl1->setCurrentWidget(c().frame.TabSheetRuzne);
        f->setFocus();
        f->edit()->selectAll();
        QTest::keyClicks(f->edit(), QString::number(value));
        QTest::keyClick(f, Qt::Key_Return);
    }

    void runJob()
    {
        for (int i = 0; i < 200 && window.link().state().TransferMode != Transfer::Idle; ++i)
            tick();
        ASSERT_EQ(window.link().state().TransferMode, Transfer::Idle);
        tick();
    }

    /// The share of the line's pixels that are the status bar's yellow.
    double yellowShare()
    {
        const QImage picture = line()->grab().toImage();
        const QColor yellow = toQColor(Colour::Yellow);
        int count = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                count += picture.pixelColor(x, y) == yellow;
        return picture.isNull() ? 0.0 : double(count) / (picture.width() * picture.height());
    }
};

TEST_F(RiskWarningsTest, ASpikeTypedIntoTheMapShowsAYellowLineUntilUndone)
{
    EXPECT_TRUE(line()->isHidden()) << "the defaults raise none: " << line()->text().toStdString();

    typeCell(3, 38); // between 15° and 28°
    EXPECT_TRUE(line()->isVisible());
    EXPECT_EQ(line()->text(), Spike);
    EXPECT_EQ(line()->toolTip(), Spike);
    EXPECT_GT(yellowShare(), 0.5);

    typeCell(9, 55);
    EXPECT_EQ(line()->text(), Spike + QStringLiteral(" (+1 more)"));
    EXPECT_EQ(line()->toolTip(), Spike + QLatin1Char('\n') + High) << "the tooltip lists them all";

    QTest::keyClick(&window, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(line()->text(), Spike);
    QTest::keyClick(&window, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(line()->isHidden());
    EXPECT_EQ(yellowShare(), 0.0) << "nothing yellow is left in the bar";
}

TEST_F(RiskWarningsTest, TheLineFollowsTheLanguageAndNeverBlocksProgramming)
{
    typeCell(3, 38);
    c().menu.MenuGerman->trigger();
    EXPECT_EQ(line()->text(), QStringLiteral("Vorzündung Karte, 4000 U/min, 100%: 38° liegt mehr als 8° über beiden "
                                             "Nachbarn seiner Zeile (15°, 28°)"));
    c().menu.MenuEnglish->trigger();
    EXPECT_EQ(line()->text(), Spike);

    c().menu.MenuProgram->trigger();
    runJob();
    EXPECT_EQ(unit.memory()[field::AdvanceMap(9, 3)], 38) << "programmed as it is";
    EXPECT_EQ(c().frame.LabelUnitState->text(), QStringLiteral("Unit = editor"));
    EXPECT_EQ(line()->text(), Spike) << "still a spike, whatever the unit holds";
}

TEST_F(RiskWarningsTest, TheRulesThatCompareWithTheUnitWaitUntilItIsKnown)
{
    typeBaseAdvance(21);
    EXPECT_TRUE(line()->isHidden()) << "the unit is not known yet";

    c().menu.MenuProgram->trigger();
    runJob();
    ASSERT_EQ(c().frame.LabelUnitState->text(), QStringLiteral("Unit = editor"));
    EXPECT_TRUE(line()->isHidden());

    typeBaseAdvance(10);
    EXPECT_EQ(line()->text(),
              QStringLiteral("Base advance: 10° against 21° in the unit, more than 10° changed in one programming"));

    // Programmed: the editor stays, what the unit is known to hold follows it.
    const ParameterArea before = image().parameters;
    c().menu.MenuProgram->trigger();
    runJob();
    ASSERT_EQ(image().parameters, before);
    EXPECT_TRUE(line()->isHidden());
}

} // namespace
