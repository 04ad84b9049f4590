#include "editor/form_hlav.h"

#include "editor/widgets/mouse_up_check_box.h"

#include <QAction>
#include <QTabWidget>
#include <QToolButton>

// Undo and redo over the edit history, and programming after a change, which the
// history step drives.

namespace talviro6 {

int FormHlav::pageShown() const
{
    return m_c.frame.PageControl1->currentIndex();
}

void FormHlav::ResetHistory()
{
    m_history.reset(m_image.parameters, pageShown());
    refreshHistoryButtons();
}

void FormHlav::historyStep()
{
    const bool changed = m_history.record(m_image.parameters, pageShown());
    if (changed)
        refreshHistoryButtons();
    if (m_programAfterChange.step(m_c.frame.monitor.CheckBoxProgHned->isChecked(), changed))
        startProgrammingAfterChange();
}

void FormHlav::refreshHistoryButtons()
{
    const bool undo = m_history.canUndo();
    const bool redo = m_history.canRedo();
    m_c.frame.toolBar.SpeedButtonZpet->setEnabled(undo);
    m_c.menu.MenuZpet->setEnabled(undo);
    m_c.frame.toolBar.SpeedButtonZnovu->setEnabled(redo);
    m_c.menu.MenuZnovu->setEnabled(redo);
}

void FormHlav::restoreHistoryEntry(const HistorySnapshot &entry)
{
    m_image.parameters = entry.image;
    refresh();
    if (pageShown() != entry.page)
        m_c.frame.PageControl1->setCurrentIndex(entry.page);
}

void FormHlav::startProgrammingAfterChange()
{
    // The whole program job, controls first, like F9: a value that came from a file
    // or the history beyond a control's range reaches the unit only as the control
    // bounds it and validation corrects it.
    m_link.StartProgramJob();
    paintLive();
}

void FormHlav::SpeedButtonZpetClick()
{
    if (!m_history.canUndo())
        return;
    restoreHistoryEntry(m_history.undo());
    refreshHistoryButtons();
    if (m_c.frame.monitor.CheckBoxProgHned->isChecked())
        startProgrammingAfterChange();
}

void FormHlav::SpeedButtonZnovuClick()
{
    if (!m_history.canRedo())
        return;
    restoreHistoryEntry(m_history.redo());
    refreshHistoryButtons();
    if (m_c.frame.monitor.CheckBoxProgHned->isChecked())
        startProgrammingAfterChange();
}

} // namespace talviro6
