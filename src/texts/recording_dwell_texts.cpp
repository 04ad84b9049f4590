#include "texts/recording_dwell_texts.h"

#include "texts/language_table.h"

namespace talviro6 {
namespace {

using T = RecordingDwellText;

constexpr LanguageTable<RecordingDwellText, RecordingDwellTextCount> Texts{{{
    {T::MenuItem,
     {"Where the engine ran (recor&ding)...", "Wo der Motor lief (Auf&zeichnung)...",
      "Où le moteur a tourné (enregi&strement)...", "Kde motor běžel (&záznam)..."}},
    {T::Hint,
     {"Count a recording's frames per map cell and servo point and shade them in the maps",
      "Die Datensätze einer Aufzeichnung je Kennfeldzelle und Servopunkt zählen und in den Kennfeldern schattieren",
      "Compter les trames d´un enregistrement par case de la carte et point du servo, et les ombrer dans les cartes",
      "Spočítat rámce záznamu pro každou buňku mapy a bod serva a vystínovat je v mapách"}},
    {T::Caption,
     {"Where the engine ran (recording)", "Wo der Motor lief (Aufzeichnung)", "Où le moteur a tourné (enregistrement)",
      "Kde motor běžel (záznam)"}},
    {T::Open, {"Open...", "Öffnen...", "Ouvrir...", "Otevřít..."}},
    {T::MinCount,
     {"Shade from (frames):", "Schattieren ab (Datensätze):", "Ombrer à partir de (trames) :", "Stínovat od (rámců):"}},
    {T::MaxRpmRate,
     {"Leave out speed changes faster than (rpm/s):", "Drehzahländerungen auslassen, schneller als (U/min/s):",
      "Omettre les variations de régime plus rapides que (tr/min/s) :",
      "Vynechat změny otáček rychlejší než (ot/min/s):"}},
    {T::MaxTpsRate,
     {"Leave out throttle moves faster than (%/s):", "Drosselklappenbewegungen auslassen, schneller als (%/s):",
      "Omettre les mouvements du papillon plus rapides que (%/s) :", "Vynechat pohyby plynu rychlejší než (%/s):"}},
    {T::FromSeconds, {"From (s):", "Von (s):", "De (s) :", "Od (s):"}},
    {T::ToSeconds, {"To (s):", "Bis (s):", "À (s) :", "Do (s):"}},
    {T::Off, {"off", "aus", "non", "vypnuto"}},
    {T::ShowTable, {"Table of counts", "Tabelle der Zählungen", "Tableau des comptes", "Tabulka počtů"}},
    {T::ServoRpm, {"servo rpm", "Servo U/min", "servo tr/min", "servo ot/min"}},
    {T::Servo, {"servo", "Servo", "servo", "servo"}},
    {T::Counted, {"frames counted:", "gezählte Datensätze:", "trames comptées :", "započtené rámce:"}},
    {T::LeftOut,
     {"left out as transients:", "als Übergänge ausgelassen:", "omises comme transitoires :",
      "vynechané jako přechody:"}},
    {T::InRange, {"in range:", "im Bereich:", "dans l´intervalle :", "v rozsahu:"}},
    {T::NoRecording,
     {"No recording open", "Keine Aufzeichnung geöffnet", "Aucun enregistrement ouvert", "Není otevřen žádný záznam"}},
}}};
static_assert(Texts.inEntryOrder(), "one row per entry, in the order of the enum");

} // namespace

std::string_view recordingDwellText(RecordingDwellText text, int languageIndex)
{
    return Texts.text(text, languageIndex);
}

} // namespace talviro6
