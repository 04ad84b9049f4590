#include "editor/viewer/recording_plot.h"

#include "live/monitor_view.h"
#include "texts/viewer_texts.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace talviro6 {
namespace {

constexpr int PlotLaneCount = 5;
constexpr int PlotBandCount = 16;
constexpr int PlotDragThreshold = 3; ///< px a press moves before it pans instead of fixing the cursor

/// One plot: its series, their colours and how a value reads.
struct PlotLane {
    ViewerText name;
    std::array<PlotSeries, 2> series;
    int seriesCount;
    double scale; ///< shown unit per stored value
    double offset;
};

const std::array<PlotLane, PlotLaneCount> &plotLanes()
{
    static const std::array<PlotLane, PlotLaneCount> l{{
        {ViewerText::PlotSpeed, {PlotSeries::EngineSpeed, PlotSeries::EngineSpeed}, 1, 1.0, 0.0},
        {ViewerText::PlotAdvance, {PlotSeries::Advance1, PlotSeries::Advance2}, 2, 1.0, -100.0},
        {ViewerText::PlotThrottle, {PlotSeries::TpsPercent, PlotSeries::TpsPercent}, 1, 1.0, 0.0},
        {ViewerText::PlotServo, {PlotSeries::ServoDesired, PlotSeries::ServoMeasured}, 2, 5.0 / 1023.0, 0.0},
        {ViewerText::PlotSupply, {PlotSeries::Supply, PlotSeries::Supply}, 1, 0.001, 0.0},
    }};
    return l;
}

const std::array<QColor, 2> PlotSeriesColours{QColor(0, 90, 181), QColor(220, 50, 32)};
const QColor PlotBandOn(0, 120, 60);
const QColor PlotRangeShade(255, 190, 0, 70);

QString plotTimeLabel(std::int64_t ms, double step)
{
    const std::int64_t s = ms / 1000;
    QString text = s >= 3600 ? QStringLiteral("%1:%2:%3")
                                   .arg(s / 3600)
                                   .arg(s / 60 % 60, 2, 10, QLatin1Char('0'))
                                   .arg(s % 60, 2, 10, QLatin1Char('0'))
                             : QStringLiteral("%1:%2").arg(s / 60).arg(s % 60, 2, 10, QLatin1Char('0'));
    if (step < 1000)
        text += QStringLiteral(".%1").arg(ms % 1000, 3, 10, QLatin1Char('0'));
    return text;
}

} // namespace

RecordingPlot::RecordingPlot(const std::deque<PackedFrame> &frames, const MinMaxPyramid &pyramid, QWidget *parent)
    : QWidget(parent), m_frames(frames), m_pyramid(pyramid)
{
    setObjectName(QStringLiteral("RecordingPlot"));
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(600, PlotLaneCount * 60 + PlotBandCount * BandHeight + AxisHeight);
    if (!m_frames.empty()) {
        m_first = m_frames.front().milliseconds;
        m_duration = m_frames.back().milliseconds - m_first;
        m_whole = m_pyramid.span(m_frames, 0, m_frames.size());
    }
    showWhole();
}

void RecordingPlot::setLanguage(int languageIndex)
{
    m_language = languageIndex;
    update();
}

QRect RecordingPlot::plotArea() const
{
    return QRect(LabelWidth, 0, std::max(1, width() - LabelWidth - 4), std::max(1, height() - AxisHeight));
}

int RecordingPlot::laneHeight() const
{
    return std::max(20, (plotArea().height() - PlotBandCount * BandHeight) / PlotLaneCount);
}

QRect RecordingPlot::bandArea(int band) const
{
    const QRect area = plotArea();
    return QRect(area.left(), PlotLaneCount * laneHeight() + band * BandHeight, area.width(), BandHeight);
}

double RecordingPlot::timeAt(double x) const
{
    const QRect a = plotArea();
    return m_from + (x - a.left()) * (m_to - m_from) / a.width();
}

double RecordingPlot::xAt(double ms) const
{
    const QRect a = plotArea();
    return a.left() + (ms - m_from) * a.width() / (m_to - m_from);
}

void RecordingPlot::setView(double fromMs, double toMs)
{
    const double whole = std::max<double>(static_cast<double>(m_duration), MinSpanMs);
    double span = std::clamp(toMs - fromMs, MinSpanMs, whole);
    double from = std::clamp(fromMs, 0.0, whole - span);
    if (from == m_from && from + span == m_to)
        return;
    m_from = from;
    m_to = from + span;
    update();
    emit viewChanged();
}

void RecordingPlot::showWhole()
{
    setView(0, std::max<double>(static_cast<double>(m_duration), MinSpanMs));
}

std::int64_t RecordingPlot::clampedTime(double ms) const
{
    return std::clamp<std::int64_t>(std::llround(ms), 0, m_duration);
}

const PackedFrame &RecordingPlot::frameAtOrBefore(std::int64_t ms) const
{
    const std::size_t after = MinMaxPyramid::frameAt(m_frames, static_cast<double>(m_first + ms) + 0.5);
    return m_frames[after == 0 ? 0 : after - 1];
}

void RecordingPlot::setFixedCursor(std::int64_t ms)
{
    m_fixed = clampedTime(static_cast<double>(ms));
    update();
}

void RecordingPlot::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Base));
    const QRect area = plotArea();
    const int columns = area.width();
    const std::vector<FrameSpan> spans = m_frames.empty()
                                             ? std::vector<FrameSpan>(static_cast<std::size_t>(columns))
                                             : m_pyramid.query(m_frames, static_cast<double>(m_first) + m_from,
                                                               static_cast<double>(m_first) + m_to, columns);
    const int laneHeight = this->laneHeight();
    const QColor text = palette().color(QPalette::Text);
    const QColor grid = palette().color(QPalette::Mid);
    const std::optional<std::int64_t> readAt = m_fixed ? m_fixed : m_hover;
    const PackedFrame *shown = readAt && !m_frames.empty() ? &frameAtOrBefore(*readAt) : nullptr;

    if (m_range) {
        const double x1 = std::max<double>(area.left(), xAt(static_cast<double>(m_range->first)));
        const double x2 = std::min<double>(area.right(), xAt(static_cast<double>(m_range->second)));
        if (x2 >= x1)
            p.fillRect(QRectF(x1, 0, std::max(1.0, x2 - x1), area.bottom()), PlotRangeShade);
    }

    std::vector<QLineF> lines;
    lines.reserve(static_cast<std::size_t>(columns) * 2);
    for (int l = 0; l < PlotLaneCount; ++l) {
        const PlotLane &lane = plotLanes()[static_cast<std::size_t>(l)];
        const int top = l * laneHeight;
        const QRect box(area.left(), top + 3, columns, laneHeight - 6);
        p.setPen(grid);
        p.drawLine(0, top + laneHeight - 1, width(), top + laneHeight - 1);
        // One scale for both series of a plot, over the whole recording: zoom and pan
        // keep a value at its height.
        std::uint16_t lo = 0xFFFF, hi = 0;
        for (int s = 0; s < lane.seriesCount; ++s) {
            lo = std::min(lo, m_whole[lane.series[static_cast<std::size_t>(s)]].min);
            hi = std::max(hi, m_whole[lane.series[static_cast<std::size_t>(s)]].max);
        }
        if (lo > hi)
            lo = hi = 0;
        const double range = std::max(1, hi - lo);
        const auto yOf = [&](double v) { return box.bottom() - (v - lo) * box.height() / range; };

        QString label = QString::fromUtf8(viewerText(lane.name, m_language));
        for (int s = 0; s < lane.seriesCount; ++s) {
            const PlotSeries series = lane.series[static_cast<std::size_t>(s)];
            lines.clear();
            int prev = -1;
            for (int c = 0; c < columns; ++c) {
                const MinMax &m = spans[static_cast<std::size_t>(c)][series];
                if (m.empty())
                    continue;
                const double x = area.left() + c + 0.5;
                if (prev == c - 1) {
                    // Joined to the column before: the line covers both spans' meeting.
                    const MinMax &b = spans[static_cast<std::size_t>(prev)][series];
                    lines.emplace_back(x, yOf(std::min(m.min, b.max)), x, yOf(std::max(m.max, b.min)));
                } else {
                    if (prev >= 0) {
                        const MinMax &b = spans[static_cast<std::size_t>(prev)][series];
                        lines.emplace_back(area.left() + prev + 0.5, yOf((b.min + b.max) / 2.0), x,
                                           yOf((m.min + m.max) / 2.0));
                    }
                    lines.emplace_back(x, yOf(m.min), x, yOf(m.max));
                }
                prev = c;
            }
            p.setPen(QPen(PlotSeriesColours[static_cast<std::size_t>(s)], 1));
            p.drawLines(lines.data(), static_cast<int>(lines.size()));
            if (shown)
                label += QStringLiteral("  ") + QString::number(seriesValue(*shown, series) * lane.scale + lane.offset,
                                                                'f', lane.scale < 0.1 ? 2 : 0);
        }
        p.setPen(text);
        p.drawText(QRect(4, top + 2, LabelWidth - 6, laneHeight - 4), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                   label);
        p.setPen(grid);
        p.drawText(QRect(4, top + 2, LabelWidth - 6, laneHeight - 4), Qt::AlignLeft | Qt::AlignBottom,
                   QString::number(lo * lane.scale + lane.offset, 'f', lane.scale < 0.1 ? 1 : 0) +
                       QStringLiteral(" \u2026 ") +
                       QString::number(hi * lane.scale + lane.offset, 'f', lane.scale < 0.1 ? 1 : 0));
    }

    // The bands: full where the value was on in every frame of a column, half where
    // in some; between frames, the frame before holds.
    QFont small = font();
    small.setPointSizeF(std::max(6.0, small.pointSizeF() - 2));
    p.setFont(small);
    std::vector<std::uint16_t> allOn(static_cast<std::size_t>(columns)), anyOn(static_cast<std::size_t>(columns));
    for (int c = 0; c < columns; ++c) {
        const MinMax &m = spans[static_cast<std::size_t>(c)][PlotSeries::Flags];
        if (!m.empty()) {
            allOn[static_cast<std::size_t>(c)] = m.min;
            anyOn[static_cast<std::size_t>(c)] = m.max;
            continue;
        }
        const double t = timeAt(area.left() + c);
        if (m_frames.empty() || t < 0 || t > static_cast<double>(m_duration))
            continue;
        const std::uint16_t held = frameAtOrBefore(static_cast<std::int64_t>(t)).flags;
        allOn[static_cast<std::size_t>(c)] = anyOn[static_cast<std::size_t>(c)] = held;
    }
    for (int b = 0; b < PlotBandCount; ++b) {
        const int top = bandArea(b).top();
        const std::uint16_t bit = static_cast<std::uint16_t>(1u << b);
        p.setPen(text);
        QString name = QString::fromUtf8(
            viewerText(static_cast<ViewerText>(static_cast<int>(ViewerText::BandKillSwitch) + b), m_language));
        p.drawText(QRect(4, top, LabelWidth - 6, BandHeight), Qt::AlignLeft | Qt::AlignVCenter, name);
        int c = 0;
        while (c < columns) {
            const int level = (allOn[static_cast<std::size_t>(c)] & bit)   ? 2
                              : (anyOn[static_cast<std::size_t>(c)] & bit) ? 1
                                                                           : 0;
            int end = c + 1;
            while (end < columns) {
                const int next = (allOn[static_cast<std::size_t>(end)] & bit)   ? 2
                                 : (anyOn[static_cast<std::size_t>(end)] & bit) ? 1
                                                                                : 0;
                if (next != level)
                    break;
                ++end;
            }
            if (level > 0) {
                const int h = level == 2 ? BandHeight - 2 : (BandHeight - 2) / 2;
                p.fillRect(area.left() + c, top + BandHeight - 1 - h, end - c, h, PlotBandOn);
            }
            c = end;
        }
        p.setPen(grid);
        p.drawLine(area.left(), top + BandHeight - 1, area.right(), top + BandHeight - 1);
    }

    // The time axis: a label every 100 px or so, on a round step.
    const double span = m_to - m_from;
    static constexpr std::array<double, 19> Steps{
        1, 2, 5, 10, 20, 50, 100, 200, 500, 1000, 2000, 5000, 10000, 30000, 60000, 300000, 600000, 1800000, 3600000};
    double step = Steps.back();
    for (double s : Steps)
        if (s * columns / span >= 100) {
            step = s;
            break;
        }
    p.setPen(grid);
    for (double t = std::ceil(m_from / step) * step; t <= m_to; t += step) {
        const double x = xAt(t);
        p.drawLine(QPointF(x, area.bottom()), QPointF(x, area.bottom() + 4));
        p.drawText(QRectF(x - 60, area.bottom() + 2, 120, AxisHeight - 2), Qt::AlignHCenter | Qt::AlignTop,
                   plotTimeLabel(static_cast<std::int64_t>(t), step));
    }

    if (m_hover && m_hover != m_fixed) {
        p.setPen(QPen(grid, 1, Qt::DashLine));
        p.drawLine(QPointF(xAt(static_cast<double>(*m_hover)), 0),
                   QPointF(xAt(static_cast<double>(*m_hover)), area.bottom()));
    }
    if (m_fixed) {
        p.setPen(QPen(text, 2));
        p.drawLine(QPointF(xAt(static_cast<double>(*m_fixed)), 0),
                   QPointF(xAt(static_cast<double>(*m_fixed)), area.bottom()));
    }
}

void RecordingPlot::wheelEvent(QWheelEvent *event)
{
    const double steps = event->angleDelta().y() / 120.0;
    if (steps == 0)
        return;
    const double x = event->position().x();
    const double under = timeAt(x);
    const double span = (m_to - m_from) * std::pow(0.8, steps);
    const double clamped = std::clamp(span, MinSpanMs, std::max<double>(static_cast<double>(m_duration), MinSpanMs));
    const double from = under - (x - plotArea().left()) * clamped / plotArea().width();
    setView(from, from + clamped);
    event->accept();
}

void RecordingPlot::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_pressAt = event->position().toPoint();
    m_pressFrom = m_from;
    m_pressTo = m_to;
    m_drag = (event->modifiers() & Qt::ShiftModifier) ? Drag::Choose : Drag::Pending;
}

void RecordingPlot::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    m_hover = clampedTime(timeAt(at.x()));
    if (m_drag == Drag::Pending && std::abs(at.x() - m_pressAt.x()) >= PlotDragThreshold)
        m_drag = Drag::Pan;
    if (m_drag == Drag::Pan) {
        const double shift = (at.x() - m_pressAt.x()) * (m_pressTo - m_pressFrom) / plotArea().width();
        setView(m_pressFrom - shift, m_pressTo - shift);
    } else if (m_drag == Drag::Choose) {
        const std::int64_t a = clampedTime(timeAt(m_pressAt.x())), b = clampedTime(timeAt(at.x()));
        m_range = std::make_pair(std::min(a, b), std::max(a, b));
    }
    update();
}

void RecordingPlot::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const Drag drag = m_drag;
    m_drag = Drag::None;
    const double x = event->position().x();
    if (drag == Drag::Choose) {
        const std::int64_t a = clampedTime(timeAt(m_pressAt.x())), b = clampedTime(timeAt(x));
        m_range = std::make_pair(std::min(a, b), std::max(a, b));
        update();
        emit chosenRangeChanged(m_range->first, m_range->second);
    } else if (drag == Drag::Pending) {
        m_fixed = clampedTime(timeAt(x));
        update();
        emit cursorFixed(*m_fixed);
    }
}

void RecordingPlot::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        showWhole();
}

void RecordingPlot::leaveEvent(QEvent *)
{
    m_hover.reset();
    update();
}

} // namespace talviro6
