#pragma once

#include "link/display_state.h"
#include "link/operating_point.h"

#include <cstdint>
#include <optional>

namespace talviro6 {

struct Controls;

/// Paints what the link wants shown into the monitor column, the transfer line, the
/// banner and the map. Runs every tick, so it works from the display's revision and
/// the last operating point painted: an idle tick touches no widget.
class LiveDisplayPainter {
  public:
    explicit LiveDisplayPainter(Controls &controls) : m_c(controls) {}

    /// True when something was repainted.
    bool paint(const DisplayState &display);
    /// tpsMap: the throttle map is shown, so the row captions can light up.
    void paintOperatingPoint(const OperatingPoint &point);
    /// The next paint repaints everything, e.g. after the window hid a label itself.
    void invalidate()
    {
        m_revision.reset();
        m_point.reset();
    }

  private:
    Controls &m_c;
    std::optional<std::uint32_t> m_revision;
    std::optional<OperatingPoint> m_point;
};

} // namespace talviro6
