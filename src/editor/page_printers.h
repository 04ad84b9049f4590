#pragma once

#include "editor/window_services.h"

namespace talviro6 {

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
    const QString &path() const { return m_path; }

  private:
    QString m_path;
};

} // namespace talviro6
