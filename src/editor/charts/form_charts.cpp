#include "editor/charts/form_charts.h"

#include "editor/colours.h"

#include "model/field_table.h"
#include "model/fields.h"
#include "texts/charts_texts.h"

#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QPainter>
#include <QScatterSeries>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <array>
#include <type_traits>

namespace talviro6 {
namespace {

constexpr int SpeedStep = 1000;  ///< rpm between the speed axis' ends and the curves
constexpr int SpeedTicks = 9;    ///< at most this many intervals, as five-digit speed labels need room
constexpr int AdvanceStep = 5;   ///< °
constexpr int VoltageStep = 500; ///< mV
constexpr int LastRow = field::MapRows - 1;

int shown(const ParameterArea &area, int offset)
{
    const FieldInfo *info = fieldAt(offset);
    const std::uint8_t stored = area[static_cast<std::size_t>(offset)];
    return info ? toShown(*info, stored) : stored;
}

int roundUp(int value, int step)
{
    return value >= 0 ? (value + step - 1) / step * step : -((-value) / step * step);
}

int roundDown(int value, int step)
{
    return -roundUp(-value, step);
}

QString text(ChartsText t, int language)
{
    return QString::fromUtf8(chartsText(t, language));
}

QChart *newChart(QScatterSeries *&marker)
{
    auto *chart = new QChart;
    chart->legend()->setAlignment(Qt::AlignRight);
    marker = new QScatterSeries(chart);
    // Lime as the operating cell in the map, with a dark rim to stand out on white.
    marker->setColor(toQColor(palette::OperatingPoint));
    marker->setBorderColor(Qt::black);
    marker->setMarkerSize(12);
    return chart;
}

/// Whole ticks from 0: every `step`, doubled until no more than `maxTicks` intervals fill the range;
/// the range ends on a tick, as a label squeezed in just after the last tick would run into it.
void setRange(QValueAxis *axis, int low, int high, int step, int maxTicks = 12)
{
    while ((high - low) / step > maxTicks)
        step *= 2;
    axis->setRange(roundDown(low, step), roundUp(high, step));
    axis->setTickAnchor(0);
    axis->setTickInterval(step);
}

QColor rowColour(int row)
{
    return toQColor(palette::ChartRows[static_cast<std::size_t>(row)]);
}

void attach(QChart *chart, QAbstractSeries *series, QValueAxis *x, QValueAxis *y)
{
    chart->addSeries(series);
    series->attachAxis(x);
    series->attachAxis(y);
}

} // namespace

FormCharts::FormCharts(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormCharts"));
    m_advanceChart = newChart(m_advancePoint);
    m_servoChart = newChart(m_servoPoint);
    m_advanceX = new QValueAxis(m_advanceChart);
    m_advanceY = new QValueAxis(m_advanceChart);
    m_servoX = new QValueAxis(m_servoChart);
    m_servoY = new QValueAxis(m_servoChart);
    for (QValueAxis *axis : {m_advanceX, m_servoX, m_advanceY, m_servoY}) {
        axis->setLabelFormat(QStringLiteral("%d"));
        axis->setTickType(QValueAxis::TicksDynamic);
    }
    m_advanceChart->addAxis(m_advanceX, Qt::AlignBottom);
    m_advanceChart->addAxis(m_advanceY, Qt::AlignLeft);
    m_servoChart->addAxis(m_servoX, Qt::AlignBottom);
    m_servoChart->addAxis(m_servoY, Qt::AlignLeft);

    m_servoSeries = new QLineSeries(m_servoChart);
    m_servoSeries->setPointsVisible(true);
    attach(m_servoChart, m_servoSeries, m_servoX, m_servoY);
    attach(m_servoChart, m_servoPoint, m_servoX, m_servoY);
    attach(m_advanceChart, m_advancePoint, m_advanceX, m_advanceY);

    m_advanceView = new QChartView(m_advanceChart, this);
    m_servoView = new QChartView(m_servoChart, this);
    m_advanceView->setObjectName(QStringLiteral("ChartAdvance"));
    m_servoView->setObjectName(QStringLiteral("ChartServo"));
    for (QChartView *view : {m_advanceView, m_servoView})
        view->setRenderHint(QPainter::Antialiasing);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_advanceView, 3);
    layout->addWidget(m_servoView, 2);
    resize(760, 780);
}

void FormCharts::setAdvanceRows(int rows)
{
    if (static_cast<int>(m_advanceSeries.size()) == rows)
        return;
    for (QLineSeries *s : m_advanceSeries) {
        m_advanceChart->removeSeries(s);
        delete s;
    }
    m_advanceSeries.clear();
    // The marker is drawn last, over the lines.
    m_advanceChart->removeSeries(m_advancePoint);
    for (int i = 0; i < rows; ++i) {
        auto *s = new QLineSeries(m_advanceChart);
        s->setPointsVisible(true);
        attach(m_advanceChart, s, m_advanceX, m_advanceY);
        m_advanceSeries.push_back(s);
    }
    attach(m_advanceChart, m_advancePoint, m_advanceX, m_advanceY);
    m_language = -1; // the new lines need their names
}

void FormCharts::showImage(const UnitImage &image, int language)
{
    if (m_shownArea == image.parameters && m_language == language)
        return;
    const bool curvesChanged = m_shownArea != image.parameters;
    const ParameterArea &a = image.parameters;
    m_shownArea = a;
    if (curvesChanged) {
        const bool tpsMap = a[field::TpsMapEnable] != 0;
        const int firstRow = tpsMap ? 0 : LastRow;
        setAdvanceRows(field::MapRows - firstRow);

        int maxSpeed = 0;
        int minAdvance = 0;
        int maxAdvance = 0;
        for (int r = firstRow; r <= LastRow; ++r) {
            QList<QPointF> points;
            for (int c = 0; c < field::MapColumns; ++c) {
                const int speed = shown(a, field::AdvanceRpm(c));
                const int advance = shown(a, field::AdvanceMap(r, c));
                points.append(QPointF(speed, advance));
                maxSpeed = std::max(maxSpeed, speed);
                minAdvance = std::min(minAdvance, advance);
                maxAdvance = std::max(maxAdvance, advance);
            }
            QLineSeries *line = m_advanceSeries[static_cast<std::size_t>(r - firstRow)];
            line->replace(points);
            line->setColor(rowColour(r));
        }
        setRange(m_advanceX, 0, roundUp(maxSpeed + 1, SpeedStep), SpeedStep, SpeedTicks);
        setRange(m_advanceY, roundDown(minAdvance, AdvanceStep), roundUp(maxAdvance + 1, AdvanceStep), AdvanceStep);

        QList<QPointF> servo;
        int maxServoSpeed = 0;
        int maxVoltage = 0;
        for (int i = 0; i < field::CurvePoints; ++i) {
            const int speed = shown(a, field::ServoRpm(i));
            const int voltage = shown(a, field::ServoVoltage(i));
            servo.append(QPointF(speed, voltage));
            maxServoSpeed = std::max(maxServoSpeed, speed);
            maxVoltage = std::max(maxVoltage, voltage);
        }
        m_servoSeries->replace(servo);
        setRange(m_servoX, 0, roundUp(maxServoSpeed + 1, SpeedStep), SpeedStep, SpeedTicks);
        setRange(m_servoY, 0, roundUp(maxVoltage + 1, VoltageStep), VoltageStep, 8);
    }
    if (m_language != language) {
        m_language = language;
        retranslate();
    }
    placeMarkers();
}

void FormCharts::retranslate()
{
    const int l = m_language;
    setWindowTitle(text(ChartsText::Caption, l));
    m_advanceChart->setTitle(text(ChartsText::AdvanceTitle, l));
    m_servoChart->setTitle(text(ChartsText::ServoTitle, l));
    m_advanceX->setTitleText(text(ChartsText::AxisEngineSpeed, l));
    m_servoX->setTitleText(text(ChartsText::AxisEngineSpeed, l));
    m_advanceY->setTitleText(text(ChartsText::AxisAdvance, l));
    m_servoY->setTitleText(text(ChartsText::AxisServoVoltage, l));
    const int firstRow = field::MapRows - static_cast<int>(m_advanceSeries.size());
    for (std::size_t i = 0; i < m_advanceSeries.size(); ++i)
        m_advanceSeries[i]->setName(
            text(ChartsText::ThrottleRow, l).arg(ThrottleRows[static_cast<std::size_t>(firstRow) + i]));
    m_servoSeries->setName(text(ChartsText::ServoCurve, l));
    m_advancePoint->setName(text(ChartsText::OperatingPoint, l));
    m_servoPoint->setName(text(ChartsText::OperatingPoint, l));
}

void FormCharts::showOperatingPoint(const OperatingPoint &point)
{
    if (m_point == point)
        return;
    m_point = point;
    placeMarkers();
}

void FormCharts::placeMarkers()
{
    if (!m_shownArea || !m_point)
        return;
    const ParameterArea &a = *m_shownArea;
    const OperatingPoint &p = *m_point;
    const int firstRow = field::MapRows - static_cast<int>(m_advanceSeries.size());
    QList<QPointF> cell;
    // Below the map's first column no cell is in use, as no cell is lit in the map.
    if (!p.BelowSpeedRange && p.OperatingRow >= firstRow && p.OperatingRow <= LastRow &&
        p.OperatingColumn < field::MapColumns)
        cell.append(QPointF(shown(a, field::AdvanceRpm(p.OperatingColumn)),
                            shown(a, field::AdvanceMap(p.OperatingRow, p.OperatingColumn))));
    if (m_advancePoint->points() != cell)
        m_advancePoint->replace(cell);
    QList<QPointF> servo;
    if (p.OperatingServoPoint < field::CurvePoints)
        servo.append(QPointF(shown(a, field::ServoRpm(p.OperatingServoPoint)),
                             shown(a, field::ServoVoltage(p.OperatingServoPoint))));
    if (m_servoPoint->points() != servo)
        m_servoPoint->replace(servo);
}

} // namespace talviro6

extern "C" Q_DECL_EXPORT talviro6::ChartsWindow *talviro6_make_charts_window(QWidget *parent)
{
    return new talviro6::FormCharts(parent);
}
static_assert(std::is_same_v<decltype(&talviro6_make_charts_window), talviro6::MakeChartsWindow>,
              "the program calls the factory through MakeChartsWindow");
