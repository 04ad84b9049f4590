#include "texts/recording_texts.h"

#include "texts/language_table.h"

namespace talviro6 {
namespace {

constexpr LanguageTable<RecordingText, RecordingTextCount> Texts{{{
    {RecordingText::ReplayCaption, {"Replay", "Wiedergabe", "Relecture", "Přehrávání záznamu"}},
    {RecordingText::Play, {"Play", "Abspielen", "Lecture", "Přehrát"}},
    {RecordingText::Pause, {"Pause", "Pause", "Pause", "Pozastavit"}},
    {RecordingText::Speed, {"Speed:", "Tempo:", "Vitesse :", "Rychlost:"}},
    {RecordingText::RecordCannotStart,
     {"The recording cannot be started:", "Die Aufzeichnung kann nicht gestartet werden:",
      "L'enregistrement ne peut pas démarrer :", "Záznam nelze spustit:"}},
    {RecordingText::RecordStopped,
     {"The recording has stopped:", "Die Aufzeichnung wurde angehalten:", "L'enregistrement s'est arrêté :",
      "Záznam byl zastaven:"}},
    {RecordingText::ReplayNoFrames,
     {"No line of live data could be read from this file:", "Diese Datei enthält keine lesbare Zeile mit Live-Daten:",
      "Aucune ligne de données en direct n'a pu être lue dans ce fichier :",
      "Z tohoto souboru nelze přečíst žádný řádek živých dat:"}},
    {RecordingText::ReplaySkipped,
     {"Unreadable lines skipped:", "Übersprungene unlesbare Zeilen:", "Lignes illisibles ignorées :",
      "Přeskočené nečitelné řádky:"}},
    {RecordingText::RecordingTo,
     {"Recording live data to", "Live-Daten werden aufgezeichnet in", "Enregistrement des données en direct dans",
      "Živá data se nahrávají do"}},
    {RecordingText::ReplayCannotRead,
     {"This recording cannot be read:", "Diese Aufzeichnung kann nicht gelesen werden:",
      "Cet enregistrement ne peut pas être lu :", "Tento záznam nelze přečíst:"}},
    {RecordingText::NotARegularFile,
     {"not a regular file", "keine gewöhnliche Datei", "pas un fichier ordinaire", "není běžný soubor"}},
}}};
static_assert(Texts.inEntryOrder(), "one row per entry, in the order of the enum");

} // namespace

std::string_view recordingText(RecordingText text, int languageIndex)
{
    return Texts.text(text, languageIndex);
}

} // namespace talviro6
