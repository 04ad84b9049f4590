#include "editor/print/on_demand_printer.h"

#include "platform/library_loader.h"
#include "editor/print/print_library.h"
#include "texts/kept_texts.h"

namespace talviro6 {

OnDemandPrinter::OnDemandPrinter(QString pdfPath, std::function<int()> language, PrintLibrary library)
    : m_pdfPath(std::move(pdfPath)), m_language(std::move(language)), m_library(std::move(library))
{
}

// The printer made by the library is deleted through its own vtable, which stays
// loaded with the library until the program ends.
OnDemandPrinter::~OnDemandPrinter() = default;

bool OnDemandPrinter::print(const std::vector<QImage> &pages, QString *error)
{
    if (!m_loaded) {
        QString reason;
        const auto make = reinterpret_cast<MakePagePrinter>(
            loadLibraryFactory(m_library.name, m_library.folders, MakePagePrinterName, &reason));
        if (!make) {
            const int language = m_language ? m_language() : KeptTexts::DefaultLanguage;
            *error = QString::fromUtf8(keptText(TextRole::TextPrintNotLoaded, language)) + QLatin1Char('\n') + reason;
            return false;
        }
        m_loaded.reset(make(m_pdfPath));
    }
    return m_loaded->print(pages, error);
}

} // namespace talviro6
