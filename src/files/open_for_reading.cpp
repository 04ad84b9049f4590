#include "files/open_for_reading.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <system_error>

namespace talviro6 {
namespace {

/// What keeps a reader from the path before it is opened; empty when nothing does.
std::string refusal(const std::filesystem::path &path)
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
    return {};
}

std::string openError(const std::filesystem::path &path, int error)
{
    return path.string() + ": " + (error != 0 ? std::strerror(error) : "cannot be opened");
}

} // namespace

std::string openForReading(const std::filesystem::path &path, std::ifstream &in)
{
    if (std::string refused = refusal(path); !refused.empty())
        return refused;
    errno = 0;
    in.open(path, std::ios::binary);
    if (in)
        return {};
    return openError(path, errno);
}

std::string readFileContent(const std::filesystem::path &path, std::size_t limit, std::string &content)
{
    content.clear();
    if (std::string refused = refusal(path); !refused.empty())
        return refused;
    errno = 0;
#ifdef _WIN32
    std::FILE *file = _wfopen(path.c_str(), L"rb");
#else
    std::FILE *file = std::fopen(path.c_str(), "rb");
#endif
    if (file == nullptr)
        return openError(path, errno);
    char chunk[4096];
    bool failed = false;
    while (content.size() <= limit) {
        const std::size_t wanted = std::min(sizeof chunk, limit + 1 - content.size());
        const std::size_t got = std::fread(chunk, 1, wanted, file);
        content.append(chunk, got);
        if (got < wanted) {
            failed = std::ferror(file) != 0;
            break;
        }
    }
    const int error = errno;
    std::fclose(file);
    if (!failed)
        return {};
    errno = error;
    return readErrorText(path);
}

std::string readErrorText(const std::filesystem::path &path)
{
    const int error = errno;
    return path.string() + ": read error" + (error != 0 ? std::string(" (") + std::strerror(error) + ")" : "");
}

} // namespace talviro6
