#include "texts/recording_texts.h"

#include <array>

namespace talviro6 {
namespace {

using Row = std::array<std::string_view, 4>;

constexpr std::array<Row, RecordingTextCount> Texts{{
    // ReplayCaption
    {"Replay", "Wiedergabe", "Relecture", "Přehrávání záznamu"},
    // Play
    {"Play", "Abspielen", "Lecture", "Přehrát"},
    // Pause
    {"Pause", "Pause", "Pause", "Pozastavit"},
    // Speed
    {"Speed:", "Tempo:", "Vitesse :", "Rychlost:"},
    // RecordCannotStart
    {"The recording cannot be started:", "Die Aufzeichnung kann nicht gestartet werden:",
     "L'enregistrement ne peut pas démarrer :", "Záznam nelze spustit:"},
    // RecordStopped
    {"The recording has stopped:", "Die Aufzeichnung wurde angehalten:", "L'enregistrement s'est arrêté :",
     "Záznam byl zastaven:"},
    // ReplayNoFrames
    {"No line of live data could be read from this file:", "Diese Datei enthält keine lesbare Zeile mit Live-Daten:",
     "Aucune ligne de données en direct n'a pu être lue dans ce fichier :",
     "Z tohoto souboru nelze přečíst žádný řádek živých dat:"},
    // ReplaySkipped
    {"Unreadable lines skipped:", "Übersprungene unlesbare Zeilen:", "Lignes illisibles ignorées :",
     "Přeskočené nečitelné řádky:"},
    // RecordingTo
    {"Recording live data to", "Live-Daten werden aufgezeichnet in", "Enregistrement des données en direct dans",
     "Živá data se nahrávají do"},
    // ReplayCannotRead
    {"This recording cannot be read:", "Diese Aufzeichnung kann nicht gelesen werden:",
     "Cet enregistrement ne peut pas être lu :", "Tento záznam nelze přečíst:"},
    // NotARegularFile
    {"not a regular file", "keine gewöhnliche Datei", "pas un fichier ordinaire", "není běžný soubor"},
}};

} // namespace

std::string_view recordingText(RecordingText text, int languageIndex)
{
    const auto row = static_cast<std::size_t>(text);
    const auto language = languageIndex >= 0 && languageIndex < 4 ? static_cast<std::size_t>(languageIndex) : 0u;
    return Texts[row][language];
}

} // namespace talviro6
