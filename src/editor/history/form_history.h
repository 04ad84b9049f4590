#pragma once

#include "model/unit_image.h"

#include <QDialog>
#include <QString>

#include <functional>

class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace talviro6 {

class UserDialogs;

/// Every snapshot of the snapshot folder grouped by the unit it came from, with a
/// label and note the tuner types (saved at once, whole, beside the snapshot). One
/// chosen snapshot can be restored into the editor, two compared.
class FormHistory : public QDialog {
    Q_OBJECT

  public:
    struct Sources {
        QString snapshotFolder;
        std::function<int()> language;
        /// Puts a parameter set into the editor as one edit.
        std::function<void(const ParameterArea &)> restore;
        /// Shows the Compare window with these two snapshots.
        std::function<void(const QString &a, const QString &b)> compare;
    };

    /// The columns of a snapshot's row; a unit's row spans them all.
    enum Column { ColumnDate, ColumnJob, ColumnCount, ColumnLabel, ColumnNote, ColumnCount_ };

    FormHistory(Sources sources, UserDialogs &dialogs, QWidget *parent);

    /// Lists the folder again (new snapshots, another language), keeping the choice.
    void reload();
    /// The snapshot a row stands for; empty for a unit's row.
    static QString pathOf(const QTreeWidgetItem *item);

    QTreeWidget *Snapshots = nullptr;
    QPushButton *Restore = nullptr;
    QPushButton *CompareTwo = nullptr;

  private:
    void applyLanguage();
    QList<QTreeWidgetItem *> chosen() const;
    void selectionChanged();
    void itemDoubleClicked(QTreeWidgetItem *item, int column);
    void itemChanged(QTreeWidgetItem *item, int column);
    void restoreClick();
    void compareClick();

    Sources m_sources;
    UserDialogs &m_dialogs;
    bool m_filling = false;
};

} // namespace talviro6
