#include "texts/kept_texts.h"

#include "texts/language_table.h"

namespace talviro6 {
namespace {

// Padded texts keep their trailing blanks: they overwrite a longer text in a
// label of fixed width without leaving a stale tail.
constexpr LanguageTable<TextRole, TextRoleCount> Texts{{{
    {TextRole::TextManualFile,
     {"manual_quendal_talviro6_en.pdf", "manual_quendal_talviro6_de.pdf", "manual_quendal_talviro6_fr.pdf",
      "manual_quendal_talviro6_cz.pdf"}},
    {TextRole::TextManualOpenError,
     {"Error by opening file ", "Fehler beim öffnen der Datei ", "Erreur à l´ouvertur du Fichier ",
      "Chyba při otevírání souboru "}},
    {TextRole::TextProgramming, {"Program device:", "Programmieren:", "Programmer:", "Programování:"}},
    {TextRole::TextVerifying, {"Verify:", "Vergleichen:", "Vérifier", "Verifikace:"}},
    {TextRole::TextReading, {"Read:", "Lesen:", "Lire", "Čtení:"}},
    {TextRole::TextSaving, {"Saving:", "Speichern:", "Mémorisation", "Ukládání:"}},
    {TextRole::TextProgramError,
     {"Program error!", "Programmier Fehler", "Erreur de programmation!", "Chyba programování"}},
    {TextRole::TextVerifyError, {"Verify error!", "Vergleichsfehler", "Verifier erreur!", "Chyba verifikace!"}},
    {TextRole::TextReadError, {"Read error!", "Lesefehler", "Lire erreur!", "Chyba čtení!"}},
    {TextRole::TextVersionMismatch,
     {"Unmatched version of PC and Ignition programs!",
      "Programm der Zündung ist nicht kompatibel mit dem Programm am PC!",
      "Programme du boitier d´alumage non compatible avec programme PC!", "Neshodné verze proramu v PC a zapalování!"}},
    {TextRole::TextComOpenError,
     {"Com opening error!", "Falscher COM-Anschlußes!", "Erreur connections PC!", "Chyba při otevírání portu Com!"}},
    {TextRole::TextFileOpenError,
     {"Open file error!", "Fehler beim öffnen der Datei!", "Erreur ouvertur fichier!", "Chyba při otevírání souboru!"}},
    {TextRole::TextFileVersionMismatch,
     {"Unmatched version of *.ign file!", "Datendatei *.ign ist nicht kompatiebel!",
      "Programme du fichier non compatible avec programme PC!", "Neshodná verze souboru *.ign!"}},
    {TextRole::TextOlderFileVersion,
     {"Older version of *.ign file!\n\nSome parameters won't be changed or will be set to default value.\nThey are "
      "parameters which are not in older version or have another structure.",
      "Älter Version von Datendatei *.ign!\n\nEinige Kenndaten werden nicht geändert oder werden implizit Wert "
      "gestellt.\nSie sind die Kenndaten, die in älter Version nicht sind oder andere Struktur haben",
      "Older version of *.ign file!\n\nSome parameters won't be changed or will be set to default value.\nThey are "
      "parameters which are not in older version or have another structure.",
      "Starší verze souboru *.ign!\n\nNěkteré parametry budou nezměněny nebo nataveny na základní hodnotu.\nJsou to "
      "parametry, které v této verzi nebyly obsaženy nebo měly jinou strukturu."}},
    {TextRole::TextDefaultQuestion,
     {"Do you want default setting?", "Wollen Sie Standardeinstellungen öffnen?",
      "Voulez vous la programation de base?", "Chcete nastavit základní hodnoty?"}},
    {TextRole::TextPrintDate,
     {"Date and time of printing:  ", "Zeitpunkt des Ausdruckes   ",
      "Date et heur de l´imprimé:   ", "Datum a čas tisku:  "}},
    {TextRole::TextAdvance, {"Advance", "Vorzündung", "Avance", "Předstih"}},
    {TextRole::TextProgramCount,
     {"Number of Programing= ", "Programmierungsanzahl= ", "Nombre de programmations= ", "Počet programování= "}},
    {TextRole::TextPickup, {"Pick-up (CKPS)", "Geber(CKPS)", "Capteur(CKPS)", "Snímač (klika)"}},
    {TextRole::TextPickupError,
     {"Pick up system error                    ", "Gebersystemehler                        ",
      "Pick up system error                    ", "Chyba v snímacím systému                "}},
    {TextRole::TextRunning, {"is running", "läuft", " fonctionne", "pracuje"}},
    {TextRole::TextNoSignal, {"no signal", " kein Signal", " pas de signal", "bez signálu"}},
    {TextRole::TextServoDesired, {"Servo desired=", "Servo Sollspanung=", "Servo desired=", "Servo požadované="}},
    {TextRole::TextServoMeasured, {"Servo measured=", "Servo Gemessene=", "Servo measured=", "Servo měřené="}},
    {TextRole::TextYes, {"YES", "JA", "Oui", "ANO"}},
    {TextRole::TextNo, {"NO", "NEIN", "Non", "NE"}},
    {TextRole::TextInput, {"Input", "Eingang", "Entrée", "Vstup"}},
    {TextRole::TextInputOpen, {"Open", "offen", "Open", "Otevřený"}},
    {TextRole::TextInputGrounded, {"grounded", "zugrund", "grounded", "uzeměn"}},
    {TextRole::TextBlocking, {"Motor off", "Motor off", "Blocage", "Blokování"}},
    {TextRole::TextClutch, {"Clutch master", "Schaltautomat", "Clutch master", "Clutch master"}},
    {TextRole::TextStartLimiter, {"Start limiter", "Startbegrenzer", "Limitateur départ", "Startovací omezovač"}},
    {TextRole::TextRetard, {"Retard", "Spätzündung", "Retard d´allumage", "Snížení předstihu"}},
    {TextRole::TextKillSwitch, {"Kill switch", "Not Aus", "Interrupteur de sécurité", "Kill switch"}},
    {TextRole::TextFuelPump, {"Fuel pump", "Kraftstoffpumpe", "Fuel pump", "Palivová pumpa"}},
    {TextRole::TextShiftLight, {"Gear shift light", "Schaltblitz", "Voyant de passage de rapport", "Kontrolka řazení"}},
    {TextRole::TextPowerJet, {"Power jet", "Power jet", "Power jet", "Power jet"}},
    {TextRole::TextSpecialOut, {"Special out", "Sonderausgang", "Special out", "Specielní výstup"}},
    {TextRole::TextValuesCorrected, {"values corrected", "Werte korrigiert", "valeurs corrigées", "hodnot opraveno"}},
    {TextRole::TextSettingsSaveError,
     {"The settings could not be saved:", "Die Einstellungen konnten nicht gespeichert werden:",
      "Les réglages n´ont pas pu être enregistrés :", "Nastavení nebylo možné uložit:"}},
    {TextRole::TextStoringUnconfirmed,
     {"storing not confirmed", "Speichern nicht bestätigt", "enregistrement non confirmé", "uložení nepotvrzeno"}},
    {TextRole::TextPrintNotLoaded,
     {"Printing is not possible:", "Drucken ist nicht möglich:", "L´impression n´est pas possible :",
      "Tisk není možný:"}},
}}};
static_assert(Texts.inEntryOrder(), "one row per entry, in the order of the enum");

} // namespace

std::string_view keptText(TextRole role, int languageIndex)
{
    return Texts.text(role, languageIndex);
}

void KeptTexts::load(int languageIndex)
{
    m_language = static_cast<int>(languageOf(languageIndex));
    for (int r = 0; r < TextRoleCount; ++r)
        m_texts[static_cast<std::size_t>(r)] = std::string(keptText(static_cast<TextRole>(r), languageIndex));
    auto &manualError = m_texts[static_cast<std::size_t>(TextRole::TextManualOpenError)];
    manualError += (*this)[TextRole::TextManualFile];
    manualError += " !";
}

} // namespace talviro6
