#include "editor/binding.h"

#include "editor/controls.h"
#include "editor/widgets/drop_down_list.h"
#include "editor/widgets/mouse_up_check_box.h"
#include "editor/widgets/numeric_field.h"
#include "editor/widgets/radio_group.h"
#include "model/field_table.h"
#include "model/fields.h"
#include "model/unit_image.h"

#include <map>
#include <optional>
#include <stdexcept>

namespace talviro6 {
namespace {

/// Which control edits which field: the only list of its kind.
std::map<int, BoundWidget> controlsByOffset(const Controls &c)
{
    const auto &misc = c.misc;
    const auto &bike = c.bike;
    const auto &adv = c.advance;
    const auto &servo = c.servo;
    std::map<int, BoundWidget> m{
        {field::BikeType, bike.ComboBoxBike},
        {field::SyncMethod, bike.ComboBoxSynchro},
        {field::LobeCount, bike.EditPocPalcu},
        {field::ChannelCount, bike.EditPocKanalu},
        {field::IgnitionsPerRev, bike.ComboBoxNasobekPalcu},
        {field::Input1Function, misc.RadioGroupInput1},
        {field::Input2Function, misc.RadioGroupInput2},
        {field::PickupInvert1, static_cast<QCheckBox *>(bike.CheckBoxInvInput1)},
        {field::PickupInvert2, static_cast<QCheckBox *>(bike.CheckBoxInvInput2)},
        {field::BaseAdvance, adv.EditBaseAdv},
        {field::StartRevolutions, misc.EditPocSynchro},
        {field::TachoPulses, bike.EditRpmPulsu},
        {field::TachoCorrection, bike.EditRpmKorekce},
        {field::StartLimiter, misc.EditOmez1},
        {field::Limiter, misc.EditOmez2},
        {field::ServoEnable, static_cast<QCheckBox *>(servo.CheckBoxPrivEnable)},
        {field::ServoHysteresis, servo.EditPrivHyster},
        {field::AdvanceCorrection1, adv.EditKorekceAdv1},
        {field::AdvanceCorrection2, adv.EditKorekceAdv2},
        {field::Tps0Voltage, misc.EditTps0},
        {field::Tps100Voltage, misc.EditTps100},
        {field::TpsMapEnable, static_cast<QCheckBox *>(adv.CheckBoxTpsMapa)},
        {field::Compensation1, bike.EditKompenz1},
        {field::Compensation2, bike.EditKompenz2},
        {field::Retard, misc.EditRetard},
        {field::ClutchTime, misc.EditClutchTime},
        {field::ClutchPause, misc.EditClutchPause},
    };
    for (int ch = 0; ch < field::ChannelCountMax; ++ch) {
        const auto &g = bike.channel[static_cast<std::size_t>(ch)];
        m.emplace(field::MaxAdvLobe(ch), g.EditPalecZac);
        m.emplace(field::StartAdvLobe(ch), g.EditPalecEnd);
        m.emplace(field::MaxAdvEdge2(ch), static_cast<QCheckBox *>(g.CheckBoxPalecZacH2));
        m.emplace(field::StartAdvEdge2(ch), static_cast<QCheckBox *>(g.CheckBoxPalecEndH2));
        m.emplace(field::MaxAdvPickup2(ch), static_cast<QCheckBox *>(g.CheckBoxPalecZacP2));
        m.emplace(field::StartAdvPickup2(ch), static_cast<QCheckBox *>(g.CheckBoxPalecEndP2));
    }
    for (std::size_t i = 0; i < Points; ++i) {
        const int ii = static_cast<int>(i);
        m.emplace(field::AdvanceRpm(ii), adv.EditRpmAdv[i]);
        m.emplace(field::ServoRpm(ii), servo.EditRpmPriv[i]);
        m.emplace(field::ServoVoltage(ii), servo.EditNapPriv[i]);
        for (std::size_t col = 0; col < Points; ++col)
            m.emplace(field::AdvanceMap(ii, static_cast<int>(col)), adv.EditCell[i][col]);
    }
    const auto &po = c.powerOut;
    for (std::size_t o = 0; o < Outputs; ++o) {
        const int oo = static_cast<int>(o);
        m.emplace(field::PowerOutMode(oo), po.RadioGroupPOut[o]);
        for (std::size_t k = 0; k < field::PowerOutRpmThresholds; ++k)
            m.emplace(field::PowerOutRpm(oo, static_cast<int>(k)), po.EditPOutRpm[o][k]);
        for (std::size_t k = 0; k < field::PowerOutTpsThresholds; ++k)
            m.emplace(field::PowerOutTps(oo, static_cast<int>(k)), po.EditPOutTps[o][k]);
        for (std::size_t r = 0; r < field::PowerOutRows; ++r)
            m.emplace(field::PowerOutCells(oo, static_cast<int>(r)), po.CheckBoxPOut[o][r]);
    }
    return m;
}

/// What a control shows, in the field's shown units; empty where nothing is chosen.
struct ShownValue {
    std::optional<int> operator()(NumericField *f) const { return f->appliedValue(); }
    std::optional<int> operator()(DropDownList *list) const { return list->currentIndex(); }
    std::optional<int> operator()(RadioGroup *group) const { return group->itemIndex(); }
    std::optional<int> operator()(QCheckBox *box) const { return box->isChecked() ? 1 : 0; }
    std::optional<int> operator()(const CellRow &row) const
    {
        int bits = 0;
        for (std::size_t k = 0; k < row.size(); ++k)
            if (row[k]->isChecked())
                bits |= 1 << k;
        return bits;
    }
};

/// Shows a value; every setter here is silent, so no handler runs from a refresh.
struct Show {
    int value;
    void operator()(NumericField *f) const { f->showValue(value); }
    void operator()(DropDownList *list) const
    {
        // A code the list does not have shows no item, so that the next read back
        // keeps it: an item left from before would overwrite the unit's code.
        list->showIndex(value);
    }
    void operator()(RadioGroup *group) const { group->setItemIndex(value); }
    void operator()(QCheckBox *box) const { box->setChecked(value != 0); }
    void operator()(const CellRow &row) const
    {
        for (std::size_t k = 0; k < row.size(); ++k)
            row[k]->setChecked((value >> k) & 1);
    }
};

} // namespace

ControlBinding::ControlBinding(const Controls &c)
{
    const auto controls = controlsByOffset(c);
    for (const FieldInfo &f : editableFields()) {
        const auto it = controls.find(f.offset);
        if (it == controls.end())
            throw std::logic_error("no control for the field " + fieldName(f));
        m_bound.push_back({&f, it->second});
    }
}

void ControlBinding::readBack(UnitImage &image, bool testEnable) const
{
    for (const BoundControl &b : m_bound) {
        if (b.field->testOnly && !testEnable) {
            image[b.field->offset] = FixedCompensation;
            continue;
        }
        if (const auto shown = std::visit(ShownValue{}, b.control))
            if (const auto stored = toStored(*b.field, *shown))
                image[b.field->offset] = *stored;
    }
}

void ControlBinding::refresh(const UnitImage &image) const
{
    for (const BoundControl &b : m_bound)
        std::visit(Show{toShown(*b.field, image[b.field->offset])}, b.control);
}

QWidget *ControlBinding::controlAt(int offset) const
{
    for (const BoundControl &b : m_bound)
        if (b.field->offset == offset)
            return std::visit(
                [](const auto &w) -> QWidget * {
                    if constexpr (std::is_same_v<std::decay_t<decltype(w)>, CellRow>)
                        return w[0];
                    else
                        return w;
                },
                b.control);
    return nullptr;
}

} // namespace talviro6
