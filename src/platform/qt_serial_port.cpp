#include "platform/qt_serial_port.h"

#include "platform/serial_devices.h"

#include <QDeadlineTimer>
#include <QSerialPortInfo>

#include <utility>

#ifdef Q_OS_UNIX
#include "platform/port_diagnosis.h"

#include <cerrno>

#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>
#endif

namespace talviro6 {
namespace {

PortOpenFailure::Kind failureKindOf(QSerialPort::SerialPortError error, const std::string &device)
{
#ifdef Q_OS_UNIX
    // QSerialPort reports a refused permission, another program's lock file and a
    // device in exclusive use all as PermissionError: the device tells them apart.
    if (::access(device.c_str(), F_OK) != 0)
        return errno == EACCES ? PortOpenFailure::Kind::PermissionDenied : PortOpenFailure::Kind::Missing;
    if (::access(device.c_str(), R_OK | W_OK) != 0 && errno == EACCES)
        return PortOpenFailure::Kind::PermissionDenied;
#else
    (void)device;
#endif
    switch (error) {
    case QSerialPort::DeviceNotFoundError:
        return PortOpenFailure::Kind::Missing;
    case QSerialPort::PermissionError:
        // Where the user may use the device, only another holder refuses it; so
        // also on Windows, whose "access denied" means a port already open.
        return PortOpenFailure::Kind::Busy;
    default:
        return PortOpenFailure::Kind::Other;
    }
}

} // namespace

std::vector<std::string> presentSerialDevices()
{
#ifdef Q_OS_WIN
    std::vector<std::string> devices;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts())
        devices.push_back(info.systemLocation().toStdString());
    return devices;
#else
    // Qt's own listing asks the device manager and takes some 16 ms; the automatic
    // search lists once a tick, and one look at /dev tells the same.
    return presentSerialDevicesPosix();
#endif
}

QtSerialPort::QtSerialPort(PortMap map, DeviceLister present, QObject *parent)
    : QObject(parent), m_map(std::move(map)), m_present(std::move(present))
{
    connect(&m_port, &QSerialPort::errorOccurred, this, &QtSerialPort::onError);
}

void QtSerialPort::onError(QSerialPort::SerialPortError error)
{
    // An adapter pulled out makes QSerialPort report this in a tight loop until the
    // port is closed; the engine then sees a silent unit and reopens by itself.
    if (error == QSerialPort::ResourceError || error == QSerialPort::ReadError) {
        m_lastError = m_port.errorString();
        m_failureKind = PortOpenFailure::Kind::Other;
        if (m_port.isOpen())
            m_port.close();
    }
}

std::vector<std::string> QtSerialPort::listingFor(int portNumber) const
{
    return m_present && m_map.needsPresentDevices(portNumber) ? m_present() : std::vector<std::string>{};
}

bool QtSerialPort::open(int portNumber)
{
    std::optional<std::vector<std::string>> listing = std::exchange(m_listing, std::nullopt);
    close();
    if (!listing)
        listing = listingFor(portNumber);
    const std::string device = m_map.deviceFor(portNumber, *listing);
    if (device.empty()) {
        m_lastError = QStringLiteral("COM%1: no serial device behind this number").arg(portNumber);
        m_failureKind = PortOpenFailure::Kind::Missing;
        m_failedDevice = "COM" + std::to_string(portNumber);
        return false;
    }
    m_failedDevice = device;
    m_port.setPortName(QString::fromStdString(device));
    const QString named = QString::fromStdString(device) + QStringLiteral(": ");
    if (!m_port.open(QIODevice::ReadWrite)) {
        m_lastError = named + m_port.errorString();
        m_failureKind = failureKindOf(m_port.error(), device);
        return false;
    }
#ifdef Q_OS_UNIX
    // QSerialPort's lock file is not seen by the command-line jobs, and root passes
    // TIOCEXCL; the advisory lock the jobs take keeps the two from sharing a unit.
    if (::flock(static_cast<int>(m_port.handle()), LOCK_EX | LOCK_NB) != 0) {
        m_lastError = named + QStringLiteral("in use by another program");
        m_failureKind = PortOpenFailure::Kind::Busy;
        m_port.close();
        return false;
    }
#endif
    const bool configured = m_port.setBaudRate(QSerialPort::Baud57600) && m_port.setDataBits(QSerialPort::Data8) &&
                            m_port.setParity(QSerialPort::NoParity) && m_port.setStopBits(QSerialPort::OneStop) &&
                            m_port.setFlowControl(QSerialPort::NoFlowControl);
    if (!configured) {
        m_lastError = named + m_port.errorString();
        m_failureKind = PortOpenFailure::Kind::Other;
        m_port.close();
        return false;
    }
    m_port.clear();
    return true;
}

bool QtSerialPort::reopen(int portNumber)
{
    std::optional<std::vector<std::string>> listing = std::exchange(m_listing, std::nullopt);
    if (!listing)
        listing = listingFor(portNumber);
    const std::string device = m_map.deviceFor(portNumber, *listing);
    if (m_port.isOpen() && !device.empty() && holds(device)) {
        // Closing would let the device go for a moment, and exclusive opening keeps no
        // queue of waiters: another program could take the unit there. What a close
        // and an open would drop is dropped all the same.
        m_port.clear();
        return true;
    }
    m_listing = std::move(listing);
    return open(portNumber);
}

bool QtSerialPort::holds(const std::string &device) const
{
#ifdef Q_OS_UNIX
    // The name may lead elsewhere by now: an adapter plugged in again is a new device
    // node, and a terminal's number passes to the next terminal opened.
    const int fd = static_cast<int>(m_port.handle());
    struct stat named {};
    struct stat held {};
    if (::stat(device.c_str(), &named) != 0 || ::fstat(fd, &held) != 0)
        return false;
    if (named.st_dev != held.st_dev || named.st_ino != held.st_ino || named.st_rdev != held.st_rdev)
        return false;
    pollfd hungUp{fd, 0, 0};
    return ::poll(&hungUp, 1, 0) == 0;
#else
    (void)device;
    return false;
#endif
}

void QtSerialPort::close()
{
    m_listing.reset();
    if (m_port.isOpen())
        m_port.close();
}

std::size_t QtSerialPort::bytesWaiting()
{
    return m_port.isOpen() ? static_cast<std::size_t>(m_port.bytesAvailable()) : 0;
}

std::size_t QtSerialPort::read(std::span<std::uint8_t> into)
{
    if (!m_port.isOpen())
        return 0;
    const qint64 n = m_port.read(reinterpret_cast<char *>(into.data()), static_cast<qint64>(into.size()));
    return n > 0 ? static_cast<std::size_t>(n) : 0;
}

void QtSerialPort::writeAndDrain(std::span<const std::uint8_t> bytes)
{
    if (!m_port.isOpen())
        return;
    m_port.write(reinterpret_cast<const char *>(bytes.data()), static_cast<qint64>(bytes.size()));
    const QDeadlineTimer deadline(WriteTimeoutMs, Qt::PreciseTimer);
    while (m_port.isOpen() && m_port.bytesToWrite() > 0 && !deadline.hasExpired())
        m_port.waitForBytesWritten(static_cast<int>(deadline.remainingTime()));
    if (!m_port.isOpen())
        return;
    bool left = m_port.bytesToWrite() > 0;
#ifdef Q_OS_UNIX
    // Written to the driver is not yet on the line; the unit's answer timing counts
    // from the last byte sent. tcdrain() would wait for as long as the adapter
    // stalls, so the driver's queue is watched against the same deadline.
    const int fd = static_cast<int>(m_port.handle());
    int queued = 0;
    while (!left && ::ioctl(fd, TIOCOUTQ, &queued) == 0 && queued > 0) {
        if (deadline.hasExpired()) {
            left = true;
            break;
        }
        ::poll(nullptr, 0, 1);
    }
#endif
    // What has not left by now would reach the unit after the engine has given up on
    // this sending, ahead of the next frame: it is dropped, and the missing answer
    // counts as for any frame the unit did not answer.
    if (left)
        m_port.clear(QSerialPort::Output);
}

PortOpenFailure QtSerialPort::openFailure() const
{
    PortOpenFailure failure;
    failure.systemText = m_lastError.toStdString();
    if (failure.systemText.empty())
        return failure;
    failure.kind = m_failureKind;
    failure.device = m_failedDevice;
    const auto present = [this] { return m_present ? orderSerialDevices(m_present()) : std::vector<std::string>{}; };
#ifdef Q_OS_UNIX
    return withFactsLookedUp(std::move(failure), present);
#else
    if (failure.kind == PortOpenFailure::Kind::Missing)
        failure.present = present();
    return failure;
#endif
}

std::string QtSerialPort::deviceName(int portNumber) const
{
    m_listing.reset();
    if (m_map.needsPresentDevices(portNumber))
        m_listing = listingFor(portNumber);
    return m_map.deviceFor(portNumber, m_listing ? *m_listing : std::vector<std::string>{});
}

} // namespace talviro6
