#include "platform/posix_serial_port.h"

#include "platform/port_diagnosis.h"
#include "platform/serial_devices.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <optional>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace talviro6::cli {
namespace {

std::string fileIdentity(const struct stat &st)
{
    return std::to_string(st.st_dev) + ":" + std::to_string(st.st_ino) + ":" + std::to_string(st.st_ctim.tv_sec) + "." +
           std::to_string(st.st_ctim.tv_nsec);
}

/// Tells one making of a device's name from the next: every link on the way to the
/// device (udev and the simulator make theirs anew), or, for a name that is no
/// link, the node itself, which the system makes anew for each device (a new
/// pseudo-terminal gets a new change time even under a number used before). The
/// device behind a link is left out: a link that outlived its device leads to
/// whatever terminal gets that number next.
std::vector<std::string> nameIdentity(const std::string &name)
{
    std::vector<std::string> identity;
    std::filesystem::path at = name;
    struct stat st {};
    for (int hop = 0; hop < 40 && ::lstat(at.c_str(), &st) == 0 && S_ISLNK(st.st_mode); ++hop) {
        identity.push_back(fileIdentity(st));
        std::error_code ec;
        const std::filesystem::path next = std::filesystem::read_symlink(at, ec);
        if (ec)
            break;
        at = next.is_absolute() ? next : at.parent_path() / next;
    }
    if (identity.empty() && ::stat(name.c_str(), &st) == 0)
        identity.push_back(fileIdentity(st));
    return identity;
}

} // namespace

bool PosixSerialPort::open(int portNumber)
{
    close();
    const std::string device = m_map.deviceFor(portNumber, presentSerialDevicesPosix());
    if (device.empty()) {
        m_lastError = "COM" + std::to_string(portNumber) + ": no serial device behind this number";
        m_failureKind = PortOpenFailure::Kind::Missing;
        m_failedDevice = "COM" + std::to_string(portNumber);
        return false;
    }
    m_failedDevice = device;
    const std::vector<std::string> name = nameIdentity(device);
    if (m_vanished && name == m_openedName) {
        m_lastError = device + ": still names the device that went away";
        m_failureKind = PortOpenFailure::Kind::Other;
        return false;
    }
    const auto fail = [&](const char *what, std::optional<PortOpenFailure::Kind> kind = std::nullopt) {
        const int error = errno;
        m_lastError = device + ": " + what + std::strerror(error);
        m_failureKind = kind.value_or(openFailureKind(error));
        close();
        return false;
    };
    m_fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (m_fd < 0)
        return fail("");
    // Before the lock and exclusive mode, whose errors on a plain file or /dev/null
    // would read as "in use: Inappropriate ioctl for device".
    if (::tcgetattr(m_fd, &m_savedLine) != 0) {
        if (errno != ENOTTY && errno != EINVAL)
            return fail("not a serial port: ", PortOpenFailure::Kind::NotSerial);
        close();
        m_lastError = device + ": not a serial port";
        m_failureKind = PortOpenFailure::Kind::NotSerial;
        return false;
    }
    if (::flock(m_fd, LOCK_EX | LOCK_NB) != 0)
        return fail("in use: ", PortOpenFailure::Kind::Busy);
    if (::ioctl(m_fd, TIOCEXCL) != 0)
        return fail("in use: ", PortOpenFailure::Kind::Busy);
    m_exclusive = true;
    termios tio = m_savedLine;
    ::cfmakeraw(&tio);
    tio.c_cflag &= ~static_cast<tcflag_t>(CSTOPB | PARENB | CSIZE | CRTSCTS);
    tio.c_cflag |= CS8 | CLOCAL | CREAD;
    tio.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    ::cfsetispeed(&tio, B57600);
    ::cfsetospeed(&tio, B57600);
    if (::tcsetattr(m_fd, TCSANOW, &tio) != 0)
        return fail("cannot set 57600 8N1: ", PortOpenFailure::Kind::Other);
    m_lineChanged = true;
    ::tcflush(m_fd, TCIOFLUSH);
    m_lastError.clear();
    m_vanished = false;
    m_openedName = name;
    return true;
}

void PosixSerialPort::close()
{
    if (m_fd < 0)
        return;
    // The terminal's settings and exclusive mode outlive this descriptor while anyone
    // else holds the terminal (a simulator keeps its end open): give both back, or
    // the next opening by an ordinary user fails and finds a changed line.
    if (m_lineChanged)
        ::tcsetattr(m_fd, TCSANOW, &m_savedLine);
    if (m_exclusive)
        ::ioctl(m_fd, TIOCNXCL);
    ::flock(m_fd, LOCK_UN);
    ::close(m_fd);
    m_fd = -1;
    m_lineChanged = false;
    m_exclusive = false;
}

std::size_t PosixSerialPort::bytesWaiting()
{
    if (m_fd < 0)
        return 0;
    // A hang-up is final for this descriptor; the job learns of it here rather than
    // by repeating blocks into nothing.
    pollfd p{m_fd, 0, 0};
    if (::poll(&p, 1, 0) > 0 && (p.revents & (POLLHUP | POLLERR)) != 0)
        m_vanished = true;
    int n = 0;
    if (::ioctl(m_fd, FIONREAD, &n) != 0 || n < 0)
        return 0;
    return static_cast<std::size_t>(n);
}

std::size_t PosixSerialPort::read(std::span<std::uint8_t> into)
{
    if (m_fd < 0)
        return 0;
    std::size_t total = 0;
    while (total < into.size()) {
        const ssize_t n = ::read(m_fd, into.data() + total, into.size() - total);
        if (n > 0)
            total += static_cast<std::size_t>(n);
        else if (n < 0 && errno == EINTR)
            continue;
        else
            break;
    }
    return total;
}

void PosixSerialPort::writeAndDrain(std::span<const std::uint8_t> bytes)
{
    if (m_fd < 0)
        return;
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(WriteBoundMs);
    const auto msLeft = [&] {
        return static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count());
    };
    // What a stalled line holds would reach the unit whenever the line moves again,
    // in the middle of a later frame: it is dropped with the frame.
    const auto notTaken = [&] { ::tcflush(m_fd, TCOFLUSH); };
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(m_fd, bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN) {
            if (errno == EIO || errno == ENXIO || errno == ENODEV)
                m_vanished = true;
            return;
        }
        pollfd p{m_fd, POLLOUT, 0};
        const int left = msLeft();
        if (left <= 0 || ::poll(&p, 1, left) <= 0)
            return notTaken();
        if ((p.revents & (POLLHUP | POLLERR)) != 0) {
            m_vanished = true;
            return;
        }
    }
    // tcdrain() has no bound: the queue is watched instead.
    for (;;) {
        int queued = 0;
        if (::ioctl(m_fd, TIOCOUTQ, &queued) != 0 || queued <= 0)
            return;
        if (msLeft() <= 0)
            return notTaken();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

PortOpenFailure PosixSerialPort::openFailure() const
{
    PortOpenFailure failure;
    failure.systemText = m_lastError;
    if (m_lastError.empty())
        return failure;
    failure.kind = m_failureKind;
    failure.device = m_failedDevice;
    return withFactsLookedUp(std::move(failure), [] { return orderSerialDevices(presentSerialDevicesPosix()); });
}

std::string PosixSerialPort::deviceName(int portNumber) const
{
    return m_map.deviceFor(portNumber, presentSerialDevicesPosix());
}

std::string stableDeviceName(const std::string &device, const std::filesystem::path &byIdFolder)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    if (fs::is_symlink(fs::symlink_status(device, ec)) || !fs::exists(device, ec))
        return device;
    std::vector<fs::path> names;
    for (fs::directory_iterator it(byIdFolder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code same;
        if (fs::equivalent(it->path(), device, same))
            names.push_back(it->path());
    }
    if (names.empty())
        return device;
    return std::min_element(names.begin(), names.end())->string();
}

} // namespace talviro6::cli
