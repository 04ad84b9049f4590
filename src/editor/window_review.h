#pragma once

#include "model/edit_session.h"
#include "model/field_compare.h"
#include "model/unit_image.h"

#include <functional>
#include <optional>
#include <vector>

class QAction;
class QWidget;

namespace talviro6 {

class FormReview;

/// Program as the tuner chooses it: when the unit's content is known and differs
/// from the editor's, the review lists what will change first. Fields ticked off
/// there take the unit's values as one edit, so that Undo brings back the editor as
/// it was; then the set programs. Programming after change never comes here.
class WindowReview {
  public:
    using KnownUnit = std::function<const std::optional<ParameterArea> &()>;
    struct Window {
        QWidget *parent = nullptr;
        QAction *askItem = nullptr;        ///< MenuReview: checked while the review is asked for
        std::function<void()> program;     ///< takes the controls and programs the editor's set
        std::function<bool()> programming; ///< a programming is under way
    };

    WindowReview(EditSession &session, KnownUnit knownUnit, Window window);

    /// Program chosen: straight on, or the review first.
    void program();
    /// The review window, made on first use; null before.
    FormReview *reviewWindow() const { return m_form; }

  private:
    void answered(int result);

    EditSession &m_session;
    KnownUnit m_knownUnit;
    Window m_w;
    FormReview *m_form = nullptr;
    /// What the review shows, as it was when it opened.
    std::vector<FieldDifference> m_changes;
    ParameterArea m_unit{};
};

} // namespace talviro6
