#include "editor/charts/form_charts.h"
#include "editor/form_hlav.h"

// The advance curves and the servo curve as charts.

namespace talviro6 {

FormCharts *FormHlav::chartsWindow()
{
    if (!m_charts)
        m_charts = new FormCharts(this);
    return m_charts;
}

void FormHlav::MenuChartsClick()
{
    FormCharts *charts = chartsWindow();
    charts->show();
    charts->raise();
    charts->activateWindow();
    refreshCharts();
}

void FormHlav::refreshCharts()
{
    // A closed window costs the refresh and the tick nothing.
    if (!m_charts || !m_charts->isVisible())
        return;
    m_charts->showImage(m_session.image(), m_session.settings().languageIndex);
    m_charts->showOperatingPoint(m_live.state().operatingPoint);
}

} // namespace talviro6
