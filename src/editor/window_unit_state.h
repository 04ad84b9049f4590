#pragma once

#include "model/edit_session.h"

#include <functional>
#include <optional>

#include <QString>

class QLabel;

namespace talviro6 {

/// What the editor holds against the unit's last known set, in the status bar and
/// in the window's title.
class WindowUnitState {
  public:
    /// The unit's set as the last read or verified programming left it; empty when
    /// not known.
    using KnownUnit = std::function<const std::optional<ParameterArea> &()>;
    /// Gives the main window `title`, which names the state.
    using ShowTitle = std::function<void(const QString &title)>;

    /// `label`: LabelUnitState.
    WindowUnitState(const EditSession &session, KnownUnit knownUnit, QLabel *label, ShowTitle showTitle);

    /// A click on the status field calls `open` (the Compare window).
    void openOnClick(std::function<void()> open);

    /// The state anew, then the title.
    void update();
    /// The title in the language in use, with the state.
    void refreshTitle();

  private:
    const EditSession &m_session;
    KnownUnit m_knownUnit;
    QLabel *m_label;
    ShowTitle m_showTitle;
};

} // namespace talviro6
