#include "app/app_options.h"
#include "app/screenshots.h"
#include "app/simulated_port.h"
#include "editor/form_hlav.h"
#include "editor/user_dialogs.h"
#include "editor/window_font.h"
#include "platform/port_settings.h"
#include "platform/qt_serial_port.h"

#include <QApplication>

#include <cstdio>
#include <memory>

using namespace talviro6;

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // No display name: Qt would append it to the window's caption, which stands alone.
    QApplication::setApplicationName(QStringLiteral("talviro6"));
    applyWindowFont();

    const AppOptions options = parseAppOptions(QApplication::arguments().mid(1));
    if (!options.error.isEmpty()) {
        std::fprintf(stderr, "talviro6: %s\n", qPrintable(options.error));
        return 2;
    }

    std::unique_ptr<SerialPort> port;
    if (options.simulate) {
        port = std::make_unique<SimulatedPort>();
    } else {
        PortMap map;
        applyDeviceMappings(options.devices, map);
        port = std::make_unique<QtSerialPort>(std::move(map));
    }
    MessageBoxDialogs dialogs;
    FormHlav window(*port, dialogs);
    window.FormCreate(options.rest);
    window.show();
    if (!options.screenshotDir.isEmpty())
        takeScreenshotsLater(window, options.screenshotDir);
    return QApplication::exec();
}
