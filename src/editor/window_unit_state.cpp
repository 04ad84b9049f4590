#include "editor/window_unit_state.h"

#include "model/field_compare.h"
#include "texts/caption_table.h"
#include "texts/extras_texts.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>

namespace talviro6 {
namespace {

/// Calls its function when the left button is released over the watched widget.
class ClickFilter : public QObject {
  public:
    ClickFilter(std::function<void()> clicked, QObject *parent) : QObject(parent), m_clicked(std::move(clicked)) {}

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::MouseButtonRelease &&
            static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
            m_clicked();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    std::function<void()> m_clicked;
};

} // namespace

WindowUnitState::WindowUnitState(const EditSession &session, KnownUnit knownUnit, QLabel *label, ShowTitle showTitle)
    : m_session(session), m_knownUnit(std::move(knownUnit)), m_label(label), m_showTitle(std::move(showTitle))
{
}

void WindowUnitState::openOnClick(std::function<void()> open)
{
    m_label->installEventFilter(new ClickFilter(std::move(open), m_label));
    m_label->setCursor(Qt::PointingHandCursor);
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
