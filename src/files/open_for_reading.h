#pragma once

#include <cstddef>
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

/// Reads the file at `path` into `content`: at most `limit` bytes and one more, so
/// that a caller can tell a longer file. Empty when read, else the line
/// openForReading or readErrorText gives. By C stdio rather than a stream: the
/// first C++ stream of a process sets up the C++ locale, some 600 KB of memory
/// and half a millisecond that the window's start does without.
[[nodiscard]] std::string readFileContent(const std::filesystem::path &path, std::size_t limit, std::string &content);

/// One line for a stream a reader left bad: the path and the system's reason when
/// there is one. Call it right after the reading, before errno changes.
std::string readErrorText(const std::filesystem::path &path);

} // namespace talviro6
