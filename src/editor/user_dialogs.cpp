#include "editor/user_dialogs.h"

#include <QApplication>
#include <QMessageBox>

namespace talviro6 {
namespace {

QString boxTitle()
{
    return QStringLiteral("TALVIRO6");
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

} // namespace talviro6
