#include "editor/form_hlav.h"

#include "editor/binding.h"
#include "editor/widgets/mouse_up_check_box.h"
#include "editor/widgets/numeric_field.h"
#include "model/fields.h"

#include <QTabWidget>

// What the edit session asks of the window, and the edit handlers, which hand
// each change to the window's edits.

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
    m_riskWarnings->update();
    m_liveWindow->refreshCharts();
}

void FormHlav::showEdit(const EditChange &change)
{
    if (change.refresh) {
        refresh();
    } else {
        updateControlStates();
        m_riskWarnings->update();
    }
    if (change.page && pageShown() != *change.page)
        m_c.frame.PageControl1->setCurrentIndex(*change.page);
    if (change.historyMoved)
        m_history->refreshButtons();
    if (change.programNow)
        m_history->programNow();
}

void FormHlav::UpDownClick()
{
    m_edits->controlChanged();
}

void FormHlav::EditExit()
{
    m_edits->controlChanged();
}

void FormHlav::FormKeyPress(NumericField *)
{
    focusNextChild();
    m_edits->controlChanged();
}

void FormHlav::CheckBoxMouseUp()
{
    m_edits->controlChanged();
}

void FormHlav::RadioGroupInput1Click(int item)
{
    m_edits->choose(field::Input1Function, item);
}

void FormHlav::RadioGroupInput2Click(int item)
{
    m_edits->choose(field::Input2Function, item);
}

void FormHlav::RadioGroupPOutClick(int output, int item)
{
    m_edits->choose(field::PowerOutMode(output), item);
}

void FormHlav::ComboBoxBikeChange()
{
    m_edits->bikeTypeChanged();
}

void FormHlav::BitBtnServoMinusClick()
{
    m_edits->stepServo(Step::Down);
}

void FormHlav::BitBtnServoPlusClick()
{
    m_edits->stepServo(Step::Up);
}

void FormHlav::BitBtnTps0Click()
{
    m_edits->captureTps(false);
}

void FormHlav::BitBtnTps100Click()
{
    m_edits->captureTps(true);
}

void FormHlav::CSpinButtonDownClick(int column)
{
    m_edits->stepColumn(column, Step::Down);
}

void FormHlav::CSpinButtonUpClick(int column)
{
    m_edits->stepColumn(column, Step::Up);
}

void FormHlav::CSpinButtonAllDownClick()
{
    m_edits->stepAdvance(Step::Down);
}

void FormHlav::CSpinButtonAllUpClick()
{
    m_edits->stepAdvance(Step::Up);
}

} // namespace talviro6
