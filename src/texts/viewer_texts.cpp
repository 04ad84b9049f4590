#include "texts/viewer_texts.h"

#include "texts/language_table.h"

namespace talviro6 {
namespace {

constexpr LanguageTable<ViewerText, ViewerTextCount> Texts{{{
    {ViewerText::MenuViewer,
     {"View a recording", "Aufzeichnung ansehen", "Visualiser un enregistrement", "Prohlížet záznam"}},
    {ViewerText::HintViewer,
     {"A recording's values over time; its moments on the map",
      "Die Werte einer Aufzeichnung über der Zeit; ihre "
      "Augenblicke im Kennfeld",
      "Les valeurs d´un enregistrement dans le temps ; ses instants sur la carte",
      "Hodnoty záznamu v čase; jeho okamžiky v mapě"}},
    {ViewerText::Caption, {"Recording", "Aufzeichnung", "Enregistrement", "Záznam"}},
    {ViewerText::NotARecording,
     {"This file is not a recording:", "Diese Datei ist keine Aufzeichnung:",
      "Ce fichier n´est pas un enregistrement :", "Tento soubor není záznam:"}},
    {ViewerText::PlotSpeed, {"Engine speed [rpm]", "Drehzahl [U/min]", "Régime [tr/min]", "Otáčky [ot/min]"}},
    {ViewerText::PlotAdvance, {"Advance [°]", "Vorzündung [°]", "Avance [°]", "Předstih [°]"}},
    {ViewerText::PlotThrottle, {"Throttle [%]", "Drosselklappe [%]", "Papillon [%]", "Škrticí klapka [%]"}},
    {ViewerText::PlotServo, {"Servo [V]", "Servo [V]", "Servo [V]", "Servo [V]"}},
    {ViewerText::PlotSupply, {"Supply [V]", "Versorgung [V]", "Alimentation [V]", "Napájení [V]"}},
    {ViewerText::Channel1, {"channel 1", "Kanal 1", "canal 1", "kanál 1"}},
    {ViewerText::Channel2, {"channel 2", "Kanal 2", "canal 2", "kanál 2"}},
    {ViewerText::Desired, {"desired", "Soll", "consigne", "požadované"}},
    {ViewerText::Measured, {"measured", "gemessen", "mesuré", "měřené"}},
    {ViewerText::Cursor, {"Cursor", "Cursor", "Curseur", "Kurzor"}},
    {ViewerText::ChosenRange, {"Chosen range", "Gewählter Bereich", "Plage choisie", "Vybraný úsek"}},
    {ViewerText::Play, {"Play from the cursor", "Ab Cursor abspielen", "Lire depuis le curseur", "Přehrát od kurzoru"}},
    {ViewerText::Pause, {"Pause", "Pause", "Pause", "Pozastavit"}},
    {ViewerText::BandKillSwitch, {"Kill switch", "Not Aus", "Coupe-circuit", "Kill switch"}},
    {ViewerText::BandRetard, {"Retard", "Spätzündung", "Retard", "Snížení předstihu"}},
    {ViewerText::BandStartLimiter, {"Start limiter", "Startbegrenzer", "Limitateur départ", "Startovací omezovač"}},
    {ViewerText::BandClutch, {"Clutch master", "Schaltautomat", "Shifter", "Rychlořazení"}},
    {ViewerText::BandMotorOff, {"Engine off", "Motor aus", "Moteur arrêté", "Motor vypnut"}},
    {ViewerText::BandInput1, {"Input 1 grounded", "Eingang 1 an Masse", "Entrée 1 à la masse", "Vstup 1 uzemněn"}},
    {ViewerText::BandInput2, {"Input 2 grounded", "Eingang 2 an Masse", "Entrée 2 à la masse", "Vstup 2 uzemněn"}},
    {ViewerText::BandPickup1, {"Pick-up 1", "Geber 1", "Capteur 1", "Snímač 1"}},
    {ViewerText::BandPickup2, {"Pick-up 2", "Geber 2", "Capteur 2", "Snímač 2"}},
    {ViewerText::BandPowerOut1, {"Output 1", "Ausgang 1", "Sortie 1", "Výstup 1"}},
    {ViewerText::BandPowerOut2, {"Output 2", "Ausgang 2", "Sortie 2", "Výstup 2"}},
    {ViewerText::BandPowerOut3, {"Output 3", "Ausgang 3", "Sortie 3", "Výstup 3"}},
    {ViewerText::BandSpeedRed, {"Speed red", "Drehzahl rot", "Régime rouge", "Otáčky červená"}},
    {ViewerText::BandSpeedYellow, {"Speed yellow", "Drehzahl gelb", "Régime jaune", "Otáčky žlutá"}},
    {ViewerText::BandServoOk, {"Servo OK", "Servo OK", "Servo OK", "Servo OK"}},
    {ViewerText::BandDataError, {"Data error", "Datenfehler", "Erreur de données", "Chyba dat"}},
}}};
static_assert(Texts.inEntryOrder(), "one row per entry, in the order of the enum");

} // namespace

std::string_view viewerText(ViewerText text, int languageIndex)
{
    return Texts.text(text, languageIndex);
}

} // namespace talviro6
