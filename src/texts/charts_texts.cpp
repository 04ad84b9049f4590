#include "texts/charts_texts.h"

#include "texts/language_table.h"

namespace talviro6 {
namespace {

constexpr LanguageTable<ChartsText, ChartsTextCount> Texts{{{
    {ChartsText::Caption,
     {"Advance and servo charts", "Diagramme Vorzündung und Servo", "Graphiques avance et servo",
      "Grafy předstihu a serva"}},
    {ChartsText::AdvanceTitle, {"Advance map", "Vorzündungskennfeld", "Cartographie d'avance", "Mapa předstihu"}},
    {ChartsText::ServoTitle, {"Servo curve", "Servokurve", "Courbe du servo", "Křivka serva"}},
    {ChartsText::AxisEngineSpeed,
     {"Engine speed (rpm)", "Drehzahl (1/min)", "Régime moteur (tr/min)", "Otáčky motoru (ot/min)"}},
    {ChartsText::AxisAdvance, {"Advance (°)", "Vorzündung (°)", "Avance (°)", "Předstih (°)"}},
    {ChartsText::AxisServoVoltage,
     {"Servo voltage (mV)", "Servospannung (mV)", "Tension du servo (mV)", "Napětí serva (mV)"}},
    {ChartsText::ThrottleRow, {"Throttle %1 %", "Drosselklappe %1 %", "Papillon %1 %", "Plyn %1 %"}},
    {ChartsText::ServoCurve, {"Servo", "Servo", "Servo", "Servo"}},
    {ChartsText::OperatingPoint, {"Operating point", "Betriebspunkt", "Point de fonctionnement", "Pracovní bod"}},
    {ChartsText::NotShown,
     {"The charts cannot be shown:", "Die Diagramme können nicht angezeigt werden:",
      "Les graphiques ne peuvent pas être affichés :", "Grafy nelze zobrazit:"}},
}}};
static_assert(Texts.inEntryOrder(), "one row per entry, in the order of the enum");

} // namespace

std::string_view chartsText(ChartsText text, int languageIndex)
{
    return Texts.text(text, languageIndex);
}

} // namespace talviro6
