#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The snapshots of a folder as a history per unit. Beside a snapshot
// "NAME.ign" two small side files may lie: "NAME.ign.unit", written once when the
// snapshot is saved, names the unit it came from; "NAME.ign.note" holds the label
// and note the tuner typed and is replaced whole on every edit. The parameter file
// itself is never touched again.

namespace talviro6 {

/// One snapshot as its name and side files tell it.
struct SnapshotEntry {
    std::filesystem::path file;
    std::string unit; ///< the unit's identity; empty for a snapshot saved without one
    std::string date; ///< "2026-12-10 14:32", local time to the minute
    std::string job;  ///< "read" or "program"
    int sequence = 1; ///< 2, 3, ... for "_2", "_3": saved in the same minute
    std::optional<int> programCount;
    std::string label; ///< one line
    std::string note;  ///< any number of lines
    /// Empty when the snapshot and its side files could be read; else one line that
    /// says what could not be read and why. Such a snapshot is listed all the same.
    std::string problem;
};

/// The snapshots of one unit, oldest first.
struct SnapshotGroup {
    std::string unit; ///< empty: "unknown unit"
    std::vector<SnapshotEntry> entries;
};

struct SnapshotHistory {
    /// Units in the order of their names, the unknown unit last.
    std::vector<SnapshotGroup> groups;
    /// Empty when the folder could be listed (a missing folder holds no snapshots).
    std::string error;
};

/// Parses a snapshot's file name ("2026-12-10_1432_prog0042_read_2.ign") into the
/// date, job, sequence and count of `entry`. False for any other name: files of
/// other kinds, and the hidden half-written files of a save under way.
bool parseSnapshotName(std::string_view name, SnapshotEntry &entry);

/// Lists `folder`. Names that are not snapshots are passed over; a snapshot or side
/// file that cannot be read is listed with its problem, never fatal.
SnapshotHistory listSnapshotHistory(const std::filesystem::path &folder);

/// The side file paths of a snapshot.
std::filesystem::path snapshotUnitFile(const std::filesystem::path &snapshot);
std::filesystem::path snapshotNoteFile(const std::filesystem::path &snapshot);

/// Records the unit a snapshot came from, whole or not at all. Empty on success,
/// else one line that says why.
[[nodiscard]] std::string saveSnapshotUnit(const std::filesystem::path &snapshot, std::string_view unit);

/// Replaces the snapshot's label and note, whole or not at all. The label is kept to
/// one line (line breaks become spaces). Empty on success, else one line that says why.
[[nodiscard]] std::string saveSnapshotNote(const std::filesystem::path &snapshot, std::string_view label,
                                           std::string_view note);

} // namespace talviro6
