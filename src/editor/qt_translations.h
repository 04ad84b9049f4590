#pragma once

#include <QString>
#include <QTranslator>

#include <memory>

namespace talviro6 {

/// Qt's own texts in the window (the standard buttons of message boxes, the file
/// dialogs) in the window's language, from the translations installed with Qt.
class QtTranslations {
  public:
    /// `folder`: where Qt's translation files are; by default those of this Qt.
    explicit QtTranslations(QString folder = defaultFolder());
    ~QtTranslations();

    /// Takes the translation of `languageIndex` (0 English, 1 German, 2 French,
    /// 3 Czech) instead of the one before. False when its file is not installed:
    /// Qt's English texts show then, and nothing else changes.
    bool apply(int languageIndex);

    static QString defaultFolder();

  private:
    QString m_folder;
    std::unique_ptr<QTranslator> m_installed;
};

} // namespace talviro6
