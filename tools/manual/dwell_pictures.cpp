#include "picture_session.h"

#include "editor/charts/charts_window.h"
#include "editor/controls.h"
#include "editor/form_hlav.h"
#include "model/fields.h"

#include <QAction>
#include <QDialog>
#include <QTabWidget>

namespace talviro6 {

/// The simulated ride climbs from idle through the throttle rows to full speed in
/// about ten seconds, rolls off with the throttle shut for six and idles: nineteen
/// show the climb shaded, the trail of the roll-off and the engine back at idle.
constexpr int RunMilliseconds = 19000;

bool takeDwellPictures(PictureSession &session)
{
    FormHlav &window = session.window();
    Controls &c = window.controls();
    window.session().edit([](UnitImage &image) { image[field::TpsMapEnable] = 1; }, EditFrom::Image);
    c.menu.MenuDwellReset->trigger();
    if (!c.menu.MenuDwell->isChecked())
        c.menu.MenuDwell->trigger();
    c.frame.PageControl1->setCurrentWidget(c.frame.TabSheetAdvance);
    session.run(ticksFor(RunMilliseconds));

    bool ok = session.save(&window, QStringLiteral("dwell-advance"));
    c.frame.PageControl1->setCurrentWidget(c.frame.TabSheetServo);
    ok = session.save(&window, QStringLiteral("dwell-servo")) && ok;
    c.menu.MenuCharts->trigger();
    ChartsWindow *charts = window.chartsWindow();
    if (!charts)
        return false; // the box has said why
    ok = session.save(charts->dialog(), QStringLiteral("charts")) && ok;
    charts->dialog()->close();
    c.menu.MenuDwell->trigger();
    c.frame.PageControl1->setCurrentWidget(c.frame.TabSheetAdvance);
    return ok;
}

} // namespace talviro6
