#include "editor/frame/tool_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <functional>

namespace talviro6 {
namespace {

const QColor Outline(60, 60, 60);

/// A picture drawn on a 16 x 16 grid, at the sizes a tool button asks for; the
/// disabled look is QIcon's own greying of it.
QIcon drawn(const std::function<void(QPainter &)> &draw)
{
    QIcon icon;
    for (const int size : {16, 32}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(size / 16.0, size / 16.0);
        p.setPen(QPen(Outline, 0.9));
        draw(p);
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

void arrow(QPainter &p, bool forward)
{
    if (!forward) {
        p.translate(16, 0);
        p.scale(-1, 1);
    }
    QPainterPath bend;
    bend.moveTo(3, 12);
    bend.cubicTo(3, 6, 7, 5, 11, 5);
    p.setPen(QPen(QColor(40, 90, 170), 2.0, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(bend);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 90, 170));
    p.drawPolygon(QPolygonF({QPointF(10, 1.5), QPointF(14.5, 5), QPointF(10, 8.5)}));
}

} // namespace

QIcon newIcon()
{
    return drawn([](QPainter &p) {
        QPainterPath sheet;
        sheet.moveTo(3.5, 1.5);
        sheet.lineTo(9.5, 1.5);
        sheet.lineTo(12.5, 4.5);
        sheet.lineTo(12.5, 14.5);
        sheet.lineTo(3.5, 14.5);
        sheet.closeSubpath();
        p.setBrush(Qt::white);
        p.drawPath(sheet);
        p.drawPolyline(QPolygonF({QPointF(9.5, 1.5), QPointF(9.5, 4.5), QPointF(12.5, 4.5)}));
    });
}

QIcon openIcon()
{
    return drawn([](QPainter &p) {
        p.setBrush(QColor(220, 170, 60));
        p.drawPolygon(QPolygonF({QPointF(1.5, 3.5), QPointF(6, 3.5), QPointF(7.5, 5), QPointF(13.5, 5),
                                 QPointF(13.5, 13.5), QPointF(1.5, 13.5)}));
        p.setBrush(QColor(245, 205, 100));
        p.drawPolygon(QPolygonF({QPointF(3.5, 7.5), QPointF(15, 7.5), QPointF(13.5, 13.5), QPointF(1.5, 13.5)}));
    });
}

QIcon saveIcon()
{
    return drawn([](QPainter &p) {
        p.setBrush(QColor(70, 110, 180));
        p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 1.2, 1.2);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4, 1.5, 8, 5)); // the label
        p.setBrush(QColor(200, 205, 215));
        p.drawRect(QRectF(4.5, 9, 7, 5.5)); // the shutter
    });
}

QIcon printerIcon()
{
    return drawn([](QPainter &p) {
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4.5, 1.5, 7, 5)); // the sheet going in
        p.setBrush(QColor(150, 155, 165));
        p.drawRoundedRect(QRectF(1.5, 5.5, 13, 6), 1.2, 1.2); // the body
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4.5, 9.5, 7, 5)); // the printed sheet
        p.setPen(QPen(Outline, 0.6));
        p.drawLine(QPointF(6, 11.5), QPointF(10, 11.5));
        p.drawLine(QPointF(6, 13), QPointF(10, 13));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(40, 170, 60));
        p.drawEllipse(QPointF(12.5, 7.5), 0.8, 0.8); // the power lamp
    });
}

QIcon undoIcon()
{
    return drawn([](QPainter &p) { arrow(p, false); });
}

QIcon redoIcon()
{
    return drawn([](QPainter &p) { arrow(p, true); });
}

} // namespace talviro6
