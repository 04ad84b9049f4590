#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace talviro6 {

/// How reading one of the files kept between runs went.
struct KeptFileRead {
    bool present = false; ///< something is there under the name
    /// Empty when the file was read, or is missing (a first start: defaults, quietly);
    /// else one line that names the file and says why it could not be read.
    std::string problem;
};

/// Every file the tool keeps between runs is a few kilobytes; a reader is given at
/// most this and one byte more, and the settings reader refuses a longer file.
inline constexpr std::size_t MaxKeptBytes = 1 << 20;

/// Reads the file at `path` and gives its content to `read`, which returns false
/// when it is not one of this tool's files. A file that cannot be opened, a folder,
/// a device, a read that fails midway and content `read` refuses all come back as a
/// problem; nothing throws.
KeptFileRead readKeptFile(const std::filesystem::path &path, const std::function<bool(std::string_view)> &read);

/// Keeps a file (or whatever stands under its name) whole under a free name beside
/// it, "NAME.unreadable", "NAME.unreadable-2", ..., never replacing anything there.
/// Empty on success with the new path in `keptAs`; else one line that says why.
[[nodiscard]] std::string setAside(const std::filesystem::path &path, std::filesystem::path *keptAs);

} // namespace talviro6
