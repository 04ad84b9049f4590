#include "editor/compare/form_compare.h"

#include "editor/compare/diff_grid.h"
#include "editor/compare/field_labels.h"
#include "editor/user_dialogs.h"
#include "files/open_for_reading.h"
#include "files/parameter_file.h"
#include "model/defaults.h"
#include "model/field_compare.h"
#include "model/fields.h"
#include "model/validate.h"
#include "platform/file_paths.h"
#include "texts/extras_texts.h"
#include "texts/kept_texts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <fstream>

namespace talviro6 {
namespace {

constexpr int KindRole = Qt::UserRole;
constexpr int PathRole = Qt::UserRole + 1;
constexpr int OffsetRole = Qt::UserRole + 2;

QString text(ExtraText t, int language)
{
    return QString::fromUtf8(extraText(t, language));
}

/// One side of an entry as the list shows it: a value with its unit, or an output's
/// cells by what they are.
QString sideText(const FieldDifference &d, bool sideA, int language)
{
    if (!d.fixedCells)
        return QString::fromStdString(formatShown(*d.field, sideA ? d.shownA : d.shownB));
    const std::uint8_t mode = sideA ? d.modeA : d.modeB;
    const auto &cells = sideA ? d.cellsA : d.cellsB;
    if (holdsFixedPattern(mode, cells))
        return text(ExtraText::FixedPatternOf, language) + QString::fromUtf8(powerOutModeName(mode).data());
    return text(ExtraText::WordRows, language) +
           QStringLiteral(" %1, %2, %3").arg(cells[0]).arg(cells[1]).arg(cells[2]);
}

QString entryLabel(const FieldDifference &d, int language)
{
    if (!d.fixedCells)
        return fieldLabel(*d.field, language);
    return text(ExtraText::FieldPowerOutMap, language) + QStringLiteral(", ") + text(ExtraText::WordOutput, language) +
           QLatin1Char(' ') + QString::number(d.field->index1 + 1);
}

std::vector<int> shownValues(const ParameterArea &area, int first, int count)
{
    std::vector<int> values;
    for (int offset = first; offset < first + count; ++offset)
        values.push_back(toShown(*fieldAt(offset), area[static_cast<std::size_t>(offset)]));
    return values;
}

} // namespace

std::optional<ParameterArea> readParameterSet(const QString &path)
{
    std::ifstream in;
    if (!openForReading(toFsPath(path), in).empty())
        return std::nullopt;
    UnitImage image;
    image[field::BikeType] = bike::Classic;
    newParameterSet(image, NewSetCause::StartOrNew);
    validate(image);
    if (readParameterFile(in, image, [](FileMessage) {}) == 0 || in.bad())
        return std::nullopt;
    validate(image);
    return image.parameters;
}

FormCompare::FormCompare(Sources sources, UserDialogs &dialogs, QWidget *parent)
    : QDialog(parent), m_sources(std::move(sources)), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("FormCompare"));
    auto *layout = new QVBoxLayout(this);
    auto *choice = new QGridLayout;
    SourceA = new QComboBox(this);
    SourceA->setObjectName(QStringLiteral("SourceA"));
    SourceB = new QComboBox(this);
    SourceB->setObjectName(QStringLiteral("SourceB"));
    choice->addWidget(new QLabel(QStringLiteral("A:"), this), 0, 0);
    choice->addWidget(SourceA, 0, 1);
    choice->addWidget(new QLabel(QStringLiteral("B:"), this), 1, 0);
    choice->addWidget(SourceB, 1, 1);
    choice->setColumnStretch(1, 1);
    layout->addLayout(choice);

    ShowAll = new QCheckBox(this);
    ShowAll->setObjectName(QStringLiteral("ShowAll"));
    Summary = new QLabel(this);
    Summary->setObjectName(QStringLiteral("Summary"));
    auto *row = new QHBoxLayout;
    row->addWidget(Summary, 1);
    row->addWidget(ShowAll);
    layout->addLayout(row);

    Fields = new QTableWidget(0, 3, this);
    Fields->setObjectName(QStringLiteral("Fields"));
    Fields->verticalHeader()->hide();
    Fields->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Fields->setSelectionMode(QAbstractItemView::NoSelection);
    Fields->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    Fields->setMinimumHeight(220);
    layout->addWidget(Fields, 1);

    // The map and the curves, each as B shows it with A's differing cells marked.
    auto *grids = new QGridLayout;
    AdvanceRpmGrid = new DiffGrid(QStringLiteral("AdvanceRpmGrid"), 1, field::CurvePoints, this);
    MapGrid = new DiffGrid(QStringLiteral("MapGrid"), field::MapRows, field::MapColumns, this);
    ServoRpmGrid = new DiffGrid(QStringLiteral("ServoRpmGrid"), 1, field::CurvePoints, this);
    ServoVoltageGrid = new DiffGrid(QStringLiteral("ServoVoltageGrid"), 1, field::CurvePoints, this);
    const int l = m_sources.language();
    const auto caption = [this, l](ExtraText t) {
        auto *label = new QLabel(text(t, l), this);
        label->setObjectName(QStringLiteral("Caption") + QString::number(int(t)));
        return label;
    };
    grids->addWidget(caption(ExtraText::FieldAdvanceRpm), 0, 0);
    grids->addWidget(AdvanceRpmGrid, 1, 0);
    grids->addWidget(caption(ExtraText::FieldAdvanceMap), 2, 0);
    grids->addWidget(MapGrid, 3, 0);
    grids->addWidget(caption(ExtraText::FieldServoRpm), 0, 1);
    grids->addWidget(ServoRpmGrid, 1, 1);
    grids->addWidget(caption(ExtraText::FieldServoVoltage), 2, 1);
    grids->addWidget(ServoVoltageGrid, 3, 1, Qt::AlignTop);
    layout->addLayout(grids);

    TakeOver = new QPushButton(this);
    TakeOver->setObjectName(QStringLiteral("TakeOver"));
    layout->addWidget(TakeOver, 0, Qt::AlignRight);

    connect(SourceA, &QComboBox::currentIndexChanged, this, [this] { sourceChosen(0); });
    connect(SourceB, &QComboBox::currentIndexChanged, this, [this] { sourceChosen(1); });
    connect(ShowAll, &QCheckBox::toggled, this, &FormCompare::compare);
    connect(TakeOver, &QPushButton::clicked, this, &FormCompare::takeOverTicked);
    applyLanguage();
    reload();
    // The editor against the unit, when the unit is known; else against the newest snapshot.
    choose(0, Kind::Editor);
    if (m_sources.unit())
        choose(1, Kind::Unit);
    else if (SourceB->count() > 3)
        SourceB->setCurrentIndex(3);
}

void FormCompare::applyLanguage()
{
    const int l = m_sources.language();
    setWindowTitle(text(ExtraText::CompareCaption, l));
    ShowAll->setText(text(ExtraText::ShowAllFields, l));
    TakeOver->setText(text(ExtraText::TakeOver, l));
    Fields->setHorizontalHeaderLabels({text(ExtraText::ColumnField, l), QStringLiteral("A"), QStringLiteral("B")});
}

void FormCompare::fillSources(QComboBox *list)
{
    const int l = m_sources.language();
    const Kind kind = list->currentIndex() >= 0 ? static_cast<Kind>(list->currentData(KindRole).toInt()) : Kind::Editor;
    const QString path = list->currentData(PathRole).toString();
    list->clear();
    list->addItem(text(ExtraText::SourceEditor, l));
    list->setItemData(0, int(Kind::Editor), KindRole);
    list->addItem(text(ExtraText::SourceUnit, l));
    list->setItemData(1, int(Kind::Unit), KindRole);
    list->addItem(text(ExtraText::SourceFile, l));
    list->setItemData(2, int(Kind::File), KindRole);
    // Snapshots, the newest first.
    const QFileInfoList snapshots =
        QDir(m_sources.snapshotFolder)
            .entryInfoList({QStringLiteral("*.ign")}, QDir::Files, QDir::Name | QDir::Reversed);
    for (const QFileInfo &file : snapshots) {
        list->addItem(text(ExtraText::SourceSnapshot, l) + QStringLiteral(": ") + file.fileName());
        list->setItemData(list->count() - 1, int(Kind::Snapshot), KindRole);
        list->setItemData(list->count() - 1, file.absoluteFilePath(), PathRole);
    }
    // Keep what was chosen.
    for (int i = 0; i < list->count(); ++i)
        if (static_cast<Kind>(list->itemData(i, KindRole).toInt()) == kind &&
            list->itemData(i, PathRole).toString() == path)
            list->setCurrentIndex(i);
}

void FormCompare::reload()
{
    m_filling = true;
    fillSources(SourceA);
    fillSources(SourceB);
    m_filling = false;
    compare();
}

bool FormCompare::choose(int side, Kind kind, const QString &path)
{
    QComboBox *list = side == 0 ? SourceA : SourceB;
    if (kind == Kind::File) {
        const auto area = readParameterSet(path);
        if (!area)
            return false;
        m_files[side] = area;
        m_filling = true;
        list->setItemData(2, path, PathRole);
        list->setItemText(2, text(ExtraText::SourceFile, m_sources.language()).chopped(3) + QStringLiteral(": ") +
                                 QFileInfo(path).fileName());
        list->setCurrentIndex(2);
        m_filling = false;
        compare();
        return true;
    }
    for (int i = 0; i < list->count(); ++i)
        if (static_cast<Kind>(list->itemData(i, KindRole).toInt()) == kind &&
            (kind != Kind::Snapshot || list->itemData(i, PathRole).toString() == path)) {
            list->setCurrentIndex(i);
            compare();
            return true;
        }
    return false;
}

void FormCompare::sourceChosen(int side)
{
    if (m_filling)
        return;
    QComboBox *list = side == 0 ? SourceA : SourceB;
    if (static_cast<Kind>(list->currentData(KindRole).toInt()) == Kind::File &&
        list->currentData(PathRole).toString().isEmpty()) {
        const QString path = m_dialogs.askOpenFileName(m_sources.filePreset());
        if (path.isEmpty() || !choose(side, Kind::File, path)) {
            if (!path.isEmpty())
                m_dialogs.message(QString::fromStdString(KeptTexts(m_sources.language())[TextRole::TextFileOpenError]) +
                                  QStringLiteral("\n") + QDir::toNativeSeparators(path));
            m_filling = true;
            list->setCurrentIndex(0);
            m_filling = false;
        }
    }
    compare();
}

std::optional<ParameterArea> FormCompare::areaOf(int side)
{
    const QComboBox *list = side == 0 ? SourceA : SourceB;
    switch (static_cast<Kind>(list->currentData(KindRole).toInt())) {
    case Kind::Editor:
        return m_sources.editor();
    case Kind::Unit:
        return m_sources.unit();
    case Kind::File:
        return m_files[side];
    case Kind::Snapshot:
        return readParameterSet(list->currentData(PathRole).toString());
    }
    return std::nullopt;
}

void FormCompare::compare()
{
    const int l = m_sources.language();
    const auto a = areaOf(0);
    const auto b = areaOf(1);
    Fields->setRowCount(0);
    if (!a || !b) {
        Summary->setText(text(ExtraText::UnitNotKnown, l));
        TakeOver->setEnabled(false);
        for (DiffGrid *grid : {MapGrid, AdvanceRpmGrid, ServoRpmGrid, ServoVoltageGrid})
            grid->setValues({}, {});
        return;
    }
    Summary->setStyleSheet({});
    const auto entries = compareParameters(*a, *b, ShowAll->isChecked());
    const auto differing = std::count_if(entries.begin(), entries.end(), [](const auto &d) { return d.differs; });
    Summary->setText(differing == 0 ? text(ExtraText::SetsEqual, l)
                                    : text(ExtraText::DifferingFields, l) + QString::number(differing));
    for (const FieldDifference &d : entries) {
        const int row = Fields->rowCount();
        Fields->insertRow(row);
        auto *name = new QTableWidgetItem(entryLabel(d, l));
        QVariantList offsets;
        for (const int offset : d.offsets())
            offsets << offset;
        name->setData(OffsetRole, offsets);
        if (d.differs) {
            name->setFlags(name->flags() | Qt::ItemIsUserCheckable);
            name->setCheckState(Qt::Unchecked);
        }
        Fields->setItem(row, 0, name);
        Fields->setItem(row, 1, new QTableWidgetItem(sideText(d, true, l)));
        Fields->setItem(row, 2, new QTableWidgetItem(sideText(d, false, l)));
        if (d.differs)
            for (int c = 0; c < 3; ++c)
                Fields->item(row, c)->setBackground(QColor(255, 220, 170));
    }
    Fields->resizeColumnToContents(1);
    Fields->resizeColumnToContents(2);
    MapGrid->setValues(shownValues(*a, field::AdvanceMapBase, field::MapRows * field::MapColumns),
                       shownValues(*b, field::AdvanceMapBase, field::MapRows * field::MapColumns));
    AdvanceRpmGrid->setValues(shownValues(*a, field::AdvanceRpmBase, field::CurvePoints),
                              shownValues(*b, field::AdvanceRpmBase, field::CurvePoints));
    ServoRpmGrid->setValues(shownValues(*a, field::ServoRpmBase, field::CurvePoints),
                            shownValues(*b, field::ServoRpmBase, field::CurvePoints));
    ServoVoltageGrid->setValues(shownValues(*a, field::ServoVoltageBase, field::CurvePoints),
                                shownValues(*b, field::ServoVoltageBase, field::CurvePoints));
    TakeOver->setEnabled(differing > 0);
}

void FormCompare::takeOverTicked()
{
    const bool editorIsB = static_cast<Kind>(SourceB->currentData(KindRole).toInt()) == Kind::Editor;
    const auto from = areaOf(editorIsB ? 0 : 1);
    if (!from)
        return;
    std::vector<std::pair<int, std::uint8_t>> bytes;
    for (int row = 0; row < Fields->rowCount(); ++row) {
        const QTableWidgetItem *name = Fields->item(row, 0);
        if (name->flags() & Qt::ItemIsUserCheckable && name->checkState() == Qt::Checked)
            for (const QVariant &offset : name->data(OffsetRole).toList())
                bytes.emplace_back(offset.toInt(), (*from)[static_cast<std::size_t>(offset.toInt())]);
    }
    if (bytes.empty())
        return;
    const std::vector<int> otherwise = m_sources.takeOver(bytes);
    compare();
    if (otherwise.empty())
        return;
    // A chosen value validation put back would otherwise vanish from the list without
    // a word: name every field it holds otherwise.
    const int l = m_sources.language();
    QStringList names;
    for (const int offset : otherwise)
        if (const FieldInfo *f = fieldAt(offset); f && !names.contains(fieldLabel(*f, l)))
            names << fieldLabel(*f, l);
    Summary->setText(Summary->text() + QStringLiteral("\n") + text(ExtraText::ValidationChanged, l) +
                     names.join(QStringLiteral("; ")));
    Summary->setStyleSheet(QStringLiteral("QLabel { background: yellow; }"));
}

void FormCompare::changeEvent(QEvent *event)
{
    // The editor may have changed while the window was in the background.
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        compare();
    QDialog::changeEvent(event);
}

} // namespace talviro6
