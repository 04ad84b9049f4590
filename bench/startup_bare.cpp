// The yardstick for the window's start-up: a bare Qt Widgets main window of the
// same size with a menu bar and a status bar, from the same Qt, ending at its first paint.
#include "first_paint.h"

#include <QApplication>
#include <QFont>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QFont font = QApplication::font();
    font.setPixelSize(11);
    QApplication::setFont(font);
    QMainWindow window;
    for (const char *title : {"&File", "&Com", "&Ignition", "Tools", "&Language", "&Help"})
        window.menuBar()->addMenu(QString::fromLatin1(title))->addAction(QStringLiteral("Item"));
    window.statusBar()->showMessage(QString());
    window.resize(983, 772);
    window.show();
    talviro6::bench::FirstPaint watcher;
    return QApplication::exec();
}
