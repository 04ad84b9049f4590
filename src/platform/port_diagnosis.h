#pragma once

#include "link/port_open_failure.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

// What the system can tell about a serial device that would not open: POSIX only,
// for both the command line's port and the window's.

namespace talviro6 {

/// The kind of failure an errno from opening, locking or claiming a device stands for.
PortOpenFailure::Kind openFailureKind(int error);

/// The group whose members may read and write `device`, by name (by number when the
/// system has no name for it); empty when the group may not, when it is root's,
/// whose members are the administrators, or when the device cannot be looked at.
std::string deviceGroup(const std::string &device);

/// At most this many processes and open files are looked at for the holders of a
/// device: the look must stay well below a second even on a crowded machine.
inline constexpr int MaxProcessesLookedAt = 4096;
inline constexpr int MaxFilesLookedAt = 65536;

/// The processes that have `device` open, as `procRoot` (/proc) shows them: only
/// this user's processes show their open files, so other users' holders are not
/// among them. Those of them that hold a lock on it (procRoot/locks) when there are
/// any, since those keep others out. By process number, each once.
std::vector<PortHolder> deviceHolders(const std::string &device, const std::filesystem::path &procRoot = "/proc");

/// `failure` with what its kind needs looked up: the device's group for a refused
/// permission, its holders for a busy device, the serial devices present (from
/// `present`, only then called) for a missing one.
PortOpenFailure withFactsLookedUp(PortOpenFailure failure, const std::function<std::vector<std::string>()> &present,
                                  const std::filesystem::path &procRoot = "/proc");

} // namespace talviro6
