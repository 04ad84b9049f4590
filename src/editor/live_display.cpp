#include "editor/live_display.h"
#include "editor/widgets/bar_gauge.h"

#include "editor/colours.h"
#include "editor/controls.h"
#include "editor/widgets/numeric_field.h"
#include "live/transfer_texts.h"

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

/// The two fixed colours of a cell, looked up once per paint rather than per cell.
struct CellColours {
    QColor lime = toQColor(Colour::Lime);
    QColor window = toQColor(Colour::Window);
};

/// One decision per cell: lime if operating, else the trail, else the shade, else the window colour.
QColor cellColour(const CellColours &fixed, bool lit, int trailAge, std::size_t trailLength, int shade)
{
    if (lit)
        return fixed.lime;
    if (trailAge >= 0)
        return dwellTrailColour(trailAge, static_cast<int>(trailLength));
    if (shade > 0)
        return dwellShadeColour(shade);
    return fixed.window;
}

/// Sets the Base role of `widgets` when `colour` differs from what was last set there.
void paintCell(QRgb &last, const QColor &colour, std::initializer_list<QWidget *> widgets)
{
    if (last == colour.rgba())
        return;
    last = colour.rgba();
    for (QWidget *w : widgets)
        setRoleColour(w, QPalette::Base, colour);
}

} // namespace

QColor dwellShadeColour(int level)
{
    return toQColor(palette::dwellShade(level));
}

QColor dwellTrailColour(int age, int length)
{
    return toQColor(palette::dwellTrail(age, length));
}

bool LiveDisplayPainter::paint(const DisplayState &d, const MonitorDisplay &live, int languageIndex)
{
    if (m_revision == d.revision && m_liveRevision == live.revision)
        return false;
    m_revision = d.revision;
    m_liveRevision = live.revision;

    auto &f = m_c.frame;
    auto &m = f.monitor;
    f.LabelSpojeni->setVisible(d.LabelSpojeni);

    if (m_transferWorded != d.LabelHlaseni.worded) {
        m_transferWorded = d.LabelHlaseni.worded;
        m_transferText = transferText(d.LabelHlaseni, languageIndex);
    }
    setText(m.LabelHlaseni, m_transferText);
    setStatusBackground(m.LabelHlaseni, d.LabelHlaseni.colour);
    fitHeight(m.LabelHlaseni);
    m.LabelHlaseni->setVisible(d.LabelHlaseni.visible);
    paintGauge(m.CGaugeProgram, d.CGaugeProgram);
    m.CGaugeProgram->setVisible(d.CGaugeProgram.visible);

    if (d.LabelCom > 0) {
        setText(m.LabelCom, comCaption(d.LabelCom));
        m.LabelCom->setToolTip(QString::fromStdString(d.LabelComDevice));
    }

    paintReadout(m.LabelRpm, live.LabelRpm);
    paintGauge(m.CGaugeRpm, live.CGaugeRpm);
    paintReadout(m.LabelTpsMon, live.LabelTpsMon);
    paintGauge(m.CGaugeTps, live.CGaugeTps);
    paintReadout(m.LabelAdvance1, live.LabelAdvance1);
    paintReadout(m.LabelAdvance2, live.LabelAdvance2);
    paintReadout(m.LabelMonSnimac1, live.LabelMonSnimac1);
    paintReadout(m.LabelMonSnimac2, live.LabelMonSnimac2);
    paintReadout(m.LabelNapeti, live.LabelNapeti);
    paintReadout(m.LabelPriveraPoz, live.LabelPriveraPoz);
    paintReadout(m.LabelPriveraMer, live.LabelPriveraMer);
    paintReadout(m.LabelBlocking1, live.LabelBlocking1);
    paintReadout(m.LabelClutchMon, live.LabelClutchMon);
    paintReadout(m.LabelMonRetard, live.LabelMonRetard);
    paintReadout(m.LabelMonStartLimiterOut, live.LabelMonStartLimiterOut);
    paintReadout(m.LabelKillSwitch, live.LabelKillSwitch);
    paintReadout(m.LabelMonPOut[0], live.LabelMonPOut1);
    paintReadout(m.LabelMonPOut[1], live.LabelMonPOut2);
    paintReadout(m.LabelMonPOut[2], live.LabelMonPOut3);
    if (built(m_c.misc)) {
        paintReadout(m_c.misc.LabelMonInput1In, live.LabelMonInput1In);
        paintReadout(m_c.misc.LabelMonInput2In, live.LabelMonInput2In);
    }
    if (built(m_c.bike))
        setText(m_c.bike.LabelPocetProgramovani, live.LabelPocetProgramovani.text);
    for (std::size_t i = 0; i < f.LabelTest.size(); ++i)
        setText(f.LabelTest[i], live.LabelTest[i].text);

    // The two alarm labels are red whatever the link says; it decides when they show.
    setText(f.LabelVersion, live.LabelVersion.text);
    fitHeight(f.LabelVersion);
    f.LabelVersion->setVisible(live.LabelVersion.visible);
    f.LabelEeDataErr->setVisible(live.LabelEeDataErr.visible);
    return true;
}

bool LiveDisplayPainter::mapPagesBuilt() const
{
    return built(m_c.advance) && built(m_c.servo);
}

void LiveDisplayPainter::paintParametersOnly()
{
    if (!mapPagesBuilt())
        return;
    auto &adv = m_c.advance;
    auto &servo = m_c.servo;
    const QColor window = toQColor(Colour::Window);
    for (std::size_t k = 0; k < Points; ++k) {
        lime(adv.EditRpmAdv[k], false);
        setStatusBackground(adv.LabelTps[k], Colour::Face);
        paintCell(m_servoColours[k], window, {servo.EditRpmPriv[k], servo.EditNapPriv[k]});
        for (std::size_t c = 0; c < Points; ++c)
            paintCell(m_cellColours[k][c], window, {adv.EditCell[k][c]});
    }
    m_point.reset();
    m_dwellRevision.reset();
    m_dwellShown = false;
}

void LiveDisplayPainter::paintOperatingPoint(const OperatingPoint &p, const DwellMap *dwell)
{
    // Until both pages exist (the start) nothing is kept: their first paint is whole.
    if (!mapPagesBuilt())
        return;
    const bool dwellChanged =
        (dwell != nullptr) != m_dwellShown || (dwell != nullptr && m_dwellRevision != dwell->revision());
    if (m_point == p && !dwellChanged)
        return;
    const OperatingPoint before = m_point.value_or(OperatingPoint{});
    const bool all = !m_point.has_value();
    m_point = p;
    m_dwellShown = dwell != nullptr;
    m_dwellRevision = dwell ? std::optional<std::uint64_t>(dwell->revision()) : std::nullopt;

    auto &adv = m_c.advance;
    auto &servo = m_c.servo;
    const CellColours fixed;
    for (int k = 0; k < static_cast<int>(Points); ++k) {
        const auto kk = static_cast<std::size_t>(k);
        if (all || before.columnLit(k) != p.columnLit(k))
            lime(adv.EditRpmAdv[kk], p.columnLit(k));
        if (all || before.rowLit(k) != p.rowLit(k))
            setStatusBackground(adv.LabelTps[kk], p.rowLit(k) ? Colour::Lime : Colour::Face);
        const QColor colour = cellColour(fixed, p.servoPointLit(k), dwell ? dwell->servoTrailAge(kk) : -1,
                                         DwellMap::ServoTrailLength, dwell ? dwell->servoShade(kk) : 0);
        paintCell(m_servoColours[kk], colour, {servo.EditRpmPriv[kk], servo.EditNapPriv[kk]});
    }
    for (std::size_t r = 0; r < Points; ++r)
        for (std::size_t c = 0; c < Points; ++c) {
            const QColor colour = cellColour(fixed, p.cellLit(static_cast<int>(r), static_cast<int>(c)),
                                             dwell ? dwell->trailAge(r, c) : -1, DwellMap::TrailLength,
                                             dwell ? dwell->cellShade(r, c) : 0);
            paintCell(m_cellColours[r][c], colour, {adv.EditCell[r][c]});
        }
}

} // namespace talviro6
