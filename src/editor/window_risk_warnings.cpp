#include "editor/window_risk_warnings.h"

#include "model/risk_rules.h"
#include "texts/warning_texts.h"

#include <QLabel>
#include <QStringList>

namespace talviro6 {

WindowRiskWarnings::WindowRiskWarnings(const EditSession &session, KnownUnit knownUnit, QLabel *label)
    : m_session(session), m_knownUnit(std::move(knownUnit)), m_label(label)
{
}

void WindowRiskWarnings::update()
{
    const int l = m_session.settings().languageIndex;
    const std::vector<RiskWarning> warnings = riskWarnings(m_session.parameters(), m_knownUnit());
    QStringList lines;
    for (const RiskWarning &w : warnings)
        lines << QString::fromStdString(riskWarningText(w, l));
    QString text;
    if (!lines.isEmpty()) {
        text = m_label->fontMetrics().elidedText(lines.front(), Qt::ElideRight, FirstWarningMaxWidth);
        if (lines.size() > 1)
            text += QLatin1Char(' ') + QString::fromStdString(fillIn(warningText(WarningText::MoreWarnings, l),
                                                                     {std::to_string(lines.size() - 1)}));
    }
    const QString tip = lines.join(QLatin1Char('\n'));
    if (m_label->text() != text)
        m_label->setText(text);
    if (m_label->toolTip() != tip)
        m_label->setToolTip(tip);
    m_label->setVisible(!lines.isEmpty());
}

} // namespace talviro6
