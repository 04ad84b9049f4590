#pragma once

#include <QButtonGroup>
#include <QGroupBox>
#include <QRadioButton>
#include <QStringList>

#include <vector>

namespace talviro6 {

/// A framed, captioned list of mutually exclusive options.
class RadioGroup : public QGroupBox {
    Q_OBJECT

  public:
    RadioGroup(const QString &name, int itemCount, QWidget *parent);

    int itemCount() const { return static_cast<int>(m_buttons.size()); }
    QRadioButton *item(int index) const { return m_buttons.at(static_cast<std::size_t>(index)); }

    /// -1 when no option is selected (a stored value the group does not offer).
    int itemIndex() const { return m_group.checkedId(); }
    /// From code: reports nothing. An index the group does not offer clears the selection.
    void setItemIndex(int index);
    void setItems(const QStringList &captions);

  signals:
    void itemClicked(int index); ///< an option clicked by the user

  private:
    QButtonGroup m_group;
    std::vector<QRadioButton *> m_buttons;
};

} // namespace talviro6
