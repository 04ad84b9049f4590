#pragma once

#include <filesystem>
#include <functional>
#include <ostream>
#include <string>

namespace talviro6 {

/// Puts the whole content of a file on the stream it is given (binary).
using FileWriter = std::function<void(std::ostream &out)>;

/// Writes the file at `path` whole or not at all. The writer's content is built in
/// memory (files of this tool are kilobytes), written to a new file in the same
/// folder, flushed and synced to the disk where the system offers that, and only
/// then renamed over `path`. The new file takes the permissions of the one it
/// replaces. A symbolic link at `path` (or a chain of them) stays as it is: the
/// file it leads to is the one replaced, or created when only the file is missing;
/// a loop of links is refused. On any failure `path` is as it was and no temporary file
/// remains. An exception from the writer passes through with nothing written.
/// Returns an empty string on success, else one line that names the path and says why.
[[nodiscard]] std::string writeFileAtomically(const std::filesystem::path &path, const FileWriter &writer);

/// Empty when a file could be written at `path` now: its folder (a link's: that of
/// the file it leads to) exists, is a folder and takes a new file, and `path` is
/// not a folder itself nor a loop of links. Else one line that says
/// why. Lets a caller refuse a bad path before long work (a job on the unit) rather
/// than after it; writeFileAtomically still checks everything again.
[[nodiscard]] std::string checkFileWritable(const std::filesystem::path &path);

} // namespace talviro6
