#include "platform/port_diagnosis.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <fstream>
#include <system_error>

#include <grp.h>
#include <sys/stat.h>

namespace talviro6 {
namespace {

/// Whether `file` is the same device as `device`: a terminal is the same whatever
/// name or link leads to it, so character devices compare by device number.
bool sameDevice(const struct stat &device, const struct stat &file)
{
    if (S_ISCHR(device.st_mode))
        return S_ISCHR(file.st_mode) && file.st_rdev == device.st_rdev;
    return file.st_dev == device.st_dev && file.st_ino == device.st_ino;
}

bool isProcessNumber(const std::string &name, int &pid)
{
    const auto r = std::from_chars(name.data(), name.data() + name.size(), pid);
    return r.ec == std::errc() && r.ptr == name.data() + name.size() && pid > 0;
}

std::string programName(const std::filesystem::path &processFolder)
{
    std::ifstream comm(processFolder / "comm");
    std::string name;
    if (!std::getline(comm, name) || name.empty())
        return "?";
    return name;
}

} // namespace

PortOpenFailure::Kind openFailureKind(int error)
{
    switch (error) {
    case ENOENT:
    case ENODEV:
    case ENXIO:
        return PortOpenFailure::Kind::Missing;
    case EACCES:
    case EPERM:
        return PortOpenFailure::Kind::PermissionDenied;
    case EBUSY:
    case EWOULDBLOCK:
        return PortOpenFailure::Kind::Busy;
    case ENOTTY:
        return PortOpenFailure::Kind::NotSerial;
    default:
        return PortOpenFailure::Kind::Other;
    }
}

std::string deviceGroup(const std::string &device)
{
    struct stat st {};
    if (::stat(device.c_str(), &st) != 0)
        return {};
    if (st.st_gid == 0 || (st.st_mode & (S_IRGRP | S_IWGRP)) != (S_IRGRP | S_IWGRP))
        return {};
    // getgrgid_r's buffer can be too small for a group with many members.
    std::vector<char> buffer(16384);
    for (int attempt = 0; attempt < 4; ++attempt) {
        group entry{};
        group *found = nullptr;
        const int error = ::getgrgid_r(st.st_gid, &entry, buffer.data(), buffer.size(), &found);
        if (error == ERANGE) {
            buffer.resize(buffer.size() * 4);
            continue;
        }
        if (error == 0 && found != nullptr && found->gr_name != nullptr && found->gr_name[0] != '\0')
            return found->gr_name;
        break;
    }
    return std::to_string(st.st_gid);
}

std::vector<PortHolder> deviceHolders(const std::string &device, const std::filesystem::path &procRoot)
{
    namespace fs = std::filesystem;
    std::vector<PortHolder> holders;
    struct stat wanted {};
    if (::stat(device.c_str(), &wanted) != 0)
        return holders;
    int processes = 0;
    int files = 0;
    std::error_code ec;
    for (fs::directory_iterator it(procRoot, ec), end; !ec && it != end && processes < MaxProcessesLookedAt;
         it.increment(ec)) {
        int pid = 0;
        if (!isProcessNumber(it->path().filename().string(), pid))
            continue;
        ++processes;
        // Another user's process refuses the look at its files: skipped.
        std::error_code fdError;
        for (fs::directory_iterator fd(it->path() / "fd", fdError), fdEnd;
             !fdError && fd != fdEnd && files < MaxFilesLookedAt; fd.increment(fdError)) {
            ++files;
            struct stat held {};
            if (::stat(fd->path().c_str(), &held) == 0 && sameDevice(wanted, held)) {
                holders.push_back({pid, programName(it->path())});
                break;
            }
        }
    }
    std::sort(holders.begin(), holders.end(), [](const PortHolder &a, const PortHolder &b) { return a.pid < b.pid; });
    return holders;
}

PortOpenFailure withFactsLookedUp(PortOpenFailure failure, const std::function<std::vector<std::string>()> &present,
                                  const std::filesystem::path &procRoot)
{
    switch (failure.kind) {
    case PortOpenFailure::Kind::PermissionDenied:
        failure.group = deviceGroup(failure.device);
        break;
    case PortOpenFailure::Kind::Busy:
        failure.holders = deviceHolders(failure.device, procRoot);
        break;
    case PortOpenFailure::Kind::Missing:
        if (present)
            failure.present = present();
        break;
    case PortOpenFailure::Kind::NotSerial:
    case PortOpenFailure::Kind::Other:
        break;
    }
    return failure;
}

} // namespace talviro6
