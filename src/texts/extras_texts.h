#pragma once

#include <string_view>

namespace talviro6 {

/// Texts of the Extras: the Extras menu, the Compare and History
/// windows, the unit state marker, snapshots, and the words that name the fields of
/// arrays. Four languages each, UTF-8.
enum class ExtraText {
    MenuExtras,
    MenuCompare,
    MenuSnapshots,
    HintCompare,
    HintSnapshots,
    MenuRecord,
    MenuReplay,
    MenuDwell,
    MenuDwellReset,
    MenuCharts,
    HintRecord,
    HintReplay,
    HintDwell,
    HintCharts,
    CompareCaption,
    SourceEditor,
    SourceUnit,
    SourceFile,
    SourceSnapshot,
    ShowAllFields,
    TakeOver,
    ColumnField,
    SetsEqual,
    UnitNotKnown,
    DifferingFields, ///< followed by the count
    UnitStateUnknown,
    UnitStateSame,
    UnitStateDiffers, ///< followed by the count
    SnapshotSaved,    ///< followed by the file name
    SnapshotError,    ///< followed by the reason on a line of its own
    // Names of the fields of arrays, followed by their position.
    FieldAdvanceRpm,
    FieldAdvanceMap,
    FieldServoRpm,
    FieldServoVoltage,
    FieldMaxAdvLobe,
    FieldStartAdvLobe,
    FieldMaxAdvEdge2,
    FieldStartAdvEdge2,
    FieldMaxAdvPickup2,
    FieldStartAdvPickup2,
    FieldPowerOutMode,
    FieldPowerOutRpm,
    FieldPowerOutTps,
    FieldPowerOutCells,
    FieldPowerOutMap,  ///< an output's cells where a mode fixes them, followed by the output
    FixedPatternOf,    ///< followed by the mode's name
    WordRows,          ///< followed by the rows' values
    ValidationChanged, ///< after a take-over, followed by the fields validation set otherwise
    NotAParameterFile, ///< followed by the file on a line of its own
    KeepsDefaults,     ///< after a kept file that could not be read and its reason
    KeptAs,            ///< after a settings file that could not be read: followed by its new name
    NotSetAside,       ///< after it: followed by why it could not be renamed
    ValuesNotInFile,   ///< after the file and the count
    WordChannel,
    WordPoint,
    WordColumn,
    WordOutput,
    WordThreshold,
    WordRow,
    // The History window.
    MenuHistory,
    HintHistory,
    HistoryCaption,
    UnknownUnit,
    ColumnDate,
    ColumnJob,
    ColumnCount,
    ColumnLabel,
    ColumnNote,
    JobRead,
    JobProgram,
    HistoryRestore,
    HistoryCompare,
    HistoryUnreadable, ///< followed by the reason
    NoteError,         ///< followed by the reason on a line of its own
    UnitNotRecorded,   ///< followed by the reason on a line of its own
    // The quiet read when the unit is found; new texts go last, since the field
    // table's golden file keeps the numbers of those above.
    MenuReadWhenFound,
    HintReadWhenFound,
    HintUnitState, ///< the status field's tooltip: a click compares
};

inline constexpr int ExtraTextCount = static_cast<int>(ExtraText::HintUnitState) + 1;

/// The text in a language (0 English, 1 German, 2 French, 3 Czech; any other gives English).
std::string_view extraText(ExtraText text, int languageIndex);

} // namespace talviro6
