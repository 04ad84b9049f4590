#include "app/window_main.h"

#include "app/app_options.h"
#include "app/program_icon.h"
#include "editor/form_hlav.h"
#include "editor/print/on_demand_printer.h"
#include "editor/user_dialogs.h"
#include "editor/window_font.h"
#include "files/kept_files.h"
#include "files/profile_file.h"
#include "files/settings_files.h"
#include "platform/exit_signals.h"
#include "platform/file_paths.h"
#include "platform/on_demand_serial_port.h"
#include "platform/port_settings.h"
#include "sim/simulated_port.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>

#include <cstdio>
#include <memory>

namespace talviro6 {

int runWindow(int argc, char *argv[], const std::function<void(QWidget &window)> &shown)
{
    // Read before the display is opened: --help and --version work without one.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const AppOptions options = parseAppOptions(arguments);
    switch (options.action) {
    case AppOptions::Action::Help:
    case AppOptions::Action::Version:
        std::fprintf(stdout, "%s\n", qPrintable(options.text));
        return 0;
    case AppOptions::Action::Error:
        std::fprintf(stderr, "talviro6: %s\n", qPrintable(options.text));
        return 2;
    case AppOptions::Action::Run:
        break;
    }

    QApplication app(argc, argv);
    // No display name: Qt would append it to the window's caption, which stands alone.
    QApplication::setApplicationName(QStringLiteral("talviro6"));
    // The desktop entry's name: without it a Wayland session shows no icon for the
    // window, and desktops cannot match the window to its menu entry.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.talviro6.Programmer"));
    applyWindowFont();

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
        // A file that cannot be read maps nothing; the window says so and sets it aside.
        if (!readKeptFile(toFsPath(settingsPath), [&settings](std::string_view content) {
                 return settings.read(content);
             }).problem.empty())
            settings = ProfileFile();
        loadPortMappings(settings, map);
        applyDeviceMappings(options.devices, map);
        port = std::make_unique<OnDemandSerialPort>(std::move(map));
    }
    MessageBoxDialogs dialogs;
    DesktopShell shell;
    // The printer says why it cannot print in the window's language, and is made
    // before the window is.
    FormHlav *languageOf = nullptr;
    OnDemandPrinter printer(options.pdfPath, [&languageOf] {
        return languageOf ? languageOf->session().settings().languageIndex : KeptTexts::DefaultLanguage;
    });
    // Before the window is built: a signal during start-up waits for the event loop.
    ExitSignals exitSignals;
    FormHlav window(*port, WindowServices{dialogs, printer, shell, settingsFolder});
    languageOf = &window;
    QObject::connect(&exitSignals, &ExitSignals::received, &window, [&window] {
        // As File > Exit. Quitting also ends a modal box's loop, should one be open.
        window.MenuExitClick();
        QApplication::quit();
    });
    // The icon comes with the rest of the start, after the first paint: reading it
    // and handing it to the window system took milliseconds, and it shows only in
    // the task bar. Before the other pages are built: the window system's copy of
    // it is composed in a buffer of 130 KB that their controls then reuse.
    QObject::connect(&window, &FormHlav::finishingStart, [] { QApplication::setWindowIcon(programIcon()); });
    window.FormCreate(options.rest, FormHlav::StartPages::ShownFirst);
    window.show();
    window.openFromCommandLine(options.rest);
    if (!options.recordPath.isEmpty())
        window.startRecording(options.recordPath);
    if (shown)
        shown(window);
    return QApplication::exec();
}

} // namespace talviro6
