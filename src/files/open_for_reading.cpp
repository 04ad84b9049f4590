#include "files/open_for_reading.h"

#include <cerrno>
#include <cstring>
#include <system_error>

namespace talviro6 {

std::string openForReading(const std::filesystem::path &path, std::ifstream &in)
{
    // A folder opens as a stream on some systems and fails only at the first read.
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (std::filesystem::is_directory(status))
        return path.string() + ": is a folder, not a file";
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status))
        return path.string() + ": is not a regular file";
    if (std::filesystem::is_regular_file(status)) {
        const auto size = std::filesystem::file_size(path, ec);
        if (!ec && size > MaxReadBytes)
            return path.string() + ": is larger than 64 MiB: no file of this tool is";
    }
    errno = 0;
    in.open(path, std::ios::binary);
    if (in)
        return {};
    const int error = errno;
    return path.string() + ": " + (error != 0 ? std::strerror(error) : "cannot be opened");
}

std::string readErrorText(const std::filesystem::path &path)
{
    const int error = errno;
    return path.string() + ": read error" + (error != 0 ? std::string(" (") + std::strerror(error) + ")" : "");
}

} // namespace talviro6
