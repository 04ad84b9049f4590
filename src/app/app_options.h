#pragma once

#include "link/port_map.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace talviro6 {

/// The window's own command-line options; what is left goes to FormCreate, whose
/// first argument may pick the language.
struct AppOptions {
    bool simulate = false;              ///< --simulate
    std::vector<DeviceMapping> devices; ///< --device N=PATH, any number of times
    QString screenshotDir;              ///< --screenshot-dir DIR: pictures of the pages, then quit
    QString pdfPath;                    ///< --print-to-pdf FILE: Print and Print all write this PDF
    QStringList rest;
    QString error; ///< set when an option was malformed
};

AppOptions parseAppOptions(const QStringList &arguments);

} // namespace talviro6
