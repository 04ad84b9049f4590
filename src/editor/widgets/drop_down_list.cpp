#include "editor/widgets/drop_down_list.h"

#include <QAbstractItemView>
#include <QScrollBar>
#include <QWheelEvent>

namespace talviro6 {

DropDownList::DropDownList(const QString &name, int itemCount, QWidget *parent) : QComboBox(parent)
{
    setObjectName(name);
    // The default takes the focus by the wheel, so any turn over the list would change it.
    setFocusPolicy(Qt::StrongFocus);
    for (int i = 0; i < itemCount; ++i)
        addItem(QString());
    connect(this, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_showing)
            emit selectionChanged();
    });
}

void DropDownList::showIndex(int index)
{
    m_showing = true;
    setCurrentIndex(index >= 0 && index < count() ? index : -1);
    m_showing = false;
}

void DropDownList::showPopup()
{
    QAbstractItemView *list = view();
    const int scrollBar = count() > maxVisibleItems() ? list->verticalScrollBar()->sizeHint().width() : 0;
    const int longest = list->sizeHintForColumn(0) + 2 * list->frameWidth() + scrollBar;
    list->setMinimumWidth(std::max(width(), longest));
    QComboBox::showPopup();
}

void DropDownList::wheelEvent(QWheelEvent *event)
{
    // Without focus the wheel belongs to whatever is under the pointer as a whole.
    if (!hasFocus()) {
        event->ignore();
        return;
    }
    QComboBox::wheelEvent(event);
}

} // namespace talviro6
