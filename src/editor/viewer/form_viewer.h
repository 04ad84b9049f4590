#pragma once

#include "recordings/min_max_pyramid.h"
#include "recordings/replay_clock.h"

#include <QString>
#include <QWidget>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

class QLabel;
class QPushButton;

namespace talviro6 {

class PlayControls;
class RecordingPlot;

/// A recording seen whole: the plots, the moment under the fixed cursor shown in the
/// main window as the replay shows it, play from the cursor at 1x or 4x, and a
/// chosen range. Like the replay it does not run itself: the main window's tick
/// calls tick(), which hands the frames due to `feed` as if the unit had sent them.
class FormViewer : public QWidget {
    Q_OBJECT

  public:
    using Feed = std::function<void(const MonitorFrame &)>;

    FormViewer(Recording recording, const QString &fileName, int languageIndex, Feed feed, QWidget *parent = nullptr);
    ~FormViewer() override;

    /// True from the first fixed cursor: the main window then shows the recording's
    /// moment instead of the unit's.
    bool drivesWindow() const { return isVisible() && m_plot && m_clockStarted; }
    bool playing() const { return m_clock.playing(); }
    /// One tick of the main window: the frames due, or the fixed moment once more.
    void tick();

    void play();
    void pause();
    void setSpeed(int factor);
    void setLanguage(int languageIndex);
    int language() const { return m_language; }

    RecordingPlot *plot() const { return m_plot; }
    const ReplayClock &clock() const { return m_clock; }
    const MinMaxPyramid &pyramid() const { return m_pyramid; }
    std::size_t skippedLines() const { return m_skipped; }
    /// The range chosen by Shift+drag, ms after the first frame.
    std::optional<std::pair<std::int64_t, std::int64_t>> chosenRange() const;

  signals:
    void chosenRangeChanged(qint64 fromMs, qint64 toMs);

  protected:
    void closeEvent(QCloseEvent *event) override;

  private:
    void fixCursor(std::int64_t ms);
    void showState();

    ReplayClock m_clock; ///< holds the frames; the plot and the pyramid read them there
    MinMaxPyramid m_pyramid;
    Feed m_feed;
    int m_language = 0;
    QString m_fileName;
    std::size_t m_skipped = 0;
    bool m_clockStarted = false;
    RecordingPlot *m_plot = nullptr;
    std::unique_ptr<PlayControls> m_controls;
    QLabel *m_time = nullptr;
    QLabel *m_range = nullptr;
};

} // namespace talviro6
