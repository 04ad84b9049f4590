#pragma once

#include <QComboBox>

namespace talviro6 {

/// A list whose text can only be chosen. It reports a selection only when the user
/// really changed it: choosing the item already selected, a refresh from code and a
/// wheel turn over the closed list without focus report nothing, because a type
/// change replaces half of the parameter set.
class DropDownList : public QComboBox {
    Q_OBJECT

  public:
    DropDownList(const QString &name, int itemCount, QWidget *parent);

    /// From code (refresh): reports nothing. An index the list does not have clears
    /// the selection, so that the next read back does not store a choice never made.
    void showIndex(int index);

    /// The drop-down is at least as wide as its longest item, so no item is cut.
    void showPopup() override;

  signals:
    void selectionChanged(); ///< `ComboBoxBikeChange` or `EditExit`, by the list

  protected:
    void wheelEvent(QWheelEvent *event) override;

  private:
    bool m_showing = false;
};

} // namespace talviro6
