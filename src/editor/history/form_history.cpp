#include "editor/history/form_history.h"

#include "editor/compare/form_compare.h"
#include "editor/user_dialogs.h"
#include "files/snapshot_history.h"
#include "platform/file_paths.h"
#include "texts/extras_texts.h"
#include "texts/kept_texts.h"

#include <QBrush>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPalette>
#include <QPushButton>
#include <QSet>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace talviro6 {
namespace {

constexpr int HistoryPathRole = Qt::UserRole;
/// Set on a row whose snapshot or side files could not be read: its label and note
/// are not what the files hold, so they are never written over.
constexpr int HistoryUnreadableRole = Qt::UserRole + 1;
/// Orders snapshots saved within the same minute ("_2", "_3", ...).
constexpr int HistoryOrderRole = Qt::UserRole + 2;

QString historyText(ExtraText t, int language)
{
    return QString::fromUtf8(extraText(t, language));
}

QString utf8Text(const std::string &s)
{
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

} // namespace

FormHistory::FormHistory(Sources sources, UserDialogs &dialogs, QWidget *parent)
    : QDialog(parent), m_sources(std::move(sources)), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("FormHistory"));
    auto *layout = new QVBoxLayout(this);
    Snapshots = new QTreeWidget(this);
    Snapshots->setObjectName(QStringLiteral("Snapshots"));
    Snapshots->setColumnCount(ColumnCount_);
    Snapshots->setSelectionMode(QAbstractItemView::ExtendedSelection);
    // Only the label and note are edited, by a double click on them.
    Snapshots->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Snapshots->setRootIsDecorated(true);
    Snapshots->setUniformRowHeights(true);
    Snapshots->header()->setStretchLastSection(true);
    layout->addWidget(Snapshots);

    auto *buttons = new QHBoxLayout;
    Restore = new QPushButton(this);
    Restore->setObjectName(QStringLiteral("Restore"));
    CompareTwo = new QPushButton(this);
    CompareTwo->setObjectName(QStringLiteral("CompareTwo"));
    buttons->addStretch();
    buttons->addWidget(Restore);
    buttons->addWidget(CompareTwo);
    layout->addLayout(buttons);

    connect(Snapshots, &QTreeWidget::itemSelectionChanged, this, &FormHistory::selectionChanged);
    connect(Snapshots, &QTreeWidget::itemDoubleClicked, this, &FormHistory::itemDoubleClicked);
    connect(Snapshots, &QTreeWidget::itemChanged, this, &FormHistory::itemChanged);
    connect(Restore, &QPushButton::clicked, this, &FormHistory::restoreClick);
    connect(CompareTwo, &QPushButton::clicked, this, &FormHistory::compareClick);
    reload();
}

QString FormHistory::pathOf(const QTreeWidgetItem *item)
{
    return item ? item->data(ColumnDate, HistoryPathRole).toString() : QString();
}

void FormHistory::applyLanguage()
{
    const int l = m_sources.language();
    setWindowTitle(historyText(ExtraText::HistoryCaption, l));
    Snapshots->setHeaderLabels({historyText(ExtraText::ColumnDate, l), historyText(ExtraText::ColumnJob, l),
                                historyText(ExtraText::ColumnCount, l), historyText(ExtraText::ColumnLabel, l),
                                historyText(ExtraText::ColumnNote, l)});
    Restore->setText(historyText(ExtraText::HistoryRestore, l));
    CompareTwo->setText(historyText(ExtraText::HistoryCompare, l));
}

void FormHistory::reload()
{
    applyLanguage();
    const int l = m_sources.language();
    QSet<QString> kept;
    for (const QTreeWidgetItem *item : chosen())
        kept.insert(pathOf(item));

    m_filling = true;
    Snapshots->clear();
    const SnapshotHistory history = listSnapshotHistory(toFsPath(m_sources.snapshotFolder));
    const QBrush grey = palette().brush(QPalette::Disabled, QPalette::Text);
    for (const SnapshotGroup &group : history.groups) {
        auto *unit = new QTreeWidgetItem(Snapshots);
        unit->setText(ColumnDate, group.unit.empty() ? historyText(ExtraText::UnknownUnit, l) : utf8Text(group.unit));
        unit->setFlags(Qt::ItemIsEnabled);
        unit->setFirstColumnSpanned(true);
        // Newest first: the snapshot looked for is usually a recent one.
        for (auto e = group.entries.rbegin(); e != group.entries.rend(); ++e) {
            auto *row = new QTreeWidgetItem(unit);
            const QString path = toQString(e->file);
            row->setData(ColumnDate, HistoryPathRole, path);
            row->setData(ColumnDate, HistoryOrderRole,
                         utf8Text(e->date) + QStringLiteral(" %1").arg(e->sequence, 3, 10, QLatin1Char('0')));
            row->setText(ColumnDate, utf8Text(e->date));
            row->setText(ColumnJob, text(e->job == "read" ? ExtraText::JobRead : ExtraText::JobProgram, l));
            row->setText(ColumnCount, e->programCount ? QString::number(*e->programCount) : QString());
            row->setTextAlignment(ColumnCount, Qt::AlignRight | Qt::AlignVCenter);
            row->setToolTip(ColumnDate, QDir::toNativeSeparators(path));
            if (e->problem.empty()) {
                row->setText(ColumnLabel, utf8Text(e->label));
                row->setText(ColumnNote, utf8Text(e->note));
                row->setToolTip(ColumnNote, utf8Text(e->note));
                row->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable);
            } else {
                const QString why = historyText(ExtraText::HistoryUnreadable, l) + utf8Text(e->problem);
                row->setText(ColumnNote, why);
                row->setToolTip(ColumnNote, why);
                row->setData(ColumnDate, HistoryUnreadableRole, true);
                row->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
                for (int c = 0; c < ColumnCount_; ++c)
                    row->setForeground(c, grey);
            }
            if (kept.contains(path))
                row->setSelected(true);
        }
    }
    Snapshots->expandAll();
    for (int c = 0; c < ColumnNote; ++c)
        Snapshots->resizeColumnToContents(c);
    m_filling = false;
    selectionChanged();
}

QList<QTreeWidgetItem *> FormHistory::chosen() const
{
    QList<QTreeWidgetItem *> rows;
    for (QTreeWidgetItem *item : Snapshots->selectedItems())
        if (!pathOf(item).isEmpty())
            rows.push_back(item);
    return rows;
}

void FormHistory::selectionChanged()
{
    const auto count = chosen().size();
    Restore->setEnabled(count == 1);
    CompareTwo->setEnabled(count == 2);
}

void FormHistory::itemDoubleClicked(QTreeWidgetItem *item, int column)
{
    if ((column == ColumnLabel || column == ColumnNote) && (item->flags() & Qt::ItemIsEditable))
        Snapshots->editItem(item, column);
}

void FormHistory::itemChanged(QTreeWidgetItem *item, int column)
{
    if (m_filling || (column != ColumnLabel && column != ColumnNote) || pathOf(item).isEmpty() ||
        item->data(ColumnDate, HistoryUnreadableRole).toBool())
        return;
    const std::string error = saveSnapshotNote(toFsPath(pathOf(item)), item->text(ColumnLabel).toStdString(),
                                               item->text(ColumnNote).toStdString());
    if (!error.empty())
        m_dialogs.message(historyText(ExtraText::NoteError, m_sources.language()) + QStringLiteral("\n") +
                          QString::fromStdString(error));
    m_filling = true;
    item->setToolTip(ColumnNote, item->text(ColumnNote));
    m_filling = false;
}

void FormHistory::restoreClick()
{
    const QList<QTreeWidgetItem *> rows = chosen();
    if (rows.size() != 1)
        return;
    const QString path = pathOf(rows.front());
    const auto area = readParameterSet(path);
    if (!area) {
        m_dialogs.message(QString::fromStdString(KeptTexts(m_sources.language())[TextRole::TextFileOpenError]) +
                          QStringLiteral("\n") + QDir::toNativeSeparators(path));
        return;
    }
    m_sources.restore(*area);
}

void FormHistory::compareClick()
{
    const QList<QTreeWidgetItem *> rows = chosen();
    if (rows.size() != 2)
        return;
    // The older on the left, as the list reads from past to present within a unit.
    QString a = pathOf(rows[0]), b = pathOf(rows[1]);
    if (rows[0]->data(ColumnDate, HistoryOrderRole).toString() > rows[1]->data(ColumnDate, HistoryOrderRole).toString())
        std::swap(a, b);
    m_sources.compare(a, b);
}

} // namespace talviro6
