#include "editor/compare/field_labels.h"

#include "model/field_table.h"
#include "model/fields.h"
#include "texts/caption_table.h"
#include "texts/extras_texts.h"
#include "texts/kept_texts.h"

#include <map>
#include <optional>

namespace talviro6 {
namespace {

QString caption(Caption c, int language)
{
    return QString::fromUtf8(captionText(c, language));
}

QString extra(ExtraText t, int language)
{
    return QString::fromUtf8(extraText(t, language));
}

/// Single fields whose control carries a caption of its own.
std::optional<QString> singleLabel(int offset, int language)
{
    static const std::map<int, Caption> captions{
        {field::BikeType, Caption::LabelBike},
        {field::SyncMethod, Caption::LabelSynchro},
        {field::LobeCount, Caption::LabelPocPalcu},
        {field::ChannelCount, Caption::LabelPocKanalu},
        {field::BaseAdvance, Caption::LabelBaseAdv},
        {field::StartRevolutions, Caption::LabelPocSynchro},
        {field::TachoPulses, Caption::LabelRpmPulsu},
        {field::TachoCorrection, Caption::LabelRpmKorekce},
        {field::StartLimiter, Caption::LabelOmez1},
        {field::Limiter, Caption::LabelOmez2},
        {field::ServoEnable, Caption::CheckBoxPrivEnable},
        {field::ServoHysteresis, Caption::LabelServoHyster},
        {field::Retard, Caption::LabelRetard},
        {field::ClutchTime, Caption::LabelClutchTime},
        {field::ClutchPause, Caption::LabelClutchPause},
    };
    if (const auto it = captions.find(offset); it != captions.end())
        return caption(it->second, language);
    const QString input = QString::fromStdString(KeptTexts(language)[TextRole::TextInput]);
    switch (offset) {
    case field::Input1Function:
        return input + QStringLiteral(" 1");
    case field::Input2Function:
        return input + QStringLiteral(" 2");
    case field::PickupInvert1:
        return caption(Caption::InversePolarityWord, language) + QStringLiteral(" 1");
    case field::PickupInvert2:
        return caption(Caption::InversePolarityWord, language) + QStringLiteral(" 2");
    case field::AdvanceCorrection1:
        return caption(Caption::LabelKorekceAdv, language) + QStringLiteral(": 1");
    case field::AdvanceCorrection2:
        return caption(Caption::LabelKorekceAdv, language) + QStringLiteral(": 2");
    case field::Compensation1:
        return caption(Caption::LabelKompenz, language).trimmed() + QStringLiteral(" 1");
    case field::Compensation2:
        return caption(Caption::LabelKompenz, language).trimmed() + QStringLiteral(" 2");
    case field::Tps0Voltage:
        return QStringLiteral("TPS 0% [mV]");
    case field::Tps100Voltage:
        return QStringLiteral("TPS 100% [mV]");
    case field::TpsMapEnable:
        return QStringLiteral("TPS");
    case field::IgnitionsPerRev:
        return caption(Caption::ComboBoxNasobekPalcuItem0, language).section(QLatin1Char(' '), 1);
    default:
        return std::nullopt;
    }
}

} // namespace

QString fieldLabel(const FieldInfo &f, int language)
{
    if (f.index1 < 0)
        return singleLabel(f.offset, language).value_or(QString::fromUtf8(f.name.data(), qsizetype(f.name.size())));

    static const std::map<std::string_view, ExtraText> families{
        {"AdvanceRpm", ExtraText::FieldAdvanceRpm},       {"AdvanceMap", ExtraText::FieldAdvanceMap},
        {"ServoRpm", ExtraText::FieldServoRpm},           {"ServoVoltage", ExtraText::FieldServoVoltage},
        {"MaxAdvLobe", ExtraText::FieldMaxAdvLobe},       {"StartAdvLobe", ExtraText::FieldStartAdvLobe},
        {"MaxAdvEdge2", ExtraText::FieldMaxAdvEdge2},     {"StartAdvEdge2", ExtraText::FieldStartAdvEdge2},
        {"MaxAdvPickup2", ExtraText::FieldMaxAdvPickup2}, {"StartAdvPickup2", ExtraText::FieldStartAdvPickup2},
        {"PowerOutMode", ExtraText::FieldPowerOutMode},   {"PowerOutRpm", ExtraText::FieldPowerOutRpm},
        {"PowerOutTps", ExtraText::FieldPowerOutTps},     {"PowerOutCells", ExtraText::FieldPowerOutCells},
    };
    const auto family = families.find(f.name);
    const QString name = family != families.end() ? extra(family->second, language)
                                                  : QString::fromUtf8(f.name.data(), qsizetype(f.name.size()));
    const auto word = [&](ExtraText w, int index) {
        return QStringLiteral(", ") + extra(w, language) + QLatin1Char(' ') + QString::number(index + 1);
    };
    if (f.name == "AdvanceMap") {
        static const char *const rows[] = {"0%", "2%", "5%", "10%", "20%", "30%", "40%", "60%", "80%", "100%"};
        return name + QStringLiteral(", ") + QString::fromLatin1(rows[f.index1]) +
               word(ExtraText::WordColumn, f.index2);
    }
    if (f.name == "AdvanceRpm")
        return name + word(ExtraText::WordColumn, f.index1);
    if (f.name == "ServoRpm" || f.name == "ServoVoltage")
        return name + word(ExtraText::WordPoint, f.index1);
    if (f.name.starts_with("PowerOut")) {
        QString label = name + word(ExtraText::WordOutput, f.index1);
        if (f.index2 >= 0)
            label += word(f.name == "PowerOutCells" ? ExtraText::WordRow : ExtraText::WordThreshold, f.index2);
        return label;
    }
    return name + word(ExtraText::WordChannel, f.index1);
}

} // namespace talviro6
