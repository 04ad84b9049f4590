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

void FormHlav::refreshHistoryButtons()
{
    const bool undo = m_session.history().canUndo();
    const bool redo = m_session.history().canRedo();
    m_c.frame.toolBar.SpeedButtonZpet->setEnabled(undo);
    m_c.menu.MenuZpet->setEnabled(undo);
    m_c.frame.toolBar.SpeedButtonZnovu->setEnabled(redo);
    m_c.menu.MenuZnovu->setEnabled(redo);
}

void FormHlav::startProgrammingAfterChange()
{
    // The whole program job, controls first, like F9: a value that came from a file
    // or the history beyond a control's range reaches the unit only as the control
    // bounds it and validation corrects it.
    m_session.takeControls();
    m_link.StartProgramJob(m_session.parameters());
    paintLive();
}

void FormHlav::SpeedButtonZpetClick()
{
    m_session.undo();
}

void FormHlav::SpeedButtonZnovuClick()
{
    m_session.redo();
}

} // namespace talviro6
