#include "editor/window_unit_state.h"

#include "model/field_compare.h"
#include "texts/caption_table.h"
#include "texts/extras_texts.h"

#include <QLabel>

namespace talviro6 {

WindowUnitState::WindowUnitState(const EditSession &session, KnownUnit knownUnit, QLabel *label, ShowTitle showTitle)
    : m_session(session), m_knownUnit(std::move(knownUnit)), m_label(label), m_showTitle(std::move(showTitle))
{
}

void WindowUnitState::refreshTitle()
{
    const int l = m_session.settings().languageIndex;
    QString title = QString::fromUtf8(captionText(Caption::FormHlav, l));
    if (m_label && !m_label->text().isEmpty())
        title += QStringLiteral("  \u2014  ") + m_label->text();
    m_showTitle(title);
}

void WindowUnitState::update()
{
    const int l = m_session.settings().languageIndex;
    const auto extra = [l](ExtraText t) { return QString::fromUtf8(extraText(t, l)); };
    const auto &known = m_knownUnit();
    QString state;
    if (!known)
        state = extra(ExtraText::UnitStateUnknown);
    else if (const int differing = countDifferingFields(*known, m_session.parameters()); differing == 0)
        state = extra(ExtraText::UnitStateSame);
    else
        state = extra(ExtraText::UnitStateDiffers) + QString::number(differing);
    if (m_label->text() != state)
        m_label->setText(state);
    refreshTitle();
}

} // namespace talviro6
