// Pictures of the window for the manual and for looking at the layout:
//   talviro6-pictures [LANGUAGE] DIR
// The window starts as from a first run (XDG_CONFIG_HOME names its settings
// folder), against the built-in simulated unit, and is driven tick by tick.
#include "picture_session.h"

#include "editor/form_hlav.h"
#include "editor/print/on_demand_printer.h"
#include "editor/user_dialogs.h"
#include "editor/window_font.h"
#include "sim/loopback_port.h"
#include "sim/simulated_port.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>

#include <cstdio>

using namespace talviro6;

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("talviro6"));
    QStringList arguments = QApplication::arguments().mid(1);
    if (arguments.isEmpty() || arguments.size() > 2) {
        std::fprintf(stderr, "usage: talviro6-pictures [ENGLISH|DEUTSCH|FRANCE|CESKY] DIR\n");
        return 2;
    }
    const QString dir = arguments.takeLast();
    if (!QDir().mkpath(dir)) {
        std::fprintf(stderr, "talviro6-pictures: cannot make %s\n", qPrintable(dir));
        return 1;
    }
    applyWindowFont();

    sim::ManualClock clock;
    SimulatedPort port(clock);
    MessageBoxDialogs dialogs;
    DesktopShell shell;
    OnDemandPrinter printer({}, {}); // the default printer; the pictures print nothing
    const QString settingsFolder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    FormHlav window(port, WindowServices{dialogs, printer, shell, settingsFolder}, FormHlav::TickSource::Manual);
    window.FormCreate(arguments); // the language, if given
    window.show();

    PictureSession session(window, clock, dir);
    bool ok = takeWindowPictures(session);
    ok = takeDwellPictures(session) && ok;
    ok = takeMapBlockPicture(session) && ok;
    ok = takeRecordingPictures(session) && ok;
    window.close();
    return ok ? 0 : 1;
}
