#include "editor/recording_dwell/form_recording_dwell.h"

#include "texts/recording_dwell_texts.h"

#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include <cmath>
#include <utility>

namespace talviro6 {
namespace {

QString text(RecordingDwellText t, int language)
{
    return QString::fromUtf8(recordingDwellText(t, language).data(),
                             static_cast<qsizetype>(recordingDwellText(t, language).size()));
}

std::int64_t toMilliseconds(double seconds)
{
    return static_cast<std::int64_t>(std::llround(seconds * 1000.0));
}

} // namespace

FormRecordingDwell::FormRecordingDwell(ImageSource image, int languageIndex, Notify changed, Notify open,
                                       QWidget *parent)
    : QWidget(parent, Qt::Window), m_image(std::move(image)), m_changed(std::move(changed)), m_language(languageIndex)
{
    setObjectName(QStringLiteral("FormRecordingDwell"));
    auto *layout = new QVBoxLayout(this);

    auto *fileRow = new QHBoxLayout;
    m_open = new QPushButton(this);
    m_file = new QLabel(this);
    m_file->setTextInteractionFlags(Qt::TextSelectableByMouse);
    fileRow->addWidget(m_open);
    fileRow->addWidget(m_file, 1);
    layout->addLayout(fileRow);

    auto *filters = new QGridLayout;
    const auto addField = [&](int row, int column, QLabel *&label, QWidget *field) {
        label = new QLabel(this);
        label->setBuddy(field);
        filters->addWidget(label, row, column * 2);
        filters->addWidget(field, row, column * 2 + 1);
    };
    m_minCount = new QSpinBox(this);
    m_minCount->setRange(0, 1'000'000'000);
    // A limit of 0 would leave out every frame that moves at all: 0 means no limit.
    m_maxRpmRate = new QSpinBox(this);
    m_maxRpmRate->setRange(0, 1'000'000);
    m_maxRpmRate->setSingleStep(500);
    m_maxTpsRate = new QSpinBox(this);
    m_maxTpsRate->setRange(0, 100'000);
    m_maxTpsRate->setSingleStep(10);
    m_from = new QDoubleSpinBox(this);
    m_to = new QDoubleSpinBox(this);
    for (QDoubleSpinBox *box : {m_from, m_to}) {
        box->setDecimals(3); // a line's time is kept to the millisecond
        box->setSingleStep(1.0);
    }
    addField(0, 0, m_minCountLabel, m_minCount);
    addField(1, 0, m_maxRpmRateLabel, m_maxRpmRate);
    addField(2, 0, m_maxTpsRateLabel, m_maxTpsRate);
    addField(0, 1, m_fromLabel, m_from);
    addField(1, 1, m_toLabel, m_to);
    layout->addLayout(filters);

    auto *summaryRow = new QHBoxLayout;
    m_summary = new QLabel(this);
    m_tableButton = new QPushButton(this);
    m_tableButton->setCheckable(true);
    summaryRow->addWidget(m_summary, 1);
    summaryRow->addWidget(m_tableButton);
    layout->addLayout(summaryRow);

    m_table = new QTableWidget(DwellMap::Size + 2, DwellMap::Size, this);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_table->setVisible(false);
    layout->addWidget(m_table, 1);

    for (QSpinBox *box : {m_minCount, m_maxRpmRate, m_maxTpsRate})
        connect(box, &QSpinBox::valueChanged, this, [this] { recount(); });
    for (QDoubleSpinBox *box : {m_from, m_to})
        connect(box, &QDoubleSpinBox::valueChanged, this, [this] {
            if (!m_settingRange)
                recount();
        });
    connect(m_open, &QPushButton::clicked, this, [open = std::move(open)] { open(); });
    connect(m_tableButton, &QPushButton::toggled, this, [this](bool on) {
        m_table->setVisible(on);
        if (on) {
            // Twelve short rows: the whole table at once reads better than a scrolled part.
            m_table->resizeColumnsToContents();
            m_table->resizeRowsToContents();
            const int frame = 2 * m_table->frameWidth();
            m_table->setMinimumSize(m_table->verticalHeader()->width() + m_table->horizontalHeader()->length() + frame,
                                    m_table->horizontalHeader()->height() + m_table->verticalHeader()->length() +
                                        frame);
        }
        adjustSize();
    });
    retranslate();
}

void FormRecordingDwell::setRecording(std::deque<PackedFrame> frames, const QString &fileName)
{
    m_frames = std::move(frames);
    m_fileName = fileName;
    m_file->setText(QFileInfo(fileName).fileName());
    m_file->setToolTip(fileName);
    if (m_frames.empty()) {
        recount();
        return;
    }
    const double first = static_cast<double>(m_frames.front().milliseconds) / 1000.0;
    const double last = static_cast<double>(m_frames.back().milliseconds) / 1000.0;
    m_settingRange = true;
    for (QDoubleSpinBox *box : {m_from, m_to})
        box->setRange(std::min(first, last), std::max(first, last));
    m_from->setValue(first);
    m_to->setValue(last);
    m_settingRange = false;
    recount();
}

void FormRecordingDwell::showRange(std::int64_t fromMilliseconds, std::int64_t toMilliseconds)
{
    m_settingRange = true;
    m_from->setValue(static_cast<double>(fromMilliseconds) / 1000.0);
    m_to->setValue(static_cast<double>(toMilliseconds) / 1000.0);
    m_settingRange = false;
    recount();
}

void FormRecordingDwell::recount()
{
    DwellFilters filters;
    if (m_maxRpmRate->value() > 0)
        filters.maxRpmPerSecond = m_maxRpmRate->value();
    if (m_maxTpsRate->value() > 0)
        filters.maxThrottlePerSecond = m_maxTpsRate->value();
    filters.minCount = static_cast<std::uint32_t>(m_minCount->value());
    const RecordingRange range{toMilliseconds(m_from->value()), toMilliseconds(m_to->value())};
    m_counts = m_frames.empty() ? DwellCounts{} : countRecording(m_frames, m_image(), range, filters);
    shadeCounts(m_shading, m_counts, filters.minCount);

    const int l = m_language;
    m_summary->setText(
        m_frames.empty()
            ? text(RecordingDwellText::NoRecording, l)
            : text(RecordingDwellText::Counted, l) + QStringLiteral(" %1   ").arg(m_counts.framesCounted) +
                  text(RecordingDwellText::LeftOut, l) + QStringLiteral(" %1   ").arg(m_counts.transientsLeftOut) +
                  text(RecordingDwellText::InRange, l) + QStringLiteral(" %1").arg(m_counts.framesInRange));
    fillTable();
    if (m_changed)
        m_changed();
}

void FormRecordingDwell::fillTable()
{
    const auto cells =
        dwellTable(m_counts, m_image(), std::string(recordingDwellText(RecordingDwellText::ServoRpm, m_language)),
                   std::string(recordingDwellText(RecordingDwellText::Servo, m_language)));
    QStringList columns;
    for (std::size_t c = 1; c < cells.front().size(); ++c)
        columns << QString::fromStdString(cells.front()[c]);
    m_table->setHorizontalHeaderLabels(columns);
    QStringList rows;
    for (std::size_t r = 1; r < cells.size(); ++r) {
        rows << QString::fromStdString(cells[r].front());
        for (std::size_t c = 1; c < cells[r].size(); ++c) {
            const int row = static_cast<int>(r - 1), column = static_cast<int>(c - 1);
            QTableWidgetItem *item = m_table->item(row, column);
            if (!item) {
                item = new QTableWidgetItem;
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
                m_table->setItem(row, column, item);
            }
            item->setText(QString::fromStdString(cells[r][c]));
        }
    }
    m_table->setVerticalHeaderLabels(rows);
}

void FormRecordingDwell::setLanguage(int languageIndex)
{
    if (languageIndex == m_language)
        return;
    m_language = languageIndex;
    retranslate();
}

void FormRecordingDwell::retranslate()
{
    const int l = m_language;
    setWindowTitle(text(RecordingDwellText::Caption, l));
    m_open->setText(text(RecordingDwellText::Open, l));
    m_minCountLabel->setText(text(RecordingDwellText::MinCount, l));
    m_maxRpmRateLabel->setText(text(RecordingDwellText::MaxRpmRate, l));
    m_maxTpsRateLabel->setText(text(RecordingDwellText::MaxTpsRate, l));
    m_fromLabel->setText(text(RecordingDwellText::FromSeconds, l));
    m_toLabel->setText(text(RecordingDwellText::ToSeconds, l));
    m_maxRpmRate->setSpecialValueText(text(RecordingDwellText::Off, l));
    m_maxTpsRate->setSpecialValueText(text(RecordingDwellText::Off, l));
    m_tableButton->setText(text(RecordingDwellText::ShowTable, l));
    recount();
}

void FormRecordingDwell::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_changed)
        m_changed();
}

void FormRecordingDwell::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    if (m_changed)
        m_changed();
}

} // namespace talviro6
