#include "app/app_options.h"

#include "model/unit_image.h"
#include "texts/build_stamp.h"

#include <QCommandLineParser>

#include <string>

namespace talviro6 {

AppOptions parseAppOptions(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Programs the TALVIRO6 ignition unit: read, edit, program and verify its parameters."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Print this text and end."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Print the protocol version and the build date and end."));
    const QCommandLineOption simulate(QStringLiteral("simulate"),
                                      QStringLiteral("A simulated unit stands behind every port number."));
    const QCommandLineOption device(QStringLiteral("device"),
                                    QStringLiteral("Port number N opens PATH for this run (repeatable)."),
                                    QStringLiteral("N=PATH"));
    const QCommandLineOption pdf(QStringLiteral("print-to-pdf"),
                                 QStringLiteral("Print and Print all write FILE as a PDF instead of printing."),
                                 QStringLiteral("FILE"));
    const QCommandLineOption record(QStringLiteral("record"),
                                    QStringLiteral("Record every live frame to FILE (CSV) from the start, as Extras > "
                                                   "Record live data does."),
                                    QStringLiteral("FILE"));
    parser.addOptions({help, version, simulate, device, pdf, record});
    parser.addPositionalArgument(QStringLiteral("LANGUAGE"),
                                 QStringLiteral("ENGLISH, DEUTSCH, FRANCE or CESKY (exactly so), first."),
                                 QStringLiteral("[LANGUAGE]"));
    parser.addPositionalArgument(QStringLiteral("FILE.ign"), QStringLiteral("A parameter file to open."),
                                 QStringLiteral("[FILE.ign]"));

    AppOptions options;
    if (!parser.parse(arguments)) {
        options.action = AppOptions::Action::Error;
        options.text = parser.errorText() + QStringLiteral("\nTry --help.");
        return options;
    }
    if (parser.isSet(help)) {
        options.action = AppOptions::Action::Help;
        // Read before any application object exists, so Qt cannot name the program itself.
        options.text = parser.helpText().replace(QStringLiteral("<executable_name>"), QStringLiteral("talviro6"));
        return options;
    }
    if (parser.isSet(version)) {
        options.action = AppOptions::Action::Version;
        options.text = QString::number(ProtocolVersion) + QStringLiteral("\nbuilt ") +
                       QString::fromStdString(buildDate()) + QStringLiteral(" ") + QString::fromStdString(buildTime());
        return options;
    }
    options.simulate = parser.isSet(simulate);
    options.pdfPath = parser.value(pdf);
    options.recordPath = parser.value(record);
    std::vector<std::string> deviceArgs;
    for (const QString &mapping : parser.values(device)) {
        deviceArgs.emplace_back("--device");
        deviceArgs.push_back(mapping.toStdString());
    }
    std::string error;
    options.devices = takeDeviceArguments(deviceArgs, &error);
    if (!error.empty()) {
        options.action = AppOptions::Action::Error;
        options.text = QString::fromStdString(error);
        return options;
    }
    options.rest = parser.positionalArguments();
    if (options.rest.size() > 2) {
        options.action = AppOptions::Action::Error;
        options.text = QStringLiteral("too many arguments: at most a language word and one parameter file");
    }
    return options;
}

} // namespace talviro6
