// The review before programming: what Program would change in the unit, field by
// field with the warnings above, ticks that keep the unit's values as one edit,
// Cancel, "Don't ask again" and the Extras item that brings the review back.
#include "window_fixture.h"

#include "editor/review/form_review.h"
#include "files/settings_files.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTableWidget>

using namespace talviro6;
using namespace talviro6::testing;

namespace {

const QString SpikeInReview =
    QStringLiteral("Advance map, 4000 rpm, 100%: 38° is more than 8° above both neighbours in its row (15°, 28°)");

class ReviewTest : public WindowFixture {
  protected:
    explicit ReviewTest(bool quietRead = false)
    {
        // Switched off, the quiet read leaves the unit unknown until a job of the test's.
        if (!quietRead)
            c().menu.MenuReadWhenFound->trigger();
        tick(20);                       // the simulated unit is found
        c().menu.MenuReview->trigger(); // the Extras item, as a tuner turns the review on
    }

    FormReview *review() { return window.reviewWindow(); }
    bool reviewShown() { return review() && review()->isVisible(); }

    void runJob()
    {
        for (int i = 0; i < 200 && window.link().state().TransferMode != Transfer::Idle; ++i)
            tick();
        ASSERT_EQ(window.link().state().TransferMode, Transfer::Idle);
        tick();
    }

    void readUnit()
    {
        c().menu.MenuRead->trigger();
        runJob();
        ASSERT_EQ(c().frame.LabelUnitState->text(), QStringLiteral("Unit = editor"));
    }

    void type(NumericField *f, QWidget *page, int value)
    {
        c().frame.PageControl1->setCurrentWidget(page);
        f->setFocus();
        f->edit()->selectAll();
        QTest::keyClicks(f->edit(), QString::number(value));
        QTest::keyClick(f, Qt::Key_Return);
    }
    void typeCell(int column, int value)
    {
        type(c().advance.EditCell[9][static_cast<std::size_t>(column)], c().frame.TabSheetAdvance, value);
    }
    void typeLimiter(int rpm) { type(field(QStringLiteral("EditOmez2")), c().frame.TabSheetRuzne, rpm); }

    /// Two fields over what the unit holds: a map cell that is a spike and a big
    /// change at once (two warnings), and the limiter.
    void editTwoFields()
    {
        typeCell(3, 38);
        typeLimiter(12300);
    }

    /// A key pressed in the main window, which has become the active one again.
    void press(int key, Qt::KeyboardModifiers modifiers = {})
    {
        window.activateWindow();
        QApplication::processEvents();
        QTest::keyClick(&window, static_cast<Qt::Key>(key), modifiers);
        QApplication::processEvents();
    }
    void pressF9() { press(Qt::Key_F9); }

    int rowNamed(const QString &name)
    {
        for (int row = 0; row < review()->rows(); ++row)
            if (review()->tick(row)->text() == name)
                return row;
        ADD_FAILURE() << "no row " << name.toStdString();
        return 0;
    }

    static void clickBox(QCheckBox *box) { QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2)); }
    static void clickButton(QPushButton *b) { QTest::mouseClick(b, Qt::LeftButton); }
};

TEST_F(ReviewTest, ListsTheChangesWithTheWarningsAndProgramsOnlyTheTickedFields)
{
    readUnit();
    const ParameterArea unitBefore = unit.memory();
    editTwoFields();
    const ParameterArea edited = image().parameters;

    pressF9();
    ASSERT_TRUE(reviewShown());
    EXPECT_EQ(review()->windowTitle(), QStringLiteral("Review before programming"));
    EXPECT_EQ(window.link().state().TransferMode, Transfer::Idle) << "nothing is sent before the answer";
    ASSERT_EQ(review()->rows(), 2);
    const int limiter = rowNamed(QStringLiteral("Limiter [rpm]"));
    const int cell = rowNamed(QStringLiteral("Advance map [°], 100%, column 4"));
    EXPECT_EQ(review()->Fields->item(limiter, 1)->text(),
              QString::fromStdString(std::to_string(unitBefore[field::Limiter] * 100) + " rpm"));
    EXPECT_EQ(review()->Fields->item(limiter, 2)->text(), QStringLiteral("12300 rpm"));
    EXPECT_EQ(review()->Fields->item(cell, 2)->text(), QStringLiteral("38 °"));
    EXPECT_TRUE(review()->tick(limiter)->isChecked() && review()->tick(cell)->isChecked()) << "all ticked at first";
    const QStringList warnings = review()->Warnings->text().split(QLatin1Char('\n'));
    ASSERT_EQ(warnings.size(), 2) << review()->Warnings->text().toStdString();
    EXPECT_EQ(warnings[0], SpikeInReview);
    EXPECT_TRUE(warnings[1].startsWith(QStringLiteral("Advance map, 4000 rpm, 100%: 38° against ")))
        << warnings[1].toStdString();
    EXPECT_TRUE(review()->Warnings->isVisible());

    clickBox(review()->tick(limiter));
    EXPECT_FALSE(review()->tick(limiter)->isChecked());
    clickButton(review()->ButtonProgram);
    EXPECT_FALSE(reviewShown());
    runJob();

    EXPECT_EQ(unit.memory()[field::Limiter], unitBefore[field::Limiter]) << "ticked off: the unit keeps its own";
    EXPECT_EQ(unit.memory()[field::AdvanceMap(9, 3)], 38);
    EXPECT_EQ(unit.memory(), image().parameters) << "the editor holds what was programmed";
    EXPECT_EQ(field(QStringLiteral("EditOmez2"))->value(), unitBefore[field::Limiter] * 100);

    // Taking the unit's values was one edit: one undo brings the editor back.
    press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(image().parameters, edited);
    EXPECT_EQ(field(QStringLiteral("EditOmez2"))->value(), 12300);
}

TEST_F(ReviewTest, CancelProgramsNothingAndChangesNothing)
{
    readUnit();
    const ParameterArea unitBefore = unit.memory();
    editTwoFields();
    const ParameterArea edited = image().parameters;
    const bool couldUndo = window.history().canUndo();

    pressF9();
    ASSERT_TRUE(reviewShown());
    clickBox(review()->tick(0));
    clickBox(review()->DontAskAgain);
    clickButton(review()->ButtonCancel);
    EXPECT_FALSE(reviewShown());
    tick(100);

    EXPECT_EQ(unit.memory(), unitBefore);
    EXPECT_EQ(image().parameters, edited);
    EXPECT_EQ(window.history().canUndo(), couldUndo);
    EXPECT_TRUE(c().menu.MenuReview->isChecked()) << "Cancel does not turn the review off";
    press(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_NE(image().parameters, edited) << "the last undo step is still the limiter typed";
    EXPECT_EQ(image()[field::AdvanceMap(9, 3)], 38);

    pressF9();
    EXPECT_TRUE(reviewShown()) << "asked again";
    EXPECT_EQ(review()->rows(), 1);
    EXPECT_FALSE(review()->DontAskAgain->isChecked());
    EXPECT_TRUE(review()->tick(0)->isChecked()) << "every field ticked anew";
}

TEST_F(ReviewTest, DontAskAgainTurnsTheReviewOffUntilExtrasBringsItBack)
{
    readUnit();
    editTwoFields();
    pressF9();
    ASSERT_TRUE(reviewShown());
    clickBox(review()->DontAskAgain);
    clickButton(review()->ButtonProgram);
    runJob();
    EXPECT_EQ(unit.memory(), image().parameters) << "every field programmed";
    EXPECT_FALSE(c().menu.MenuReview->isChecked());

    typeLimiter(11000);
    pressF9();
    EXPECT_FALSE(reviewShown());
    runJob();
    EXPECT_EQ(unit.memory()[field::Limiter], 110) << "programmed straight on";

    // Kept in the settings file in a section of its own.
    window.close();
    QFile settings(QDir(settingsFolder.path()).filePath(QString::fromStdString(settingsFileName())));
    ASSERT_TRUE(settings.open(QIODevice::ReadOnly));
    const QByteArray written = settings.readAll();
    EXPECT_TRUE(written.contains("[REVIEW]\r\nAskBeforeProgramming=0\r\n")) << written.toStdString();
    EXPECT_TRUE(written.startsWith("[BASIC]\r\n"));

    WindowRig again{settingsFolder.path()};
    again.reviewBeforeProgramming = true;
    again.window.FormCreate({});
    EXPECT_FALSE(again.window.controls().menu.MenuReview->isChecked()) << "still off at the next start";

    window.show();
    c().menu.MenuReview->trigger();
    EXPECT_TRUE(c().menu.MenuReview->isChecked());
    typeLimiter(12000);
    pressF9();
    EXPECT_TRUE(reviewShown()) << "asked again";
}

TEST_F(ReviewTest, ProgrammingAfterChangeAndAnUnknownOrEqualUnitNeverAsk)
{
    // Not known yet: straight on.
    typeLimiter(12300);
    pressF9();
    EXPECT_FALSE(reviewShown());
    runJob();
    EXPECT_EQ(unit.memory()[field::Limiter], 123);

    // Known and equal: straight on.
    ASSERT_EQ(c().frame.LabelUnitState->text(), QStringLiteral("Unit = editor"));
    pressF9();
    EXPECT_FALSE(reviewShown());
    EXPECT_EQ(window.link().state().TransferMode, Transfer::Program);
    runJob();

    // Programming after change.
    QCheckBox *afterChange = c().frame.monitor.CheckBoxProgHned;
    QTest::mouseClick(afterChange, Qt::LeftButton, {}, QPoint(8, afterChange->height() / 2));
    ASSERT_TRUE(afterChange->isChecked());
    typeLimiter(11500);
    EXPECT_FALSE(reviewShown());
    runJob();
    EXPECT_EQ(unit.memory()[field::Limiter], 115);
}

// The two together: the unit read quietly when it was found is what the review
// compares with, so the first Program after a start already asks.
class ReviewAfterQuietReadTest : public ReviewTest {
  protected:
    ReviewAfterQuietReadTest() : ReviewTest(true) {}
};

TEST_F(ReviewAfterQuietReadTest, AUnitReadQuietlyWhenFoundIsReviewed)
{
    for (int i = 0; i < 60 && !window.link().knownUnitArea(); ++i)
        tick();
    ASSERT_EQ(c().frame.LabelUnitState->text(), QStringLiteral("Unit = editor"));
    typeLimiter(12300);
    pressF9();
    EXPECT_TRUE(reviewShown());
    EXPECT_NE(unit.memory()[field::Limiter], 123) << "nothing is programmed before the review is answered";
}

} // namespace
