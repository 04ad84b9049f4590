#include "window_fixture.h"

#include "editor/control_states.h"
#include "editor/widgets/mouse_up_check_box.h"
#include "editor/widgets/radio_group.h"

#include <QCheckBox>
#include <QGroupBox>

#include <functional>

using namespace talviro6;
using namespace talviro6::testing;

namespace {

enum class Property { Visible, Enabled, SpinnerVisible, Checked };

/// A set-up, then the expected property of named controls.
struct Rule {
    const char *setup;
    std::function<void(UnitImage &)> change;
    std::vector<const char *> controls;
    Property property;
    bool expected;
};

class ControlStatesTest : public WindowFixture {
  protected:
    bool property(const QString &name, Property p)
    {
        if (p == Property::SpinnerVisible)
            return field(name)->isSpinnerVisible();
        auto *w = named(name);
        if (!w)
            return false;
        switch (p) {
        case Property::Visible:
            return !w->isHidden(); // its own flag: the page it sits on may not be the one shown
        case Property::Enabled:
            return w->isEnabled();
        case Property::Checked:
            return static_cast<QCheckBox *>(w)->isChecked();
        case Property::SpinnerVisible:
            break;
        }
        return false;
    }

    void check(const std::vector<Rule> &rules)
    {
        for (const auto &rule : rules) {
            UnitImage &img = image();
            rule.change(img);
            window.refresh();
            for (const char *name : rule.controls) {
                SCOPED_TRACE(std::string(rule.setup) + ": " + name);
                EXPECT_EQ(property(QString::fromLatin1(name), rule.property), rule.expected);
            }
        }
    }
};

void set(UnitImage &img, int offset, int value)
{
    img[offset] = static_cast<std::uint8_t>(value);
}

TEST_F(ControlStatesTest, MiscellaneousPageFollowsTheInputFunctions)
{
    check({
        {"inputs off",
         [](UnitImage &i) { set(i, field::Input1Function, 0), set(i, field::Input2Function, 0); },
         {"EditOmez1", "LabelOmez1", "EditRetard", "LabelRetard", "EditClutchTime", "EditClutchPause"},
         Property::Enabled,
         false},
        {"inputs off",
         [](UnitImage &) {},
         {"UpDownOmez1", "UpDownRetard", "UpDownClutchTime", "UpDownClutchPause"},
         Property::SpinnerVisible,
         false},
        {"inputs off",
         [](UnitImage &) {},
         {"UpDownOmez2", "UpDownTps0", "UpDownTps100"},
         Property::SpinnerVisible,
         true},
        {"input 2 clutch",
         [](UnitImage &i) { set(i, field::Input2Function, 2); },
         {"EditClutchTime", "LabelClutchTime", "EditClutchPause", "LabelClutchPause", "LabelClutchMon"},
         Property::Enabled,
         true},
        {"input 2 clutch",
         [](UnitImage &) {},
         {"UpDownClutchTime", "UpDownClutchPause"},
         Property::SpinnerVisible,
         true},
        {"input 1 retard, 2 start limiter",
         [](UnitImage &i) { set(i, field::Input1Function, 3), set(i, field::Input2Function, 4); },
         {"EditRetard", "EditOmez1", "LabelMonRetard", "LabelMonStartLimiterOut"},
         Property::Enabled,
         true},
        {"input 1 retard, 2 start limiter",
         [](UnitImage &) {},
         {"EditClutchTime", "LabelKillSwitch", "LabelBlocking1"},
         Property::Enabled,
         false},
        {"kill switch and blocking",
         [](UnitImage &i) { set(i, field::Input1Function, 1), set(i, field::Input2Function, 1); },
         {"LabelKillSwitch", "LabelBlocking1"},
         Property::Enabled,
         true},
    });
}

TEST_F(ControlStatesTest, BikePageFollowsTypeSynchronisationChannelsAndTestMode)
{
    auto special = [](int sync) {
        return [sync](UnitImage &i) { set(i, field::BikeType, bike::Special), set(i, field::SyncMethod, sync); };
    };
    check({
        {"classic",
         [](UnitImage &) {},
         {"GroupBoxSpecial", "ComboBoxSynchro", "ComboBoxNasobekPalcu", "EditPocKanalu", "CheckBoxPalec1ZacH2",
          "LabelSynchro", "EditPocPalcu", "EditPalec1Zac"},
         Property::Enabled,
         false},
        {"classic", [](UnitImage &) {}, {"EditKompenz1", "EditKompenz2", "LabelKompenz"}, Property::Visible, false},
        {"special, sync 0", special(0), {"EditPocPalcu", "EditPalec1Zac", "EditPalec2End"}, Property::Enabled, false},
        {"special, sync 0",
         special(0),
         {"UpDownPocPalcu", "UpDownPalec1Zac", "UpDownPalec2End"},
         Property::SpinnerVisible,
         false},
        {"special, sync 0", special(0), {"UpDownPocKanalu"}, Property::SpinnerVisible, true},
        {"special, sync 0",
         special(0),
         {"CheckBoxInvInput2", "CheckBoxPalec1ZacP2", "CheckBoxPalec2EndP2", "LabelMonSnimac2"},
         Property::Visible,
         true},
        {"special, sync 2", special(2), {"EditPocPalcu", "EditPalec1Zac", "ComboBoxSynchro"}, Property::Enabled, true},
        {"special, sync 2",
         special(2),
         {"CheckBoxInvInput2", "CheckBoxPalec1ZacP2", "CheckBoxPalec1EndP2", "CheckBoxPalec2ZacP2",
          "CheckBoxPalec2EndP2", "LabelMonSnimac2"},
         Property::Visible,
         false},
        {"special, sync 4", special(4), {"CheckBoxInvInput2", "CheckBoxPalec2ZacP2"}, Property::Visible, true},
        {"one channel, corrected",
         [](UnitImage &i) { set(i, field::ChannelCount, 1), set(i, field::AdvanceCorrection1, 103); },
         {"GroupBoxPalec2", "LabelAdvance2"},
         Property::Visible,
         false},
        {"two channels, corrected",
         [](UnitImage &i) { set(i, field::ChannelCount, 2); },
         {"GroupBoxPalec2", "LabelAdvance2"},
         Property::Visible,
         true},
    });
    window.setTestEnable(true);
    EXPECT_FALSE(named(QStringLiteral("EditKompenz1"))->isHidden());
    EXPECT_TRUE(field(QStringLiteral("UpDownKompenz2"))->isSpinnerVisible());
    EXPECT_FALSE(named(QStringLiteral("LabelTest8"))->isHidden());
}

TEST_F(ControlStatesTest, ThrottleMapOffShowsRowNineInThePlaceOfRowZero)
{
    auto *row9 = named(QStringLiteral("Edit140"));
    auto *row0 = named(QStringLiteral("Edit50"));
    check({
        {"map off",
         [](UnitImage &i) { set(i, field::TpsMapEnable, 0); },
         {"Edit50", "Edit139", "LabelTps1", "LabelTps10", "CSpinButton1", "CSpinButton10", "CGaugeTps"},
         Property::Visible,
         false},
        {"map off", [](UnitImage &) {}, {"Edit140", "Edit149"}, Property::Visible, true},
    });
    EXPECT_EQ(row9->y(), row0->y());
    check({{"map on",
            [](UnitImage &i) { set(i, field::TpsMapEnable, 1); },
            {"Edit50", "Edit139", "LabelTps1", "LabelTps10", "CSpinButton1", "CSpinButton10", "CGaugeTps"},
            Property::Visible,
            true}});
    EXPECT_EQ(row9->y(), row0->y() + 9 * 33);
}

TEST_F(ControlStatesTest, ServoDisabledHidesTheGroupAndItsLiveLabels)
{
    check({
        {"servo off",
         [](UnitImage &i) { set(i, field::ServoEnable, 0); },
         {"GroupBoxPrivera", "LabelPriveraPoz", "LabelPriveraMer"},
         Property::Visible,
         false},
        {"servo on",
         [](UnitImage &i) { set(i, field::ServoEnable, 1); },
         {"GroupBoxPrivera", "LabelPriveraPoz", "LabelPriveraMer"},
         Property::Visible,
         true},
    });
}

TEST_F(ControlStatesTest, PowerOutputGridGrowsWithTheModeAndModesTwoAndThreeAreFixed)
{
    auto mode = [](int m) { return [m](UnitImage &i) { set(i, field::PowerOutMode(0), m); }; };
    check({
        {"mode 1", mode(1), {"GroupBoxPOut[0]"}, Property::Visible, false},
        {"mode 1", mode(1), {"LabelMonPOut1"}, Property::Enabled, true},
        {"mode 0", mode(0), {"LabelMonPOut1"}, Property::Enabled, false},
        {"mode 2",
         mode(2),
         {"GroupBoxPOut[0]", "EditPOutRpm[0][0]", "BevelPOutRpm[0][0]", "CheckBoxPOut[0][0][0]",
          "CheckBoxPOut[0][0][1]"},
         Property::Visible,
         true},
        {"mode 2",
         mode(2),
         {"LabelPOutTps[0]", "EditPOutRpm[0][1]", "EditPOutTps[0][0]", "BevelPOutTps[0][0]", "CheckBoxPOut[0][0][2]",
          "CheckBoxPOut[0][1][0]", "CheckBoxPOut[0][2][0]"},
         Property::Visible,
         false},
        {"mode 2", mode(2), {"CheckBoxPOut[0][0][0]", "CheckBoxPOut[0][0][1]"}, Property::Enabled, false},
        {"mode 2", mode(2), {"CheckBoxPOut[0][0][0]", "CheckBoxPOut[0][1][0]"}, Property::Checked, false},
        {"mode 2", mode(2), {"CheckBoxPOut[0][0][1]", "CheckBoxPOut[0][2][3]"}, Property::Checked, true},
        {"mode 3",
         mode(3),
         {"LabelPOutTps[0]", "EditPOutRpm[0][1]", "EditPOutTps[0][0]", "CheckBoxPOut[0][0][2]", "CheckBoxPOut[0][1][0]",
          "CheckBoxPOut[0][1][2]"},
         Property::Visible,
         true},
        {"mode 3",
         mode(3),
         {"EditPOutRpm[0][2]", "EditPOutTps[0][1]", "CheckBoxPOut[0][0][3]", "CheckBoxPOut[0][2][0]"},
         Property::Visible,
         false},
        {"mode 3",
         mode(3),
         {"CheckBoxPOut[0][0][1]", "CheckBoxPOut[0][1][2]", "CheckBoxPOut[0][2][3]"},
         Property::Checked,
         true},
        {"mode 3", mode(3), {"CheckBoxPOut[0][1][1]", "CheckBoxPOut[0][2][0]"}, Property::Checked, false},
        {"mode 4",
         mode(4),
         {"EditPOutRpm[0][2]", "BevelPOutRpm[0][2]", "EditPOutTps[0][1]", "CheckBoxPOut[0][2][3]"},
         Property::Visible,
         true},
        {"mode 4", mode(4), {"CheckBoxPOut[0][0][0]", "CheckBoxPOut[0][2][3]", "LabelTpsMon"}, Property::Enabled, true},
    });
}

TEST_F(ControlStatesTest, TheFixedPatternReachesTheImageAtTheNextReadBack)
{
    c().powerOut.RadioGroupPOut[2]->item(3)->click();
    window.UpDownClick();
    EXPECT_EQ(image()[field::PowerOutCells(2, 0)], 0b1110);
    EXPECT_EQ(image()[field::PowerOutCells(2, 1)], 0b1100);
    EXPECT_EQ(image()[field::PowerOutCells(2, 2)], 0b1100);
}

} // namespace
