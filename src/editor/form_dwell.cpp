#include "editor/form_hlav.h"
#include "editor/replay/form_replay.h"

// Where the engine ran: the map and the servo curve shaded by the time spent there.

namespace talviro6 {

void FormHlav::countDwell()
{
    const LinkState &s = m_link.state();
    // Only while live frames come: after the unit is lost, and during a job (no
    // polls), the last engine speed is stale and would pile onto one cell.
    if (s.SilenceTicks >= LinkEngine::LostTicks || s.TransferMode != Transfer::Idle)
        return;
    // A paused or ended replay feeds its moment again at every tick to keep it on
    // show; no time passes there.
    if (m_replay && m_replay->isVisible() && !m_replay->clock().playing())
        return;
    m_dwell.tick(m_live.state().operatingPoint, m_live.state().EngineSpeed);
}

void FormHlav::MenuDwellClick()
{
    // The next tick repaints; painting now shows the change at once, also with no unit.
    m_painter.paintOperatingPoint(m_live.state().operatingPoint, m_c.menu.MenuDwell->isChecked() ? &m_dwell : nullptr);
}

void FormHlav::MenuDwellResetClick()
{
    m_dwell.reset();
    MenuDwellClick();
}

} // namespace talviro6
