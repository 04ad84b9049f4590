#pragma once

#include "model/edit_session.h"

#include <functional>
#include <optional>

class QLabel;

namespace talviro6 {

/// The warnings on risky values of the editor's set, as a yellow line in the status
/// bar while any holds. It only informs: nothing waits for it or asks about it.
class WindowRiskWarnings {
  public:
    /// The unit's set as the last read or verified programming left it; empty when
    /// not known, and then the rules that compare with it stay silent.
    using KnownUnit = std::function<const std::optional<ParameterArea> &()>;

    /// `label`: LabelRiskWarning.
    WindowRiskWarnings(const EditSession &session, KnownUnit knownUnit, QLabel *label);

    /// The warnings anew, in the language in use.
    void update();

    /// The first warning is cut to this width so that a long one cannot widen the
    /// window; the tooltip holds every warning whole.
    static constexpr int FirstWarningMaxWidth = 560; ///< px

  private:
    const EditSession &m_session;
    KnownUnit m_knownUnit;
    QLabel *m_label;
};

} // namespace talviro6
