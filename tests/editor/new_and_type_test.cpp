#include "window_fixture.h"

#include "editor/widgets/mouse_up_check_box.h"
#include "editor/widgets/radio_group.h"

#include <QAction>

using namespace talviro6;
using namespace talviro6::testing;

namespace {

class NewAndTypeTest : public WindowFixture {
  protected:
    void chooseBike(int item) { choose(c().bike.ComboBoxBike, item); }
};

TEST_F(NewAndTypeTest, OnlyYesToTheNewQuestionChangesAnything)
{
    image()[field::AdvanceMap(2, 2)] = 50;
    image()[field::Limiter] = 90;
    window.refresh();
    for (auto answer : {UserDialogs::Answer::No, UserDialogs::Answer::Cancel}) {
        dialogs.answer = answer;
        c().menu.MenuNew->trigger();
        EXPECT_EQ(image()[field::AdvanceMap(2, 2)], 50);
        EXPECT_EQ(image()[field::Limiter], 90);
    }
    dialogs.answer = UserDialogs::Answer::Yes;
    c().menu.MenuNew->trigger();
    EXPECT_EQ(image()[field::AdvanceMap(2, 2)], 35);
    EXPECT_EQ(image()[field::Limiter], 110);
    EXPECT_EQ(field(QStringLiteral("EditOmez2"))->text(), QStringLiteral("11,000"));
    ASSERT_EQ(dialogs.questions.size(), 3u);
    EXPECT_EQ(dialogs.questions.front(), QStringLiteral("Do you want default setting?"));
    EXPECT_TRUE(c().bike.LabelFile2->text().isEmpty());
}

TEST_F(NewAndTypeTest, NewWithSpecialSettingKeepsTheSynchronisation)
{
    chooseBike(4); // Honda
    chooseBike(5); // Special setting
    image()[field::AdvanceMap(0, 0)] = 44;
    window.refresh();
    c().menu.MenuNew->trigger();
    EXPECT_EQ(image()[field::BikeType], bike::Special);
    EXPECT_EQ(image()[field::SyncMethod], 6);
    EXPECT_EQ(image()[field::LobeCount], 4);
    EXPECT_EQ(image()[field::AdvanceMap(0, 0)], 4);
}

TEST_F(NewAndTypeTest, TypeChangesApplyThePresetAndKeepInputsAndCells)
{
    c().misc.RadioGroupInput1->item(2)->click();
    c().powerOut.RadioGroupPOut[0]->item(4)->click();
    c().powerOut.CheckBoxPOut[0][1][1]->setChecked(true);
    window.UpDownClick();
    image()[field::AdvanceMap(9, 9)] = 50;
    window.refresh();

    chooseBike(4); // "Honda NSR 250 MC18 -"
    EXPECT_EQ(image()[field::BikeType], bike::HondaNsr);
    EXPECT_EQ(image()[field::SyncMethod], 6);
    EXPECT_EQ(image()[field::LobeCount], 4);
    EXPECT_EQ(image()[field::MaxAdvLobe(0)], 2);
    EXPECT_EQ(image()[field::AdvanceMap(9, 9)], 32) << "the defaults come with the preset";
    EXPECT_EQ(image()[field::Input1Function], 2);
    EXPECT_EQ(image()[field::PowerOutCells(0, 1)], 0b0010);

    image()[field::AdvanceMap(9, 9)] = 50;
    window.refresh();
    chooseBike(5); // "Special setting": nothing but the type changes
    EXPECT_EQ(image()[field::BikeType], bike::Special);
    EXPECT_EQ(image()[field::SyncMethod], 6);
    EXPECT_EQ(image()[field::StartAdvLobe(1)], 3);
    EXPECT_EQ(image()[field::AdvanceMap(9, 9)], 50);
    EXPECT_TRUE(c().bike.ComboBoxSynchro->isEnabled());

    chooseBike(2); // three lobes per revolution: one channel
    EXPECT_EQ(image()[field::ChannelCount], 1);
    EXPECT_EQ(image()[field::AdvanceMap(9, 9)], 32);
    EXPECT_TRUE(c().bike.channel[1].GroupBoxPalec->isHidden());
}

} // namespace
