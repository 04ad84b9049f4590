// The window under a tuner's hands: lists, typed numbers and the mouse wheel. Each
// case here once lost part of a parameter set while the tests that set values from
// code stayed green.
#include "window_fixture.h"

#include "editor/widgets/mouse_up_check_box.h"

#include <QAction>
#include <QTabBar>
#include <QTabWidget>
#include <QWheelEvent>

using namespace talviro6;
using namespace talviro6::testing;

namespace {

class UserInputTest : public WindowFixture {
  protected:
    UserInputTest()
    {
        // A map the presets would overwrite, so a stray type change shows.
        image()[field::AdvanceMap(9, 3)] = 44;
        image()[field::BaseAdvance] = 33;
        window.refresh();
    }

    /// One notch of the wheel over the widget, as the pointer delivers it.
    static void wheel(QWidget *w, int notches)
    {
        const QPointF at = QRectF(w->rect()).center();
        QWheelEvent event(at, w->mapToGlobal(at), QPoint(), QPoint(0, 120 * notches), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(w, &event);
    }

    void showPage(QWidget *page)
    {
        c().frame.PageControl1->setCurrentWidget(page);
        QApplication::processEvents();
    }

    /// Shows the page a control sits on.
    void showPageOf(QWidget *control)
    {
        for (QWidget *w = control; w; w = w->parentWidget())
            if (c().frame.PageControl1->indexOf(w) >= 0)
                return showPage(w);
    }

    void typeInto(NumericField *f, const QString &text)
    {
        f->setFocus();
        f->edit()->selectAll();
        QTest::keyClicks(f->edit(), text);
    }

    bool setIntact() { return image()[field::AdvanceMap(9, 3)] == 44 && image()[field::BaseAdvance] == 33; }
};

TEST_F(UserInputTest, ChoosingTheSelectedTypeAgainKeepsTheParameterSet)
{
    showPage(c().frame.TabSheetBike);
    choose(c().bike.ComboBoxBike, c().bike.ComboBoxBike->currentIndex());
    EXPECT_TRUE(setIntact()) << "the type did not change: no presets";
    EXPECT_EQ(image()[field::AdvanceMap(9, 3)], 44);
}

TEST_F(UserInputTest, ARefreshFromCodeRunsNoListHandler)
{
    image()[field::BikeType] = 2; // two lobes: item 1
    window.refresh();
    EXPECT_EQ(c().bike.ComboBoxBike->currentIndex(), 1);
    EXPECT_TRUE(setIntact()) << "showing a type is not choosing it";
}

TEST_F(UserInputTest, AWheelTurnOverAClosedListWithoutFocusChangesNothing)
{
    showPage(c().frame.TabSheetBike);
    // Special setting, so the synchronisation lists are enabled and could react.
    choose(c().bike.ComboBoxBike, 5);
    image()[field::AdvanceMap(9, 3)] = 44;
    window.refresh();
    const UnitImage before = image();
    for (auto *list : {c().bike.ComboBoxBike, c().bike.ComboBoxSynchro, c().bike.ComboBoxNasobekPalcu}) {
        SCOPED_TRACE(list->objectName().toStdString());
        ASSERT_TRUE(list->isEnabled());
        field(QStringLiteral("EditRpmPulsu"))->setFocus();
        const int index = list->currentIndex();
        wheel(list, -1);
        wheel(list, 1);
        wheel(list, -1);
        EXPECT_EQ(list->currentIndex(), index);
        EXPECT_EQ(image(), before);
    }
}

TEST_F(UserInputTest, TheWheelChangesAListThatHasTheFocus)
{
    showPage(c().frame.TabSheetBike);
    auto *bike = c().bike.ComboBoxBike;
    bike->setFocus();
    ASSERT_TRUE(bike->hasFocus());
    wheel(bike, -1); // down: the next item
    EXPECT_EQ(bike->currentIndex(), 1);
    EXPECT_EQ(image()[field::BikeType], 2);
    EXPECT_FALSE(setIntact()) << "a real change of type applies its presets";
}

TEST_F(UserInputTest, TheDropDownShowsEveryItemWhole)
{
    showPage(c().frame.TabSheetBike);
    for (auto *list : {c().bike.ComboBoxBike, c().bike.ComboBoxSynchro}) {
        SCOPED_TRACE(list->objectName().toStdString());
        list->showPopup();
        QApplication::processEvents();
        QAbstractItemView *view = list->view();
        EXPECT_GE(view->viewport()->width(), view->sizeHintForColumn(0));
        list->hidePopup();
    }
}

TEST_F(UserInputTest, ANumberBeyondTheRangeIsClampedWhenApplied)
{
    struct Case {
        const char *field;
        const char *typed;
        int offset;
        int stored;
        const char *shown;
    };
    const Case cases[] = {
        {"EditOmez2", "30000", field::Limiter, 250, "25,000"},
        {"Edit149", "75", field::AdvanceMap(9, 9), 60, "60"},
        {"EditRpmKorekce", "-99", field::TachoCorrection, 40, "-60"},
        {"EditPocSynchro", "100", field::StartRevolutions, 40, "40"},
        {"EditRpmPulsu", "99999999999999999999", field::TachoPulses, 6, "6"},
    };
    // Enter, leaving the field with Tab, and a command that reads the controls back
    // while the focus stays: each takes the whole typed number.
    for (const auto &apply : {"Enter", "Tab", "F9"}) {
        for (const Case &c : cases) {
            SCOPED_TRACE(std::string(apply) + " " + c.field + " " + c.typed);
            window.refresh();
            auto *f = field(QString::fromLatin1(c.field));
            showPageOf(f);
            typeInto(f, QString::fromLatin1(c.typed));
            EXPECT_EQ(f->edit()->text(), QString::fromLatin1(c.typed)) << "no keystroke is rejected";
            const std::string key = apply;
            QTest::keyClick(f, key == "Enter" ? Qt::Key_Return : key == "Tab" ? Qt::Key_Tab : Qt::Key_F9);
            if (key == "F9") {
                EXPECT_EQ(window.link().state().TransferMode, Transfer::Program);
            }
            EXPECT_EQ(image()[c.offset], c.stored);
            EXPECT_EQ(f->text(), QString::fromLatin1(c.shown));
        }
    }
}

TEST_F(UserInputTest, SwitchingThePageAppliesTheTypedNumber)
{
    showPage(c().frame.TabSheetAdvance);
    auto *cell = field(QStringLiteral("Edit149"));
    typeInto(cell, QStringLiteral("75"));
    auto *tabs = c().frame.PageControl1->tabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(3).center());
    QApplication::processEvents();
    EXPECT_EQ(c().frame.PageControl1->currentIndex(), 3);
    EXPECT_EQ(image()[field::AdvanceMap(9, 9)], 60);
}

TEST_F(UserInputTest, TheWheelStepsOnlyTheFieldThatHasTheFocus)
{
    showPage(c().frame.TabSheetAdvance);
    c().frame.monitor.CheckBoxProgHned->setChecked(true);
    window.UpDownClick(); // arms programming after change
    tick(40);
    ASSERT_EQ(window.link().state().TransferMode, Transfer::Idle);
    const UnitImage before = image();

    auto *cell = field(QStringLiteral("Edit145"));
    field(QStringLiteral("EditBaseAdv"))->setFocus();
    wheel(cell, 1);
    wheel(cell, 1);
    EXPECT_EQ(image(), before) << "passing over a field changes nothing";
    EXPECT_EQ(window.link().state().TransferMode, Transfer::Idle) << "and programs nothing";

    cell->setFocus();
    wheel(cell, 1);
    EXPECT_EQ(image()[field::AdvanceMap(9, 5)], before[field::AdvanceMap(9, 5)] + 1);
    EXPECT_EQ(window.link().state().TransferMode, Transfer::Program);
}

} // namespace
