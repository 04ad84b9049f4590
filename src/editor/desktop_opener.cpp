#include "editor/desktop_opener.h"

#include "editor/user_dialogs.h"
#include "editor/window_services.h"
#include "texts/kept_texts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace talviro6 {

QString manualPath(const QString &programDir, const QString &name)
{
    const QString beside = QDir(programDir).filePath(name);
    // An install puts the programs in <prefix>/bin and the documentation in
    // <prefix>/share/doc/talviro6; the build tree keeps the manual beside the window.
    const QString installedDir = QDir::cleanPath(QDir(programDir).filePath(QStringLiteral("../share/doc/talviro6")));
    const QString installed = QDir(installedDir).filePath(name);
    if (QFileInfo(beside).isFile())
        return beside;
    if (QFileInfo(installed).isFile() || QFileInfo(installedDir).isDir())
        return installed;
    return beside;
}

DesktopOpener::DesktopOpener(DocumentShell &shell, UserDialogs &dialogs, const KeptTexts &texts)
    : m_shell(shell), m_dialogs(dialogs), m_texts(texts)
{
}

void DesktopOpener::open(const QString &path, const QString &failureText)
{
    m_shell.openDocument(
        path, [alive = std::weak_ptr<const bool>(m_alive), dialogs = &m_dialogs, failureText](const QString &reason) {
            if (!alive.expired())
                dialogs->message(reason.isEmpty() ? failureText : failureText + QStringLiteral("\n") + reason);
        });
}

void DesktopOpener::openManual()
{
    const QString name = QString::fromStdString(m_texts[TextRole::TextManualFile]);
    const QString path = manualPath(QCoreApplication::applicationDirPath(), name);
    const QString failure = QString::fromStdString(m_texts[TextRole::TextManualOpenError]) + QStringLiteral("\n") +
                            QDir::toNativeSeparators(path);
    if (QFileInfo(path).isFile())
        open(path, failure);
    else
        m_dialogs.message(failure);
}

} // namespace talviro6
