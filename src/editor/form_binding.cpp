#include "editor/form_hlav.h"

#include "editor/binding.h"
#include "editor/widgets/mouse_up_check_box.h"
#include "editor/widgets/numeric_field.h"
#include "model/conversions.h"
#include "model/defaults.h"
#include "model/fields.h"

#include "editor/widgets/drop_down_list.h"
#include <QCheckBox>

// The edit path of the window: every handler ends in the after-edit step, so the
// controls always show the validated image.

namespace talviro6 {

void FormHlav::readBack()
{
    m_binding->readBack(m_image, m_testEnable);
    updateControlStates();
}

void FormHlav::refresh()
{
    m_binding->refresh(m_image);
    updateControlStates();
    updateUnitState();
    refreshCharts();
}

void FormHlav::afterEditStep()
{
    validateImage();
    refresh();
    historyStep();
}

void FormHlav::UpDownClick()
{
    readBack();
    afterEditStep();
}

void FormHlav::EditExit()
{
    readBack();
    afterEditStep();
}

void FormHlav::FormKeyPress(NumericField *)
{
    focusNextChild();
    readBack();
    afterEditStep();
}

void FormHlav::CheckBoxMouseUp()
{
    readBack();
    updateControlStates();
    afterEditStep();
}

void FormHlav::RadioGroupInput1Click(int item)
{
    m_image[field::Input1Function] = static_cast<std::uint8_t>(item);
    historyStep();
    updateControlStates();
}

void FormHlav::RadioGroupInput2Click(int item)
{
    m_image[field::Input2Function] = static_cast<std::uint8_t>(item);
    historyStep();
    updateControlStates();
}

void FormHlav::RadioGroupPOutClick(int output, int item)
{
    m_image[field::PowerOutMode(output)] = static_cast<std::uint8_t>(item);
    historyStep();
    updateControlStates();
}

void FormHlav::ComboBoxBikeChange()
{
    if (const auto code = convert::bikeItemToStored(m_c.bike.ComboBoxBike->currentIndex()))
        m_image[field::BikeType] = *code;
    if (m_c.bike.ComboBoxSynchro->currentIndex() >= 0)
        m_image[field::SyncMethod] = static_cast<std::uint8_t>(m_c.bike.ComboBoxSynchro->currentIndex());
    newParameterSet(m_image, NewSetCause::ComboChange);
    refresh();
    afterEditStep();
}

void FormHlav::stepServo(Step step)
{
    readBack();
    stepServoVoltage(m_image, step, m_c.servo.CheckBoxServoAll->isChecked(),
                     m_link.state().operatingPoint.OperatingServoPoint);
    afterEditStep();
}

void FormHlav::BitBtnServoMinusClick()
{
    stepServo(Step::Down);
}

void FormHlav::BitBtnServoPlusClick()
{
    stepServo(Step::Up);
}

void FormHlav::BitBtnTps0Click()
{
    if (captureTps0(m_image, m_link.state().TpsMillivolts))
        afterEditStep();
}

void FormHlav::BitBtnTps100Click()
{
    if (captureTps100(m_image, m_link.state().TpsMillivolts))
        afterEditStep();
}

void FormHlav::stepColumn(int column, Step step)
{
    readBack();
    stepMapColumn(m_image, column, step);
    afterEditStep();
}

void FormHlav::CSpinButtonDownClick(int column)
{
    stepColumn(column, Step::Down);
}

void FormHlav::CSpinButtonUpClick(int column)
{
    stepColumn(column, Step::Up);
}

void FormHlav::stepAdvance(Step step)
{
    readBack();
    validateImage();
    talviro6::stepAdvance(m_image, step, m_c.advance.CheckBoxIgnAll->isChecked(), operatingCell());
    validateImage();
    afterEditStep();
}

std::optional<MapCell> FormHlav::operatingCell() const
{
    const OperatingPoint &p = m_link.state().operatingPoint;
    if (p.BelowSpeedRange)
        return std::nullopt;
    return MapCell{p.OperatingRow, p.OperatingColumn};
}

void FormHlav::CSpinButtonAllDownClick()
{
    stepAdvance(Step::Down);
}

void FormHlav::CSpinButtonAllUpClick()
{
    stepAdvance(Step::Up);
}

} // namespace talviro6
