#include "files/snapshots.h"

#include "files/atomic_write.h"
#include "files/parameter_file.h"

#include <cstdio>
#include <cstdlib>
#include <random>
#include <system_error>

namespace talviro6 {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view Extension = ".ign";
/// More snapshots than this in one minute of one kind mean something loops.
constexpr int MaxSameName = 999;

/// File systems without hard links (FAT) refuse with one of these.
bool noHardLinks(const std::error_code &ec)
{
    return ec == std::errc::operation_not_permitted || ec == std::errc::operation_not_supported ||
           ec == std::errc::function_not_supported || ec == std::errc::not_supported;
}

std::string stagingName(std::string_view stem)
{
    std::random_device random;
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, ".%08x%08x.partial", random(), random());
    return "." + std::string(stem) + suffix;
}

/// Gives the staged file the name `target` unless that name is taken. Empty error
/// code: done; file_exists: taken, `staged` is untouched.
std::error_code claim(const fs::path &staged, const fs::path &target)
{
    // A hard link is made only where no file is, in one step, so two snapshots
    // saved at the same moment cannot both take a name.
    std::error_code ec;
    fs::create_hard_link(staged, target, ec);
    if (!noHardLinks(ec))
        return ec;
    // Without hard links a rename would replace a file present: look first, and
    // accept that another process might take the name in between.
    if (fs::exists(fs::symlink_status(target, ec)))
        return std::make_error_code(std::errc::file_exists);
    ec.clear();
    fs::rename(staged, target, ec);
    return ec;
}

} // namespace

std::string snapshotFileName(const std::tm &local, std::optional<int> programCount, std::string_view kind)
{
    char stamp[64];
    std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d_%02d%02d", local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                  local.tm_hour, local.tm_min);
    std::string name = stamp;
    if (programCount && *programCount >= 0) {
        char count[32];
        std::snprintf(count, sizeof count, "_prog%04d", *programCount);
        name += count;
    }
    name += '_';
    name += kind;
    name += Extension;
    return name;
}

std::string saveSnapshot(const fs::path &folder, const UnitImage &image, const std::tm &local,
                         std::optional<int> programCount, std::string_view kind, fs::path *saved)
{
    if (folder.empty())
        return "no folder for snapshots (neither XDG_CONFIG_HOME nor HOME is set)";
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec)
        return folder.string() + ": cannot make the snapshot folder: " + ec.message();

    const std::string name = snapshotFileName(local, programCount, kind);
    const std::string stem = name.substr(0, name.size() - Extension.size());
    // The content is written whole under a hidden name first; only a complete,
    // synced file is then given a snapshot's name.
    const fs::path staged = folder / stagingName(stem);
    if (std::string error = writeFileAtomically(staged, [&](std::ostream &out) { writeParameterFile(out, image); });
        !error.empty())
        return error;

    std::string error;
    for (int n = 1;; ++n) {
        if (n > MaxSameName) {
            error = (folder / name).string() + ": " + std::to_string(MaxSameName) +
                    " snapshots of this name exist already; nothing saved";
            break;
        }
        const fs::path target = folder / (n == 1 ? name : stem + "_" + std::to_string(n) + std::string(Extension));
        ec = claim(staged, target);
        if (ec == std::errc::file_exists)
            continue;
        if (ec)
            error = target.string() + ": cannot save the snapshot: " + ec.message();
        else if (saved)
            *saved = target;
        break;
    }
    fs::remove(staged, ec); // after a hard link the snapshot keeps the content
    return error;
}

fs::path defaultSnapshotFolder()
{
    // As Qt finds the configuration folder: a set XDG_CONFIG_HOME is taken as it is.
    if (const char *config = std::getenv("XDG_CONFIG_HOME"); config && *config)
        return fs::path(config) / "talviro6" / "snapshots";
    if (const char *home = std::getenv("HOME"); home && *home)
        return fs::path(home) / ".config" / "talviro6" / "snapshots";
    return {};
}

} // namespace talviro6
