#include "platform/port_diagnosis.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <system_error>

#include <grp.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

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

/// The processes that hold a lock on the file `st`, from procRoot/locks, whose lines
/// read "1: FLOCK  ADVISORY  WRITE 812 00:1a:9 0 EOF" (device numbers in hex); a
/// waiter's line has "->" after the number and is left out.
std::vector<int> lockHolders(const struct stat &st, const std::filesystem::path &procRoot)
{
    std::vector<int> pids;
    std::ifstream locks(procRoot / "locks");
    char id[64];
    std::snprintf(id, sizeof id, "%02x:%02x:%llu", ::major(st.st_dev), ::minor(st.st_dev),
                  static_cast<unsigned long long>(st.st_ino));
    std::string line;
    for (int lines = 0; lines < MaxFilesLookedAt && std::getline(locks, line); ++lines) {
        std::istringstream fields(line);
        std::string number, type, mode, access, pid, file;
        if (!(fields >> number >> type >> mode >> access >> pid >> file) || type == "->")
            continue;
        int value = 0;
        if (file == id && isProcessNumber(pid, value))
            pids.push_back(value);
    }
    return pids;
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
    case EWOULDBLOCK: // what a refused flock gives
#if EAGAIN != EWOULDBLOCK
    case EAGAIN:
#endif
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
    // Of the programs that have the device open, the one with the lock is the one
    // that keeps others out; the rest (a simulator keeps its terminal open) are
    // only named when no lock tells.
    const std::vector<int> locking = lockHolders(wanted, procRoot);
    std::vector<PortHolder> lockers;
    std::copy_if(holders.begin(), holders.end(), std::back_inserter(lockers), [&](const PortHolder &holder) {
        return std::find(locking.begin(), locking.end(), holder.pid) != locking.end();
    });
    return lockers.empty() ? holders : lockers;
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
