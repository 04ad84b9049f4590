#include "texts/extras_texts.h"

#include <array>

namespace talviro6 {
namespace {

using Row = std::array<std::string_view, 4>;

constexpr std::array<Row, ExtraTextCount> Texts{{
    // MenuExtras
    {"&Extras", "&Extras", "&Extras", "&Doplňky"},
    // MenuCompare
    {"&Compare...", "Parametersätze &vergleichen...", "&Comparer...", "&Porovnat..."},
    // MenuSnapshots
    {"Open &snapshots folder", "&Schnappschuss-Ordner öffnen", "Ouvrir le dossier des &instantanés",
     "Otevřít složku &snímků"},
    // HintCompare
    {"Compare two parameter sets field by field", "Zwei Parametersätze Feld für Feld vergleichen",
     "Comparer deux jeux de paramètres champ par champ", "Porovnat dvě sady parametrů pole po poli"},
    // HintSnapshots
    {"The parameter sets saved after every read and programming",
     "Die nach jedem Lesen und Programmieren gespeicherten Parametersätze",
     "Les jeux de paramètres enregistrés après chaque lecture et programmation",
     "Sady parametrů uložené po každém čtení a programování"},
    // MenuRecord
    {"&Record live data", "Live-Daten a&ufzeichnen", "&Enregistrer les données en direct", "&Nahrávat živá data"},
    // MenuReplay
    {"Re&play a recording...", "Aufzeichnung &wiedergeben...", "&Rejouer un enregistrement...", "Pře&hrát záznam..."},
    // MenuDwell
    {"Show &where the engine ran", "Zeigen, wo der &Motor lief", "Montrer &où le moteur a tourné",
     "Zobrazit, &kde motor běžel"},
    // MenuDwellReset
    {"Reset the engine's &trail", "Motorspur &löschen", "Effacer la &trace du moteur", "&Vymazat stopu motoru"},
    // MenuCharts
    {"&Advance and servo charts", "&Diagramme Vorzündung und Servo", "&Graphiques avance et servo",
     "&Grafy předstihu a serva"},
    // HintRecord
    {"Record every live frame to a CSV file", "Jeden Live-Datensatz in eine CSV-Datei schreiben",
     "Enregistrer chaque trame en direct dans un fichier CSV", "Zapisovat každý živý rámec do souboru CSV"},
    // HintReplay
    {"Play a recording in the monitor column and the maps", "Eine Aufzeichnung in Anzeige und Kennfeldern abspielen",
     "Rejouer un enregistrement dans l´affichage et les cartes", "Přehrát záznam v zobrazení a mapách"},
    // HintDwell
    {"Shade the map by the time the engine spent there", "Kennfeld nach der Verweildauer des Motors schattieren",
     "Ombrer la carte selon le temps passé par le moteur", "Vystínovat mapu podle doby, kterou tam motor strávil"},
    // HintCharts
    {"Advance curves and servo curve as charts", "Vorzündungskurven und Servokurve als Diagramme",
     "Courbes d´avance et courbe servo en graphiques", "Křivky předstihu a serva v grafech"},
    // CompareCaption
    {"Compare parameter sets", "Parametersätze vergleichen", "Comparer des jeux de paramètres",
     "Porovnání sad parametrů"},
    // SourceEditor
    {"Editor", "Editor", "Éditeur", "Editor"},
    // SourceUnit
    {"Unit (last known)", "Zündbox (zuletzt bekannt)", "Boîtier (dernier connu)", "Jednotka (naposledy známá)"},
    // SourceFile
    {"File...", "Datei...", "Fichier...", "Soubor..."},
    // SourceSnapshot
    {"Snapshot", "Schnappschuss", "Instantané", "Snímek"},
    // ShowAllFields
    {"Show all fields", "Alle Felder zeigen", "Afficher tous les champs", "Zobrazit všechna pole"},
    // TakeOver
    {"Take over into the editor", "In den Editor übernehmen", "Reprendre dans l´éditeur", "Převzít do editoru"},
    // ColumnField
    {"Field", "Feld", "Champ", "Pole"},
    // SetsEqual
    {"The two sets are equal.", "Beide Sätze sind gleich.", "Les deux jeux sont identiques.", "Obě sady jsou shodné."},
    // UnitNotKnown
    {"The unit's parameters are not known yet: read the unit, or program it.",
     "Die Parameter der Zündbox sind noch nicht bekannt: Zündbox lesen oder programmieren.",
     "Les paramètres du boîtier ne sont pas encore connus : lisez ou programmez le boîtier.",
     "Parametry jednotky zatím nejsou známé: jednotku přečtěte nebo naprogramujte."},
    // DifferingFields
    {"Differing fields: ", "Abweichende Felder: ", "Champs différents : ", "Odlišná pole: "},
    // UnitStateUnknown
    {"Unit: not known", "Zündbox: unbekannt", "Boîtier : inconnu", "Jednotka: neznámá"},
    // UnitStateSame
    {"Unit = editor", "Zündbox = Editor", "Boîtier = éditeur", "Jednotka = editor"},
    // UnitStateDiffers
    {"Fields differing from the unit: ", "Abweichende Felder zur Zündbox: ", "Champs différents du boîtier : ",
     "Pole odlišná od jednotky: "},
    // SnapshotSaved
    {"Snapshot saved: ", "Schnappschuss gespeichert: ", "Instantané enregistré : ", "Snímek uložen: "},
    // SnapshotError
    {"The snapshot could not be saved:", "Der Schnappschuss konnte nicht gespeichert werden:",
     "L´instantané n´a pas pu être enregistré :", "Snímek nebylo možné uložit:"},
    // FieldAdvanceRpm
    {"Map speed [rpm]", "Kennfeld-Drehzahl [U/min]", "Régime de la carte [tr/min]", "Otáčky mapy [ot/min]"},
    // FieldAdvanceMap
    {"Advance map [°]", "Vorzündung Karte [°]", "Avance carte [°]", "Mapa předstihu [°]"},
    // FieldServoRpm
    {"Servo speed [rpm]", "Servo-Drehzahl [U/min]", "Régime servo [tr/min]", "Otáčky serva [ot/min]"},
    // FieldServoVoltage
    {"Servo voltage [mV]", "Servo-Spannung [mV]", "Tension servo [mV]", "Napětí serva [mV]"},
    // FieldMaxAdvLobe
    {"Maximum advance lobe", "Leitstück maximale Vorzündung", "Ergot avance maximale", "Výstupek max. předstihu"},
    // FieldStartAdvLobe
    {"Start advance lobe", "Leitstück Startvorzündung", "Ergot avance au démarrage", "Výstupek start. předstihu"},
    // FieldMaxAdvEdge2
    {"Maximum advance, 2nd edge", "Maximale Vorzündung, 2. Flanke", "Avance maximale, 2e front",
     "Max. předstih, 2. hrana"},
    // FieldStartAdvEdge2
    {"Start advance, 2nd edge", "Startvorzündung, 2. Flanke", "Avance au démarrage, 2e front",
     "Start. předstih, 2. hrana"},
    // FieldMaxAdvPickup2
    {"Maximum advance, 2nd pick-up", "Maximale Vorzündung, 2. Geber", "Avance maximale, 2e capteur",
     "Max. předstih, 2. snímač"},
    // FieldStartAdvPickup2
    {"Start advance, 2nd pick-up", "Startvorzündung, 2. Geber", "Avance au démarrage, 2e capteur",
     "Start. předstih, 2. snímač"},
    // FieldPowerOutMode
    {"Power out mode", "Leistungsausgang Betriebsart", "Mode sortie de puissance", "Režim výkonového výstupu"},
    // FieldPowerOutRpm
    {"Power out speed [rpm]", "Leistungsausgang Drehzahl [U/min]", "Sortie de puissance, régime [tr/min]",
     "Výkonový výstup, otáčky [ot/min]"},
    // FieldPowerOutTps
    {"Power out throttle [%]", "Leistungsausgang Drosselklappe [%]", "Sortie de puissance, papillon [%]",
     "Výkonový výstup, plyn [%]"},
    // FieldPowerOutCells
    {"Power out map row", "Leistungsausgang Kennfeldzeile", "Sortie de puissance, ligne de carte",
     "Výkonový výstup, řádek mapy"},
    // FieldPowerOutMap
    {"Power out map", "Leistungsausgang Kennfeld", "Sortie de puissance, carte", "Výkonový výstup, mapa"},
    // FixedPatternOf
    {"fixed pattern of ", "festes Muster von ", "motif fixe de ", "pevný vzor "},
    // WordRows
    {"rows", "Zeilen", "lignes", "řádky"},
    // ValidationChanged
    {"Not taken over as chosen (validation): ", "Nicht wie gewählt übernommen (Prüfung): ",
     "Non repris tel que choisi (validation) : ", "Nepřevzato podle výběru (kontrola): "},
    // NotAParameterFile
    {"This is not a parameter file (it has no KORVALEN_KEY); nothing was loaded:",
     "Dies ist keine Parameterdatei (ohne KORVALEN_KEY); nichts wurde geladen:",
     "Ce n’est pas un fichier de paramètres (sans KORVALEN_KEY) ; rien n’a été chargé :",
     "Toto není soubor parametrů (chybí KORVALEN_KEY); nic nebylo načteno:"},
    // KeepsDefaults
    {"; the tool started with defaults in its place", "; das Programm startete stattdessen mit Standardwerten",
     " ; le programme a démarré avec les valeurs par défaut à sa place",
     "; program začal místo něj s výchozími hodnotami"},
    // KeptAs
    {"; kept whole as ", "; unverändert aufbewahrt als ", " ; conservé tel quel sous ", "; ponechán celý jako "},
    // NotSetAside
    {"; it could not be set aside and is not written over: ",
     "; er konnte nicht beiseitegelegt werden und wird nicht überschrieben: ",
     " ; il n’a pas pu être mis de côté et ne sera pas écrasé : ", "; nešlo jej odložit, nebude přepsán: "},
    // ValuesNotInFile
    {" values are not in the file; they kept the values they had before it",
     " Werte fehlen in der Datei; sie behielten ihre bisherigen Werte",
     " valeurs manquent dans le fichier ; elles ont gardé leurs valeurs précédentes",
     " hodnot v souboru chybí; zůstaly jim dosavadní hodnoty"},
    // WordChannel
    {"channel", "Kanal", "canal", "kanál"},
    // WordPoint
    {"point", "Punkt", "point", "bod"},
    // WordColumn
    {"column", "Spalte", "colonne", "sloupec"},
    // WordOutput
    {"output", "Ausgang", "sortie", "výstup"},
    // WordThreshold
    {"threshold", "Schwelle", "seuil", "práh"},
    // WordRow
    {"row", "Zeile", "ligne", "řádek"},
}};

} // namespace

std::string_view extraText(ExtraText text, int languageIndex)
{
    if (languageIndex < 0 || languageIndex >= 4)
        languageIndex = 0;
    return Texts[static_cast<std::size_t>(text)][static_cast<std::size_t>(languageIndex)];
}

} // namespace talviro6
