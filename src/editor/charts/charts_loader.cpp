#include "editor/charts/charts_loader.h"

#include "editor/charts/charts_window.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>

namespace talviro6 {

ChartsWindow *loadChartsWindow(const ChartsLibrary &library, QWidget *parent, QString *reason)
{
    // A bare name first: the system gives back a copy the program has loaded
    // already, as the tests and the manual's pictures do, which link the library.
    QStringList places{library.name};
    const QString programDir = QCoreApplication::applicationDirPath();
    const QStringList folders = library.folders.value_or(
        QStringList{programDir, QDir::cleanPath(QDir(programDir).filePath(QStringLiteral("../lib/talviro6")))});
    for (const QString &folder : folders)
        places << QDir(folder).filePath(library.name);

    QStringList failures;
    for (const QString &place : places) {
        QLibrary file(place);
        if (!file.load()) {
            failures << file.errorString();
            continue;
        }
        const auto make = reinterpret_cast<MakeChartsWindow>(file.resolve(MakeChartsWindowName));
        if (!make) {
            // Qt leaves no reason for a symbol not found: said as the system says it.
            failures << QStringLiteral("%1: undefined symbol: %2")
                            .arg(QDir::toNativeSeparators(file.fileName()), QLatin1String(MakeChartsWindowName));
            file.unload();
            continue;
        }
        return make(parent);
    }
    *reason = failures.join(QLatin1Char('\n'));
    return nullptr;
}

} // namespace talviro6
