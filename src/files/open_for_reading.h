#pragma once

#include <filesystem>
#include <fstream>
#include <string>

namespace talviro6 {

/// Opens `in` on the file at `path` for reading (binary). Empty when it is open;
/// else one line that names the path and says why, for the tuner: "is a folder",
/// or the system's reason ("No such file or directory", "Permission denied").
[[nodiscard]] std::string openForReading(const std::filesystem::path &path, std::ifstream &in);

} // namespace talviro6
