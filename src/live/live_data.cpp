#include "live/live_data.h"

#include "link/display_writer.h"
#include "live/monitor_view.h"
#include "model/fields.h"
#include "model/unit_image.h"

namespace talviro6 {

void LiveData::takeFrame(const MonitorFrame &frame)
{
    m_state.TpsPercent = frame.tpsPercent;
    m_state.EngineSpeed = frame.engineSpeed;
    m_state.TpsMillivolts = countsToMillivolts(frame.tpsCounts);
    showMonitorFrame(frame, m_image, m_texts, m_display);
}

void LiveData::tick(bool unitLost)
{
    if (unitLost)
        DisplayWriter(m_display).visible(m_display.LabelVersion, false);
    m_state.operatingPoint =
        UpdateOperatingPoint(m_image, m_state.EngineSpeed, m_state.TpsPercent, m_image[field::TpsMapEnable] != 0);
}

} // namespace talviro6
