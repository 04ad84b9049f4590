#include "editor/window_review.h"

#include "editor/review/form_review.h"
#include "model/program_review.h"
#include "model/risk_rules.h"
#include "texts/warning_texts.h"

#include <QAction>

namespace talviro6 {

WindowReview::WindowReview(EditSession &session, KnownUnit knownUnit, Window window)
    : m_session(session), m_knownUnit(std::move(knownUnit)), m_w(std::move(window))
{
}

void WindowReview::program()
{
    // What the controls hold, validated, is what would be programmed and reviewed.
    m_session.takeControls();
    const std::optional<ParameterArea> &unit = m_knownUnit();
    m_changes = programChanges(unit, m_session.parameters());
    if (!m_w.askItem->isChecked() || m_changes.empty()) {
        m_w.program();
        return;
    }
    m_unit = *unit;
    if (!m_form) {
        m_form = new FormReview(m_w.parent);
        QObject::connect(m_form, &QDialog::finished, m_form, [this](int result) { answered(result); });
    }
    const int language = m_session.settings().languageIndex;
    std::vector<std::string> warnings;
    for (const RiskWarning &w : riskWarnings(m_session.parameters(), unit))
        warnings.push_back(riskWarningText(w, language));
    m_form->setReview(m_changes, warnings, language);
    m_form->open();
}

void WindowReview::answered(int result)
{
    // Cancel programs nothing and changes nothing, not even the asking.
    if (result != QDialog::Accepted)
        return;
    if (m_form->dontAskAgain())
        m_w.askItem->setChecked(false);
    const auto bytes = unitValuesFor(m_changes, m_form->kept(), m_unit);
    if (!bytes.empty()) {
        UnitImage taken = m_session.image();
        for (const auto &[offset, value] : bytes)
            taken[offset] = value;
        m_session.load(taken.parameters, LoadHow::Edit);
        // With programming after change ticked, that edit has started programming
        // the same set already.
        if (m_w.programming())
            return;
    }
    m_w.program();
}

} // namespace talviro6
