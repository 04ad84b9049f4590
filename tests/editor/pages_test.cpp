#include "window_fixture.h"

#include "editor/widgets/mouse_up_check_box.h"
#include "editor/widgets/radio_group.h"

#include <QAction>
#include <QFrame>
#include <QGroupBox>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QToolButton>

using namespace talviro6;
using namespace talviro6::testing;

namespace {

class PagesTest : public WindowFixture {};

TEST_F(PagesTest, PowerOutRowsShareThePageHeightInThreeEqualParts)
{
    for (int n = 0; n < 3; ++n) {
        SCOPED_TRACE(n);
        auto *mode = c().powerOut.RadioGroupPOut[static_cast<std::size_t>(n)];
        auto *map = c().powerOut.GroupBoxPOut[static_cast<std::size_t>(n)];
        EXPECT_EQ(mode->geometry(), QRect(3, 156 * n, 140, 154));
        EXPECT_EQ(map->geometry(), QRect(150, 156 * n, 645 - 150 - 4, 154));
        EXPECT_EQ(mode->objectName(), QStringLiteral("RadioGroupPOut[%1]").arg(n));
    }
    // Each speed line runs through the middle of its break point.
    auto *edit = c().powerOut.EditPOutRpm[1][2];
    auto *line = c().powerOut.BevelPOutRpm[1][2];
    EXPECT_EQ(line->geometry(), QRect(edit->x() + 20, c().powerOut.EditPOutTps[1][0]->y() - 14, 4, 90));
    EXPECT_EQ(c().powerOut.BevelPOutTps[1][1]->geometry(), QRect(94, 68 + 33 + 10, 380, 4));
    EXPECT_EQ(c().powerOut.CheckBoxPOut[2][2][3]->geometry(), QRect(430, 122, 20, 20));
}

TEST_F(PagesTest, SpinnerRangesThatDifferWithinAFamily)
{
    struct Case {
        const char *name;
        int minimum, maximum, step;
    };
    const Case cases[] = {
        {"UpDownPOutRpm[0][0]", 300, 25000, 100}, {"UpDownPOutRpm[1][1]", 300, 25100, 100},
        {"UpDownPOutRpm[2][2]", 300, 25200, 100}, {"UpDownPOutTps[0][0]", 0, 101, 1},
        {"UpDownPOutTps[2][1]", 0, 102, 1},       {"UpDownRpmAdv1", 199, 20100, 100},
        {"UpDownRpmAdv2", 300, 20100, 100},       {"UpDownRpmAdv10", 300, 20100, 100},
        {"UpDownRpmPriv1", 200, 20100, 100},      {"UpDownRpmPriv2", 200, 20100, 100},
        {"UpDownRpmPriv3", 300, 20100, 100},      {"UpDownOmez1", 999, 25000, 100},
        {"UpDownTps100", 2500, 4750, 10},         {"UpDownPrivHyster", 0, 1275, 5},
        {"UpDownNapPriv5", 20, 5000, 20},         {"UpDown149", 0, 60, 1},
        {"UpDownRpmKorekce", -60, 60, 1},         {"UpDownKompenz2", 0, 255, 1},
    };
    for (const auto &k : cases) {
        SCOPED_TRACE(k.name);
        auto *f = field(QString::fromLatin1(k.name));
        ASSERT_NE(f, nullptr);
        EXPECT_EQ(f->minimum(), k.minimum);
        EXPECT_EQ(f->maximum(), k.maximum);
        EXPECT_EQ(f->singleStep(), k.step);
    }
}

TEST_F(PagesTest, MapAndServoColumnsShareTheirPositionsAndCellsSitUnderTheirSpeeds)
{
    const int columns[] = {44, 103, 162, 222, 281, 340, 399, 459, 518, 577};
    for (int c0 = 0; c0 < 10; ++c0) {
        const auto i = static_cast<std::size_t>(c0);
        EXPECT_EQ(c().advance.EditRpmAdv[i]->x(), columns[c0]);
        EXPECT_EQ(c().servo.EditRpmPriv[i]->x(), columns[c0]);
        EXPECT_EQ(c().servo.EditNapPriv[i]->x(), columns[c0]);
        EXPECT_EQ(c().advance.EditCell[3][i]->x(), columns[c0] + 7);
        EXPECT_EQ(c().advance.EditCell[3][i]->objectName(), QStringLiteral("Edit%1").arg(80 + c0));
    }
}

TEST_F(PagesTest, MenuShortcutsAndPortMenu)
{
    const auto &m = c().menu;
    EXPECT_EQ(m.MenuNew->shortcut(), QKeySequence(QStringLiteral("Ctrl+N")));
    EXPECT_EQ(m.MenuOpen->shortcut(), QKeySequence(Qt::Key_F3));
    EXPECT_EQ(m.MenuSave->shortcut(), QKeySequence(Qt::Key_F2));
    EXPECT_EQ(m.MenuRead->shortcut(), QKeySequence(Qt::Key_F7));
    EXPECT_EQ(m.MenuVerify->shortcut(), QKeySequence(Qt::Key_F8));
    EXPECT_EQ(m.MenuProgram->shortcut(), QKeySequence(Qt::Key_F9));
    EXPECT_EQ(m.AdvanceMinus->shortcut(), QKeySequence(Qt::Key_F4));
    EXPECT_EQ(m.AdvancePlus->shortcut(), QKeySequence(Qt::Key_F5));
    EXPECT_EQ(m.MenuZnovu->shortcut(), QKeySequence(QStringLiteral("Ctrl+Alt+Z")));
    EXPECT_FALSE(m.MenuZpet->isEnabled());
    EXPECT_FALSE(m.MenuZnovu->isEnabled());

    ASSERT_EQ(m.MenuCom->actions().size(), 21);
    EXPECT_EQ(m.MenuCom->actions().front()->text(), QStringLiteral("Com 1"));
    EXPECT_EQ(m.MenuCom->actions().back()->text(), QStringLiteral("Com Auto"));
    EXPECT_TRUE(m.MenuComItems[0]->isChecked()) << "without settings the port is COM1";
    EXPECT_EQ(c().frame.monitor.LabelCom->text(), QStringLiteral("COM= COM1"));

    m.MenuComItems[4]->trigger();
    EXPECT_TRUE(m.MenuComItems[4]->isChecked());
    EXPECT_FALSE(m.MenuComItems[0]->isChecked());
    ASSERT_EQ(dialogs.messages.size(), 1u) << "COM5 leads nowhere";
    EXPECT_EQ(dialogs.messages.front(),
              QStringLiteral("Com opening error!\nCOM5: no serial device behind this number"));
    EXPECT_EQ(c().frame.monitor.LabelCom->text(), QStringLiteral("COM= COM5"));
}

TEST_F(PagesTest, ToolBarNeverTakesTheFocusAndHintsReachTheStatusBar)
{
    auto *limiter = field(QStringLiteral("EditOmez2"));
    limiter->setFocus();
    for (QWidget *w : c().frame.toolBar.GroupBoxToolBar->findChildren<QWidget *>())
        EXPECT_EQ(w->focusPolicy(), Qt::NoFocus) << w->objectName().toStdString();
    // Print moves the focus on purpose (a value being typed goes to paper applied);
    // Open, cancelled here, leaves it where it was.
    QTest::mouseClick(c().frame.toolBar.SpeedButton5, Qt::LeftButton);
    EXPECT_TRUE(limiter->hasFocus());

    auto *rpm = c().advance.LabelRpmAdv;
    EXPECT_TRUE(rpm->toolTip().isEmpty());
    EXPECT_EQ(rpm->statusTip(), QStringLiteral("Speed - Round per Minute"));
    EXPECT_EQ(c().frame.toolBar.BitBtnProgram->toolTip(), QStringLiteral("Programing  set parametrs to ignition"));
    EXPECT_EQ(c().menu.AdvancePlus->statusTip(), QStringLiteral("Add 1 degree of curve A"));
}

TEST_F(PagesTest, StartUpLeavesTheDocumentedControlsHiddenAndTheBannerShown)
{
    for (const char *name :
         {"LabelHlaseni", "CGaugeProgram", "LabelEeDataErr", "LabelVersion", "LabelAdvance2", "LabelTest1"})
        EXPECT_TRUE(named(QString::fromLatin1(name))->isHidden()) << name;
    EXPECT_FALSE(c().frame.LabelSpojeni->isHidden());
    EXPECT_EQ(c().frame.PageControl1->currentIndex(), 0);
    EXPECT_EQ(c().frame.PageControl1->count(), 5);
    EXPECT_EQ(c().frame.PageControl1->tabText(4), QStringLiteral("Power Out"));
}

} // namespace
