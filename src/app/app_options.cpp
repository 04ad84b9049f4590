#include "app/app_options.h"

#include <string>

namespace talviro6 {

AppOptions parseAppOptions(const QStringList &arguments)
{
    AppOptions options;
    std::vector<std::string> args;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &a = arguments[i];
        if (a == QLatin1String("--simulate")) {
            options.simulate = true;
        } else if (a == QLatin1String("--screenshot-dir") && i + 1 < arguments.size()) {
            options.screenshotDir = arguments[++i];
        } else if (a == QLatin1String("--print-to-pdf")) {
            if (i + 1 >= arguments.size()) {
                options.error = QStringLiteral("--print-to-pdf needs a file name");
                return options;
            }
            options.pdfPath = arguments[++i];
        } else {
            args.push_back(a.toStdString());
        }
    }
    std::string error;
    options.devices = takeDeviceArguments(args, &error);
    if (!options.error.isEmpty())
        return options;
    options.error = QString::fromStdString(error);
    for (const auto &a : args)
        options.rest.push_back(QString::fromStdString(a));
    return options;
}

} // namespace talviro6
