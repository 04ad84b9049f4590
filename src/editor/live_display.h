#pragma once

#include "link/display_state.h"
#include "live/dwell_map.h"
#include "live/monitor_display.h"
#include "live/operating_point.h"

#include <QColor>

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace talviro6 {

struct Controls;

/// Where-the-engine-ran colours (palette.h): shades by time spent, and an orange
/// trail that fades with age. Both stay clear of the lime operating point.
QColor dwellShadeColour(int level); ///< level 1 ... DwellMap::ShadeLevels
/// age 0 (newest) ... length - 1: a trail of the map's length or the servo curve's.
QColor dwellTrailColour(int age, int length = static_cast<int>(DwellMap::TrailLength));

/// Paints what the link and the live data want shown into the transfer line, the
/// banner, the monitor column and the map. Runs every tick, so it works from the display's revision and
/// the last operating point painted: an idle tick touches no widget.
class LiveDisplayPainter {
  public:
    explicit LiveDisplayPainter(Controls &controls) : m_c(controls) {}

    /// True when something was repainted. A new transfer message is worded in
    /// `languageIndex`; one already shown keeps the words it got then.
    bool paint(const DisplayState &link, const MonitorDisplay &live, int languageIndex);
    /// The operating point in lime; with `dwell`, the map cells and servo points it
    /// does not light show where the engine ran (trail, else shade, else the normal
    /// colour). Each cell's colour is decided once and set only when it changes.
    void paintOperatingPoint(const OperatingPoint &point, const DwellMap *dwell = nullptr);
    /// The map cells, speed boxes, throttle captions and servo points in their normal
    /// colours, without the operating point or where the engine ran: the parameters
    /// alone, as they go on paper. The next paintOperatingPoint repaints them all.
    void paintParametersOnly();
    /// The next paint repaints everything, e.g. after the window hid a label itself.
    void invalidate()
    {
        m_revision.reset();
        m_liveRevision.reset();
        m_point.reset();
        m_dwellRevision.reset();
        m_cellColours = {};
        m_servoColours = {};
    }

  private:
    bool mapPagesBuilt() const;
    Controls &m_c;
    std::optional<std::uint32_t> m_revision;     ///< the link's display last painted
    std::optional<std::uint32_t> m_liveRevision; ///< the monitor column last painted
    /// The transfer message last worded, and its words; kept over invalidate(), so
    /// that repainting never rewords a message in another language.
    std::optional<std::uint32_t> m_transferWorded;
    std::string m_transferText;
    std::optional<OperatingPoint> m_point;
    /// The dwell revision last painted; empty when the dwell was not shown.
    std::optional<std::uint64_t> m_dwellRevision;
    bool m_dwellShown = false;
    /// The colours last set on the map cells and servo points; 0 (transparent) is
    /// no colour of ours, so an emptied table repaints every widget.
    std::array<std::array<QRgb, DwellMap::Size>, DwellMap::Size> m_cellColours{};
    std::array<QRgb, DwellMap::Size> m_servoColours{};
};

} // namespace talviro6
