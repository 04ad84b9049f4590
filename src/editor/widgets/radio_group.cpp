#include "editor/widgets/radio_group.h"

#include <QVBoxLayout>

namespace talviro6 {

RadioGroup::RadioGroup(const QString &name, int itemCount, QWidget *parent) : QGroupBox(parent)
{
    setObjectName(name);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 4, 8, 4);
    layout->setSpacing(0);
    for (int i = 0; i < itemCount; ++i) {
        auto *button = new QRadioButton(this);
        button->setObjectName(name + QStringLiteral("Item") + QString::number(i));
        layout->addWidget(button);
        m_group.addButton(button, i);
        m_buttons.push_back(button);
    }
    layout->addStretch();
    if (!m_buttons.empty())
        m_buttons.front()->setChecked(true);
    connect(&m_group, &QButtonGroup::idClicked, this, &RadioGroup::itemClicked);
}

void RadioGroup::setItemIndex(int index)
{
    if (index == itemIndex())
        return;
    if (index >= 0 && index < itemCount()) {
        m_buttons[static_cast<std::size_t>(index)]->setChecked(true);
        return;
    }
    m_group.setExclusive(false);
    for (auto *button : m_buttons)
        button->setChecked(false);
    m_group.setExclusive(true);
}

void RadioGroup::setItems(const QStringList &captions)
{
    for (int i = 0; i < itemCount() && i < captions.size(); ++i)
        m_buttons[static_cast<std::size_t>(i)]->setText(captions[i]);
}

} // namespace talviro6
