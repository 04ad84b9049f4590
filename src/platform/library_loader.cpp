#include "platform/library_loader.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>

namespace talviro6 {

QFunctionPointer loadLibraryFactory(const QString &name, const std::optional<QStringList> &folders, const char *factory,
                                    QString *reason)
{
    // A bare name first: the system gives back a copy the program has loaded
    // already, as the tests and the manual's pictures do, which link the library.
    QStringList places{name};
    const QString programDir = QCoreApplication::applicationDirPath();
    const QStringList tried = folders.value_or(
        QStringList{programDir, QDir::cleanPath(QDir(programDir).filePath(QStringLiteral("../lib/talviro6")))});
    for (const QString &folder : tried)
        places << QDir(folder).filePath(name);

    QStringList failures;
    for (const QString &place : places) {
        QLibrary file(place);
        if (!file.load()) {
            failures << file.errorString();
            continue;
        }
        if (const QFunctionPointer made = file.resolve(factory))
            return made;
        // Qt leaves no reason for a symbol not found: said as the system says it.
        failures << QStringLiteral("%1: undefined symbol: %2")
                        .arg(QDir::toNativeSeparators(file.fileName()), QLatin1String(factory));
        file.unload();
    }
    *reason = failures.join(QLatin1Char('\n'));
    return nullptr;
}

} // namespace talviro6
