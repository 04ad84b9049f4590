#pragma once

#include <QString>

#include <memory>

namespace talviro6 {

class DocumentShell;
class KeptTexts;
class UserDialogs;

/// Documents and folders handed to the desktop's viewer: the manual, the
/// snapshots' folder.
class DesktopOpener {
  public:
    DesktopOpener(DocumentShell &shell, UserDialogs &dialogs, const KeptTexts &texts);

    /// Hands `path` to the desktop's viewer; if the desktop reports that it could not
    /// be opened, now or later, `failureText` is shown with the desktop's reason.
    void open(const QString &path, const QString &failureText);
    /// The manual in the language in use, beside the executable.
    void openManual();

  private:
    DocumentShell &m_shell;
    UserDialogs &m_dialogs;
    const KeptTexts &m_texts;
    /// Lives as long as this does: a failure reported after the window is gone,
    /// at the end of the run, is no longer said.
    std::shared_ptr<const bool> m_alive = std::make_shared<const bool>(true);
};

} // namespace talviro6
