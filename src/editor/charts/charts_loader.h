#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class QWidget;

namespace talviro6 {

class ChartsWindow;

/// Where the charts window's library is looked for (library_loader.h says in which order).
struct ChartsLibrary {
    /// Without the system's prefix and suffix (libtalviro6_charts.so, talviro6_charts.dll).
    QString name = QStringLiteral("talviro6_charts");
    std::optional<QStringList> folders;
};

/// The charts window made by the library, a child of `parent`. Null when no place
/// gave it: `reason` then has a line for each place tried, naming the file and
/// the system's error.
ChartsWindow *loadChartsWindow(const ChartsLibrary &library, QWidget *parent, QString *reason);

} // namespace talviro6
