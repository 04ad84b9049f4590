#include "editor/review/form_review.h"

#include "editor/colours.h"
#include "texts/review_texts.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace talviro6 {
namespace {

QString text(ReviewText t, int language)
{
    return QString::fromUtf8(reviewText(t, language));
}

} // namespace

FormReview::FormReview(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormReview"));
    // The main window waits for the answer; the dialog is not run in a loop of its
    // own, so the window's tick (and the link) go on while it is open.
    setWindowModality(Qt::WindowModal);

    Warnings = new QLabel(this);
    Warnings->setObjectName(QStringLiteral("LabelReviewWarnings"));
    Warnings->setWordWrap(true);
    Warnings->setMargin(4);
    setStatusBackground(Warnings, Colour::Yellow);
    Intro = new QLabel(this);
    Intro->setWordWrap(true);

    Fields = new QTableWidget(0, 3, this);
    Fields->setObjectName(QStringLiteral("TableReviewFields"));
    Fields->verticalHeader()->hide();
    Fields->setSelectionMode(QAbstractItemView::NoSelection);
    Fields->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Fields->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    Fields->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    Fields->horizontalHeader()->setSectionResizeMode(2, QHeaderView::ResizeToContents);

    DontAskAgain = new QCheckBox(this);
    DontAskAgain->setObjectName(QStringLiteral("CheckBoxDontAskAgain"));
    ButtonProgram = new QPushButton(this);
    ButtonProgram->setObjectName(QStringLiteral("ButtonReviewProgram"));
    ButtonCancel = new QPushButton(this);
    ButtonCancel->setObjectName(QStringLiteral("ButtonReviewCancel"));
    // Enter must not program by accident: nothing is the default button.
    ButtonProgram->setAutoDefault(false);
    ButtonCancel->setAutoDefault(false);
    connect(ButtonProgram, &QPushButton::clicked, this, &QDialog::accept);
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(DontAskAgain);
    buttons->addStretch();
    buttons->addWidget(ButtonProgram);
    buttons->addWidget(ButtonCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Warnings);
    layout->addWidget(Intro);
    layout->addWidget(Fields, 1);
    layout->addLayout(buttons);
    resize(640, 460);
}

void FormReview::setReview(const std::vector<FieldDifference> &changes, const std::vector<std::string> &warnings,
                           int language)
{
    setWindowTitle(text(ReviewText::Caption, language));
    Intro->setText(text(ReviewText::Intro, language));
    DontAskAgain->setText(text(ReviewText::DontAskAgain, language));
    DontAskAgain->setChecked(false);
    ButtonProgram->setText(text(ReviewText::Program, language));
    ButtonCancel->setText(text(ReviewText::Cancel, language));

    QStringList lines;
    for (const std::string &w : warnings)
        lines << QString::fromStdString(w);
    Warnings->setText(lines.join(QLatin1Char('\n')));
    Warnings->setVisible(!lines.isEmpty());

    Fields->setHorizontalHeaderLabels({text(ReviewText::ColumnField, language), text(ReviewText::ColumnUnit, language),
                                       text(ReviewText::ColumnEditor, language)});
    Fields->clearContents();
    Fields->setRowCount(static_cast<int>(changes.size()));
    for (int row = 0; row < Fields->rowCount(); ++row) {
        const FieldDifference &d = changes[static_cast<std::size_t>(row)];
        auto *box = new QCheckBox(QString::fromStdString(changeName(d, language)));
        box->setChecked(true);
        Fields->setCellWidget(row, 0, box);
        Fields->setItem(row, 1, new QTableWidgetItem(QString::fromStdString(changeSide(d, true, language))));
        Fields->setItem(row, 2, new QTableWidgetItem(QString::fromStdString(changeSide(d, false, language))));
    }
    Fields->resizeColumnsToContents();
    Fields->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
}

std::vector<bool> FormReview::kept() const
{
    std::vector<bool> keep;
    for (int row = 0; row < rows(); ++row)
        keep.push_back(tick(row)->isChecked());
    return keep;
}

bool FormReview::dontAskAgain() const
{
    return DontAskAgain->isChecked();
}

QCheckBox *FormReview::tick(int row) const
{
    return qobject_cast<QCheckBox *>(Fields->cellWidget(row, 0));
}

int FormReview::rows() const
{
    return Fields->rowCount();
}

} // namespace talviro6
