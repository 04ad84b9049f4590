#include "editor/frame/frame_builders.h"

#include <QGroupBox>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QStyle>
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

/// A printer of our own drawing: without an icon theme the style offers no printer,
/// and its nearest picture (a magnifier) would say the wrong thing.
QIcon printerIcon()
{
    QIcon icon;
    for (const int size : {16, 24, 32}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(size / 16.0, size / 16.0);
        const QColor outline(60, 60, 60);
        p.setPen(QPen(outline, 0.8));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4.5, 1.5, 7, 5)); // the sheet going in
        p.setBrush(QColor(150, 155, 165));
        p.drawRoundedRect(QRectF(1.5, 5.5, 13, 6), 1.2, 1.2); // the body
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4.5, 9.5, 7, 5)); // the printed sheet
        p.setPen(QPen(outline, 0.6));
        p.drawLine(QPointF(6, 11.5), QPointF(10, 11.5));
        p.drawLine(QPointF(6, 13), QPointF(10, 13));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(40, 170, 60));
        p.drawEllipse(QPointF(12.5, 7.5), 0.8, 0.8); // the power lamp
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
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
    auto *style = box->style();
    const QIcon print = QIcon::fromTheme(QStringLiteral("document-print"), printerIcon());
    t.SpeedButton6 = makeToolButton(box, "SpeedButton6", style->standardIcon(QStyle::SP_FileIcon), 6);
    t.SpeedButton5 = makeToolButton(box, "SpeedButton5", style->standardIcon(QStyle::SP_DialogOpenButton), 31);
    t.SpeedButton7 = makeToolButton(box, "SpeedButton7", style->standardIcon(QStyle::SP_DialogSaveButton), 56);
    t.SpeedButtonPrint = makeToolButton(box, "SpeedButtonPrint", print, 81);
    t.SpeedButtonZpet = makeToolButton(box, "SpeedButtonZpet", style->standardIcon(QStyle::SP_ArrowBack), 112);
    t.SpeedButtonZnovu = makeToolButton(box, "SpeedButtonZnovu", style->standardIcon(QStyle::SP_ArrowForward), 137);
    t.ButtonRead = makePushButton(box, "ButtonRead", 176, 57);
    t.BitBtnVerify = makePushButton(box, "BitBtnVerify", 239, 65);
    t.BitBtnProgram = makePushButton(box, "BitBtnProgram", 310, 81);
    return t;
}

} // namespace talviro6
