#include "window_fixture.h"

#include "editor/binding.h"
#include "editor/widgets/mouse_up_check_box.h"
#include "editor/widgets/radio_group.h"
#include "files/parameter_file.h"
#include "model/conversions.h"
#include "model/field_table.h"

#include <fstream>
#include <map>
#include <random>

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QPushButton>
#include <QTest>

using namespace talviro6;
using namespace talviro6::testing;

namespace {

class BindingTest : public WindowFixture {
  protected:
    void typeAndEnter(NumericField *f, const char *text)
    {
        f->setFocus();
        f->edit()->selectAll();
        QTest::keyClicks(f->edit(), QString::fromLatin1(text));
        QTest::keyClick(f, Qt::Key_Return);
    }
};

TEST_F(BindingTest, TypingIntoTheLimiterStoresTruncatedAndShowsGrouped)
{
    auto *limiter = field(QStringLiteral("EditOmez2"));
    typeAndEnter(limiter, "15050");
    EXPECT_EQ(image()[field::Limiter], 150);
    EXPECT_EQ(limiter->text(), QStringLiteral("15,000"));
    EXPECT_FALSE(limiter->hasFocus()) << "Enter moves the focus on";
}

TEST_F(BindingTest, GroupingOnlyOnTheSingleFieldsAndThePowerOutputs)
{
    image()[field::PowerOutRpm(2, 0)] = 40;
    window.refresh();
    EXPECT_EQ(field(QStringLiteral("EditTps100"))->text(), QStringLiteral("3,790"));
    EXPECT_EQ(field(QStringLiteral("EditPrivHyster"))->text(), QStringLiteral("200"));
    EXPECT_EQ(field(QStringLiteral("EditPOutRpm[2][0]"))->text(), QStringLiteral("4,000"));
    EXPECT_EQ(field(QStringLiteral("EditRpmAdv10"))->text(), QStringLiteral("10000"));
    EXPECT_EQ(field(QStringLiteral("EditRpmPriv10"))->text(), QStringLiteral("16000"));
}

TEST_F(BindingTest, OutsideTestModeEveryEditForcesElevenIntoTheCompensations)
{
    image()[field::Compensation1] = 40;
    image()[field::Compensation2] = 200;
    window.refresh();
    field(QStringLiteral("EditRetard"))->stepBy(1);
    EXPECT_EQ(image()[field::Compensation1], 11);
    EXPECT_EQ(image()[field::Compensation2], 11);

    window.setTestEnable(true);
    field(QStringLiteral("EditKompenz1"))->setValue(77);
    window.UpDownClick();
    EXPECT_EQ(image()[field::Compensation1], 77);
}

TEST_F(BindingTest, SpinnersClampWithoutWrappingRound)
{
    struct Case {
        const char *name;
        int start;
        int steps;
        int expected;
    };
    const Case cases[] = {
        {"EditPocSynchro", 0, -1, 0},      {"EditOmez2", 25000, 1, 25000},  {"Edit50", 60, 1, 60},
        {"EditKorekceAdv1", -20, -1, -20}, {"EditNapPriv1", 5000, 1, 5000},
    };
    for (const auto &k : cases) {
        SCOPED_TRACE(k.name);
        auto *f = field(QString::fromLatin1(k.name));
        f->setValue(k.start);
        f->stepBy(k.steps);
        EXPECT_EQ(f->value(), k.expected);
    }
}

TEST_F(BindingTest, AStoredValueOutsideTheRangeShowsAtTheNearerEndAndIsStoredSoNextTime)
{
    image()[field::TachoCorrection] = 250; // +150 %
    window.refresh();
    EXPECT_EQ(field(QStringLiteral("EditRpmKorekce"))->value(), 60);
    window.UpDownClick();
    EXPECT_EQ(image()[field::TachoCorrection], 160);
}

TEST_F(BindingTest, CheckBoxesApplyOnMouseReleaseOnly)
{
    auto *tps = named<MouseUpCheckBox>(QStringLiteral("CheckBoxTpsMapa"));
    c().frame.PageControl1->setCurrentWidget(c().frame.TabSheetAdvance);
    tps->setFocus();
    QTest::keyClick(tps, Qt::Key_Space);
    EXPECT_TRUE(tps->isChecked());
    EXPECT_EQ(image()[field::TpsMapEnable], 0) << "the keyboard does not apply";

    QTest::mouseClick(tps, Qt::LeftButton);
    QTest::mouseClick(tps, Qt::LeftButton);
    EXPECT_EQ(image()[field::TpsMapEnable], 1);
    EXPECT_TRUE(named(QStringLiteral("Edit50"))->isVisible());
}

TEST_F(BindingTest, RadioGroupsStoreTheirChoiceWithoutReadingBack)
{
    field(QStringLiteral("EditRetard"))->setValue(20); // not applied yet
    c().misc.RadioGroupInput2->item(2)->click();
    EXPECT_EQ(image()[field::Input2Function], 2);
    EXPECT_EQ(image()[field::Retard], 6) << "the other controls are not read back";
    EXPECT_TRUE(field(QStringLiteral("EditClutchTime"))->isEnabled());

    c().powerOut.RadioGroupPOut[1]->item(4)->click();
    EXPECT_EQ(image()[field::PowerOutMode(1)], 4);
}

TEST_F(BindingTest, ChoosingASynchronisationIsUndoneByThePresetUnlessSpecial)
{
    auto *sync = c().bike.ComboBoxSynchro;
    choose(sync, 3);
    EXPECT_EQ(image()[field::SyncMethod], 0);
    EXPECT_EQ(sync->currentIndex(), 0);
}

TEST_F(BindingTest, StepButtonsActOnTheImageWithinTheirBounds)
{
    // "Advance +" with All on cells at 59 and 60 gives 60 and 60.
    image()[field::AdvanceMap(0, 0)] = 59;
    image()[field::AdvanceMap(0, 1)] = 60;
    window.refresh();
    c().advance.CheckBoxIgnAll->setChecked(true);
    c().menu.AdvancePlus->trigger();
    EXPECT_EQ(image()[field::AdvanceMap(0, 0)], 60);
    EXPECT_EQ(image()[field::AdvanceMap(0, 1)], 60);
    EXPECT_EQ(image()[field::AdvanceMap(5, 5)], 31);

    // Without All, below the first map speed (engine stopped), nothing changes.
    tick();
    c().advance.CheckBoxIgnAll->setChecked(false);
    const auto before = image().parameters;
    c().menu.AdvanceMinus->trigger();
    EXPECT_EQ(image().parameters, before);

    // The column step down leaves cells at 0 and lowers the others.
    image()[field::AdvanceMap(3, 4)] = 0;
    window.refresh();
    window.CSpinButtonDownClick(4);
    EXPECT_EQ(image()[field::AdvanceMap(3, 4)], 0);
    EXPECT_EQ(image()[field::AdvanceMap(4, 4)], 31); // 31, one up, one down

    // Servo "+" on a point at 249 (4980 mV) leaves it there.
    image()[field::ServoVoltage(0)] = 249;
    window.refresh();
    window.BitBtnServoPlusClick();
    EXPECT_EQ(image()[field::ServoVoltage(0)], 249);
    EXPECT_EQ(image()[field::ServoVoltage(1)], 105) << "only the operating point moves";
}

TEST_F(BindingTest, ProgrammingAfterChangeStartsWithTheFirstChangeThenEveryStep)
{
    // The first edit after start-up changes the image by itself: validation's second
    // pass spreads the power-output thresholds that the defaults leave at 0.
    window.UpDownClick();
    auto *box = c().frame.monitor.CheckBoxProgHned;
    QTest::mouseClick(box, Qt::LeftButton);
    EXPECT_EQ(window.link().state().TransferMode, Transfer::Idle) << "ticking the box alone programs nothing";

    field(QStringLiteral("EditPocSynchro"))->stepBy(1);
    EXPECT_EQ(window.link().state().TransferMode, Transfer::Program);

    // Let the job finish, then an Enter that changes nothing programs again.
    for (int i = 0; i < 200 && window.link().state().TransferMode != Transfer::Idle; ++i)
        tick();
    ASSERT_EQ(window.link().state().TransferMode, Transfer::Idle);
    auto *revolutions = field(QStringLiteral("EditPocSynchro"));
    revolutions->setFocus();
    QTest::keyClick(revolutions, Qt::Key_Return);
    EXPECT_EQ(window.link().state().TransferMode, Transfer::Program);
}

} // namespace

// A read, a file and New each leave the editor holding exactly what its controls
// read back, so the first edit after them changes only what the tuner changed: a
// unit's pilot-light cells, a flag of 5, a map cell of 90 or a compensation are
// settled when they come in (a read counts them as corrected), not by that edit.
TEST_F(BindingTest, WhatEntersTheEditorIsWhatItsControlsReadBack)
{
    std::mt19937 random(16);
    std::uniform_int_distribution<int> byte(0, 255);
    const auto wildArea = [&] {
        ParameterArea area;
        for (auto &b : area)
            b = static_cast<std::uint8_t>(byte(random));
        // Outputs in the modes that fix their cells, with other cells stored.
        area[field::PowerOutMode(1)] = powerout::PilotLight;
        area[field::PowerOutMode(2)] = powerout::PowerJet;
        return area;
    };
    const auto readBackChangesNothing = [&](const char *how) {
        const UnitImage entered = image();
        window.session().takeControls(); // read back, then validation, which a settled image passes
        EXPECT_EQ(image(), entered) << how;
        image() = entered;
    };
    tick(20);
    for (int round = 0; round < 4; ++round) {
        SCOPED_TRACE(round);
        // A read.
        unit.memory() = wildArea();
        c().frame.toolBar.ButtonRead->click();
        for (int i = 0; i < 100 && window.link().state().TransferMode != Transfer::Idle; ++i)
            tick();
        ASSERT_EQ(window.link().state().lastJobEnd, JobEnd::Verified);
        int differing = 0;
        for (std::size_t i = 0; i < ParameterSize; ++i)
            differing += image().parameters[i] != unit.memory()[i];
        EXPECT_EQ(window.link().state().correctedValues, differing) << "every value the editor holds otherwise";
        readBackChangesNothing("after a read");

        // The first edit after it: one cell, typed.
        const UnitImage before = image();
        const auto cell = static_cast<std::uint8_t>(before[field::AdvanceMap(2, 3)] == 17 ? 18 : 17);
        c().frame.PageControl1->setCurrentWidget(c().frame.TabSheetAdvance);
        typeAndEnter(field(QStringLiteral("Edit73")), std::to_string(cell).c_str());
        UnitImage expected = before;
        expected[field::AdvanceMap(2, 3)] = cell;
        EXPECT_EQ(image(), expected) << "the edit changed more than the cell";

        // A file written from a wild image, not validated.
        UnitImage wild = image();
        wild.parameters = wildArea();
        const QString path = QDir(settingsFolder.path()).filePath(QStringLiteral("wild.ign"));
        {
            std::ofstream out(path.toStdString(), std::ios::binary);
            writeParameterFile(out, wild);
        }
        dialogs.openName = path;
        window.MenuOpenClick();
        ASSERT_EQ(window.currentFileName(), path);
        readBackChangesNothing("after opening a file");
    }
    window.MenuNewClick();
    readBackChangesNothing("after New");
}

TEST_F(BindingTest, EveryFieldIsBoundToTheControlThatEditsIt)
{
    // Written out from the window's controls, not from the names the binding
    // looks for, so a control found under a wrong or repeated name shows here.
    const auto &misc = c().misc;
    const auto &bike = c().bike;
    const auto &adv = c().advance;
    const auto &servo = c().servo;
    const auto &po = c().powerOut;
    std::map<int, QWidget *> expected{
        {field::BikeType, bike.ComboBoxBike},
        {field::SyncMethod, bike.ComboBoxSynchro},
        {field::LobeCount, bike.EditPocPalcu},
        {field::ChannelCount, bike.EditPocKanalu},
        {field::IgnitionsPerRev, bike.ComboBoxNasobekPalcu},
        {field::Input1Function, misc.RadioGroupInput1},
        {field::Input2Function, misc.RadioGroupInput2},
        {field::PickupInvert1, bike.CheckBoxInvInput1},
        {field::PickupInvert2, bike.CheckBoxInvInput2},
        {field::BaseAdvance, adv.EditBaseAdv},
        {field::StartRevolutions, misc.EditPocSynchro},
        {field::TachoPulses, bike.EditRpmPulsu},
        {field::TachoCorrection, bike.EditRpmKorekce},
        {field::StartLimiter, misc.EditOmez1},
        {field::Limiter, misc.EditOmez2},
        {field::ServoEnable, servo.CheckBoxPrivEnable},
        {field::ServoHysteresis, servo.EditPrivHyster},
        {field::AdvanceCorrection1, adv.EditKorekceAdv1},
        {field::AdvanceCorrection2, adv.EditKorekceAdv2},
        {field::Tps0Voltage, misc.EditTps0},
        {field::Tps100Voltage, misc.EditTps100},
        {field::TpsMapEnable, adv.CheckBoxTpsMapa},
        {field::Compensation1, bike.EditKompenz1},
        {field::Compensation2, bike.EditKompenz2},
        {field::Retard, misc.EditRetard},
        {field::ClutchTime, misc.EditClutchTime},
        {field::ClutchPause, misc.EditClutchPause},
    };
    for (int ch = 0; ch < field::ChannelCountMax; ++ch) {
        const auto &g = bike.channel[static_cast<std::size_t>(ch)];
        expected[field::MaxAdvLobe(ch)] = g.EditPalecZac;
        expected[field::StartAdvLobe(ch)] = g.EditPalecEnd;
        expected[field::MaxAdvEdge2(ch)] = g.CheckBoxPalecZacH2;
        expected[field::StartAdvEdge2(ch)] = g.CheckBoxPalecEndH2;
        expected[field::MaxAdvPickup2(ch)] = g.CheckBoxPalecZacP2;
        expected[field::StartAdvPickup2(ch)] = g.CheckBoxPalecEndP2;
    }
    for (std::size_t i = 0; i < Points; ++i) {
        const int ii = static_cast<int>(i);
        expected[field::AdvanceRpm(ii)] = adv.EditRpmAdv[i];
        expected[field::ServoRpm(ii)] = servo.EditRpmPriv[i];
        expected[field::ServoVoltage(ii)] = servo.EditNapPriv[i];
        for (std::size_t col = 0; col < Points; ++col)
            expected[field::AdvanceMap(ii, static_cast<int>(col))] = adv.EditCell[i][col];
    }
    for (std::size_t o = 0; o < Outputs; ++o) {
        const int oo = static_cast<int>(o);
        expected[field::PowerOutMode(oo)] = po.RadioGroupPOut[o];
        for (std::size_t k = 0; k < field::PowerOutRpmThresholds; ++k)
            expected[field::PowerOutRpm(oo, static_cast<int>(k))] = po.EditPOutRpm[o][k];
        for (std::size_t k = 0; k < field::PowerOutTpsThresholds; ++k)
            expected[field::PowerOutTps(oo, static_cast<int>(k))] = po.EditPOutTps[o][k];
        for (std::size_t r = 0; r < field::PowerOutRows; ++r)
            expected[field::PowerOutCells(oo, static_cast<int>(r))] = po.CheckBoxPOut[o][r][0];
    }

    const ControlBinding &binding = window.binding();
    ASSERT_EQ(binding.bound().size(), expected.size());
    for (const auto &[offset, control] : expected) {
        ASSERT_NE(control, nullptr) << offset;
        EXPECT_EQ(binding.controlAt(offset), control) << fieldName(*fieldAt(offset));
    }
    for (int offset = 0; offset < ParameterSize; ++offset)
        if (!expected.contains(offset)) {
            EXPECT_EQ(binding.controlAt(offset), nullptr) << offset;
        }
}
