#include "editor/live_display.h"
#include "editor/widgets/bar_gauge.h"

#include "editor/colours.h"
#include "editor/controls.h"
#include "editor/widgets/numeric_field.h"

#include <QLabel>

#include <algorithm>

namespace talviro6 {
namespace {

void setText(QLabel *label, const std::string &text)
{
    // An empty text means no live frame has written it: the placeholder stays.
    if (text.empty())
        return;
    const QString q = QString::fromStdString(text);
    if (label->text() != q)
        label->setText(q);
}

void paintReadout(QLabel *label, const Readout &r)
{
    setText(label, r.text);
    setStatusBackground(label, r.colour);
}

void paintGauge(BarGauge *gauge, const Gauge &g)
{
    if (gauge->maximum() != g.maximum)
        gauge->setMaximum(g.maximum);
    const int value = std::clamp(g.progress, 0, g.maximum);
    if (gauge->value() != value)
        gauge->setValue(value);
}

/// A wrapping label grows or shrinks to the lines its text needs.
void fitHeight(QLabel *label)
{
    const int height = std::max(label->minimumHeight(), label->heightForWidth(label->width()));
    if (height != label->height())
        label->resize(label->width(), height);
}

void lime(QWidget *w, bool lit)
{
    setRoleColour(w, QPalette::Base, toQColor(lit ? Colour::Lime : Colour::Window));
}

} // namespace

bool LiveDisplayPainter::paint(const DisplayState &d)
{
    if (m_revision == d.revision)
        return false;
    m_revision = d.revision;

    auto &f = m_c.frame;
    auto &m = f.monitor;
    f.LabelSpojeni->setVisible(d.LabelSpojeni);

    paintReadout(m.LabelHlaseni, d.LabelHlaseni);
    fitHeight(m.LabelHlaseni);
    m.LabelHlaseni->setVisible(d.LabelHlaseni.visible);
    paintGauge(m.CGaugeProgram, d.CGaugeProgram);
    m.CGaugeProgram->setVisible(d.CGaugeProgram.visible);

    if (!d.LabelCom.empty()) {
        setText(m.LabelCom, d.LabelCom);
        m.LabelCom->setToolTip(QString::fromStdString(d.LabelComDevice));
    }

    paintReadout(m.LabelRpm, d.LabelRpm);
    paintGauge(m.CGaugeRpm, d.CGaugeRpm);
    paintReadout(m.LabelTpsMon, d.LabelTpsMon);
    paintGauge(m.CGaugeTps, d.CGaugeTps);
    paintReadout(m.LabelAdvance1, d.LabelAdvance1);
    paintReadout(m.LabelAdvance2, d.LabelAdvance2);
    paintReadout(m.LabelMonSnimac1, d.LabelMonSnimac1);
    paintReadout(m.LabelMonSnimac2, d.LabelMonSnimac2);
    paintReadout(m.LabelNapeti, d.LabelNapeti);
    paintReadout(m.LabelPriveraPoz, d.LabelPriveraPoz);
    paintReadout(m.LabelPriveraMer, d.LabelPriveraMer);
    paintReadout(m.LabelBlocking1, d.LabelBlocking1);
    paintReadout(m.LabelClutchMon, d.LabelClutchMon);
    paintReadout(m.LabelMonRetard, d.LabelMonRetard);
    paintReadout(m.LabelMonStartLimiterOut, d.LabelMonStartLimiterOut);
    paintReadout(m.LabelKillSwitch, d.LabelKillSwitch);
    paintReadout(m.LabelMonPOut[0], d.LabelMonPOut1);
    paintReadout(m.LabelMonPOut[1], d.LabelMonPOut2);
    paintReadout(m.LabelMonPOut[2], d.LabelMonPOut3);
    paintReadout(m_c.misc.LabelMonInput1In, d.LabelMonInput1In);
    paintReadout(m_c.misc.LabelMonInput2In, d.LabelMonInput2In);
    setText(m_c.bike.LabelPocetProgramovani, d.LabelPocetProgramovani.text);
    for (std::size_t i = 0; i < f.LabelTest.size(); ++i)
        setText(f.LabelTest[i], d.LabelTest[i].text);

    // The two alarm labels are red whatever the link says; it decides when they show.
    setText(f.LabelVersion, d.LabelVersion.text);
    fitHeight(f.LabelVersion);
    f.LabelVersion->setVisible(d.LabelVersion.visible);
    f.LabelEeDataErr->setVisible(d.LabelEeDataErr.visible);
    return true;
}

void LiveDisplayPainter::paintOperatingPoint(const OperatingPoint &p)
{
    if (m_point == p)
        return;
    const OperatingPoint before = m_point.value_or(OperatingPoint{});
    const bool all = !m_point.has_value();
    m_point = p;

    auto &adv = m_c.advance;
    auto &servo = m_c.servo;
    for (int k = 0; k < static_cast<int>(Points); ++k) {
        const auto kk = static_cast<std::size_t>(k);
        if (all || before.columnLit(k) != p.columnLit(k))
            lime(adv.EditRpmAdv[kk], p.columnLit(k));
        if (all || before.rowLit(k) != p.rowLit(k))
            setStatusBackground(adv.LabelTps[kk], p.rowLit(k) ? Colour::Lime : Colour::Face);
        if (all || before.servoPointLit(k) != p.servoPointLit(k)) {
            lime(servo.EditRpmPriv[kk], p.servoPointLit(k));
            lime(servo.EditNapPriv[kk], p.servoPointLit(k));
        }
    }
    for (int r = 0; r < static_cast<int>(Points); ++r)
        for (int c = 0; c < static_cast<int>(Points); ++c)
            if (all || before.cellLit(r, c) != p.cellLit(r, c))
                lime(adv.EditCell[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)], p.cellLit(r, c));
}

} // namespace talviro6
