#include "app/dwell_screenshots.h"

#include "editor/charts/form_charts.h"
#include "editor/controls.h"
#include "editor/form_hlav.h"
#include "model/fields.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QTabWidget>
#include <QTimer>

#include <cstdio>

namespace talviro6 {
namespace {

/// The simulated ride climbs from idle through the throttle rows to full speed in
/// about ten seconds, rolls off with the throttle shut for six and idles: nineteen
/// show the climb shaded, the trail of the roll-off and the engine back at idle.
constexpr int RunMilliseconds = 19000;

bool save(QWidget *widget, const QString &path)
{
    QApplication::processEvents();
    const bool ok = widget->grab().save(path, "PNG");
    std::fprintf(ok ? stdout : stderr, "%s %s\n", ok ? "wrote" : "could not write", qPrintable(path));
    return ok;
}

} // namespace

bool takeDwellScreenshots(FormHlav &window, const QString &dir)
{
    Controls &c = window.controls();
    window.session().edit([](UnitImage &image) { image[field::TpsMapEnable] = 1; }, EditFrom::Image);
    c.menu.MenuDwellReset->trigger();
    if (!c.menu.MenuDwell->isChecked())
        c.menu.MenuDwell->trigger();
    c.frame.PageControl1->setCurrentWidget(c.frame.TabSheetAdvance);

    QEventLoop running;
    QTimer::singleShot(RunMilliseconds, &running, &QEventLoop::quit);
    running.exec();

    bool ok = save(&window, QDir(dir).filePath(QStringLiteral("dwell-advance.png")));
    c.frame.PageControl1->setCurrentWidget(c.frame.TabSheetServo);
    ok = save(&window, QDir(dir).filePath(QStringLiteral("dwell-servo.png"))) && ok;
    c.menu.MenuCharts->trigger();
    FormCharts *charts = window.chartsWindow();
    ok = save(charts, QDir(dir).filePath(QStringLiteral("charts.png"))) && ok;
    charts->close();
    c.menu.MenuDwell->trigger();
    c.frame.PageControl1->setCurrentWidget(c.frame.TabSheetAdvance);
    return ok;
}

} // namespace talviro6
