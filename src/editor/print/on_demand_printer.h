#pragma once

#include "editor/window_services.h"

#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

namespace talviro6 {

/// Where the printers' library is looked for (library_loader.h says in which order).
struct PrintLibrary {
    /// Without the system's prefix and suffix (libtalviro6_print.so, talviro6_print.dll).
    QString name = QStringLiteral("talviro6_print");
    std::optional<QStringList> folders;
};

/// The desktop's default printer, or a PDF file, from the printers' library, which
/// is loaded at the first print. Until a print finds it, every print tries again
/// and, when it cannot, fails with a reason in the window's language: a line that
/// says printing is not possible, then a line for each place tried.
class OnDemandPrinter final : public PagePrinter {
  public:
    /// `pdfPath` empty: the default printer. `language`: the window's language when
    /// the reason is written (0 English ... 3 Czech).
    OnDemandPrinter(QString pdfPath, std::function<int()> language, PrintLibrary library = {});
    ~OnDemandPrinter() override;

    bool print(const std::vector<QImage> &pages, QString *error) override;

  private:
    QString m_pdfPath;
    std::function<int()> m_language;
    PrintLibrary m_library;
    std::unique_ptr<PagePrinter> m_loaded;
};

} // namespace talviro6
