#include "editor/widgets/arrow_pair.h"

namespace talviro6 {

ArrowPair::ArrowPair(const QString &name, int width, int height, QWidget *parent)
    : QWidget(parent), m_up(new QToolButton(this)), m_down(new QToolButton(this))
{
    setObjectName(name);
    setFocusPolicy(Qt::NoFocus);
    resize(width, height);
    const int upHeight = height / 2;
    m_up->setArrowType(Qt::UpArrow);
    m_down->setArrowType(Qt::DownArrow);
    m_up->setGeometry(0, 0, width, upHeight);
    m_down->setGeometry(0, upHeight, width, height - upHeight);
    for (auto *button : {m_up, m_down}) {
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoRepeat(true);
        button->setIconSize(QSize(width - 6, upHeight - 4));
    }
    connect(m_up, &QToolButton::clicked, this, &ArrowPair::upClicked);
    connect(m_down, &QToolButton::clicked, this, &ArrowPair::downClicked);
}

} // namespace talviro6
