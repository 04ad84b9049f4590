#pragma once

#include "recordings/min_max_pyramid.h"

#include <QWidget>

#include <cstdint>
#include <deque>
#include <optional>
#include <utility>

namespace talviro6 {

/// A recording as stacked plots over one time axis: engine speed, advance (both
/// channels), throttle, servo desired and measured, supply, and the sixteen on/off
/// values as bands. Every paint draws one min/max line per pixel column and series
/// from the pyramid, so a day of frames paints as fast as a minute.
/// Times are ms after the recording's first frame.
/// The wheel zooms around the pointer, a drag pans, a double click shows the whole
/// recording; a click fixes the cursor, a Shift+drag chooses a range.
class RecordingPlot : public QWidget {
    Q_OBJECT

  public:
    static constexpr int LabelWidth = 130;    ///< px left of the time axis, for the bands' names
    static constexpr int BandHeight = 11;     ///< px per on/off band
    static constexpr int AxisHeight = 18;     ///< px of time labels under the plots
    static constexpr double MinSpanMs = 20.0; ///< the deepest zoom: a few frames over the width

    /// Both are kept by the caller for the plot's life.
    RecordingPlot(const std::deque<PackedFrame> &frames, const MinMaxPyramid &pyramid, QWidget *parent = nullptr);

    void setLanguage(int languageIndex);

    double viewFrom() const { return m_from; }
    double viewTo() const { return m_to; }
    void setView(double fromMs, double toMs);
    void showWhole();
    std::int64_t durationMs() const { return m_duration; }

    /// The time under a widget x, and back.
    double timeAt(double x) const;
    double xAt(double ms) const;
    /// The plotted area, without the names and the time axis.
    QRect plotArea() const;
    /// Where an on/off value's band is (0 the kill switch ... 15, the order of its bit).
    QRect bandArea(int band) const;

    std::optional<std::int64_t> fixedCursor() const { return m_fixed; }
    void setFixedCursor(std::int64_t ms);
    std::optional<std::int64_t> hoverCursor() const { return m_hover; }
    /// The range chosen by Shift+drag, ms after the first frame, from <= to.
    std::optional<std::pair<std::int64_t, std::int64_t>> chosenRange() const { return m_range; }

  signals:
    void cursorFixed(qint64 ms);
    void chosenRangeChanged(qint64 fromMs, qint64 toMs);
    void viewChanged();

  protected:
    void paintEvent(QPaintEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;

  private:
    int laneHeight() const;
    std::int64_t clampedTime(double ms) const;
    /// The last frame at or before a time; the first before the recording starts.
    const PackedFrame &frameAtOrBefore(std::int64_t ms) const;

    const std::deque<PackedFrame> &m_frames;
    const MinMaxPyramid &m_pyramid;
    int m_language = 0;
    std::int64_t m_first = 0;    ///< the first frame's own time
    std::int64_t m_duration = 0; ///< ms from the first frame to the last
    FrameSpan m_whole;           ///< every series over the whole recording: the fixed y scales
    double m_from = 0;
    double m_to = 1;
    std::optional<std::int64_t> m_fixed;
    std::optional<std::int64_t> m_hover;
    std::optional<std::pair<std::int64_t, std::int64_t>> m_range;

    enum class Drag { None, Pending, Pan, Choose };
    Drag m_drag = Drag::None;
    QPoint m_pressAt;
    double m_pressFrom = 0;
    double m_pressTo = 0;
};

} // namespace talviro6
