#include "editor/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>

#include <array>
#include <utility>

namespace talviro6 {

QtTranslations::QtTranslations(QString folder) : m_folder(std::move(folder))
{
}

QtTranslations::~QtTranslations() = default; // a translator leaves the application when it is destroyed

QString QtTranslations::defaultFolder()
{
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
}

bool QtTranslations::apply(int languageIndex)
{
    // Qt's texts are English without a translation.
    static constexpr std::array<const char *, 4> Codes{nullptr, "de", "fr", "cs"};
    m_installed.reset();
    if (languageIndex <= 0 || languageIndex >= static_cast<int>(Codes.size()))
        return true;
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QStringLiteral("qtbase_") + QLatin1String(Codes[static_cast<std::size_t>(languageIndex)]),
                          m_folder))
        return false;
    if (!QCoreApplication::installTranslator(translator.get()))
        return false;
    m_installed = std::move(translator);
    return true;
}

} // namespace talviro6
