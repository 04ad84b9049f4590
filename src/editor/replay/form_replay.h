#pragma once

#include "editor/replay/play_controls.h"
#include "recordings/replay_clock.h"

#include <QString>
#include <QWidget>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

class QLabel;
class QPushButton;
class QSlider;

namespace talviro6 {

/// The replay of a recording: play/pause, speed 1x/4x, a position slider and the
/// time. It does not run itself: the main window's tick calls tick(), which hands
/// the frames due to `feed` as if the unit had sent them. Hidden, it plays nothing.
class FormReplay : public QWidget {
    Q_OBJECT

  public:
    using Feed = std::function<void(const MonitorFrame &)>;

    /// `skippedLines`: lines of the file that could not be read, shown beside its name.
    FormReplay(ReplayClock clock, const QString &fileName, std::size_t skippedLines, int languageIndex, Feed feed,
               QWidget *parent = nullptr);
    ~FormReplay() override;

    /// One tick of the main window: the frames due, then the slider and the time;
    /// paused, the frame shown once more.
    void tick();

    const ReplayClock &clock() const { return m_clock; }
    QPushButton *playButton() const { return m_controls->play; }
    QSlider *slider() const { return m_slider; }

    void play();
    void pause();
    void setSpeed(int factor);
    /// The captions in another language (0 English ... 3 Czech).
    void setLanguage(int languageIndex);
    int language() const { return m_language; }

  protected:
    void closeEvent(QCloseEvent *event) override;

  private:
    void seekTo(std::int64_t milliseconds);
    void showPosition();

    ReplayClock m_clock;
    Feed m_feed;
    int m_language = 0;
    QString m_fileName;
    std::size_t m_skipped = 0;
    std::int64_t m_scale = 1; ///< ms per slider step
    std::unique_ptr<PlayControls> m_controls;
    QSlider *m_slider = nullptr;
    QLabel *m_time = nullptr;
    bool m_showing = false; ///< the slider is being set from the clock, not by the tuner
};

} // namespace talviro6
