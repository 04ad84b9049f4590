#pragma once

#include <QString>

#include <memory>

namespace talviro6 {

class DocumentShell;
class KeptTexts;
class UserDialogs;

/// Where Help looks for the manual `name`: beside the program in `programDir` (the
/// build tree), else in ../share/doc/talviro6 from it (an install). When neither
/// has it, the path named is the install's if that folder exists, else the one
/// beside the program.
QString manualPath(const QString &programDir, const QString &name);

/// Documents and folders handed to the desktop's viewer: the manual, the
/// snapshots' folder.
class DesktopOpener {
  public:
    DesktopOpener(DocumentShell &shell, UserDialogs &dialogs, const KeptTexts &texts);

    /// Hands `path` to the desktop's viewer; if the desktop reports that it could not
    /// be opened, now or later, `failureText` is shown with the desktop's reason.
    void open(const QString &path, const QString &failureText);
    /// The manual in the language in use, where manualPath() finds it.
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
