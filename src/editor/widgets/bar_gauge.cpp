#include "editor/widgets/bar_gauge.h"

#include <QPainter>

#include <algorithm>

namespace talviro6 {

BarGauge::BarGauge(const QString &name, QColor bar, bool percentage, QWidget *parent)
    : QWidget(parent), m_bar(bar), m_percentage(percentage)
{
    setObjectName(name);
}

void BarGauge::setRange(int minimum, int maximum)
{
    if (minimum == m_minimum && maximum == m_maximum)
        return;
    m_minimum = minimum;
    m_maximum = std::max(minimum, maximum);
    m_value = std::clamp(m_value, m_minimum, m_maximum);
    update();
}

void BarGauge::setValue(int value)
{
    value = std::clamp(value, m_minimum, m_maximum);
    if (value == m_value)
        return;
    m_value = value;
    update();
}

void BarGauge::setTextVisible(bool visible)
{
    if (visible != m_percentage) {
        m_percentage = visible;
        update();
    }
}

QString BarGauge::text() const
{
    const int span = m_maximum - m_minimum;
    const int percent = span > 0 ? 100 * (m_value - m_minimum) / span : 0;
    return QString::number(percent) + QLatin1Char('%');
}

void BarGauge::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QRect frame = rect().adjusted(0, 0, -1, -1);
    p.fillRect(rect(), palette().color(QPalette::Base));
    const int span = m_maximum - m_minimum;
    if (span > 0 && m_value > m_minimum) {
        const int filled = (width() - 2) * (m_value - m_minimum) / span;
        p.fillRect(QRect(1, 1, filled, height() - 2), isEnabled() ? m_bar : m_bar.lighter(150));
    }
    p.setPen(palette().color(QPalette::Mid));
    p.drawRect(frame);
    if (m_percentage) {
        p.setPen(palette().color(QPalette::Text));
        p.drawText(rect(), Qt::AlignCenter, text());
    }
}

} // namespace talviro6
