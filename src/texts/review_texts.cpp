#include "texts/review_texts.h"

#include "texts/extras_texts.h"
#include "texts/field_words.h"
#include "texts/language_table.h"

namespace talviro6 {
namespace {

constexpr LanguageTable<ReviewText, ReviewTextCount> Texts{{{
    {ReviewText::Caption,
     {"Review before programming", "Prüfen vor dem Programmieren", "Vérifier avant de programmer",
      "Kontrola před programováním"}},
    {ReviewText::Hint,
     {"Before programming, list what changes in the unit",
      "Vor dem Programmieren zeigen, was sich in der Zündbox ändert",
      "Avant de programmer, montrer ce qui change dans le boîtier",
      "Před programováním ukázat, co se v jednotce změní"}},
    {ReviewText::Intro,
     {"Programming changes these fields in the unit. A field without a tick keeps the unit's value.",
      "Das Programmieren ändert diese Felder in der Zündbox. Ein Feld ohne Haken behält den Wert der Zündbox.",
      "La programmation change ces champs dans le boîtier. Un champ décoché garde la valeur du boîtier.",
      "Programování změní tato pole v jednotce. Pole bez zaškrtnutí si ponechá hodnotu jednotky."}},
    {ReviewText::ColumnField, {"Field", "Feld", "Champ", "Pole"}},
    {ReviewText::ColumnUnit, {"In the unit", "In der Zündbox", "Dans le boîtier", "V jednotce"}},
    {ReviewText::ColumnEditor, {"Programmed", "Wird programmiert", "Programmé", "Naprogramuje se"}},
    {ReviewText::Program, {"Program", "Programmieren", "Programmer", "Programovat"}},
    {ReviewText::Cancel, {"Cancel", "Abbrechen", "Annuler", "Zrušit"}},
    {ReviewText::DontAskAgain, {"Don't ask again", "Nicht mehr fragen", "Ne plus demander", "Už se neptat"}},
}}};
static_assert(Texts.inEntryOrder(), "one row per entry, in the order of the enum");

std::string extra(ExtraText text, int languageIndex)
{
    return std::string(extraText(text, languageIndex));
}

} // namespace

std::string_view reviewText(ReviewText text, int languageIndex)
{
    return Texts.text(text, languageIndex);
}

std::string changeName(const FieldDifference &change, int languageIndex)
{
    if (!change.fixedCells)
        return fieldWords(*change.field, languageIndex);
    return extra(ExtraText::FieldPowerOutMap, languageIndex) + ", " + extra(ExtraText::WordOutput, languageIndex) +
           ' ' + std::to_string(change.field->index1 + 1);
}

std::string changeSide(const FieldDifference &change, bool unitSide, int languageIndex)
{
    if (!change.fixedCells)
        return formatShown(*change.field, unitSide ? change.shownA : change.shownB);
    const std::uint8_t mode = unitSide ? change.modeA : change.modeB;
    const auto &cells = unitSide ? change.cellsA : change.cellsB;
    if (holdsFixedPattern(mode, cells))
        return extra(ExtraText::FixedPatternOf, languageIndex) + std::string(powerOutModeName(mode));
    return extra(ExtraText::WordRows, languageIndex) + ' ' + std::to_string(cells[0]) + ", " +
           std::to_string(cells[1]) + ", " + std::to_string(cells[2]);
}

std::string changeLine(const FieldDifference &change, int languageIndex)
{
    return changeName(change, languageIndex) + ": " + changeSide(change, true, languageIndex) + " → " +
           changeSide(change, false, languageIndex);
}

} // namespace talviro6
