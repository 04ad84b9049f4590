#pragma once

#include "platform/port_map.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace talviro6 {

/// The window's command line.
struct AppOptions {
    enum class Action { Run, Help, Version, Error };
    Action action = Action::Run;
    QString text; ///< usage, version or the error, to print

    bool simulate = false;              ///< --simulate
    std::vector<DeviceMapping> devices; ///< --device N=PATH, any number of times
    QString pdfPath;                    ///< --print-to-pdf FILE: Print and Print all write this PDF
    QString recordPath;                 ///< --record FILE: record the live data from the start
    /// The positional arguments for FormCreate: an optional language word first
    /// (ENGLISH, DEUTSCH, FRANCE, CESKY, exactly so), then an optional parameter file.
    QStringList rest;
};

/// `arguments` with the program name first, as QCoreApplication::arguments() gives them.
AppOptions parseAppOptions(const QStringList &arguments);

} // namespace talviro6
