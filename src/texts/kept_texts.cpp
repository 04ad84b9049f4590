#include "texts/kept_texts.h"

namespace talviro6 {
namespace {

using Row = std::array<const char *, LanguageTableCount>;

// Padded texts keep their trailing blanks: they overwrite a longer text in a
// label of fixed width without leaving a stale tail.
constexpr std::array<Row, TextRoleCount> Texts{{
    // TextManualFile
    Row{"manual_quendal_talviro6_en.pdf", "manual_quendal_talviro6_de.pdf", "manual_quendal_talviro6_fr.pdf",
        "manual_quendal_talviro6_cz.pdf"},
    // TextManualOpenError
    Row{"Error by opening file ", "Fehler beim öffnen der Datei ", "Erreur à l´ouvertur du Fichier ",
        "Chyba při otevírání souboru "},
    // TextProgramming
    Row{"Program device:", "Programmieren:", "Programmer:", "Programování:"},
    // TextVerifying
    Row{"Verify:", "Vergleichen:", "Vérifier", "Verifikace:"},
    // TextReading
    Row{"Read:", "Lesen:", "Lire", "Čtení:"},
    // TextSaving
    Row{"Saving:", "Speichern:", "Mémorisation", "Ukládání:"},
    // TextProgramError
    Row{"Program error!", "Programmier Fehler", "Erreur de programmation!", "Chyba programování"},
    // TextVerifyError
    Row{"Verify error!", "Vergleichsfehler", "Verifier erreur!", "Chyba verifikace!"},
    // TextReadError
    Row{"Read error!", "Lesefehler", "Lire erreur!", "Chyba čtení!"},
    // TextVersionMismatch
    Row{"Unmatched version of PC and Ignition programs!",
        "Programm der Zündung ist nicht kompatibel mit dem Programm am PC!",
        "Programme du boitier d´alumage non compatible avec programme PC!",
        "Neshodné verze proramu v PC a zapalování!"},
    // TextComOpenError
    Row{"Com opening error!", "Falscher COM-Anschlußes!", "Erreur connections PC!", "Chyba při otevírání portu Com!"},
    // TextFileOpenError
    Row{"Open file error!", "Fehler beim öffnen der Datei!", "Erreur ouvertur fichier!",
        "Chyba při otevírání souboru!"},
    // TextFileVersionMismatch
    Row{"Unmatched version of *.ign file!", "Datendatei *.ign ist nicht kompatiebel!",
        "Programme du fichier non compatible avec programme PC!", "Neshodná verze souboru *.ign!"},
    // TextOlderFileVersion
    Row{"Older version of *.ign file!\n\nSome parameters won't be changed or will be set to default value.\nThey are "
        "parameters which are not in older version or have another structure.",
        "Älter Version von Datendatei *.ign!\n\nEinige Kenndaten werden nicht geändert oder werden implizit Wert "
        "gestellt.\nSie sind die Kenndaten, die in älter Version nicht sind oder andere Struktur haben",
        "Older version of *.ign file!\n\nSome parameters won't be changed or will be set to default value.\nThey are "
        "parameters which are not in older version or have another structure.",
        "Starší verze souboru *.ign!\n\nNěkteré parametry budou nezměněny nebo nataveny na základní hodnotu.\nJsou to "
        "parametry, které v této verzi nebyly obsaženy nebo měly jinou strukturu."},
    // TextDefaultQuestion
    Row{"Do you want default setting?", "Wollen Sie Standardeinstellungen öffnen?",
        "Voulez vous la programation de base?", "Chcete nastavit základní hodnoty?"},
    // TextPrintDate
    Row{"Date and time of printing:  ", "Zeitpunkt des Ausdruckes   ",
        "Date et heur de l´imprimé:   ", "Datum a čas tisku:  "},
    // TextAdvance
    Row{"Advance", "Vorzündung", "Avance", "Předstih"},
    // TextProgramCount
    Row{"Number of Programing= ", "Programmierungsanzahl= ", "Nombre de programmations= ", "Počet programování= "},
    // TextPickup
    Row{"Pick-up (CKPS)", "Geber(CKPS)", "Capteur(CKPS)", "Snímač (klika)"},
    // TextPickupError
    Row{"Pick up system error                    ", "Gebersystemehler                        ",
        "Pick up system error                    ", "Chyba v snímacím systému                "},
    // TextRunning
    Row{"is running", "läuft", " fonctionne", "pracuje"},
    // TextNoSignal
    Row{"no signal", " kein Signal", " pas de signal", "bez signálu"},
    // TextServoDesired
    Row{"Servo desired=", "Servo Sollspanung=", "Servo desired=", "Servo požadované="},
    // TextServoMeasured
    Row{"Servo measured=", "Servo Gemessene=", "Servo measured=", "Servo měřené="},
    // TextYes
    Row{"YES", "JA", "Oui", "ANO"},
    // TextNo
    Row{"NO", "NEIN", "Non", "NE"},
    // TextInput
    Row{"Input", "Eingang", "Entrée", "Vstup"},
    // TextInputOpen
    Row{"Open", "offen", "Open", "Otevřený"},
    // TextInputGrounded
    Row{"grounded", "zugrund", "grounded", "uzeměn"},
    // TextBlocking
    Row{"Motor off", "Motor off", "Blocage", "Blokování"},
    // TextClutch
    Row{"Clutch master", "Schaltautomat", "Clutch master", "Clutch master"},
    // TextStartLimiter
    Row{"Start limiter", "Startbegrenzer", "Limitateur départ", "Startovací omezovač"},
    // TextRetard
    Row{"Retard", "Spätzündung", "Retard d´allumage", "Snížení předstihu"},
    // TextKillSwitch
    Row{"Kill switch", "Not Aus", "Interrupteur de sécurité", "Kill switch"},
    // TextFuelPump
    Row{"Fuel pump", "Kraftstoffpumpe", "Fuel pump", "Palivová pumpa"},
    // TextShiftLight
    Row{"Gear shift light", "Schaltblitz", "Voyant de passage de rapport", "Kontrolka řazení"},
    // TextPowerJet
    Row{"Power jet", "Power jet", "Power jet", "Power jet"},
    // TextSpecialOut
    Row{"Special out", "Sonderausgang", "Special out", "Specielní výstup"},
    // TextValuesCorrected
    Row{"values corrected", "Werte korrigiert", "valeurs corrigées", "hodnot opraveno"},
    // TextSettingsSaveError
    Row{"The settings could not be saved:", "Die Einstellungen konnten nicht gespeichert werden:",
        "Les réglages n´ont pas pu être enregistrés :", "Nastavení nebylo možné uložit:"},
    // TextStoringUnconfirmed
    Row{"storing not confirmed", "Speichern nicht bestätigt", "enregistrement non confirmé", "uložení nepotvrzeno"},
}};

} // namespace

std::string_view keptText(TextRole role, int languageIndex)
{
    if (languageIndex < 0 || languageIndex >= LanguageTableCount)
        languageIndex = 0;
    return Texts[static_cast<std::size_t>(role)][static_cast<std::size_t>(languageIndex)];
}

void KeptTexts::load(int languageIndex)
{
    if (languageIndex < 0 || languageIndex >= LanguageTableCount)
        languageIndex = 0;
    m_language = languageIndex;
    for (int r = 0; r < TextRoleCount; ++r)
        m_texts[static_cast<std::size_t>(r)] = std::string(keptText(static_cast<TextRole>(r), languageIndex));
    auto &manualError = m_texts[static_cast<std::size_t>(TextRole::TextManualOpenError)];
    manualError += (*this)[TextRole::TextManualFile];
    manualError += " !";
}

} // namespace talviro6
