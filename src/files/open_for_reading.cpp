#include "files/open_for_reading.h"

#include <cerrno>
#include <cstring>
#include <system_error>

namespace talviro6 {

std::string openForReading(const std::filesystem::path &path, std::ifstream &in)
{
    // A folder opens as a stream on some systems and fails only at the first read.
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        return path.string() + ": is a folder, not a file";
    errno = 0;
    in.open(path, std::ios::binary);
    if (in)
        return {};
    const int error = errno;
    return path.string() + ": " + (error != 0 ? std::strerror(error) : "cannot be opened");
}

} // namespace talviro6
