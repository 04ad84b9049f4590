#include "texts/map_block_texts.h"

#include <array>

namespace talviro6 {
namespace {

using Row = std::array<std::string_view, 4>;

constexpr std::array<Row, MapBlockTextCount> Texts{{
    // MenuSet
    {"&Set to...", "&Setzen auf...", "&Fixer à...", "&Nastavit na..."},
    // MenuAdd
    {"&Add...", "&Addieren...", "&Ajouter...", "&Přičíst..."},
    // MenuScale
    {"Scal&e by percent...", "Prozentual ska&lieren...", "&Multiplier en pourcentage...", "&Změnit v procentech..."},
    // MenuInterpolateRows
    {"Interpolate along &rows", "Entlang der &Zeilen interpolieren", "Interpoler le long des &lignes",
     "Interpolovat v &řádcích"},
    // MenuInterpolateColumns
    {"Interpolate along c&olumns", "Entlang der Spal&ten interpolieren", "Interpoler le long des colo&nnes",
     "Interpolovat ve &sloupcích"},
    // MenuBilinear
    {"&Interpolate between the corners", "Zwischen den Ecken inter&polieren", "Interpoler entre les c&oins",
     "Interpolovat mezi &rohy"},
    // MenuSmooth
    {"S&mooth", "&Glätten", "Li&sser", "&Vyhladit"},
    // MenuCopy
    {"&Copy\tCtrl+C", "&Kopieren\tStrg+C", "&Copier\tCtrl+C", "&Kopírovat\tCtrl+C"},
    // MenuPaste
    {"&Paste\tCtrl+V", "&Einfügen\tStrg+V", "Coll&er\tCtrl+V", "V&ložit\tCtrl+V"},
    // AskSet
    {"Set the selected cells to (°):", "Markierte Zellen setzen auf (°):", "Fixer les cellules sélectionnées à (°) :",
     "Nastavit vybrané buňky na (°):"},
    // AskAdd
    {"Add to the selected cells (°, negative subtracts):",
     "Zu den markierten Zellen addieren (°, negativ subtrahiert):",
     "Ajouter aux cellules sélectionnées (°, négatif pour retrancher) :",
     "Přičíst k vybraným buňkám (°, záporné číslo odečte):"},
    // AskScale
    {"Scale the selected cells by (%):", "Markierte Zellen skalieren mit (%):",
     "Multiplier les cellules sélectionnées par (%) :", "Změnit vybrané buňky na (%):"},
    // PasteNoNumbers
    {"The clipboard holds no numbers to paste into the map.",
     "Die Zwischenablage enthält keine Zahlen zum Einfügen ins Kennfeld.",
     "Le presse-papiers ne contient aucun nombre à coller dans la carte.",
     "Schránka neobsahuje žádná čísla, která by šlo vložit do mapy."},
    // PasteNotANumber
    {"Nothing was pasted: line %1, column %2 of the clipboard is not a number:\n%3",
     "Nichts eingefügt: Zeile %1, Spalte %2 der Zwischenablage ist keine Zahl:\n%3",
     "Rien n’a été collé : la ligne %1, colonne %2 du presse-papiers n’est pas un nombre :\n%3",
     "Nic nebylo vloženo: řádek %1, sloupec %2 ve schránce není číslo:\n%3"},
}};

} // namespace

std::string_view mapBlockText(MapBlockText text, int languageIndex)
{
    const auto i = static_cast<std::size_t>(text);
    const Row &row = Texts[i];
    return row[languageIndex >= 0 && languageIndex < 4 ? static_cast<std::size_t>(languageIndex) : 0];
}

} // namespace talviro6
