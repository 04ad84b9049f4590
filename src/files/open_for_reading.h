#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

namespace talviro6 {

/// No parameter file, image dump or settings file of this tool comes near this.
inline constexpr std::uintmax_t MaxReadBytes = 64u << 20;

/// Opens `in` on the file at `path` for reading (binary). Empty when it is open;
/// else one line that names the path and says why, for the tuner: "is a folder",
/// "is not a regular file" (a device or a pipe could feed a reader for ever), too
/// large, or the system's reason ("No such file or directory", "Permission denied").
/// A read may still fail after this (an I/O error): readers then mark the stream bad.
[[nodiscard]] std::string openForReading(const std::filesystem::path &path, std::ifstream &in);

/// One line for a stream a reader left bad: the path and the system's reason when
/// there is one. Call it right after the reading, before errno changes.
std::string readErrorText(const std::filesystem::path &path);

} // namespace talviro6
