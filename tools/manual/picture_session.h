#pragma once

#include <QString>

class QWidget;

namespace talviro6 {

class FormHlav;
namespace sim {
class ManualClock;
}

/// The window against its simulated unit, time moved tick by tick: every picture
/// shows the same moment of the simulated ride, however fast the machine is.
class PictureSession {
  public:
    PictureSession(FormHlav &window, sim::ManualClock &clock, QString dir);

    FormHlav &window() { return m_window; }
    const QString &dir() const { return m_dir; }

    /// `ticks` periods of 55 ms: the unit's clock, then the window's tick, then
    /// whatever the tick asked Qt to draw.
    void run(int ticks);
    /// `widget` as it shows now, into NAME.png in the folder; false (and a line on
    /// standard error) when it cannot be written.
    bool save(QWidget *widget, const QString &name);

  private:
    FormHlav &m_window;
    sim::ManualClock &m_clock;
    QString m_dir;
};

/// Ticks for a span of the simulated ride.
constexpr int ticksFor(int milliseconds)
{
    return milliseconds / 55;
}

/// Every page, the whole window, the About window and Compare after two edits
/// (page-1-TabSheetRuzne.png ..., window.png, about.png, compare.png).
bool takeWindowPictures(PictureSession &session);
/// The advance page with the whole map and a block selected (map-block.png).
bool takeMapBlockPicture(PictureSession &session);
/// Where the engine ran and the charts: dwell-advance.png, dwell-servo.png, charts.png.
bool takeDwellPictures(PictureSession &session);
/// A recording while it runs and its replay: recording.png, replay.png, replay-window.png.
bool takeRecordingPictures(PictureSession &session);

} // namespace talviro6
