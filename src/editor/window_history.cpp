#include "editor/window_history.h"

#include <QAction>
#include <QCheckBox>
#include <QToolButton>

namespace talviro6 {

WindowHistory::WindowHistory(EditSession &session, Widgets widgets, Program program)
    : m_session(session), m_w(widgets), m_program(std::move(program))
{
    // Bound to no field: the session's history steps read it, however it was ticked.
    QObject::connect(m_w.programAfterChange, &QCheckBox::toggled, m_w.programAfterChange,
                     [&session](bool ticked) { session.setProgramAfterChange(ticked); });
}

void WindowHistory::undo()
{
    m_session.undo();
}

void WindowHistory::redo()
{
    m_session.redo();
}

void WindowHistory::refreshButtons()
{
    const bool undo = m_session.history().canUndo();
    const bool redo = m_session.history().canRedo();
    m_w.undoButton->setEnabled(undo);
    m_w.undoItem->setEnabled(undo);
    m_w.redoButton->setEnabled(redo);
    m_w.redoItem->setEnabled(redo);
}

void WindowHistory::programNow()
{
    // A value that came from a file or the history beyond a control's range reaches
    // the unit only as the control bounds it and validation corrects it.
    m_session.takeControls();
    m_program(m_session.parameters());
}

} // namespace talviro6
