#include "live/monitor_view.h"

#include "link/display_writer.h"
#include "model/fields.h"
#include "model/unit_image.h"
#include "texts/kept_texts.h"

#include <algorithm>

namespace talviro6 {
namespace {

using R = TextRole;

constexpr int SupplyRedHigh = 17999; ///< mV, at or above: red
constexpr int SupplyRedLow = 7000;   ///< mV, at or below: red
constexpr int SupplyYellowHigh = 14999;
constexpr int SupplyYellowLow = 11000;

Colour supplyColour(int mv)
{
    if (mv >= SupplyRedHigh || mv <= SupplyRedLow)
        return Colour::Red;
    if (mv >= SupplyYellowHigh || mv <= SupplyYellowLow)
        return Colour::Yellow;
    return Colour::Face;
}

/// A yes/no read-out keeps its prefix in both states ("Motor off - NO").
void yesNo(DisplayWriter &out, const KeptTexts &texts, Readout &label, std::string_view prefix,
           std::string_view separator, bool set, Colour whenSet)
{
    TextLine line;
    line << prefix << separator << texts[set ? R::TextYes : R::TextNo];
    out.readout(label, line, set ? whenSet : Colour::Face);
}

std::string_view powerOutName(const KeptTexts &texts, std::uint8_t mode)
{
    switch (mode) {
    case 1:
        return texts[R::TextFuelPump];
    case 2:
        return texts[R::TextShiftLight];
    case 3:
        return texts[R::TextPowerJet];
    case 0:
    case 4:
        return texts[R::TextSpecialOut];
    default:
        return {};
    }
}

/// Channel k (0, 1) has lost its synchronisation: too few revolutions counted on A
/// while more lobes than the start phase can give were counted on B.
bool pickupError(const MonitorFrame &m, const UnitImage &image, int k)
{
    const int startRevolutions = image[field::StartRevolutions];
    const auto c = static_cast<std::size_t>(k);
    return m.pickupCounterA[c] < startRevolutions && startRevolutions * image[field::LobeCount] < m.pickupCounterB[c];
}

void showAdvance(const MonitorFrame &m, const UnitImage &image, const KeptTexts &texts, MonitorDisplay &d,
                 DisplayWriter &out)
{
    const bool error = pickupError(m, image, 0) || pickupError(m, image, 1);
    const bool combined = image[field::BikeType] != bike::Special && image[field::AdvanceCorrection1] == 100 &&
                          image[field::AdvanceCorrection2] == 100;
    const std::string_view advance = texts[R::TextAdvance];

    if (combined) {
        if (error) {
            out.readout(d.LabelAdvance1, texts[R::TextPickupError], Colour::Red);
            return;
        }
        // Both channels fire from one map; when they disagree the larger advance is
        // the one that matters for knocking, so that is the one shown.
        const int a = std::max(m.advance[0], m.advance[1]) - 100;
        const int m1 = m.maxAdvance[0], m2 = m.maxAdvance[1];
        const int max = m1 == 0 ? m2 : m2 == 0 ? m1 : std::min(m1, m2);
        TextLine line;
        line << advance << " = " << a << " [°]";
        if (max > 0)
            line << " /max " << max << " [°]";
        out.readout(d.LabelAdvance1, line, max > 0 && a >= max ? Colour::Yellow : Colour::Face);
        return;
    }

    Readout *labels[2] = {&d.LabelAdvance1, &d.LabelAdvance2};
    for (int k = 0; k < 2; ++k) {
        if (error) {
            out.readout(*labels[k], texts[R::TextPickupError], Colour::Red);
            continue;
        }
        const int a = m.advance[static_cast<std::size_t>(k)] - 100;
        const int max = m.maxAdvance[static_cast<std::size_t>(k)];
        TextLine line;
        line << advance << ' ' << (k + 1) << " = " << a << " [°]";
        if (max > 0)
            line << " /max " << max << " [°]";
        out.readout(*labels[k], line, max > 0 && a >= max ? Colour::Yellow : Colour::Face);
    }
}

} // namespace

int servoCountsToMillivolts(std::uint16_t counts)
{
    return static_cast<int>(static_cast<std::uint32_t>(counts) * 5000u / 1023u);
}

std::uint16_t countsToMillivolts(std::uint16_t counts)
{
    return static_cast<std::uint16_t>(std::min(servoCountsToMillivolts(counts), 65535));
}

void showMonitorFrame(const MonitorFrame &m, const UnitImage &image, const KeptTexts &texts, MonitorDisplay &d)
{
    DisplayWriter out(d);
    {
        TextLine line;
        line << "RPM = " << m.engineSpeed << ' ';
        out.readout(d.LabelRpm, line, m.speedRed ? Colour::Red : m.speedYellow ? Colour::Yellow : Colour::Face);
        const int limiter = image[field::Limiter];
        out.set(d.CGaugeRpm.progress, std::min(m.engineSpeed / (limiter == 0 ? 100 : limiter), 100));
    }
    {
        TextLine line;
        line << "U = ";
        line.fixed1(m.supplyMillivolts * 0.001, 4) << " [V]";
        out.readout(d.LabelNapeti, line, supplyColour(m.supplyMillivolts));
    }
    yesNo(out, texts, d.LabelBlocking1, texts[R::TextBlocking], " - ", m.motorOff, Colour::Red);

    showAdvance(m, image, texts, d, out);

    {
        TextLine line;
        line << texts[R::TextPickup] << " 1 - " << texts[m.pickup1 ? R::TextRunning : R::TextNoSignal];
        out.readout(d.LabelMonSnimac1, line, m.pickup1 ? Colour::Lime : Colour::Face);
    }
    {
        TextLine line;
        line << texts[R::TextPickup] << " 2 - " << texts[m.pickup2 ? R::TextRunning : R::TextNoSignal];
        out.readout(d.LabelMonSnimac2, line, m.pickup2 ? Colour::Lime : Colour::Face);
    }

    {
        const int mv = countsToMillivolts(m.tpsCounts);
        TextLine line;
        if (m.tpsPercent > 100) {
            line << "TP=error = " << mv << " [mV]";
            out.readout(d.LabelTpsMon, line, image[field::TpsMapEnable] != 0 ? Colour::Red : Colour::Face);
            out.set(d.CGaugeTps.progress, 0);
        } else {
            line << "TP= " << m.tpsPercent << " [%]= " << mv << " [mV]";
            out.readout(d.LabelTpsMon, line, Colour::Face);
            out.set(d.CGaugeTps.progress, static_cast<int>(m.tpsPercent));
        }
    }

    {
        const bool servoShown = image[field::ServoEnable] != 0;
        const Colour colour = m.servoOk ? Colour::Face : Colour::Red;
        TextLine desired;
        desired << texts[R::TextServoDesired] << ' ' << servoCountsToMillivolts(m.servoDesired) << " [mV]";
        out.readout(d.LabelPriveraPoz, desired, colour);
        out.visible(d.LabelPriveraPoz, servoShown);
        TextLine measured;
        measured << texts[R::TextServoMeasured] << ' ' << servoCountsToMillivolts(m.servoMeasured) << " [mV]";
        out.readout(d.LabelPriveraMer, measured, colour);
        out.visible(d.LabelPriveraMer, servoShown);
    }

    if (m.protocolVersion == ProtocolVersion) {
        out.visible(d.LabelVersion, false);
    } else {
        TextLine line;
        line << texts[R::TextVersionMismatch] << "  PC-" << ProtocolVersion << ", IGN-" << m.protocolVersion;
        out.text(d.LabelVersion.text, line.view());
        out.visible(d.LabelVersion, true);
    }

    out.visible(d.LabelEeDataErr, m.dataError);

    {
        TextLine line;
        line << texts[R::TextProgramCount] << m.programCount;
        out.text(d.LabelPocetProgramovani.text, line.view());
    }
    for (int k = 0; k < TestLabels; ++k) {
        TextLine line;
        line << "Test" << (k + 1) << " = " << m.testValues[static_cast<std::size_t>(k)] << ' ';
        out.text(d.LabelTest[static_cast<std::size_t>(k)].text, line.view());
    }

    {
        TextLine line;
        line << texts[R::TextInput] << " 1: " << texts[m.input1Grounded ? R::TextInputGrounded : R::TextInputOpen];
        out.readout(d.LabelMonInput1In, line, m.input1Grounded ? Colour::Fuchsia : Colour::Face);
    }
    {
        TextLine line;
        line << texts[R::TextInput] << " 2: " << texts[m.input2Grounded ? R::TextInputGrounded : R::TextInputOpen];
        out.readout(d.LabelMonInput2In, line, m.input2Grounded ? Colour::Aqua : Colour::Face);
    }

    yesNo(out, texts, d.LabelClutchMon, texts[R::TextClutch], " - ", m.clutch, Colour::Lime);
    yesNo(out, texts, d.LabelMonStartLimiterOut, texts[R::TextStartLimiter], ": ", m.startLimiter, Colour::Fuchsia);
    yesNo(out, texts, d.LabelMonRetard, texts[R::TextRetard], " - ", m.retard, Colour::Aqua);
    yesNo(out, texts, d.LabelKillSwitch, texts[R::TextKillSwitch], " - ", m.killSwitch, Colour::Red);

    struct PowerOut {
        Readout &label;
        const char *prefix;
        bool on;
        Colour whenOn;
    };
    const PowerOut outputs[3] = {{d.LabelMonPOut1, "1- ", m.powerOut1, Colour::Lime},
                                 {d.LabelMonPOut2, "2- ", m.powerOut2, Colour::Aqua},
                                 {d.LabelMonPOut3, "3- ", m.powerOut3, Colour::Yellow}};
    for (int o = 0; o < 3; ++o) {
        TextLine prefix;
        prefix << outputs[o].prefix << powerOutName(texts, image[field::PowerOutMode(o)]);
        yesNo(out, texts, outputs[o].label, prefix.view(), " - ", outputs[o].on, outputs[o].whenOn);
    }
}

} // namespace talviro6
