#pragma once

#include "recordings/replay_clock.h"

#include <QString>

#include <cstddef>
#include <functional>
#include <vector>

class QBoxLayout;
class QLabel;
class QPushButton;
class QWidget;

namespace talviro6 {

/// What the replay and the viewer both show of a recording they play on the main
/// window's tick: the file's name with the lines that could not be read, play or
/// pause, and the speed (1x, 4x). The widgets are children of `owner`, made in this
/// order (the focus follows it) and named with `stem`: Label<stem>File,
/// Button<stem>Play, Button<stem>Speed1, Button<stem>Speed4.
class PlayControls {
  public:
    using Feed = std::function<void(const MonitorFrame &)>;

    /// `play` and `pause` run when the button is pressed, as the clock stands.
    PlayControls(QWidget *owner, const QString &stem, ReplayClock &clock, std::function<void()> play,
                 std::function<void()> pause);
    PlayControls(const PlayControls &) = delete; // its buttons' handlers hold it
    PlayControls &operator=(const PlayControls &) = delete;

    /// Play, the speed's label and its two buttons, in a row.
    void addTo(QBoxLayout *row) const;
    void setSpeed(int factor);
    /// The file's line and the speed's label in `language` (0 English ... 3 Czech).
    void setTexts(const QString &fileName, std::size_t skippedLines, int language);

    /// One tick of the clock: the frames due into `feed`; held, the frame shown once
    /// more, or the link would count the silence and blank the monitor after a
    /// second. Returns the frames that were due.
    static std::vector<std::size_t> feedTick(ReplayClock &clock, const Feed &feed);

    QLabel *file = nullptr;
    QPushButton *play = nullptr;

  private:
    ReplayClock &m_clock;
    QLabel *m_speedLabel = nullptr;
    QPushButton *m_speed1 = nullptr;
    QPushButton *m_speed4 = nullptr;
};

} // namespace talviro6
