// Why a serial device would not open, as the system tells it: the errno's kind, the
// device's group, the programs holding it (from a /proc folder, a made one where the
// case cannot be made real), and each kind as the termios port reports it.
#include "platform/port_diagnosis.h"
#include "platform/posix_serial_port.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

#include <fcntl.h>
#include <grp.h>
#include <stdlib.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace talviro6;
namespace fs = std::filesystem;
using Kind = PortOpenFailure::Kind;

namespace {

class Folder {
  public:
    Folder()
    {
        char name[] = "/tmp/talviro6_port_XXXXXX";
        m_path = ::mkdtemp(name);
    }
    ~Folder()
    {
        std::error_code ec;
        fs::remove_all(m_path, ec);
    }
    const fs::path &path() const { return m_path; }

  private:
    fs::path m_path;
};

void writeFile(const fs::path &path, const std::string &content)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path) << content;
}

/// A process folder as /proc has it: its short name and links for its open files.
void addProcess(const fs::path &proc, int pid, const std::string &comm, const std::vector<fs::path> &open)
{
    const fs::path folder = proc / std::to_string(pid);
    writeFile(folder / "comm", comm + "\n");
    fs::create_directories(folder / "fd");
    for (std::size_t i = 0; i < open.size(); ++i)
        fs::create_symlink(open[i], folder / "fd" / std::to_string(i + 3));
}

std::string ownProgramName()
{
    std::ifstream comm("/proc/self/comm");
    std::string name;
    std::getline(comm, name);
    return name;
}

/// A pseudo-terminal's device end, open as long as this lives.
struct Terminal {
    Terminal()
    {
        master = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (master >= 0 && ::grantpt(master) == 0 && ::unlockpt(master) == 0)
            device = ::ptsname(master);
    }
    ~Terminal()
    {
        if (master >= 0)
            ::close(master);
    }
    int master = -1;
    std::string device;
};

PortMap mapTo(const std::string &device)
{
    PortMap map;
    map.setExplicit(1, device);
    return map;
}

} // namespace

TEST(PortOpenFailure, TheSystemsErrorTellsTheKind)
{
    const struct {
        int error;
        Kind kind;
    } rows[] = {
        {ENOENT, Kind::Missing},
        {ENODEV, Kind::Missing},
        {ENXIO, Kind::Missing},
        {EACCES, Kind::PermissionDenied},
        {EPERM, Kind::PermissionDenied},
        {EBUSY, Kind::Busy},
        {EWOULDBLOCK, Kind::Busy},
        {ENOTTY, Kind::NotSerial},
        {EIO, Kind::Other},
        {EINVAL, Kind::Other},
    };
    for (const auto &r : rows)
        EXPECT_EQ(openFailureKind(r.error), r.kind) << std::strerror(r.error);
}

TEST(PortOpenFailure, TheGroupIsNamedOnlyWhenJoiningItWouldHelp)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "giving a file to a group takes root";
    Folder folder;
    const fs::path device = folder.path() / "ttyUSB0";
    writeFile(device, "");
    const group *dialout = ::getgrnam("dialout");
    const gid_t named = dialout ? dialout->gr_gid : 20;
    const std::string name = dialout ? "dialout" : std::to_string(named);
    const gid_t unnamed = 54321; // no group of this system has this number
    ASSERT_EQ(::getgrgid(unnamed), nullptr);
    const struct {
        gid_t gid;
        mode_t mode;
        std::string group;
    } rows[] = {
        {named, 0660, name},
        {named, 0620, ""}, // the group may write but not read: joining it is no help
        {named, 0600, ""}, // the group may do nothing
        {0, 0660, ""},     // root's group is the administrators'
        {unnamed, 0660, std::to_string(unnamed)},
    };
    for (const auto &r : rows) {
        ASSERT_EQ(::chown(device.c_str(), 0, r.gid), 0);
        ASSERT_EQ(::chmod(device.c_str(), r.mode), 0);
        EXPECT_EQ(deviceGroup(device), r.group) << r.gid << " mode " << std::oct << r.mode;
    }
    EXPECT_EQ(deviceGroup(folder.path() / "gone"), "");
}

TEST(PortOpenFailure, HoldersAreItsLockersElseAllThatHaveItOpen)
{
    Folder folder;
    const fs::path dev = folder.path() / "dev";
    const fs::path proc = folder.path() / "proc";
    writeFile(dev / "ttyUSB0", "");
    writeFile(dev / "ttyUSB1", "");
    fs::create_symlink(dev / "ttyUSB0", dev / "by-id-adapter");
    addProcess(proc, 812, "minicom", {"/dev/null", dev / "ttyUSB0"});
    addProcess(proc, 77, "screen", {dev / "by-id-adapter", dev / "ttyUSB0"}); // by a link, and twice
    addProcess(proc, 900, "other", {dev / "ttyUSB1"});
    addProcess(proc, 950, "talviro6-sim", {dev / "ttyUSB1"}); // open, but the lock is 900's
    struct stat locked {};
    ASSERT_EQ(::stat((dev / "ttyUSB1").c_str(), &locked), 0);
    char id[64];
    std::snprintf(id, sizeof id, "%02x:%02x:%llu", ::major(locked.st_dev), ::minor(locked.st_dev),
                  static_cast<unsigned long long>(locked.st_ino));
    writeFile(proc / "locks", std::string("1: POSIX  ADVISORY  WRITE 812 00:1a:4242 0 EOF\n") +
                                  "2: FLOCK  ADVISORY  WRITE 900 " + id + " 0 EOF\n" +
                                  "2: -> FLOCK  ADVISORY  WRITE 950 " + id + " 0 EOF\n");
    addProcess(proc, 901, "closed", {dev / "gone"}); // a link to nothing
    writeFile(proc / "902" / "comm", "foreign\n");   // another user's: no fd folder to look into
    fs::create_directories(proc / "self" / "fd");
    writeFile(proc / "uptime", "1.0 1.0\n");

    EXPECT_EQ(deviceHolders(dev / "ttyUSB0", proc), (std::vector<PortHolder>{{77, "screen"}, {812, "minicom"}}));
    EXPECT_EQ(deviceHolders(dev / "by-id-adapter", proc), (std::vector<PortHolder>{{77, "screen"}, {812, "minicom"}}))
        << "the device by another name is the same device";
    EXPECT_EQ(deviceHolders(dev / "ttyUSB1", proc), (std::vector<PortHolder>{{900, "other"}}))
        << "of those with the device open, the one with the lock; a waiter for it is none";
    EXPECT_TRUE(deviceHolders(dev / "gone", proc).empty());
    EXPECT_TRUE(deviceHolders(dev / "ttyUSB0", folder.path() / "no-proc").empty());
}

TEST(PortOpenFailure, OnlyTheKindsFactsAreLookedUp)
{
    Folder folder;
    const fs::path device = folder.path() / "ttyUSB0";
    writeFile(device, "");
    const fs::path proc = folder.path() / "proc";
    addProcess(proc, 812, "minicom", {device});
    int listed = 0;
    const auto present = [&] {
        ++listed;
        return std::vector<std::string>{"/dev/ttyUSB1"};
    };
    for (Kind kind : {Kind::Missing, Kind::PermissionDenied, Kind::Busy, Kind::NotSerial, Kind::Other}) {
        listed = 0;
        PortOpenFailure failure;
        failure.kind = kind;
        failure.device = device;
        failure.systemText = device.string() + ": why";
        const PortOpenFailure looked = withFactsLookedUp(failure, present, proc);
        EXPECT_EQ(looked.systemText, failure.systemText);
        EXPECT_EQ(listed, kind == Kind::Missing ? 1 : 0) << static_cast<int>(kind);
        EXPECT_EQ(looked.present.size(), kind == Kind::Missing ? 1u : 0u);
        EXPECT_EQ(looked.holders.size(), kind == Kind::Busy ? 1u : 0u);
        EXPECT_TRUE(looked.group.empty()) << "a file of root's group names none";
    }
}

// Each kind as the termios port meets it on real devices; a refused permission
// needs an ordinary user, so a child process becomes one.
TEST(PortOpenFailure, TheTermiosPortReportsEachKind)
{
    Folder folder;
    Terminal held;
    ASSERT_FALSE(held.device.empty());
    const int holder = ::open(held.device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(holder, 0);
    ASSERT_EQ(::flock(holder, LOCK_EX | LOCK_NB), 0);
    writeFile(folder.path() / "plain.txt", "text\n");

    const struct {
        std::string device;
        Kind kind;
    } rows[] = {
        {(folder.path() / "ttyUSB9").string(), Kind::Missing},
        {"/dev/null", Kind::NotSerial},
        {(folder.path() / "plain.txt").string(), Kind::NotSerial},
        {held.device, Kind::Busy},
    };
    for (const auto &r : rows) {
        cli::PosixSerialPort port(mapTo(r.device));
        ASSERT_FALSE(port.open(1)) << r.device;
        const PortOpenFailure failure = port.openFailure();
        EXPECT_EQ(failure.kind, r.kind) << failure.systemText;
        EXPECT_EQ(failure.device, r.device);
        EXPECT_EQ(failure.systemText, port.openError());
        EXPECT_EQ(failure.systemText.rfind(r.device + ": ", 0), 0u) << failure.systemText;
    }
    cli::PosixSerialPort busy(mapTo(held.device));
    ASSERT_FALSE(busy.open(1));
    EXPECT_EQ(busy.openFailure().holders, (std::vector<PortHolder>{{::getpid(), ownProgramName()}}))
        << "this process holds the lock";
    ::close(holder);

    cli::PosixSerialPort nowhere{PortMap{}};
    ASSERT_FALSE(nowhere.open(LastPortNumber));
    EXPECT_EQ(nowhere.openFailure().kind, Kind::Missing) << "a number no device stands behind";
    EXPECT_EQ(nowhere.openFailure().device, "COM21");

    cli::PosixSerialPort opened(mapTo(held.device));
    ASSERT_TRUE(opened.open(1)) << "free once let go";
    EXPECT_EQ(opened.openFailure().systemText, "");
}

TEST(PortOpenFailure, ARefusedPermissionNamesTheDevicesGroup)
{
    const group *dialout = ::getgrnam("dialout");
    if (::geteuid() != 0 || dialout == nullptr)
        GTEST_SKIP() << "needs root, to become an ordinary user, and a dialout group";
    Terminal terminal;
    ASSERT_FALSE(terminal.device.empty());
    ASSERT_EQ(::chown(terminal.device.c_str(), 0, dialout->gr_gid), 0);
    ASSERT_EQ(::chmod(terminal.device.c_str(), 0660), 0);

    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const gid_t none[] = {65534};
        if (::setgroups(1, none) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0)
            ::_exit(10);
        cli::PosixSerialPort port(mapTo(terminal.device));
        if (port.open(1))
            ::_exit(11);
        const PortOpenFailure failure = port.openFailure();
        if (failure.kind != Kind::PermissionDenied)
            ::_exit(12);
        ::_exit(failure.group == "dialout" ? 0 : 13);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "10: could not become nobody, 11: opened, 12: another kind, 13: no group";
}
