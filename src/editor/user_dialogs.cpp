#include "editor/user_dialogs.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QProcess>
#include <QUrl>

#include <utility>

namespace talviro6 {
namespace {

QString boxTitle()
{
    return QStringLiteral("TALVIRO6");
}

// The filters of the two dialogs; Qt writes them "Name (patterns)" with ";;" between.
const QString OpenFilter = QStringLiteral("Ignition Parametrs(*.ign);;All Files (*.*)");
const QString SaveFilter = QStringLiteral("Ignition Parametrs(*.ign)");
const QString RecordingFilter = QStringLiteral("Live data (*.csv);;All Files (*.*)");

// Built by hand: the static helper neither adds the default extension nor lets
// the overwrite question see the name with it.
QString askSaveName(const QString &preset, const QString &filter, const QString &suffix)
{
    QFileDialog dialog(QApplication::activeWindow(), QString(), preset, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(suffix);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (!preset.isEmpty())
        dialog.selectFile(preset);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().front();
}

} // namespace

void MessageBoxDialogs::message(const QString &text)
{
    QMessageBox::information(QApplication::activeWindow(), boxTitle(), text);
}

UserDialogs::Answer MessageBoxDialogs::askYesNoCancel(const QString &text)
{
    const auto button =
        QMessageBox::question(QApplication::activeWindow(), boxTitle(), text,
                              QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    if (button == QMessageBox::Yes)
        return Answer::Yes;
    return button == QMessageBox::No ? Answer::No : Answer::Cancel;
}

QString MessageBoxDialogs::askOpenFileName(const QString &preset)
{
    return QFileDialog::getOpenFileName(QApplication::activeWindow(), QString(), preset, OpenFilter);
}

QString MessageBoxDialogs::askSaveFileName(const QString &preset)
{
    return askSaveName(preset, SaveFilter, QStringLiteral("ign"));
}

QString MessageBoxDialogs::askOpenRecordingName(const QString &preset)
{
    return QFileDialog::getOpenFileName(QApplication::activeWindow(), QString(), preset, RecordingFilter);
}

QString MessageBoxDialogs::askSaveRecordingName(const QString &preset)
{
    return askSaveName(preset, RecordingFilter, QStringLiteral("csv"));
}

std::optional<int> MessageBoxDialogs::askNumber(const QString &text, int preset, int minimum, int maximum)
{
    bool ok = false;
    const int value =
        QInputDialog::getInt(QApplication::activeWindow(), boxTitle(), text, preset, minimum, maximum, 1, &ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

DesktopShell::DesktopShell(QString opener) : m_opener(std::move(opener))
{
}

DesktopShell::~DesktopShell()
{
    for (QProcess *opener : m_running.findChildren<QProcess *>(Qt::FindDirectChildrenOnly)) {
        opener->disconnect();
        opener->kill();
        opener->waitForFinished(1000);
    }
}

#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)

void DesktopShell::openDocument(const QString &path, Failure onFailure)
{
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath())))
        onFailure({});
}

#else

namespace {

/// The exit codes of xdg-open.
QString openerExit(const QString &opener, int code)
{
    const char *meaning = code == 1   ? "wrong arguments"
                          : code == 2 ? "the file does not exist"
                          : code == 3 ? "no program to open it with was found"
                          : code == 4 ? "opening failed"
                                      : nullptr;
    QString text = QStringLiteral("%1 ended with code %2").arg(opener).arg(code);
    if (meaning)
        text += QStringLiteral(": ") + QString::fromLatin1(meaning);
    return text;
}

} // namespace

void DesktopShell::openDocument(const QString &path, Failure onFailure)
{
    auto *opener = new QProcess(&m_running);
    // The viewer inherits the opener's channels and may outlive it and this window:
    // it writes where this process writes and reads nothing, so it never waits on,
    // or dies by, a pipe of ours.
    opener->setProcessChannelMode(QProcess::ForwardedChannels);
    opener->setStandardInputFile(QProcess::nullDevice());
    const QString program = m_opener;
    QObject::connect(opener, &QProcess::errorOccurred, opener, [opener, program, onFailure](QProcess::ProcessError e) {
        // A crash is reported by finished(); other errors concern channels it has none of.
        if (e != QProcess::FailedToStart)
            return;
        onFailure(QStringLiteral("%1: %2").arg(program, opener->errorString()));
        opener->deleteLater();
    });
    QObject::connect(opener, &QProcess::finished, opener,
                     [opener, program, onFailure](int code, QProcess::ExitStatus status) {
                         if (status != QProcess::NormalExit)
                             onFailure(QStringLiteral("%1 ended abnormally").arg(program));
                         else if (code != 0)
                             onFailure(openerExit(program, code));
                         opener->deleteLater();
                     });
    opener->start(program, {QFileInfo(path).absoluteFilePath()});
}

#endif

} // namespace talviro6
