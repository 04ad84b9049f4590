#include "editor/print/print_library.h"

#include "platform/file_paths.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include <filesystem>
#include <type_traits>

namespace talviro6 {
namespace {

/// The desktop's default printer with its current configuration, one print job per
/// page, as the tool has always printed. Without a printer it says so.
class DefaultPrinter final : public PagePrinter {
  public:
    bool print(const std::vector<QImage> &pages, QString *error) override;
};

/// The same pages into one PDF file, for a tuner without a printer and for tests.
/// Every print command writes the file anew, whole or not at all.
class PdfPrinter final : public PagePrinter {
  public:
    explicit PdfPrinter(QString path) : m_path(std::move(path)) {}
    bool print(const std::vector<QImage> &pages, QString *error) override;

  private:
    QString m_path;
};

/// The picture as large as the printable area allows, aspect kept, at its top left.
void paintPage(QPainter &painter, QPrinter &printer, const QImage &image)
{
    const QRect area = printer.pageLayout().paintRectPixels(printer.resolution());
    const QSize size = image.size().scaled(area.size(), Qt::KeepAspectRatio);
    painter.drawImage(QRect(QPoint(0, 0), size), image);
}

bool DefaultPrinter::print(const std::vector<QImage> &pages, QString *error)
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        *error = QStringLiteral("No printer is installed.");
        return false;
    }
    for (const QImage &page : pages) {
        QPrinter printer(info, QPrinter::HighResolution);
        printer.setDocName(QStringLiteral("TALVIRO6"));
        QPainter painter;
        if (!painter.begin(&printer)) {
            *error = QStringLiteral("The printer %1 did not take the page.").arg(info.printerName());
            return false;
        }
        paintPage(painter, printer, page);
        if (!painter.end()) {
            *error = QStringLiteral("The printer %1 did not take the page.").arg(info.printerName());
            return false;
        }
    }
    return true;
}

bool PdfPrinter::print(const std::vector<QImage> &pages, QString *error)
{
    // Beside the target, then renamed over it: a failed print leaves the last PDF.
    const QString partial = m_path + QStringLiteral(".part");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(partial);
    printer.setDocName(QStringLiteral("TALVIRO6"));
    QPainter painter;
    bool ok = painter.begin(&printer);
    for (std::size_t i = 0; ok && i < pages.size(); ++i) {
        if (i > 0)
            ok = printer.newPage();
        if (ok)
            paintPage(painter, printer, pages[i]);
    }
    if (painter.isActive())
        ok = painter.end() && ok;
    std::error_code ec;
    if (ok)
        std::filesystem::rename(toFsPath(partial), toFsPath(m_path), ec);
    if (!ok || ec) {
        std::filesystem::remove(toFsPath(partial), ec);
        *error = QStringLiteral("%1: cannot write the PDF file").arg(QDir::toNativeSeparators(m_path));
        return false;
    }
    return true;
}

} // namespace
} // namespace talviro6

extern "C" Q_DECL_EXPORT talviro6::PagePrinter *talviro6_make_page_printer(const QString &pdfPath)
{
    if (pdfPath.isEmpty())
        return new talviro6::DefaultPrinter;
    return new talviro6::PdfPrinter(pdfPath);
}
static_assert(std::is_same_v<decltype(&talviro6_make_page_printer), talviro6::MakePagePrinter>,
              "the program calls the factory through MakePagePrinter");
