#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <optional>

namespace talviro6 {

/// The function `factory` of one of the window's own libraries, `name` given without
/// the system's prefix and suffix (libtalviro6_charts.so, talviro6_charts.dll).
/// Looked for first as a copy the program has loaded already, then in `folders`;
/// none given: beside the executable (the build tree), then ../lib/talviro6 from it
/// (an install). Null when no place gave it: `reason` then has a line for each place
/// tried, naming the file and the system's error. A library once loaded stays
/// loaded for the run, so what its factory made may live as long as the program.
QFunctionPointer loadLibraryFactory(const QString &name, const std::optional<QStringList> &folders, const char *factory,
                                    QString *reason);

} // namespace talviro6
