#include "editor/binding.h"

#include "editor/controls.h"
#include "editor/widgets/drop_down_list.h"
#include "editor/widgets/mouse_up_check_box.h"
#include "editor/widgets/numeric_field.h"
#include "editor/widgets/radio_group.h"
#include "model/conversions.h"
#include "model/fields.h"
#include "model/unit_image.h"

namespace talviro6 {
namespace {

using namespace convert;

std::uint8_t byte(int value)
{
    return static_cast<std::uint8_t>(value);
}

std::uint8_t scaled(NumericField *f, int scale)
{
    return scaledToStored(f->appliedValue(), scale);
}

std::uint8_t flag(const QCheckBox *box)
{
    return box->isChecked() ? 1 : 0;
}

/// A radio group with no option selected leaves the field as it is.
void readItem(const RadioGroup *group, std::uint8_t &field)
{
    if (group->itemIndex() >= 0)
        field = byte(group->itemIndex());
}

void showFlag(QCheckBox *box, std::uint8_t stored)
{
    box->setChecked(stored != 0); // setting from code fires no mouse handler
}

} // namespace

void readBackControls(const Controls &c, UnitImage &image, bool testEnable)
{
    const auto &misc = c.misc;
    const auto &bike = c.bike;
    const auto &adv = c.advance;
    const auto &servo = c.servo;

    if (const auto code = bikeItemToStored(bike.ComboBoxBike->currentIndex()))
        image[field::BikeType] = *code;
    if (bike.ComboBoxSynchro->currentIndex() >= 0)
        image[field::SyncMethod] = byte(bike.ComboBoxSynchro->currentIndex());
    image[field::LobeCount] = byte(bike.EditPocPalcu->appliedValue());
    image[field::ChannelCount] = byte(bike.EditPocKanalu->appliedValue());
    if (bike.ComboBoxNasobekPalcu->currentIndex() >= 0)
        image[field::IgnitionsPerRev] = ignitionsItemToStored(bike.ComboBoxNasobekPalcu->currentIndex());
    readItem(misc.RadioGroupInput1, image[field::Input1Function]);
    readItem(misc.RadioGroupInput2, image[field::Input2Function]);
    image[field::PickupInvert1] = flag(bike.CheckBoxInvInput1);
    image[field::PickupInvert2] = flag(bike.CheckBoxInvInput2);
    image[field::BaseAdvance] = byte(adv.EditBaseAdv->appliedValue());
    image[field::StartRevolutions] = byte(misc.EditPocSynchro->appliedValue());
    image[field::TachoPulses] = byte(bike.EditRpmPulsu->appliedValue());
    image[field::TachoCorrection] = offsetToStored(bike.EditRpmKorekce->appliedValue());
    image[field::StartLimiter] = scaled(misc.EditOmez1, RpmScale);
    image[field::Limiter] = scaled(misc.EditOmez2, RpmScale);
    image[field::ServoEnable] = flag(servo.CheckBoxPrivEnable);
    image[field::ServoHysteresis] = scaled(servo.EditPrivHyster, HysteresisScale);
    image[field::AdvanceCorrection1] = offsetToStored(adv.EditKorekceAdv1->appliedValue());
    image[field::AdvanceCorrection2] = offsetToStored(adv.EditKorekceAdv2->appliedValue());
    image[field::Tps0Voltage] = scaled(misc.EditTps0, TpsVoltageScale);
    image[field::Tps100Voltage] = tps100ToStored(misc.EditTps100->appliedValue());
    image[field::TpsMapEnable] = flag(adv.CheckBoxTpsMapa);
    image[field::Compensation1] = byte(testEnable ? bike.EditKompenz1->appliedValue() : FixedCompensation);
    image[field::Compensation2] = byte(testEnable ? bike.EditKompenz2->appliedValue() : FixedCompensation);
    image[field::Retard] = byte(misc.EditRetard->appliedValue());
    image[field::ClutchTime] = scaled(misc.EditClutchTime, ClutchScale);
    image[field::ClutchPause] = scaled(misc.EditClutchPause, ClutchScale);

    for (int ch = 0; ch < field::ChannelCountMax; ++ch) {
        const auto &g = bike.channel[static_cast<std::size_t>(ch)];
        image[field::MaxAdvLobe(ch)] = byte(g.EditPalecZac->appliedValue());
        image[field::StartAdvLobe(ch)] = byte(g.EditPalecEnd->appliedValue());
        image[field::MaxAdvEdge2(ch)] = flag(g.CheckBoxPalecZacH2);
        image[field::StartAdvEdge2(ch)] = flag(g.CheckBoxPalecEndH2);
        image[field::MaxAdvPickup2(ch)] = flag(g.CheckBoxPalecZacP2);
        image[field::StartAdvPickup2(ch)] = flag(g.CheckBoxPalecEndP2);
    }

    for (std::size_t i = 0; i < Points; ++i) {
        const int ii = static_cast<int>(i);
        image[field::AdvanceRpm(ii)] = scaled(adv.EditRpmAdv[i], RpmScale);
        image[field::ServoRpm(ii)] = scaled(servo.EditRpmPriv[i], RpmScale);
        image[field::ServoVoltage(ii)] = scaled(servo.EditNapPriv[i], ServoVoltageScale);
    }
    for (std::size_t r = 0; r < Points; ++r)
        for (std::size_t col = 0; col < Points; ++col)
            image[field::AdvanceMap(static_cast<int>(r), static_cast<int>(col))] =
                byte(adv.EditCell[r][col]->appliedValue());

    const auto &po = c.powerOut;
    for (std::size_t o = 0; o < Outputs; ++o) {
        const int oo = static_cast<int>(o);
        readItem(po.RadioGroupPOut[o], image[field::PowerOutMode(oo)]);
        for (std::size_t k = 0; k < field::PowerOutRpmThresholds; ++k)
            image[field::PowerOutRpm(oo, static_cast<int>(k))] = scaled(po.EditPOutRpm[o][k], RpmScale);
        for (std::size_t k = 0; k < field::PowerOutTpsThresholds; ++k)
            image[field::PowerOutTps(oo, static_cast<int>(k))] = byte(po.EditPOutTps[o][k]->appliedValue());
        for (std::size_t r = 0; r < field::PowerOutRows; ++r) {
            std::array<bool, field::PowerOutColumns> ticked{};
            for (std::size_t col = 0; col < ticked.size(); ++col)
                ticked[col] = po.CheckBoxPOut[o][r][col]->isChecked();
            image[field::PowerOutCells(oo, static_cast<int>(r))] = cellsToStored(ticked);
        }
    }
}

void refreshControls(Controls &c, const UnitImage &image)
{
    auto &misc = c.misc;
    auto &bike = c.bike;
    auto &adv = c.advance;
    auto &servo = c.servo;

    if (const auto item = bikeStoredToItem(image[field::BikeType]))
        bike.ComboBoxBike->showIndex(*item);
    bike.ComboBoxSynchro->showIndex(image[field::SyncMethod]);
    bike.EditPocPalcu->showValue(image[field::LobeCount]);
    bike.EditPocKanalu->showValue(image[field::ChannelCount]);
    bike.ComboBoxNasobekPalcu->showIndex(ignitionsStoredToItem(image[field::IgnitionsPerRev]));
    misc.RadioGroupInput1->setItemIndex(image[field::Input1Function]);
    misc.RadioGroupInput2->setItemIndex(image[field::Input2Function]);
    showFlag(bike.CheckBoxInvInput1, image[field::PickupInvert1]);
    showFlag(bike.CheckBoxInvInput2, image[field::PickupInvert2]);
    adv.EditBaseAdv->showValue(image[field::BaseAdvance]);
    misc.EditPocSynchro->showValue(image[field::StartRevolutions]);
    bike.EditRpmPulsu->showValue(image[field::TachoPulses]);
    bike.EditRpmKorekce->showValue(offsetToShown(image[field::TachoCorrection]));
    misc.EditOmez1->showValue(scaledToShown(image[field::StartLimiter], RpmScale));
    misc.EditOmez2->showValue(scaledToShown(image[field::Limiter], RpmScale));
    showFlag(servo.CheckBoxPrivEnable, image[field::ServoEnable]);
    servo.EditPrivHyster->showValue(scaledToShown(image[field::ServoHysteresis], HysteresisScale));
    adv.EditKorekceAdv1->showValue(offsetToShown(image[field::AdvanceCorrection1]));
    adv.EditKorekceAdv2->showValue(offsetToShown(image[field::AdvanceCorrection2]));
    misc.EditTps0->showValue(scaledToShown(image[field::Tps0Voltage], TpsVoltageScale));
    misc.EditTps100->showValue(tps100ToShown(image[field::Tps100Voltage]));
    showFlag(adv.CheckBoxTpsMapa, image[field::TpsMapEnable]);
    bike.EditKompenz1->showValue(image[field::Compensation1]);
    bike.EditKompenz2->showValue(image[field::Compensation2]);
    misc.EditRetard->showValue(image[field::Retard]);
    misc.EditClutchTime->showValue(scaledToShown(image[field::ClutchTime], ClutchScale));
    misc.EditClutchPause->showValue(scaledToShown(image[field::ClutchPause], ClutchScale));

    for (int ch = 0; ch < field::ChannelCountMax; ++ch) {
        auto &g = bike.channel[static_cast<std::size_t>(ch)];
        g.EditPalecZac->showValue(image[field::MaxAdvLobe(ch)]);
        g.EditPalecEnd->showValue(image[field::StartAdvLobe(ch)]);
        showFlag(g.CheckBoxPalecZacH2, image[field::MaxAdvEdge2(ch)]);
        showFlag(g.CheckBoxPalecEndH2, image[field::StartAdvEdge2(ch)]);
        showFlag(g.CheckBoxPalecZacP2, image[field::MaxAdvPickup2(ch)]);
        showFlag(g.CheckBoxPalecEndP2, image[field::StartAdvPickup2(ch)]);
    }

    for (std::size_t i = 0; i < Points; ++i) {
        const int ii = static_cast<int>(i);
        adv.EditRpmAdv[i]->showValue(scaledToShown(image[field::AdvanceRpm(ii)], RpmScale));
        servo.EditRpmPriv[i]->showValue(scaledToShown(image[field::ServoRpm(ii)], RpmScale));
        servo.EditNapPriv[i]->showValue(scaledToShown(image[field::ServoVoltage(ii)], ServoVoltageScale));
    }
    for (std::size_t r = 0; r < Points; ++r)
        for (std::size_t col = 0; col < Points; ++col)
            adv.EditCell[r][col]->showValue(image[field::AdvanceMap(static_cast<int>(r), static_cast<int>(col))]);

    auto &po = c.powerOut;
    for (std::size_t o = 0; o < Outputs; ++o) {
        const int oo = static_cast<int>(o);
        po.RadioGroupPOut[o]->setItemIndex(image[field::PowerOutMode(oo)]);
        for (std::size_t k = 0; k < field::PowerOutRpmThresholds; ++k)
            po.EditPOutRpm[o][k]->showValue(
                scaledToShown(image[field::PowerOutRpm(oo, static_cast<int>(k))], RpmScale));
        for (std::size_t k = 0; k < field::PowerOutTpsThresholds; ++k)
            po.EditPOutTps[o][k]->showValue(image[field::PowerOutTps(oo, static_cast<int>(k))]);
        for (std::size_t r = 0; r < field::PowerOutRows; ++r) {
            const std::uint8_t cells = image[field::PowerOutCells(oo, static_cast<int>(r))];
            for (std::size_t col = 0; col < field::PowerOutColumns; ++col)
                showFlag(po.CheckBoxPOut[o][r][col], cellIsSet(cells, static_cast<int>(col)));
        }
    }
}

} // namespace talviro6
