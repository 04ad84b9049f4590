#include "texts/caption_table.h"

#include "texts/language_table.h"

#include <cstddef>

namespace talviro6 {
namespace {

// Some texts are spelt as tuners know them (spellings, a missing accelerator,
// English left in French); they are meant as they stand. Trailing blanks are kept
// as they are shown. Accelerator letters are chosen so that no two items of one
// menu, nor a menu-bar title and one of the Read/Verify/Program buttons, share
// one, except in French, where Allumage/Aide and Contenu/Contenu du programme
// share theirs as tuners know them.
constexpr LanguageTable<Caption, CaptionCount> Rows{{{
    {Caption::FormHlav,
     {"Programming of TALVIRO6 unit", "Programmierung der TALVIRO6 Zündbox", "Programation de TALVIRO6 unité",
      "Programování jednotky TALVIRO6"}},
    {Caption::LabelSpojeni,
     {"No connection with PC", "Keine Verbindung zum PC", "Pas de connection acec pc", "Není spojení s PC"}},
    {Caption::MenuFile, {"&File", "&Datei", "&Fichier", "S&oubor"}},
    {Caption::MenuNew, {"&New", "&Neu", "&Nouveau", "&Nový"}},
    {Caption::MenuOpen, {"&Open", "Ö&ffnen", "&Ouvrir", "&Otevřít"}},
    {Caption::MenuOpenExeDir,
     {"Open from exe dir", "Aus Programmordner öffnen", "Ouvrir depuis le dossier exe", "Otevřít ze složky programu"}},
    {Caption::MenuSave, {"&Save", "&Speichern", "&Enregistrer", "&Uložit"}},
    {Caption::MenuSaveExeDir,
     {"Save to exe dir", "In Programmordner speichern", "Enregistrer dans le dossier exe",
      "Uložit do složky programu"}},
    {Caption::MenuPrint, {"&Print", "&Drucken", "&Imprimer", "&Tisk"}},
    {Caption::MenuPrintAll, {"Print all", "Alles drucken", "Imprimer tout", "Tisknout vše"}},
    {Caption::MenuExit, {"E&xit", "&Beenden", "&Quitter", "&Konec"}},
    {Caption::MenuCom, {"&Com", "&COM-Anschluß", "&Connection com", "&Port"}},
    {Caption::MenuDevice, {"&Ignition", "&Zündung", "&Allumage", "&Zapalování"}},
    {Caption::MenuRead, {"&Read", "&Lesen", "&Lire", "Čí&st"}},
    {Caption::MenuVerify, {"&Verify", "&Vergleichen", "&Vérifier", "&Verifikovat"}},
    {Caption::MenuProgram, {"&Program", "&Programmieren", "&Programmer", "P&rogramovat"}},
    {Caption::MenuTools, {"Tools", "Werkzeuge", "Outillage", "Pomůcky"}},
    {Caption::AdvanceMinus, {"Advance -", "Vorzündung -", "Avance -", "Předstih -"}},
    {Caption::AdvancePlus, {"Advance +", "Vorzündung +", "Avance +", "Předstih +"}},
    {Caption::MenuZpet, {"Undo", "Zurück", "Undo", "Zpět"}},
    {Caption::MenuZnovu, {"Redo", "Wieder", "Redo", "Znovu"}},
    {Caption::MenuLanguage, {"&Language", "&Sprache", "La&ngue", "&Jazyk"}},
    {Caption::MenuEnglish, {"&English", "Englisch", "&Englais", "&Anglicky"}},
    {Caption::MenuGerman, {"&German", "&Deutsch", "&Allemand", "&Německy"}},
    {Caption::MenuFrench, {"&French", "&Französisch", "&Francais", "Francouzky"}},
    {Caption::MenuCzech, {"&Czech", "&Tschechisch", "&Tchèque", "Če&sky"}},
    {Caption::MenuHelp, {"&Help", "&Hilfe", "&Aide", "Nápověda"}},
    {Caption::MenuContens, {"&Contents...", "&Inhalt...", "&Contenu", "Obsah"}},
    {Caption::MenuAbout, {"&About...", "&Über Programm...", "&Contenu du programme", "&O programu..."}},
    {Caption::TabSheetRuzne, {"Miscellaneous", "Verschiedene", "&Divergeant", "Různé"}},
    {Caption::TabSheetBike, {"Bike", "Mottorad", "&Motocycle", "Motocykl"}},
    {Caption::TabSheetAdvance, {"Advance Map", "Vorzündung Karte", "&Avance carte", "Mapa předstihu"}},
    {Caption::TabSheetServo, {"Servo", "Servo", "Servo", "Servo"}},
    {Caption::LabelBike, {"Motorbike type", "Motorradtyp", "Type de moto", "Typ motocyklu"}},
    {Caption::ComboBoxBikeItem0,
     {"Classic (1 lobe, 1 or 2 pick-up) ", "Klassisch (1 Leitstück, 1 oder 2 Geber)",
      "Classique (1 lobe, 1 or 2 pick-up) ", "Klasika (1 výstupek, 1 nebo 2 snimače)"}},
    {Caption::ComboBoxBikeItem4,
     {"Honda NSR 250 MC18 -", "Honda NSR 250 MC18 -", "Honda NSR 250 MC18 -", "Honda NSR 250 MC18 -"}},
    {Caption::ComboBoxBikeItem5, {"Special setting", "Sonderstellung", "Spécial ajustage", "Speciální nastavení"}},
    {Caption::ComboBoxSynchroItem0,
     {"1 lobe, 1 or 2 pick-up", "1 Leitstück, 1 oder 2 Geber", "1 ergot, 1 ou 2 capteurs",
      "1 výstupek, 1 nebo 2 snímače"}},
    {Caption::ComboBoxSynchroItem1,
     {"Short gap between lobes (inserted lobe)", "Kurz Abstand zwischen Leitstücken (eingeschiebe Leitstück)",
      "Short gap between lobes (inserted lobe)", "Krátká mezera mezi výstupky (vsunutý výstupek)"}},
    {Caption::ComboBoxSynchroItem2, {"Wide lobe", "Breites Leitstück", "Ergot large", "Široký výstupek"}},
    {Caption::ComboBoxSynchroItem3,
     {"Long gap between lobes (missing lobe)", "Lang Abstand zwischen Leitstücken (ausgelassene Leitstück)",
      "Long gap between lobes (missing lobe)", "Dlouhá mezera mezi výstupky (vynechaný výstupek)"}},
    {Caption::ComboBoxSynchroItem4,
     {"2 pick-ups, missing lobe", "2 Geber, ausgelassenes Leitstück", "2 capteurs, ergot manquant",
      "2 snímače, vynechaný výstupek"}},
    {Caption::ComboBoxSynchroItem5,
     {"2 Short gaps between lobes (inserted lobe)", "2 kurze Abstände zw. Leitstücken (eingeschobenes Leitstück)",
      "2 écarts courts entre ergots (ergot inséré)", "2 krátké mezery mezi výstupky (vsunutý výstupek)"}},
    {Caption::ComboBoxSynchroItem6,
     {"Honda NSR 250 MC18 -", "Honda NSR 250 MC18 -", "Honda NSR 250 MC18 -", "Honda NSR 250 MC18 -"}},
    {Caption::GroupBoxSpecial,
     {"Synchronization setting - Caution - For experienced user only!",
      "Spezifikation der Synchronisierung - Achtung - Nur für Erfahrungsanwender!",
      "Synchronization setting - Caution - For experienced user only!",
      "Popis synchronizace - Pozor - pouze pro zkušené uživatele!"}},
    {Caption::LabelSynchro,
     {"Synchronization method", "Synchronisierungsart", "Méthode de synchronisation", "Způsob synchronizace"}},
    {Caption::LabelPocPalcu,
     {"Number of lobe at rotor", "Anzahl Leitstücke am Rotor", "Nombre d'ergots du rotor", "Počet výstupků na rotoru"}},
    {Caption::LabelPocKanalu,
     {"Number of outputs (coils)", "Anzahl Ausgänge (Zündspulen)", "Nombre de sorties (bobines)",
      "Počet výstupů (cívek)"}},
    {Caption::ChannelWord, {"Channel", "Kanal", "Channel", "Kanál"}},
    {Caption::LabelPalecZac, {"Maximum advance", "Maximale Vorzündung", "Avance maximale", "Maximální předstih"}},
    {Caption::LabelPalecEnd, {"Start advance", "Startvorzündung", "Avance au démarrage", "Startovací předstih"}},
    {Caption::LabelLobe, {"Lobe", "Leitstück", "Ergot", "Výstupek"}},
    {Caption::LabelHrana2, {"2nd Edge", "2. Flanke", "2e front", "2. hrana"}},
    {Caption::LabelSnimac2, {"2nd Pick-up", "2. Geber", "2e capteur", "2. snímač"}},
    {Caption::ComboBoxNasobekPalcuItem0,
     {"1 ignition per revolution", "1 Zündung pro Umdrehung", "1 allumage par tour", "1 zapálení na otáčku"}},
    {Caption::ComboBoxNasobekPalcuItem1,
     {"2 ignitions per revolution", "2 Zündungen pro Umdrehung", "2 allumages par tour", "2 zapálení na otáčku"}},
    {Caption::ComboBoxNasobekPalcuItem2,
     {"3 ignitions per revolution", "3 Zündungen pro Umdrehung", "3 allumages par tour", "3 zapálení na otáčku"}},
    {Caption::ComboBoxNasobekPalcuItem3,
     {"1 ignition per 2 revolutions (camshaft)", "1 Zündung pro 2 Umdr. (Nockenwelle)",
      "1 allumage pour 2 tours (arbre à cames)", "1 zapálení na 2 otáčky (vačkový hřídel)"}},
    {Caption::LabelPocSynchro,
     {"Revolutions without ignition", "Umdrehungen ohne Zündung", "Tours sans allumage", "Otáčky bez zapálení"}},
    {Caption::InversePolarityWord,
     {"Inverse polarity of pick-up", "Umgekehrte Gebereingang", "Inverse polarity of pick-up",
      "Opačná polarita snímače"}},
    {Caption::LabelKompenz, {"Compensation ", "Kompensation ", "Compensation ", "Kompenzace "}},
    {Caption::GroupBoxRpm, {"Tachometer output", "Drehzahlmesserausgang", "Sortie compte-tours", "Výstup otáčkoměru"}},
    {Caption::LabelRpmPulsu,
     {"Pulses per revolution", "Impulse pro Umdrehung", "Impulsions par tour", "Pulzů na otáčku"}},
    {Caption::LabelRpmKorekce, {"Correction [%]", "Korrektur [%]", "Correction [%]", "Korekce [%]"}},
    {Caption::LabelServoHyster,
     {"Servo Hysteresis [mV]", "Servo-Hysterese [mV]", "Hystérésis servo [mV]", "Hystereze serva [mV]"}},
    {Caption::CheckBoxPrivEnable, {"Servo enable", "Servo aktivieren", "Activer le servo", "Povolit servo"}},
    {Caption::CheckBoxAll, {"All", "Alle", "Tous", "Vše"}},
    {Caption::CheckBoxProgHned,
     {"Programming after change", "Programmierung nach Änderung", "Sovegarde après modification",
      "Programování po změně"}},
    {Caption::LabelAdvance, {"Advance [°]", "Vorzündung [°]", "Avance [°]", "Předstih [°]"}},
    {Caption::LabelOmez1,
     {"Start limiter [rpm]", "Startbegrenzer [U/min]", "Limitateur départ [tr/min]", "Startovací omezovač [ot/min]"}},
    {Caption::LabelOmez2, {"Limiter [rpm]", "Drehzahlbegrenzer [U/min]", "Limitateur [tr/min]", "Omezovač [ot/min]"}},
    {Caption::LabelClutchTime,
     {"Clutch master time [ms]", "Schaltautomat-Zeit [ms]", "Durée coupure shifter [ms]", "Doba rychlořazení [ms]"}},
    {Caption::LabelClutchPause,
     {"Clutch master pause [ms]", "Schaltautomat-Pause [ms]", "Pause shifter [ms]", "Pauza rychlořazení [ms]"}},
    {Caption::LabelRetard, {"Retard [°]", "Spätzündung", "Retard d´allumage", "Snížení předstihu"}},
    {Caption::LabelBaseAdv, {"Base advance [°]", "Grundvorzündung [°]", "Avance de base [°]", "Základní předstih [°]"}},
    {Caption::LabelKorekceAdv,
     {"Correction for cyl. 1,2", "Korrektion für Zyl. 1,2", "Correction for cyl. 1,2", "Korekce pro válec 1,2"}},
    {Caption::LabelFile1, {"File:", "Datei:", "Fichier :", "Soubor:"}},
    // The part before "|" is the tooltip, the part after it the status-bar text.
    {Caption::HintLabelRpmAdv,
     {"Round per Minute|Speed - Round per Minute", "Umdrehungen pro Minute", "Tours minute",
      "Otáčky za minutu|Rychlost - Otáčky za minutu"}},
    {Caption::HintLabelVerze1,
     {"Version of program in ignition", "Programmversion der Zündung", "Version du programme du boîtier",
      "Verze programu v zapalování"}},
    {Caption::HintLabelVerze2,
     {"Date of program in ignition", "Programmdatum der Zündung", "Date du programme du boîtier",
      "Datum programu v zapalování"}},
    {Caption::HintLabelVerze3,
     {"Time of program in ignition", "Programmzeit der Zündung", "Heure du programme du boîtier",
      "Čas programu v zapalování"}},
    {Caption::HintComboBox, {"Type of keying", "Art der Triggerung", "Type de déclenchement", "Typ snímání"}},
    {Caption::HintOpen,
     {"Open file with parametrs", "Datei mit Parametern öffnen", "Ouvrir un fichier de paramètres",
      "Otevřít soubor s parametry"}},
    {Caption::HintSpeedButton6,
     {"Set default parametrs", "Standardparameter setzen", "Paramètres par défaut", "Nastavit základní parametry"}},
    {Caption::HintSave,
     {"Save parametrs to file", "Parameter in Datei speichern", "Enregistrer les paramètres dans un fichier",
      "Uložit parametry do souboru"}},
    {Caption::HintPrint, {"Print parametrs", "Parameter drucken", "Imprimer les paramètres", "Tisknout parametry"}},
    {Caption::HintProgram,
     {"Programing  set parametrs to ignition", "Eingestellte Parameter in die Zündung programmieren",
      "Programmer les paramètres dans le boîtier", "Naprogramovat nastavené parametry do zapalování"}},
    {Caption::HintVerify,
     {"Compare set parametrs  with parametrs of ignition", "Eingestellte Parameter mit der Zündung vergleichen",
      "Comparer les paramètres avec ceux du boîtier", "Porovnat nastavené parametry s parametry zapalování"}},
    {Caption::HintRead,
     {"Reading parametrs from ignition", "Parameter aus der Zündung lesen", "Lire les paramètres du boîtier",
      "Načíst parametry ze zapalování"}},
    {Caption::HintMenuNew,
     {"Set default parameters ", "Standardparameter setzen", "Paramètres par défaut", "Nastavit základní parametry"}},
    {Caption::HintMenuExit, {"End of program", "Programm beenden", "Quitter le programme", "Ukončit program"}},
    {Caption::HintMenuLanguage,
     {"Set English or German or French or Czech ", "wählen sie Englisch, Deutsch, Französisch oder Tschechisch ",
      "Installer lange; Englais,Allemand , Francais ou Czech",
      "Nastavení jazyka na angličtinu, němčinu, francozštinu nebo češtinu "}},
    {Caption::HintMenuCom, {"Set number of com", "COM-Port wählen", "Choisir le port COM", "Zvolit port COM"}},
    {Caption::HintCheckBoxProgHned,
     {"Programing at once after change", "Nach jeder Änderung sofort programmieren",
      "Programmer aussitôt après modification", "Programovat ihned po změně"}},
    // Followed by the product name, which no language translates.
    {Caption::AboutCaption, {"About ", "Über Programm ", "Information ", "O programu "}},
}}};
static_assert(Rows.inEntryOrder(), "one row per caption entry, in the order of the enum");

using Options = std::array<std::string_view, 5>;

// Option 1 is the only one in which the two input groups differ.
constexpr std::array<Options, LanguageTableCount> Input1Options{{
    {"Off", "Kill switch", "Clutch master", "Retard", "Start Limiter"},
    {"Aus", "Not Aus", "Schaltautomat", "Spätzündung", "Startbegrenzer"},
    {"Off", "Interrupteur de sécurité", "par embeillage", "Retard à l´allumage", "Limitateur départ"},
    {"Vypnut", "Kill switch", "Clutch master", "Snížení předstihu", "Startovací omezovač"},
}};

constexpr std::array<std::string_view, LanguageTableCount> Input2Option1{"Blocking", "Blockierung", "Blocage",
                                                                         "Blokování"};

} // namespace

std::string_view captionText(Caption entry, int languageIndex)
{
    return Rows.text(entry, languageIndex);
}

std::array<std::string_view, 5> inputOptions(int input, int languageIndex)
{
    const auto l = static_cast<std::size_t>(languageOf(languageIndex));
    Options options = Input1Options[l];
    if (input == 2)
        options[1] = Input2Option1[l];
    return options;
}

} // namespace talviro6
