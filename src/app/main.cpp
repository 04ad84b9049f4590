#include "app/app_options.h"
#include "app/screenshots.h"
#include "app/simulated_port.h"
#include "editor/form_hlav.h"
#include "editor/page_printers.h"
#include "editor/user_dialogs.h"
#include "editor/window_font.h"
#include "files/profile_file.h"
#include "files/settings_files.h"
#include "platform/file_paths.h"
#include "platform/port_settings.h"
#include "platform/qt_serial_port.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>

#include <cstdio>
#include <fstream>
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

    // One folder of the user's configuration holds the settings, the start-up image
    // and the test-enable file; XDG_CONFIG_HOME moves it.
    const QString settingsFolder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);

    std::unique_ptr<SerialPort> port;
    if (options.simulate) {
        port = std::make_unique<SimulatedPort>();
    } else {
        PortMap map;
        ProfileFile settings;
        const QString settingsPath = QDir(settingsFolder).filePath(QString::fromStdString(settingsFileName()));
        if (std::ifstream in(toFsPath(settingsPath), std::ios::binary); in)
            settings.read(in);
        loadPortMappings(settings, map);
        applyDeviceMappings(options.devices, map);
        port = std::make_unique<QtSerialPort>(std::move(map));
    }
    MessageBoxDialogs dialogs;
    DesktopShell shell;
    DefaultPrinter defaultPrinter;
    PdfPrinter pdfPrinter(options.pdfPath);
    PagePrinter &printer = options.pdfPath.isEmpty() ? static_cast<PagePrinter &>(defaultPrinter) : pdfPrinter;
    FormHlav window(*port, WindowServices{dialogs, printer, shell, settingsFolder});
    window.FormCreate(options.rest);
    window.show();
    if (!options.screenshotDir.isEmpty())
        takeScreenshotsLater(window, options.screenshotDir);
    return QApplication::exec();
}
