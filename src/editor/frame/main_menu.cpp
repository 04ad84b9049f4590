#include "editor/frame/frame_builders.h"

#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>

namespace talviro6 {
namespace {

QAction *addItem(QMenu *menu, const char *name, QKeySequence shortcut = {})
{
    auto *action = menu->addAction(QString());
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(shortcut);
    return action;
}

QMenu *addMenu(QMenuBar *bar, const char *name)
{
    auto *menu = bar->addMenu(QString());
    menu->setObjectName(QString::fromLatin1(name));
    menu->menuAction()->setObjectName(QString::fromLatin1(name) + QStringLiteral("Action"));
    return menu;
}

} // namespace

MainMenu buildMainMenu(QMenuBar *bar)
{
    MainMenu m;
    m.MenuFile = addMenu(bar, "MenuFile");
    m.MenuNew = addItem(m.MenuFile, "MenuNew", QKeySequence(Qt::CTRL | Qt::Key_N));
    m.MenuFile->addSeparator()->setObjectName(QStringLiteral("N3"));
    m.MenuOpen = addItem(m.MenuFile, "MenuOpen", QKeySequence(Qt::Key_F3));
    m.MenuOpenExeDir = addItem(m.MenuFile, "MenuOpenExeDir");
    m.MenuFile->addSeparator()->setObjectName(QStringLiteral("N1"));
    m.MenuSave = addItem(m.MenuFile, "MenuSave", QKeySequence(Qt::Key_F2));
    m.MenuSaveExeDir = addItem(m.MenuFile, "MenuSaveExeDir");
    m.MenuFile->addSeparator()->setObjectName(QStringLiteral("N2"));
    m.MenuPrint = addItem(m.MenuFile, "MenuPrint", QKeySequence(Qt::CTRL | Qt::Key_P));
    m.MenuPrintAll = addItem(m.MenuFile, "MenuPrintAll");
    m.MenuFile->addSeparator()->setObjectName(QStringLiteral("N4"));
    m.MenuExit = addItem(m.MenuFile, "MenuExit");

    m.MenuCom = addMenu(bar, "MenuCom");

    m.MenuDevice = addMenu(bar, "MenuDevice");
    m.MenuRead = addItem(m.MenuDevice, "MenuRead", QKeySequence(Qt::Key_F7));
    m.MenuVerify = addItem(m.MenuDevice, "MenuVerify", QKeySequence(Qt::Key_F8));
    m.MenuProgram = addItem(m.MenuDevice, "MenuProgram", QKeySequence(Qt::Key_F9));

    m.MenuTools = addMenu(bar, "MenuTools");
    m.AdvanceMinus = addItem(m.MenuTools, "AdvanceMinus", QKeySequence(Qt::Key_F4));
    m.AdvancePlus = addItem(m.MenuTools, "AdvancePlus", QKeySequence(Qt::Key_F5));
    m.MenuZpet = addItem(m.MenuTools, "MenuZpet", QKeySequence(Qt::CTRL | Qt::Key_Z));
    m.MenuZnovu = addItem(m.MenuTools, "MenuZnovu", QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_Z));

    m.MenuLanguage = addMenu(bar, "MenuLanguage");
    m.MenuEnglish = addItem(m.MenuLanguage, "MenuEnglish");
    m.MenuGerman = addItem(m.MenuLanguage, "MenuGerman");
    m.MenuFrench = addItem(m.MenuLanguage, "MenuFrench");
    m.MenuCzech = addItem(m.MenuLanguage, "MenuCzech");
    for (auto *item : {m.MenuEnglish, m.MenuGerman, m.MenuFrench, m.MenuCzech})
        item->setCheckable(true);
    m.MenuEnglish->setChecked(true);

    m.MenuExtras = addMenu(bar, "MenuExtras");
    m.MenuCompare = addItem(m.MenuExtras, "MenuCompare");
    m.MenuSnapshots = addItem(m.MenuExtras, "MenuSnapshots");
    m.MenuHistory = addItem(m.MenuExtras, "MenuHistory");
    m.MenuReadWhenFound = addItem(m.MenuExtras, "MenuReadWhenFound");
    m.MenuReadWhenFound->setCheckable(true);
    m.MenuReadWhenFound->setChecked(true);
    m.MenuExtras->addSeparator();
    m.MenuRecord = addItem(m.MenuExtras, "MenuRecord");
    m.MenuRecord->setCheckable(true);
    m.MenuReplay = addItem(m.MenuExtras, "MenuReplay");
    m.MenuViewer = addItem(m.MenuExtras, "MenuViewer");
    m.MenuExtras->addSeparator();
    m.MenuDwell = addItem(m.MenuExtras, "MenuDwell");
    m.MenuDwell->setCheckable(true);
    m.MenuDwellReset = addItem(m.MenuExtras, "MenuDwellReset");
    m.MenuDwellRecording = addItem(m.MenuExtras, "MenuDwellRecording");
    m.MenuCharts = addItem(m.MenuExtras, "MenuCharts");
    m.MenuExtras->addSeparator();
    m.MenuReview = addItem(m.MenuExtras, "MenuReview");
    m.MenuReview->setCheckable(true);
    m.MenuReview->setChecked(true);

    m.MenuHelp = addMenu(bar, "MenuHelp");
    m.MenuContens = addItem(m.MenuHelp, "MenuContens", QKeySequence(Qt::Key_F1));
    m.MenuAbout = addItem(m.MenuHelp, "MenuAbout");
    return m;
}

void buildPortMenu(MainMenu &menu)
{
    for (std::size_t i = 0; i < menu.MenuComItems.size(); ++i) {
        const bool automatic = i + 1 == menu.MenuComItems.size();
        auto *item = menu.MenuCom->addAction(automatic ? QStringLiteral("Com Auto")
                                                       : QStringLiteral("Com ") + QString::number(i + 1));
        item->setObjectName(QStringLiteral("MenuCom") + QString::number(i + 1));
        item->setCheckable(true);
        menu.MenuComItems[i] = item;
    }
}

} // namespace talviro6
