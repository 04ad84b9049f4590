#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class QWidget;

namespace talviro6 {

class ChartsWindow;

/// Where the charts window's library is looked for.
struct ChartsLibrary {
    /// Without the system's prefix and suffix (libtalviro6_charts.so, talviro6_charts.dll).
    QString name = QStringLiteral("talviro6_charts");
    /// The folders tried, in order, when the program has no copy loaded already;
    /// none given: beside the executable (the build tree), then ../lib/talviro6
    /// from it (an install).
    std::optional<QStringList> folders;
};

/// The charts window made by the library, a child of `parent`. Null when no place
/// gave it: `reason` then has a line for each place tried, naming the file and
/// the system's error. A library once loaded stays loaded for the run.
ChartsWindow *loadChartsWindow(const ChartsLibrary &library, QWidget *parent, QString *reason);

} // namespace talviro6
