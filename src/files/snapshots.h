#pragma once

#include <ctime>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// Every read from the unit and every verified programming leaves a parameter file
// behind, so that what a unit held on a given day can be found again and compared.
// Snapshots are only ever added: none is overwritten, none removed by the tool.

namespace talviro6 {

struct UnitImage;

/// "2026-12-10_1432_prog0042_read.ign": the local date and time to the minute, the
/// unit's programming count in at least four digits when it is known (a negative
/// count counts as unknown and leaves "_progNNNN" out), and what the snapshot
/// followed, "read" or "program".
std::string snapshotFileName(const std::tm &local, std::optional<int> programCount, std::string_view kind);

/// Saves the image's parameter file (the format Save writes) into `folder`, which is
/// made if it is missing, under snapshotFileName(); a name already taken gets "_2",
/// "_3", ... before ".ign", and no file present is ever replaced, not even by a
/// snapshot saved at the same moment by another process. The file appears whole or
/// not at all. Returns an empty string and sets `*saved` (when given) to the file's
/// path, or returns one line that names the path and says why nothing was saved.
[[nodiscard]] std::string saveSnapshot(const std::filesystem::path &folder, const UnitImage &image,
                                       const std::tm &local, std::optional<int> programCount, std::string_view kind,
                                       std::filesystem::path *saved);

/// The command line's snapshot folder, beside the window's settings: on Linux the
/// window keeps them in $XDG_CONFIG_HOME/talviro6 or, when that is unset or empty,
/// $HOME/.config/talviro6, and the snapshots go into "snapshots" there. Empty when
/// neither variable is set.
std::filesystem::path defaultSnapshotFolder();

} // namespace talviro6
