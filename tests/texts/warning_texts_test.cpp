#include "texts/warning_texts.h"

#include "model/field_table.h"
#include "model/fields.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

using namespace talviro6;

namespace {

RiskWarning cell(RiskRule rule, int row, int column, int shown, int rpm, int throttle)
{
    RiskWarning w;
    w.rule = rule;
    w.field = fieldAt(field::AdvanceMap(row, column));
    w.shown = shown;
    w.rpm = rpm;
    w.throttle = throttle;
    return w;
}

RiskWarning single(RiskRule rule, int offset, int shown, int other)
{
    RiskWarning w;
    w.rule = rule;
    w.field = fieldAt(offset);
    w.shown = shown;
    w.other = other;
    return w;
}

RiskWarning spike(bool above, bool inColumn)
{
    RiskWarning w = cell(RiskRule::Spike, 5, 3, above ? 38 : 9, 4000, 30);
    w.neighbours = above ? std::array<int, 2>{22, 23} : std::array<int, 2>{18, 20};
    w.above = above;
    w.inColumn = inColumn;
    return w;
}

struct Row {
    RiskWarning warning;
    int language;
    std::string text;
};

TEST(WarningTexts, EachRuleNamesWhereAndTheValuesInEveryLanguage)
{
    const RiskWarning base = single(RiskRule::BigChange, field::BaseAdvance, 25, 12);
    const RiskWarning high = cell(RiskRule::HighAdvance, 7, 2, 52, 3000, 60);
    const RiskWarning sync = single(RiskRule::TriggerChange, field::SyncMethod, 0, 2);
    const RiskWarning tps = single(RiskRule::ThrottleSensor, field::Tps0Voltage, 2500, 2500);
    const std::vector<Row> rows = {
        {spike(true, false), 0,
         "Advance map, 4000 rpm, 30%: 38° is more than 8° above both neighbours in its row (22°, 23°)"},
        {spike(true, false), 1,
         "Vorzündung Karte, 4000 U/min, 30%: 38° liegt mehr als 8° über beiden Nachbarn seiner Zeile (22°, 23°)"},
        {spike(true, false), 2,
         "Avance carte, 4000 tr/min, 30% : 38° dépasse de plus de 8° ses deux voisins de la ligne (22°, 23°)"},
        {spike(true, false), 3,
         "Mapa předstihu, 4000 ot/min, 30%: 38° je o více než 8° nad oběma sousedy v řádku (22°, 23°)"},
        {spike(false, true), 0,
         "Advance map, 4000 rpm, 30%: 9° is more than 8° below both neighbours in its column (18°, 20°)"},
        {spike(false, true), 1,
         "Vorzündung Karte, 4000 U/min, 30%: 9° liegt mehr als 8° unter beiden Nachbarn seiner Spalte (18°, 20°)"},
        {spike(false, false), 2,
         "Avance carte, 4000 tr/min, 30% : 9° est inférieur de plus de 8° à ses deux voisins de la ligne (18°, 20°)"},
        {spike(true, true), 3,
         "Mapa předstihu, 4000 ot/min, 30%: 38° je o více než 8° nad oběma sousedy ve sloupci (22°, 23°)"},
        {base, 0, "Base advance: 25° against 12° in the unit, more than 10° changed in one programming"},
        {base, 1, "Grundvorzündung: 25° statt 12° in der Zündbox, mehr als 10° Änderung in einer Programmierung"},
        {base, 2,
         "Avance de base : 25° au lieu de 12° dans le boîtier, plus de 10° de changement en une programmation"},
        {base, 3, "Základní předstih: 25° místo 12° v jednotce, změna o více než 10° v jednom programování"},
        {high, 0, "Advance map, 3000 rpm, 60%: 52° is more than 50° of advance"},
        {high, 1, "Vorzündung Karte, 3000 U/min, 60%: 52° sind mehr als 50° Vorzündung"},
        {high, 2, "Avance carte, 3000 tr/min, 60% : 52° dépasse 50° d'avance"},
        {high, 3, "Mapa předstihu, 3000 ot/min, 60%: 52° je více než 50° předstihu"},
        {sync, 0,
         "Synchronization method: Wide lobe in the unit, now 1 lobe, 1 or 2 pick-up – the engine may not "
         "start or may fire at a wrong angle"},
        {sync, 3,
         "Způsob synchronizace: v jednotce Široký výstupek, nyní 1 výstupek, 1 nebo 2 snímače – motor "
         "nemusí naskočit nebo může zapalovat ve špatném úhlu"},
        {single(RiskRule::TriggerChange, field::MaxAdvEdge2(1), 1, 0), 0,
         "Maximum advance, 2nd edge, channel 2: off in the unit, now on – the engine may not start or may fire at a "
         "wrong angle"},
        {single(RiskRule::TriggerChange, field::PickupInvert1, 1, 0), 1,
         "Umgekehrte Gebereingang 1: aus in der Zündbox, jetzt ein – der Motor springt womöglich nicht an oder "
         "zündet im falschen Winkel"},
        {single(RiskRule::TriggerChange, field::IgnitionsPerRev, 3, 0), 2,
         "allumage par tour : 1 allumage par tour dans le boîtier, maintenant 1 allumage pour 2 tours (arbre à "
         "cames) – le moteur risque de ne pas démarrer ou d'allumer au mauvais angle"},
        {single(RiskRule::TriggerChange, field::LobeCount, 12, 1), 0,
         "Number of lobe at rotor: 1 in the unit, now 12 – the engine may not start or may fire at a wrong angle"},
        {tps, 0,
         "TPS map on, but TPS 0% (2500 mV) is not below TPS 100% (2500 mV): the throttle that picks the map "
         "row cannot be right"},
        {tps, 1,
         "TPS-Kennfeld ein, aber TPS 0% (2500 mV) liegt nicht unter TPS 100% (2500 mV): die "
         "Drosselklappenstellung, die die Kennfeldzeile wählt, kann nicht stimmen"},
        {tps, 2,
         "Carte TPS activée, mais TPS 0% (2500 mV) n'est pas inférieur à TPS 100% (2500 mV) : la position "
         "du papillon qui choisit la ligne de la carte ne peut pas être juste"},
        {tps, 3,
         "Mapa TPS zapnutá, ale TPS 0% (2500 mV) není pod TPS 100% (2500 mV): poloha plynu, která vybírá "
         "řádek mapy, nemůže být správná"},
    };
    for (const Row &row : rows)
        EXPECT_EQ(riskWarningText(row.warning, row.language), row.text) << "language " << row.language;
}

/// The numbers a pattern fills in: a translation that left one out would drop a value.
std::set<char> placeholders(std::string_view pattern)
{
    std::set<char> found;
    for (std::size_t i = 0; i + 1 < pattern.size(); ++i)
        if (pattern[i] == '%' && pattern[i + 1] >= '1' && pattern[i + 1] <= '9')
            found.insert(pattern[i + 1]);
    return found;
}

TEST(WarningTexts, EveryLanguageHasEveryTextWithTheSamePlaceholders)
{
    for (int t = 0; t < WarningTextCount; ++t) {
        const auto entry = static_cast<WarningText>(t);
        const std::string_view english = warningText(entry, 0);
        for (int l = 0; l < 4; ++l) {
            SCOPED_TRACE("text " + std::to_string(t) + ", language " + std::to_string(l));
            EXPECT_FALSE(warningText(entry, l).empty());
            EXPECT_EQ(placeholders(warningText(entry, l)), placeholders(english));
        }
    }
    EXPECT_EQ(fillIn(warningText(WarningText::MoreWarnings, 1), {"3"}), "(+3 weitere)");
    EXPECT_EQ(fillIn("%2 %1 %3", {"a", "b"}), "b a %3") << "a number without a value stays";
}

} // namespace
