#include "editor/compare/diff_grid.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

namespace talviro6 {

DiffGrid::DiffGrid(const QString &name, int rows, int columns, QWidget *parent)
    : QWidget(parent), m_rows(rows), m_columns(columns)
{
    setObjectName(name);
    setFixedSize(sizeHint());
}

QSize DiffGrid::sizeHint() const
{
    return {m_columns * CellWidth + 1, m_rows * CellHeight + 1};
}

void DiffGrid::setValues(const std::vector<int> &a, const std::vector<int> &b)
{
    m_a = a;
    m_b = b;
    update();
}

bool DiffGrid::differs(int row, int column) const
{
    const auto i = static_cast<std::size_t>(row * m_columns + column);
    return i < m_a.size() && i < m_b.size() && m_a[i] != m_b[i];
}

int DiffGrid::differingCells() const
{
    int n = 0;
    for (int r = 0; r < m_rows; ++r)
        for (int c = 0; c < m_columns; ++c)
            n += differs(r, c);
    return n;
}

void DiffGrid::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Base));
    const QColor marked(255, 170, 60); // distinct from the lime of the operating point
    for (int r = 0; r < m_rows; ++r)
        for (int c = 0; c < m_columns; ++c) {
            const QRect cell(c * CellWidth, r * CellHeight, CellWidth, CellHeight);
            if (differs(r, c))
                p.fillRect(cell, marked);
            p.setPen(palette().color(QPalette::Mid));
            p.drawRect(cell);
            const auto i = static_cast<std::size_t>(r * m_columns + c);
            if (i < m_b.size()) {
                p.setPen(palette().color(QPalette::Text));
                p.drawText(cell, Qt::AlignCenter, QString::number(m_b[i]));
            }
        }
}

bool DiffGrid::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        const auto *help = static_cast<QHelpEvent *>(event);
        const int c = help->pos().x() / CellWidth;
        const int r = help->pos().y() / CellHeight;
        if (differs(r, c)) {
            const auto i = static_cast<std::size_t>(r * m_columns + c);
            QToolTip::showText(help->globalPos(), QStringLiteral("A: %1   B: %2").arg(m_a[i]).arg(m_b[i]), this);
        } else {
            QToolTip::hideText();
        }
        return true;
    }
    return QWidget::event(event);
}

} // namespace talviro6
