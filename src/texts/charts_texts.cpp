#include "texts/charts_texts.h"

#include <array>

namespace talviro6 {
namespace {

using Row = std::array<std::string_view, 4>;

constexpr std::array<Row, ChartsTextCount> Texts{{
    // Caption
    {"Advance and servo charts", "Diagramme Vorzündung und Servo", "Graphiques avance et servo",
     "Grafy předstihu a serva"},
    // AdvanceTitle
    {"Advance map", "Vorzündungskennfeld", "Cartographie d'avance", "Mapa předstihu"},
    // ServoTitle
    {"Servo curve", "Servokurve", "Courbe du servo", "Křivka serva"},
    // AxisEngineSpeed
    {"Engine speed (rpm)", "Drehzahl (1/min)", "Régime moteur (tr/min)", "Otáčky motoru (ot/min)"},
    // AxisAdvance
    {"Advance (°)", "Vorzündung (°)", "Avance (°)", "Předstih (°)"},
    // AxisServoVoltage
    {"Servo voltage (mV)", "Servospannung (mV)", "Tension du servo (mV)", "Napětí serva (mV)"},
    // ThrottleRow
    {"Throttle %1 %", "Drosselklappe %1 %", "Papillon %1 %", "Plyn %1 %"},
    // ServoCurve
    {"Servo", "Servo", "Servo", "Servo"},
    // OperatingPoint
    {"Operating point", "Betriebspunkt", "Point de fonctionnement", "Pracovní bod"},
}};

} // namespace

std::string_view chartsText(ChartsText text, int languageIndex)
{
    if (languageIndex < 0 || languageIndex >= 4)
        languageIndex = 0;
    return Texts[static_cast<std::size_t>(text)][static_cast<std::size_t>(languageIndex)];
}

} // namespace talviro6
