#pragma once

#include "link/monitor_frame.h"
#include "live/monitor_display.h"
#include "live/operating_point.h"

#include <cstdint>

namespace talviro6 {

struct UnitImage;
class KeptTexts;

/// The live values the tuner works with, from the last live frame taken and the
/// parameters at the last tick.
struct LiveState {
    std::uint16_t EngineSpeed = 0;   ///< rpm
    std::uint8_t TpsPercent = 0;     ///< above 100: sensor in error
    std::uint16_t TpsMillivolts = 0; ///< mV
    OperatingPoint operatingPoint;
};

/// The unit's live frames turned into what the tuner sees: the live values, the
/// operating point and the monitor column. It takes every live frame the link
/// accepts, the unit's or a replay's, and is ticked once after each tick of the link.
class LiveData {
  public:
    /// Both must outlive it. The image is read at every frame and tick, never
    /// written; `texts` is read at every frame, so reloading it switches language.
    LiveData(const UnitImage &image, const KeptTexts &texts) : m_image(image), m_texts(texts) {}

    /// One accepted live frame: the values and the monitor column.
    void takeFrame(const MonitorFrame &frame);
    /// After the link's tick: the operating point from the parameters as they are
    /// now. `unitLost` is the link's no-connection banner: a version the lost unit
    /// reported no longer stands.
    void tick(bool unitLost);

    const LiveState &state() const { return m_state; }
    /// The window paints from here; an empty text means no frame has written it.
    MonitorDisplay &display() { return m_display; }
    const MonitorDisplay &display() const { return m_display; }

  private:
    const UnitImage &m_image;
    const KeptTexts &m_texts;
    LiveState m_state;
    MonitorDisplay m_display;
};

} // namespace talviro6
