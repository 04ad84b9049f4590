#include "editor/user_dialogs.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QUrl>

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

bool DesktopShell::openDocument(const QString &path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
}

} // namespace talviro6
