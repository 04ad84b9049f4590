#include "editor/about/form_about.h"

#include "model/unit_image.h"
#include "texts/build_stamp.h"
#include "texts/caption_table.h"

#include <QEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>

namespace talviro6 {
namespace {

constexpr int ClientWidth = 273;  ///< px
constexpr int ClientHeight = 368; ///< px
constexpr int Left = 32;          ///< px, where every line but OK starts

QFont pixelFont(const QFont &base, int pixels, bool bold = false)
{
    QFont font = base;
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

/// Our own mark: a spark between two electrodes in a ring, and the name.
QPixmap drawLogo()
{
    QPixmap logo(161, 81);
    logo.fill(Qt::white);
    QPainter p(&logo);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor dark(30, 40, 60), red(210, 40, 30);
    p.setPen(QPen(dark, 4));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(36, 40), 30, 30);
    p.setPen(Qt::NoPen);
    p.setBrush(dark);
    p.drawRect(QRectF(32, 12, 8, 18)); // upper electrode
    p.drawRect(QRectF(32, 50, 8, 18)); // lower electrode
    QPainterPath spark;
    spark.moveTo(44, 27);
    spark.lineTo(31, 41);
    spark.lineTo(38, 41);
    spark.lineTo(28, 55);
    spark.lineTo(45, 37);
    spark.lineTo(38, 37);
    spark.closeSubpath();
    p.setBrush(red);
    p.drawPath(spark);
    // The name beside the mark, as large as the room allows, the 6 in the spark's red.
    const QRectF room(74, 14, 84, 34);
    QFont font = pixelFont(QFont(), 22, true);
    const QString name = QStringLiteral("TALVIRO");
    const QString six = QStringLiteral("6");
    while (font.pixelSize() > 8 && QFontMetrics(font).horizontalAdvance(name + six) > room.width())
        font.setPixelSize(font.pixelSize() - 1);
    p.setFont(font);
    p.setPen(dark);
    p.drawText(room, Qt::AlignLeft | Qt::AlignVCenter, name);
    p.setPen(red);
    p.drawText(room.translated(QFontMetrics(font).horizontalAdvance(name), 0), Qt::AlignLeft | Qt::AlignVCenter, six);
    p.setPen(dark);
    p.setFont(pixelFont(QFont(), 10));
    p.drawText(QRectF(74, 46, 84, 20), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("IGNITION"));
    return logo;
}

QLabel *line(QWidget *parent, const QString &text, int y, int pixels)
{
    auto *label = new QLabel(text, parent);
    label->setFont(pixelFont(parent->font(), pixels));
    label->move(Left, y);
    label->adjustSize();
    return label;
}

} // namespace

FormAbout::FormAbout(std::function<int()> language, QWidget *parent) : QDialog(parent), m_language(std::move(language))
{
    // FormCreate
    setObjectName(QStringLiteral("FormAbout"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(ClientWidth, ClientHeight);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::white);
    palette.setColor(QPalette::WindowText, Qt::black);
    setPalette(palette);

    auto *image = new QLabel(this);
    image->setObjectName(QStringLiteral("Image1"));
    image->setPixmap(drawLogo());
    image->setGeometry(Left, 16, 161, 81);

    const char *const contacts[] = {"TALVIRO6 programmer",      "Ignition tuning tools", "Workshop support:",
                                    "support@talviro6.example", "Tel. +00 000 000 000",  "www.talviro6.example"};
    int y = 110;
    for (const char *contact : contacts) {
        line(this, QString::fromLatin1(contact), y, 16);
        y += 22;
    }
    LabelDate = line(this, QString::fromStdString(buildDate()), y + 8, 11);
    LabelDate->setObjectName(QStringLiteral("LabelDate"));
    LabelTime = line(this, QString::fromStdString(buildTime()), y + 26, 11);
    LabelTime->setObjectName(QStringLiteral("LabelTime"));
    LabelRsKey = line(this, QStringLiteral("Version - ") + QString::number(ProtocolVersion), y + 44, 11);
    LabelRsKey->setObjectName(QStringLiteral("LabelRsKey"));

    LabelExit = new QLabel(QStringLiteral("OK"), this);
    LabelExit->setObjectName(QStringLiteral("LabelExit"));
    LabelExit->setFont(pixelFont(font(), 23, true));
    LabelExit->adjustSize();
    LabelExit->move(ClientWidth - LabelExit->width() - 24, ClientHeight - LabelExit->height() - 14);
    LabelExit->setCursor(Qt::PointingHandCursor);
    LabelExit->installEventFilter(this);

    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->geometry().width() / 2 - width() / 2, screen->geometry().height() / 2 - height() / 2);
}

void FormAbout::Button1Click()
{
    accept();
}

void FormAbout::FormActivate()
{
    setWindowTitle(QString::fromUtf8(captionText(Caption::AboutCaption, m_language())) + QStringLiteral("TALVIRO6"));
}

bool FormAbout::event(QEvent *event)
{
    // Every showing takes the language chosen last, even if it changed while hidden.
    if (event->type() == QEvent::Show || event->type() == QEvent::WindowActivate)
        FormActivate();
    return QDialog::event(event);
}

bool FormAbout::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == LabelExit && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        Button1Click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace talviro6
