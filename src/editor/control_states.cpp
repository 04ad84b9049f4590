#include "editor/control_states.h"
#include "editor/widgets/bar_gauge.h"

#include "editor/colours.h"
#include "editor/controls.h"
#include "editor/widgets/arrow_pair.h"
#include "editor/widgets/mouse_up_check_box.h"
#include "editor/widgets/numeric_field.h"
#include "editor/widgets/radio_group.h"
#include "model/conversions.h"
#include "model/field_table.h"
#include "model/fields.h"
#include "model/unit_image.h"
#include "model/validate.h"

#include "editor/widgets/drop_down_list.h"
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QWidget>

#include <initializer_list>

namespace talviro6 {
namespace {

/// The inputs of the rules, evaluated once per run.
struct Conditions {
    bool tpsMap;
    bool special;
    bool syncZero;
    bool secondPickupControls; ///< SecondPickup or SyncZero: the second pick-up is in use
    bool printing;
    bool testMode;
    bool killSwitch;
    bool blocking;
    bool clutchIn;
    bool retardIn;
    bool startLimIn;
};

Conditions evaluate(const Controls &c, const UnitImage &image, const ControlStateInputs &in)
{
    const int input1 = image[field::Input1Function];
    const int input2 = image[field::Input2Function];
    // Before the pages are built (the start) the image decides: nothing has been
    // chosen in them yet. After, the items of the lists and the check box do.
    const auto shownItem = [&image](int offset) { return toShown(*fieldAt(offset), image[offset]); };
    const int syncItem = built(c.bike) ? c.bike.ComboBoxSynchro->currentIndex() : shownItem(field::SyncMethod);
    const int bikeItem = built(c.bike) ? c.bike.ComboBoxBike->currentIndex() : shownItem(field::BikeType);
    auto either = [&](int function) { return input1 == function || input2 == function; };
    // The items of the list decide here, not the image: a refresh has made them agree.
    return Conditions{
        .tpsMap = built(c.advance) ? c.advance.CheckBoxTpsMapa->isChecked() : shownItem(field::TpsMapEnable) != 0,
        .special = bikeItem == convert::BikeCodeToItem[bike::Special],
        .syncZero = syncItem == sync::OneLobe,
        .secondPickupControls = usesSecondPickup(syncItem),
        .printing = in.printMode,
        .testMode = in.testEnable,
        .killSwitch = input1 == input::KillSwitch,
        .blocking = input2 == input::Blocking,
        .clutchIn = either(input::ClutchMaster),
        .retardIn = either(input::Retard),
        .startLimIn = either(input::StartLimiter),
    };
}

void visible(std::initializer_list<QWidget *> widgets, bool on)
{
    for (auto *w : widgets)
        w->setVisible(on);
}

void enabled(std::initializer_list<QWidget *> widgets, bool on)
{
    for (auto *w : widgets)
        w->setEnabled(on);
}

void spinners(std::initializer_list<NumericField *> fields, bool on)
{
    for (auto *f : fields)
        f->setSpinnerVisible(on);
}

/// Background colour by palette, touched only when it differs.
void background(QWidget *w, const QColor &colour)
{
    if (w->palette().color(QPalette::Window) == colour)
        return;
    QPalette palette = w->palette();
    palette.setColor(QPalette::Window, colour);
    w->setPalette(palette);
}

void setTextIfChanged(QLabel *label, const QString &text)
{
    if (label->text() != text)
        label->setText(text);
}

void windowAndLiveDisplay(Controls &c, QWidget *window, const UnitImage &image, const Conditions &k)
{
    auto &m = c.frame.monitor;
    const QColor face = QPalette().color(QPalette::Button);
    window->setAutoFillBackground(true);
    background(window, k.printing ? QColor(Qt::white) : face);
    setStatusBackground(m.CheckBoxProgHned, m.CheckBoxProgHned->isChecked() ? Colour::Red : Colour::Face);

    visible({m.CheckBoxProgHned, c.frame.StatusBar1, c.frame.toolBar.GroupBoxToolBar, m.CGaugeRpm, m.LabelMonSnimac1},
            !k.printing);
    if (built(c.bike))
        c.bike.LabelPocetProgramovani->setVisible(!k.printing);
    m.CGaugeTps->setVisible(k.tpsMap && !k.printing);
    visible({m.LabelPriveraPoz, m.LabelPriveraMer}, image[field::ServoEnable] != 0);

    bool someSpecialOutput = false;
    for (int o = 0; o < field::PowerOutputs; ++o)
        someSpecialOutput = someSpecialOutput || image[field::PowerOutMode(o)] == powerout::Special;
    m.LabelTpsMon->setEnabled(k.tpsMap || someSpecialOutput);

    const bool corrected = image[field::AdvanceCorrection1] != convert::SignedOffset ||
                           image[field::AdvanceCorrection2] != convert::SignedOffset;
    m.LabelAdvance2->setVisible(image[field::ChannelCount] >= 2 &&
                                (image[field::BikeType] == bike::Special || corrected));
    m.LabelMonSnimac2->setVisible(usesSecondPickup(image[field::SyncMethod]));

    m.LabelKillSwitch->setEnabled(k.killSwitch);
    m.LabelBlocking1->setEnabled(k.blocking);
    m.LabelClutchMon->setEnabled(k.clutchIn);
    m.LabelMonRetard->setEnabled(k.retardIn);
    m.LabelMonStartLimiterOut->setEnabled(k.startLimIn);
    for (std::size_t o = 0; o < Outputs; ++o)
        m.LabelMonPOut[o]->setEnabled(image[field::PowerOutMode(static_cast<int>(o))] != 0);
}

void miscPage(MiscPage &p, const Conditions &k)
{
    spinners({p.EditOmez2, p.EditTps0, p.EditTps100}, !k.printing);
    visible({p.BitBtnTps0, p.BitBtnTps100}, !k.printing);
    enabled({p.EditOmez1, p.LabelOmez1}, k.startLimIn);
    p.EditOmez1->setSpinnerVisible(k.startLimIn && !k.printing);
    enabled({p.EditRetard, p.LabelRetard}, k.retardIn);
    p.EditRetard->setSpinnerVisible(k.retardIn && !k.printing);
    enabled({p.EditClutchTime, p.LabelClutchTime, p.EditClutchPause, p.LabelClutchPause}, k.clutchIn);
    spinners({p.EditClutchTime, p.EditClutchPause}, k.clutchIn && !k.printing);
}

void bikePage(BikePage &p, const UnitImage &image, const Conditions &k, const ControlStateInputs &in)
{
    setTextIfChanged(p.LabelVerze1, in.unitName);
    setTextIfChanged(p.LabelVerze2, in.unitDate);
    setTextIfChanged(p.LabelVerze3, in.unitTime);

    auto &ch1 = p.channel[0];
    auto &ch2 = p.channel[1];
    enabled({p.GroupBoxSpecial, ch1.GroupBoxPalec, ch2.GroupBoxPalec, p.ComboBoxSynchro, p.ComboBoxNasobekPalcu,
             p.EditPocKanalu, p.EditKompenz1, p.EditKompenz2, p.LabelSynchro, p.LabelPocPalcu, p.LabelPocKanalu,
             p.LabelLobe, p.LabelHrana2, p.LabelSnimac2, p.LabelKompenz},
            k.special);
    for (auto *ch : {&ch1, &ch2})
        enabled({ch->CheckBoxPalecZacH2, ch->CheckBoxPalecZacP2, ch->CheckBoxPalecEndH2, ch->CheckBoxPalecEndP2,
                 ch->LabelPalecZac, ch->LabelPalecEnd},
                k.special);

    const bool lobesEditable = k.special && !k.syncZero;
    enabled({p.EditPocPalcu, ch1.EditPalecZac, ch1.EditPalecEnd, ch2.EditPalecZac, ch2.EditPalecEnd}, lobesEditable);
    spinners({p.EditPocPalcu, ch1.EditPalecZac, ch1.EditPalecEnd, ch2.EditPalecZac, ch2.EditPalecEnd}, lobesEditable);
    p.EditPocKanalu->setSpinnerVisible(k.special);

    visible({p.EditKompenz1, p.EditKompenz2, p.LabelKompenz}, k.testMode);
    spinners({p.EditKompenz1, p.EditKompenz2}, k.testMode);

    visible({p.CheckBoxInvInput2, ch1.CheckBoxPalecZacP2, ch1.CheckBoxPalecEndP2, ch2.CheckBoxPalecZacP2,
             ch2.CheckBoxPalecEndP2},
            k.secondPickupControls);
    ch2.GroupBoxPalec->setVisible(image[field::ChannelCount] >= 2);
}

void advancePage(AdvancePage &p, const Conditions &k)
{
    // The throttle-map box is a parameter and goes on paper; the others only work the map.
    visible({p.CSpinButtonAll, p.CheckBoxIgnAll}, !k.printing);
    p.EditBaseAdv->setSpinnerVisible(!k.printing);
    for (std::size_t c = 0; c < Points; ++c) {
        p.EditRpmAdv[c]->setSpinnerVisible(!k.printing);
        p.CSpinButton[c]->setVisible(k.tpsMap && !k.printing);
    }
    for (std::size_t r = 0; r < Points; ++r) {
        p.LabelTps[r]->setVisible(k.tpsMap);
        const bool lastRow = r + 1 == Points;
        for (auto *cell : p.EditCell[r]) {
            if (lastRow) {
                cell->setSpinnerVisible(!k.printing);
                cell->place(cell->x(), mapRowY(k.tpsMap ? static_cast<int>(r) : 0));
            } else {
                cell->setVisible(k.tpsMap);
                cell->setSpinnerVisible(k.tpsMap && !k.printing);
            }
        }
    }
}

void servoPage(ServoPage &p, const UnitImage &image, const Conditions &k)
{
    p.GroupBoxPrivera->setVisible(image[field::ServoEnable] != 0);
    p.EditPrivHyster->setSpinnerVisible(!k.printing);
    visible({p.BitBtnServoMinus, p.BitBtnServoPlus, p.CheckBoxServoAll}, !k.printing);
    for (std::size_t i = 0; i < Points; ++i) {
        p.EditRpmPriv[i]->setSpinnerVisible(!k.printing);
        p.EditNapPriv[i]->setSpinnerVisible(!k.printing);
    }
}

void powerOutPage(PowerOutPage &p, const UnitImage &image)
{
    for (std::size_t n = 0; n < Outputs; ++n) {
        const int m = image[field::PowerOutMode(static_cast<int>(n))];
        p.GroupBoxPOut[n]->setVisible(m >= 2);
        p.LabelPOutTps[n]->setVisible(m >= 3);
        const int rpmVisibleFrom[field::PowerOutRpmThresholds] = {0, 3, 4};
        for (std::size_t k = 0; k < field::PowerOutRpmThresholds; ++k) {
            const bool on = m >= rpmVisibleFrom[k];
            p.EditPOutRpm[n][k]->setVisible(on);
            p.BevelPOutRpm[n][k]->setVisible(on);
        }
        const int tpsVisibleFrom[field::PowerOutTpsThresholds] = {3, 4};
        for (std::size_t k = 0; k < field::PowerOutTpsThresholds; ++k) {
            const bool on = m >= tpsVisibleFrom[k];
            p.EditPOutTps[n][k]->setVisible(on);
            p.BevelPOutTps[n][k]->setVisible(on);
        }
        for (std::size_t r = 0; r < field::PowerOutRows; ++r) {
            for (std::size_t col = 0; col < field::PowerOutColumns; ++col) {
                auto *cell = p.CheckBoxPOut[n][r][col];
                // The grid grows with the mode: 2 x 1 cells, then 3 x 2, then all 4 x 3.
                int from = 4;
                if (r == 0 && col < 2)
                    from = 2;
                else if (r < 2 && col < 3)
                    from = 3;
                cell->setVisible(m >= from);
                cell->setEnabled(m >= 4);
                if (const auto fixed = fixedPowerOutCells(static_cast<std::uint8_t>(m), static_cast<int>(r)))
                    cell->setChecked((*fixed >> col) & 1);
            }
        }
    }
}

} // namespace

int mapRowY(int row)
{
    return 69 + 33 * row;
}

void updateControlStates(Controls &c, QWidget *window, const UnitImage &image, const ControlStateInputs &in)
{
    const Conditions k = evaluate(c, image, in);
    windowAndLiveDisplay(c, window, image, k);
    if (built(c.misc))
        miscPage(c.misc, k);
    if (built(c.bike))
        bikePage(c.bike, image, k, in);
    if (built(c.advance))
        advancePage(c.advance, k);
    if (built(c.servo))
        servoPage(c.servo, image, k);
    if (built(c.powerOut))
        powerOutPage(c.powerOut, image);
}

} // namespace talviro6
