#include "editor/form_hlav.h"

#include "editor/binding.h"
#include "editor/widgets/mouse_up_check_box.h"
#include "editor/widgets/numeric_field.h"
#include "model/conversions.h"
#include "model/defaults.h"
#include "model/fields.h"

#include "editor/widgets/drop_down_list.h"
#include <QCheckBox>
#include <QTabWidget>

// The edit handlers of the window: each hands its change to the edit session,
// which reads back, validates, has the controls refreshed and takes the history
// step, so the controls always show the validated image.

namespace talviro6 {

void FormHlav::readBack(UnitImage &image) const
{
    m_binding->readBack(image, m_session.testEnable());
}

int FormHlav::pageShown() const
{
    return m_c.frame.PageControl1->currentIndex();
}

void FormHlav::refresh()
{
    m_binding->refresh(m_session.image());
    updateControlStates();
    m_unitState->update();
    refreshCharts();
}

void FormHlav::showEdit(const EditChange &change)
{
    if (change.refresh)
        refresh();
    else
        updateControlStates();
    if (change.page && pageShown() != *change.page)
        m_c.frame.PageControl1->setCurrentIndex(*change.page);
    if (change.historyMoved)
        m_history->refreshButtons();
    if (change.programNow)
        m_history->programNow();
}

namespace {
void noChange(UnitImage &)
{
}
} // namespace

void FormHlav::UpDownClick()
{
    m_session.edit(noChange);
}

void FormHlav::EditExit()
{
    m_session.edit(noChange);
}

void FormHlav::FormKeyPress(NumericField *)
{
    focusNextChild();
    m_session.edit(noChange);
}

void FormHlav::CheckBoxMouseUp()
{
    m_session.edit(noChange);
}

void FormHlav::RadioGroupInput1Click(int item)
{
    m_session.choose(field::Input1Function, static_cast<std::uint8_t>(item));
}

void FormHlav::RadioGroupInput2Click(int item)
{
    m_session.choose(field::Input2Function, static_cast<std::uint8_t>(item));
}

void FormHlav::RadioGroupPOutClick(int output, int item)
{
    m_session.choose(field::PowerOutMode(output), static_cast<std::uint8_t>(item));
}

void FormHlav::ComboBoxBikeChange()
{
    // The other controls are not read back: the type's preset decides them.
    const auto code = convert::bikeItemToStored(m_c.bike.ComboBoxBike->currentIndex());
    const int synchro = m_c.bike.ComboBoxSynchro->currentIndex();
    m_session.edit(
        [&](UnitImage &image) {
            if (code)
                image[field::BikeType] = *code;
            if (synchro >= 0)
                image[field::SyncMethod] = static_cast<std::uint8_t>(synchro);
            newParameterSet(image, NewSetCause::ComboChange);
        },
        EditFrom::Image);
}

void FormHlav::stepServo(Step step)
{
    const bool all = m_c.servo.CheckBoxServoAll->isChecked();
    const int point = m_live.state().operatingPoint.OperatingServoPoint;
    m_session.edit([&](UnitImage &image) { stepServoVoltage(image, step, all, point); });
}

void FormHlav::BitBtnServoMinusClick()
{
    stepServo(Step::Down);
}

void FormHlav::BitBtnServoPlusClick()
{
    stepServo(Step::Up);
}

// A voltage outside the sensor's range does nothing at all: no history step, so no
// programming after change either. Inside it, the image with the voltage taken is
// an edit like any other, without reading the controls back.
void FormHlav::BitBtnTps0Click()
{
    UnitImage captured = m_session.image();
    if (captureTps0(captured, m_live.state().TpsMillivolts))
        m_session.load(captured.parameters, LoadHow::Edit);
}

void FormHlav::BitBtnTps100Click()
{
    UnitImage captured = m_session.image();
    if (captureTps100(captured, m_live.state().TpsMillivolts))
        m_session.load(captured.parameters, LoadHow::Edit);
}

void FormHlav::stepColumn(int column, Step step)
{
    m_session.edit([&](UnitImage &image) { stepMapColumn(image, column, step); });
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
    const bool all = m_c.advance.CheckBoxIgnAll->isChecked();
    const std::optional<MapCell> cell = operatingCell();
    m_session.edit([&](UnitImage &image) {
        // The operating cell is found on the validated map.
        m_session.settle(image);
        talviro6::stepAdvance(image, step, all, cell);
    });
}

std::optional<MapCell> FormHlav::operatingCell() const
{
    const OperatingPoint &p = m_live.state().operatingPoint;
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
