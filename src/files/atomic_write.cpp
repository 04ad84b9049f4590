#include "files/atomic_write.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>
#include <sstream>

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>
#elif __has_include(<unistd.h>)
#include <unistd.h>
#endif

namespace talviro6 {
namespace {

namespace fs = std::filesystem;

std::string reason(int error)
{
    return error != 0 ? std::strerror(error) : "unknown error";
}

fs::path folderOf(const fs::path &file)
{
    return file.has_parent_path() ? file.parent_path() : fs::path(".");
}

/// Links followed before a chain counts as a loop; the system gives up at 40 too.
constexpr int MaxLinkHops = 40;

/// The file a write at `path` replaces: where a symbolic link leads, through every
/// link of a chain, so that the links stay and a dangling one gets its file. Empty,
/// with `error` set, when no such file can be named (a loop, an unreadable link).
fs::path targetOf(const fs::path &path, std::string &error)
{
    fs::path at = path;
    for (int hop = 0; hop <= MaxLinkHops; ++hop) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(at, ec)))
            return at;
        const fs::path next = fs::read_symlink(at, ec);
        if (ec) {
            error = path.string() + ": the symbolic link " + at.string() + " cannot be read: " + ec.message();
            return {};
        }
        // Not normalised: ".." after a linked folder is the system's to resolve.
        at = next.is_absolute() ? next : folderOf(at) / next;
    }
    error = path.string() + ": the symbolic link leads round in a loop and names no file";
    return {};
}

/// Empty when the folder is there and `target` may be replaced by a new file.
std::string checkPlace(const fs::path &path, const fs::path &target)
{
    const fs::path folder = folderOf(target);
    std::error_code ec;
    const fs::file_status folderStatus = fs::status(folder, ec);
    if (folderStatus.type() == fs::file_type::not_found)
        return path.string() + ": the folder " + folder.string() + " does not exist";
    if (ec)
        return path.string() + ": " + folder.string() + ": " + ec.message();
    if (!fs::is_directory(folderStatus))
        return path.string() + ": " + folder.string() + " is not a folder";
    const fs::file_status targetStatus = fs::status(target, ec);
    if (fs::is_directory(targetStatus))
        return path.string() + " is a folder";
    // A device or a pipe would be replaced by a plain file, not written to.
    if (fs::exists(targetStatus) && !fs::is_regular_file(targetStatus))
        return path.string() + " is not a regular file";
    return {};
}

/// Creates a new file beside `target`, exclusively, so that nothing present is touched.
std::FILE *createBeside(const fs::path &target, fs::path &temporary, int &error)
{
    thread_local std::mt19937_64 random{std::random_device{}()};
    for (int attempt = 0; attempt < 100; ++attempt) {
        char suffix[32];
        std::snprintf(suffix, sizeof suffix, ".%016llx.tmp", static_cast<unsigned long long>(random()));
        temporary = folderOf(target) / ("." + target.filename().string() + suffix);
        errno = 0;
#if defined(_WIN32)
        // The C library's "x" mode is newer than the run-time the program links.
        const int fd = ::_wopen(temporary.c_str(), _O_CREAT | _O_EXCL | _O_WRONLY | _O_BINARY, _S_IREAD | _S_IWRITE);
        if (fd >= 0) {
            if (std::FILE *file = ::_fdopen(fd, "wb"))
                return file;
            error = errno;
            ::_close(fd);
            std::error_code ec;
            fs::remove(temporary, ec);
            break;
        }
#else
        if (std::FILE *file = std::fopen(temporary.string().c_str(), "wbx"))
            return file;
#endif
        error = errno;
        if (error != EEXIST)
            break;
    }
    return nullptr;
}

std::string cannotCreate(const fs::path &path, const fs::path &target, int error)
{
    return path.string() + ": cannot create a file in " + folderOf(target).string() + ": " + reason(error);
}

bool syncToDisk(std::FILE *file)
{
#if defined(_WIN32)
    return ::_commit(::_fileno(file)) == 0;
#elif __has_include(<unistd.h>)
    return ::fsync(::fileno(file)) == 0;
#else
    (void)file;
    return true;
#endif
}

/// Puts `temporary` in the place of `target` in one step; empty, else why not.
std::string replaceWith(const fs::path &temporary, const fs::path &target)
{
#if defined(_WIN32)
    // Through to the disk before returning, so that a power cut after "saved" finds
    // the new name as well as the new content.
    if (::MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return {};
    const DWORD error = ::GetLastError();
    wchar_t *buffer = nullptr;
    const DWORD n =
        ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                         nullptr, error, 0, reinterpret_cast<wchar_t *>(&buffer), 0, nullptr);
    std::string why;
    if (n > 0 && buffer) {
        const int size = ::WideCharToMultiByte(CP_UTF8, 0, buffer, static_cast<int>(n), nullptr, 0, nullptr, nullptr);
        why.resize(static_cast<std::size_t>(size > 0 ? size : 0));
        if (size > 0)
            ::WideCharToMultiByte(CP_UTF8, 0, buffer, static_cast<int>(n), why.data(), size, nullptr, nullptr);
    }
    if (buffer)
        ::LocalFree(buffer);
    while (!why.empty() && (why.back() == '\n' || why.back() == '\r' || why.back() == ' ' || why.back() == '.'))
        why.pop_back();
    return why.empty() ? "system error " + std::to_string(error) : why;
#else
    std::error_code ec;
    fs::rename(temporary, target, ec);
    return ec ? ec.message() : std::string();
#endif
}

} // namespace

std::string writeFileAtomically(const fs::path &path, const FileWriter &writer)
{
    std::ostringstream content(std::ios::out | std::ios::binary);
    writer(content);
    if (!content)
        return path.string() + ": the content could not be produced; nothing written";

    std::string linkError;
    const fs::path target = targetOf(path, linkError);
    if (target.empty())
        return linkError;
    if (std::string error = checkPlace(path, target); !error.empty())
        return error;
    fs::path temporary;
    int error = 0;
    std::FILE *file = createBeside(target, temporary, error);
    if (!file)
        return cannotCreate(path, target, error);

    const std::string bytes = std::move(content).str();
    errno = 0;
    bool written =
        std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() && std::fflush(file) == 0 && syncToDisk(file);
    error = errno;
    if (std::fclose(file) != 0 && written) {
        written = false;
        error = errno;
    }
    std::error_code ec;
    if (!written) {
        fs::remove(temporary, ec);
        return path.string() + ": cannot write: " + reason(error);
    }
    const fs::file_status old = fs::status(target, ec);
    if (fs::exists(old))
        fs::permissions(temporary, old.permissions() & fs::perms::mask, ec); // the content matters more than the mode
    if (const std::string why = replaceWith(temporary, target); !why.empty()) {
        fs::remove(temporary, ec);
        return path.string() + ": cannot replace: " + why;
    }
    return {};
}

std::string checkFileWritable(const fs::path &path)
{
    std::string linkError;
    const fs::path target = targetOf(path, linkError);
    if (target.empty())
        return linkError;
    if (std::string error = checkPlace(path, target); !error.empty())
        return error;
    fs::path temporary;
    int error = 0;
    std::FILE *file = createBeside(target, temporary, error);
    if (!file)
        return cannotCreate(path, target, error);
    std::fclose(file);
    std::error_code ec;
    fs::remove(temporary, ec);
    return {};
}

} // namespace talviro6
