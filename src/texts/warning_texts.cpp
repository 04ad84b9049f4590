#include "texts/warning_texts.h"

#include "model/fields.h"
#include "texts/caption_table.h"
#include "texts/field_words.h"
#include "texts/language_table.h"

namespace talviro6 {
namespace {

constexpr LanguageTable<WarningText, WarningTextCount> Texts{{{
    {WarningText::AdvanceMap, {"Advance map", "Vorzündung Karte", "Avance carte", "Mapa předstihu"}},
    {WarningText::RpmUnit, {"rpm", "U/min", "tr/min", "ot/min"}},
    {WarningText::SpikeAboveRow,
     {"%1: %2° is more than %3° above both neighbours in its row (%4°, %5°)",
      "%1: %2° liegt mehr als %3° über beiden Nachbarn seiner Zeile (%4°, %5°)",
      "%1 : %2° dépasse de plus de %3° ses deux voisins de la ligne (%4°, %5°)",
      "%1: %2° je o více než %3° nad oběma sousedy v řádku (%4°, %5°)"}},
    {WarningText::SpikeBelowRow,
     {"%1: %2° is more than %3° below both neighbours in its row (%4°, %5°)",
      "%1: %2° liegt mehr als %3° unter beiden Nachbarn seiner Zeile (%4°, %5°)",
      "%1 : %2° est inférieur de plus de %3° à ses deux voisins de la ligne (%4°, %5°)",
      "%1: %2° je o více než %3° pod oběma sousedy v řádku (%4°, %5°)"}},
    {WarningText::SpikeAboveColumn,
     {"%1: %2° is more than %3° above both neighbours in its column (%4°, %5°)",
      "%1: %2° liegt mehr als %3° über beiden Nachbarn seiner Spalte (%4°, %5°)",
      "%1 : %2° dépasse de plus de %3° ses deux voisins de la colonne (%4°, %5°)",
      "%1: %2° je o více než %3° nad oběma sousedy ve sloupci (%4°, %5°)"}},
    {WarningText::SpikeBelowColumn,
     {"%1: %2° is more than %3° below both neighbours in its column (%4°, %5°)",
      "%1: %2° liegt mehr als %3° unter beiden Nachbarn seiner Spalte (%4°, %5°)",
      "%1 : %2° est inférieur de plus de %3° à ses deux voisins de la colonne (%4°, %5°)",
      "%1: %2° je o více než %3° pod oběma sousedy ve sloupci (%4°, %5°)"}},
    {WarningText::BigChange,
     {"%1: %2° against %3° in the unit, more than %4° changed in one programming",
      "%1: %2° statt %3° in der Zündbox, mehr als %4° Änderung in einer Programmierung",
      "%1 : %2° au lieu de %3° dans le boîtier, plus de %4° de changement en une programmation",
      "%1: %2° místo %3° v jednotce, změna o více než %4° v jednom programování"}},
    {WarningText::HighAdvance,
     {"%1: %2° is more than %3° of advance", "%1: %2° sind mehr als %3° Vorzündung", "%1 : %2° dépasse %3° d'avance",
      "%1: %2° je více než %3° předstihu"}},
    {WarningText::TriggerChange,
     {"%1: %2 in the unit, now %3 – the engine may not start or may fire at a wrong angle",
      "%1: %2 in der Zündbox, jetzt %3 – der Motor springt womöglich nicht an oder zündet im falschen Winkel",
      "%1 : %2 dans le boîtier, maintenant %3 – le moteur risque de ne pas démarrer ou d'allumer au mauvais angle",
      "%1: v jednotce %2, nyní %3 – motor nemusí naskočit nebo může zapalovat ve špatném úhlu"}},
    {WarningText::ThrottleSensor,
     {"TPS map on, but %1 (%2 mV) is not below %3 (%4 mV): the throttle that picks the map row cannot be right",
      "TPS-Kennfeld ein, aber %1 (%2 mV) liegt nicht unter %3 (%4 mV): die Drosselklappenstellung, die die "
      "Kennfeldzeile wählt, kann nicht stimmen",
      "Carte TPS activée, mais %1 (%2 mV) n'est pas inférieur à %3 (%4 mV) : la position du papillon qui choisit "
      "la ligne de la carte ne peut pas être juste",
      "Mapa TPS zapnutá, ale %1 (%2 mV) není pod %3 (%4 mV): poloha plynu, která vybírá řádek mapy, nemůže být "
      "správná"}},
    {WarningText::On, {"on", "ein", "activé", "zapnuto"}},
    {WarningText::Off, {"off", "aus", "désactivé", "vypnuto"}},
    {WarningText::MoreWarnings, {"(+%1 more)", "(+%1 weitere)", "(+%1 autres)", "(+%1 další)"}},
}}};

static_assert(Texts.inEntryOrder());

std::string text(WarningText t, int language)
{
    return std::string(Texts.text(t, language));
}

/// The window name of a field without the unit its control's caption ends in:
/// the warning quotes the value with its unit already.
std::string nameOf(const FieldInfo &field, int language)
{
    std::string name = fieldWords(field, language);
    if (const std::size_t bracket = name.rfind(" ["); bracket != std::string::npos && name.back() == ']')
        name.erase(bracket);
    return name;
}

/// A map cell as the window places it: by its column's speed and its row's throttle.
std::string where(const RiskWarning &w, int language)
{
    if (w.field->index1 < 0)
        return nameOf(*w.field, language);
    return text(WarningText::AdvanceMap, language) + ", " + std::to_string(w.rpm) + ' ' +
           text(WarningText::RpmUnit, language) + ", " + std::to_string(w.throttle) + '%';
}

std::string trimmed(std::string_view s)
{
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    return std::string(s);
}

/// A trigger field's value as its control shows it: a list's item, a check box's
/// state or the number.
std::string triggerValue(const FieldInfo &field, int shown, int language)
{
    if (field.conversion == Conversion::Flag)
        return text(shown != 0 ? WarningText::On : WarningText::Off, language);
    if (field.offset == field::SyncMethod && shown >= 0 && shown <= 6)
        return trimmed(
            captionText(static_cast<Caption>(static_cast<int>(Caption::ComboBoxSynchroItem0) + shown), language));
    if (field.conversion == Conversion::Ignitions && shown >= 0 && shown <= 3)
        return trimmed(
            captionText(static_cast<Caption>(static_cast<int>(Caption::ComboBoxNasobekPalcuItem0) + shown), language));
    return std::to_string(shown);
}

} // namespace

std::string_view warningText(WarningText t, int languageIndex)
{
    return Texts.text(t, languageIndex);
}

std::string fillIn(std::string_view pattern, std::initializer_list<std::string> values)
{
    std::string out;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        const auto n = static_cast<std::size_t>(next - '1');
        if (pattern[i] == '%' && next >= '1' && next <= '9' && n < values.size()) {
            out += *(values.begin() + n);
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

std::string riskWarningText(const RiskWarning &w, int language)
{
    using std::to_string;
    if (!w.field)
        return {};
    switch (w.rule) {
    case RiskRule::Spike: {
        const WarningText t = w.inColumn ? (w.above ? WarningText::SpikeAboveColumn : WarningText::SpikeBelowColumn)
                                         : (w.above ? WarningText::SpikeAboveRow : WarningText::SpikeBelowRow);
        return fillIn(warningText(t, language), {where(w, language), to_string(w.shown), to_string(SpikeDegrees),
                                                 to_string(w.neighbours[0]), to_string(w.neighbours[1])});
    }
    case RiskRule::BigChange:
        return fillIn(warningText(WarningText::BigChange, language),
                      {where(w, language), to_string(w.shown), to_string(w.other), to_string(BigChangeDegrees)});
    case RiskRule::HighAdvance:
        return fillIn(warningText(WarningText::HighAdvance, language),
                      {where(w, language), to_string(w.shown), to_string(HighAdvanceDegrees)});
    case RiskRule::TriggerChange:
        return fillIn(warningText(WarningText::TriggerChange, language),
                      {nameOf(*w.field, language), triggerValue(*w.field, w.other, language),
                       triggerValue(*w.field, w.shown, language)});
    case RiskRule::ThrottleSensor: {
        const FieldInfo *full = fieldAt(field::Tps100Voltage);
        return fillIn(warningText(WarningText::ThrottleSensor, language),
                      {nameOf(*w.field, language), to_string(w.shown), full ? nameOf(*full, language) : std::string(),
                       to_string(w.other)});
    }
    }
    return {};
}

} // namespace talviro6
