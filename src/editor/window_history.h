#pragma once

#include "model/edit_session.h"

#include <functional>

class QAction;
class QCheckBox;
class QToolButton;

namespace talviro6 {

/// Undo and redo over the session's history, with their buttons and menu items,
/// and programming after change, which the history step asks for.
class WindowHistory {
  public:
    struct Widgets {
        QToolButton *undoButton = nullptr;       ///< SpeedButtonZpet
        QAction *undoItem = nullptr;             ///< MenuZpet
        QToolButton *redoButton = nullptr;       ///< SpeedButtonZnovu
        QAction *redoItem = nullptr;             ///< MenuZnovu
        QCheckBox *programAfterChange = nullptr; ///< CheckBoxProgHned
    };
    /// Starts the whole program job with `parameters`.
    using Program = std::function<void(const ParameterArea &parameters)>;

    WindowHistory(EditSession &session, Widgets widgets, Program program);

    void undo();
    void redo();
    /// Undo and redo enabled as far as the history goes.
    void refreshButtons();
    /// The whole program job, controls first, like Program.
    void programNow();

  private:
    EditSession &m_session;
    Widgets m_w;
    Program m_program;
};

} // namespace talviro6
