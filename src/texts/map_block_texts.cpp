#include "texts/map_block_texts.h"

#include "texts/language_table.h"

namespace talviro6 {
namespace {

constexpr LanguageTable<MapBlockText, MapBlockTextCount> Texts{{{
    {MapBlockText::MenuSet, {"&Set to...", "&Setzen auf...", "&Fixer à...", "&Nastavit na..."}},
    {MapBlockText::MenuAdd, {"&Add...", "&Addieren...", "&Ajouter...", "&Přičíst..."}},
    {MapBlockText::MenuScale,
     {"Scal&e by percent...", "Prozentual ska&lieren...", "&Multiplier en pourcentage...", "&Změnit v procentech..."}},
    {MapBlockText::MenuInterpolateRows,
     {"Interpolate along &rows", "Entlang der &Zeilen interpolieren", "Interpoler le long des &lignes",
      "Interpolovat v &řádcích"}},
    {MapBlockText::MenuInterpolateColumns,
     {"Interpolate along c&olumns", "Entlang der Spal&ten interpolieren", "Interpoler le long des colo&nnes",
      "Interpolovat ve &sloupcích"}},
    {MapBlockText::MenuBilinear,
     {"&Interpolate between the corners", "Zwischen den Ecken inter&polieren", "Interpoler entre les c&oins",
      "Interpolovat mezi &rohy"}},
    {MapBlockText::MenuSmooth, {"S&mooth", "&Glätten", "Li&sser", "&Vyhladit"}},
    {MapBlockText::MenuCopy, {"&Copy\tCtrl+C", "&Kopieren\tStrg+C", "&Copier\tCtrl+C", "&Kopírovat\tCtrl+C"}},
    {MapBlockText::MenuPaste, {"&Paste\tCtrl+V", "&Einfügen\tStrg+V", "Coll&er\tCtrl+V", "V&ložit\tCtrl+V"}},
    {MapBlockText::AskSet,
     {"Set the selected cells to (°):", "Markierte Zellen setzen auf (°):", "Fixer les cellules sélectionnées à (°) :",
      "Nastavit vybrané buňky na (°):"}},
    {MapBlockText::AskAdd,
     {"Add to the selected cells (°, negative subtracts):",
      "Zu den markierten Zellen addieren (°, negativ subtrahiert):",
      "Ajouter aux cellules sélectionnées (°, négatif pour retrancher) :",
      "Přičíst k vybraným buňkám (°, záporné číslo odečte):"}},
    {MapBlockText::AskScale,
     {"Scale the selected cells by (%):", "Markierte Zellen skalieren mit (%):",
      "Multiplier les cellules sélectionnées par (%) :", "Změnit vybrané buňky na (%):"}},
    {MapBlockText::PasteNoNumbers,
     {"The clipboard holds no numbers to paste into the map.",
      "Die Zwischenablage enthält keine Zahlen zum Einfügen ins Kennfeld.",
      "Le presse-papiers ne contient aucun nombre à coller dans la carte.",
      "Schránka neobsahuje žádná čísla, která by šlo vložit do mapy."}},
    {MapBlockText::PasteNotANumber,
     {"Nothing was pasted: line %1, column %2 of the clipboard is not a number:\n%3",
      "Nichts eingefügt: Zeile %1, Spalte %2 der Zwischenablage ist keine Zahl:\n%3",
      "Rien n’a été collé : la ligne %1, colonne %2 du presse-papiers n’est pas un nombre :\n%3",
      "Nic nebylo vloženo: řádek %1, sloupec %2 ve schránce není číslo:\n%3"}},
}}};
static_assert(Texts.inEntryOrder(), "one row per entry, in the order of the enum");

} // namespace

std::string_view mapBlockText(MapBlockText text, int languageIndex)
{
    return Texts.text(text, languageIndex);
}

} // namespace talviro6
