#include "editor/frame/frame_builders.h"
#include "editor/pages/page_builders.h"
#include "editor/widgets/mouse_up_check_box.h"

#include "editor/widgets/bar_gauge.h"
#include <QLabel>

namespace talviro6 {
namespace {

constexpr int ColumnWidth = 300;
constexpr int GaugeWidth = 270;
constexpr int GaugeHeight = 18;

QLabel *makeReadOut(QWidget *parent, const char *name, int y, int pixels, bool bold)
{
    auto *label = makeLabel(parent, QString::fromLatin1(name), MonitorX, y);
    label->setFont(pixelFont(pixels, bold));
    label->resize(ColumnWidth, pixels + 6);
    return label;
}

BarGauge *makeGauge(QWidget *parent, const char *name, int y, QColor colour, bool percentage)
{
    auto *gauge = new BarGauge(QString::fromLatin1(name), colour, percentage, parent);
    gauge->setGeometry(MonitorX, y, GaugeWidth, GaugeHeight);
    gauge->setRange(0, 100);
    return gauge;
}

} // namespace

MonitorColumn buildMonitorColumn(QWidget *parent)
{
    MonitorColumn m;
    int y = 54;
    auto next = [&y](int height) {
        const int at = y;
        y += height;
        return at;
    };
    m.LabelRpm = makeReadOut(parent, "LabelRpm", next(25), 19, true);
    m.CGaugeRpm = makeGauge(parent, "CGaugeRpm", next(24), QColor(Qt::magenta), false);
    m.LabelTpsMon = makeReadOut(parent, "LabelTpsMon", next(25), 19, true);
    m.CGaugeTps = makeGauge(parent, "CGaugeTps", next(24), parent->palette().color(QPalette::Highlight), false);
    m.LabelAdvance1 = makeReadOut(parent, "LabelAdvance1", next(24), 16, true);
    m.LabelAdvance2 = makeReadOut(parent, "LabelAdvance2", next(24), 16, true);
    m.LabelAdvance2->hide();
    m.LabelMonSnimac1 = makeReadOut(parent, "LabelMonSnimac1", next(23), 16, false);
    m.LabelMonSnimac2 = makeReadOut(parent, "LabelMonSnimac2", next(24), 16, false);
    m.LabelNapeti = makeReadOut(parent, "LabelNapeti", next(26), 19, true);
    m.LabelPriveraPoz = makeReadOut(parent, "LabelPriveraPoz", next(23), 16, false);
    m.LabelPriveraMer = makeReadOut(parent, "LabelPriveraMer", next(23), 16, false);
    m.LabelBlocking1 = makeReadOut(parent, "LabelBlocking1", next(23), 16, false);
    m.LabelClutchMon = makeReadOut(parent, "LabelClutchMon", next(23), 16, false);
    m.LabelMonRetard = makeReadOut(parent, "LabelMonRetard", next(23), 16, false);
    m.LabelMonStartLimiterOut = makeReadOut(parent, "LabelMonStartLimiterOut", next(23), 16, false);
    m.LabelKillSwitch = makeReadOut(parent, "LabelKillSwitch", next(23), 16, false);
    m.LabelMonPOut[0] = makeReadOut(parent, "LabelMonPOut1", next(23), 16, false);
    m.LabelMonPOut[1] = makeReadOut(parent, "LabelMonPOut2", next(23), 16, false);
    m.LabelMonPOut[2] = makeReadOut(parent, "LabelMonPOut3", next(26), 16, false);
    m.LabelCom = makeReadOut(parent, "LabelCom", next(26), 16, false);
    m.LabelCom->setText(QStringLiteral("COM = ---"));

    m.CheckBoxProgHned = new MouseUpCheckBox(parent);
    m.CheckBoxProgHned->setObjectName(QStringLiteral("CheckBoxProgHned"));
    m.CheckBoxProgHned->setGeometry(MonitorX, next(28), ColumnWidth, 22);

    m.LabelHlaseni = makeReadOut(parent, "LabelHlaseni", next(22), 13, true);
    // The print stamp is longer than the column is wide: it wraps, over the gauge,
    // which printing hides.
    m.LabelHlaseni->setWordWrap(true);
    m.LabelHlaseni->setMinimumHeight(m.LabelHlaseni->height());
    QPalette black = m.LabelHlaseni->palette();
    black.setColor(QPalette::WindowText, Qt::black);
    m.LabelHlaseni->setPalette(black);
    m.LabelHlaseni->hide();
    m.CGaugeProgram = makeGauge(parent, "CGaugeProgram", next(24), QColor(Qt::cyan), true);
    m.CGaugeProgram->setRange(0, 3);
    m.CGaugeProgram->hide();
    return m;
}

} // namespace talviro6
