#include "editor/frame/frame_builders.h"
#include "editor/frame/tool_icons.h"

#include <QGroupBox>
#include <QPushButton>
#include <QToolButton>

namespace talviro6 {
namespace {

QToolButton *makeToolButton(QWidget *parent, const char *name, const QIcon &icon, int x)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setIcon(icon); // QIcon greys the picture itself when the button is disabled
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setGeometry(x, 10, 24, 23);
    return button;
}

QPushButton *makePushButton(QWidget *parent, const char *name, int x, int width)
{
    auto *button = new QPushButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setFocusPolicy(Qt::NoFocus);
    button->setGeometry(x, 9, width, 25);
    return button;
}

} // namespace

ToolBar buildToolBar(QWidget *parent)
{
    ToolBar t;
    t.GroupBoxToolBar = new QGroupBox(parent);
    t.GroupBoxToolBar->setObjectName(QStringLiteral("GroupBoxToolBar"));
    t.GroupBoxToolBar->setGeometry(4, 2, 470, 43);
    t.GroupBoxToolBar->setFocusPolicy(Qt::NoFocus);
    auto *box = t.GroupBoxToolBar;
    t.SpeedButton6 = makeToolButton(box, "SpeedButton6", newIcon(), 6);
    t.SpeedButton5 = makeToolButton(box, "SpeedButton5", openIcon(), 31);
    t.SpeedButton7 = makeToolButton(box, "SpeedButton7", saveIcon(), 56);
    t.SpeedButtonPrint = makeToolButton(box, "SpeedButtonPrint", printerIcon(), 81);
    t.SpeedButtonZpet = makeToolButton(box, "SpeedButtonZpet", undoIcon(), 112);
    t.SpeedButtonZnovu = makeToolButton(box, "SpeedButtonZnovu", redoIcon(), 137);
    t.ButtonRead = makePushButton(box, "ButtonRead", 176, 57);
    t.BitBtnVerify = makePushButton(box, "BitBtnVerify", 239, 65);
    t.BitBtnProgram = makePushButton(box, "BitBtnProgram", 310, 81);
    return t;
}

} // namespace talviro6
