// The Qt serial port against a real pseudo-terminal: the test holds the other end.
#include "files/profile_file.h"
#include "platform/on_demand_serial_port.h"
#include "platform/port_settings.h"
#include "platform/qt_serial_port.h"

#include "link/frame.h"
#include "link/link_engine.h"
#include "live/transfer_texts.h"
#include "model/validate.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

using namespace talviro6;

namespace {

QCoreApplication &app()
{
    static int argc = 1;
    static char name[] = "qt_serial_port_test";
    static char *argv[] = {name, nullptr};
    static QCoreApplication instance(argc, argv);
    return instance;
}

/// Runs the event loop until the condition holds or two seconds have passed; the
/// bytes travel through the kernel, so there is no tick to count here.
template <typename Condition> bool processUntil(Condition done)
{
    const QDeadlineTimer deadline(2000);
    while (!done() && !deadline.hasExpired())
        app().processEvents(QEventLoop::AllEvents, 10);
    return done();
}

class QtPort : public ::testing::Test {
  protected:
    void SetUp() override
    {
        app();
        master = ::posix_openpt(O_RDWR | O_NOCTTY);
        ASSERT_GE(master, 0);
        ASSERT_EQ(::grantpt(master), 0);
        ASSERT_EQ(::unlockpt(master), 0);
        slavePath = ::ptsname(master);
    }
    void TearDown() override
    {
        if (master >= 0)
            ::close(master);
    }

    PortMap mapped(int n) const
    {
        PortMap map;
        map.setExplicit(n, slavePath);
        return map;
    }
    static std::vector<std::string> noDevices() { return {}; }

    /// The frame the port sent, as the other end reads it.
    Frame frameAtTheOtherEnd() const
    {
        Frame got{};
        std::size_t n = 0;
        pollfd p{master, POLLIN, 0};
        while (n < got.size() && ::poll(&p, 1, 2000) > 0)
            n += static_cast<std::size_t>(::read(master, got.data() + n, got.size() - n));
        return got;
    }

    /// The other end answers a monitor frame in two writes; the port holds what
    /// came of it after each, and reads it whole.
    void expectAnswerCarried(SerialPort &port, std::size_t firstPart) const
    {
        const Frame answer = makeFrame(code::MonitorFrame);
        ASSERT_EQ(::write(master, answer.data(), firstPart), static_cast<ssize_t>(firstPart));
        ASSERT_TRUE(processUntil([&] { return port.bytesWaiting() == firstPart; }));
        const std::size_t rest = answer.size() - firstPart;
        ASSERT_EQ(::write(master, answer.data() + firstPart, rest), static_cast<ssize_t>(rest));
        ASSERT_TRUE(processUntil([&] { return port.bytesWaiting() == answer.size(); }));
        Frame read{};
        EXPECT_EQ(port.read(read), answer.size());
        EXPECT_EQ(read, answer);
        EXPECT_EQ(port.bytesWaiting(), 0u);
    }

    int master = -1;
    std::string slavePath;
};

} // namespace

TEST_F(QtPort, CarriesFramesBothWaysAtTheMappedNumber)
{
    QtSerialPort port(mapped(3), noDevices);
    EXPECT_FALSE(port.open(1)) << "nothing behind COM1";
    EXPECT_EQ(port.deviceName(1), "");
    EXPECT_EQ(port.deviceName(3), slavePath);
    ASSERT_TRUE(port.open(3)) << port.lastError().toStdString();

    termios tio{};
    ASSERT_EQ(::tcgetattr(master, &tio), 0);
    EXPECT_EQ(::cfgetospeed(&tio), B57600);
    EXPECT_EQ(tio.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_EQ(tio.c_cflag & (PARENB | CSTOPB), 0u);

    const Frame poll = makeFrame(code::Poll);
    port.writeAndDrain(poll);
    EXPECT_EQ(frameAtTheOtherEnd(), poll);
    expectAnswerCarried(port, 60);
}

// The window's port comes from the library it loads at the first opening (or the
// first device name asked for): the same port, through it.
TEST_F(QtPort, TheWindowsPortIsLoadedAtItsFirstUseAndCarriesFrames)
{
    PortMap map = mapped(3);
    map.setExplicit(4, "/nonexistent/tty");
    OnDemandSerialPort port(map, SerialLibrary{QStringLiteral("talviro6_serial"),
                                               QStringList{QStringLiteral(TALVIRO6_SERIAL_LIBRARY_DIR)}});
    EXPECT_FALSE(port.isOpen());
    EXPECT_EQ(port.bytesWaiting(), 0u);
    EXPECT_EQ(port.deviceName(3), slavePath);
    EXPECT_FALSE(port.open(4));
    EXPECT_NE(port.openError().find("/nonexistent/tty"), std::string::npos) << port.openError();
    ASSERT_TRUE(port.open(3)) << port.openError();
    EXPECT_TRUE(port.isOpen());

    const Frame poll = makeFrame(code::Poll);
    port.writeAndDrain(poll);
    EXPECT_EQ(frameAtTheOtherEnd(), poll);
    expectAnswerCarried(port, 30);

    EXPECT_TRUE(port.reopen(3));
    port.close();
    EXPECT_FALSE(port.isOpen());
}

// An installation without the library: the window still starts and runs; every
// opening fails, saying why, and nothing else does anything.
TEST(OnDemandSerialPort, WithoutItsLibraryEveryOpeningFailsAndSaysWhy)
{
    app();
    QTemporaryDir empty;
    PortMap map;
    map.setExplicit(1, "/dev/null");
    OnDemandSerialPort port(map, SerialLibrary{QStringLiteral("talviro6_serial_missing"), QStringList{empty.path()}});
    for (int attempt = 0; attempt < 2; ++attempt) {
        EXPECT_FALSE(port.open(1));
        EXPECT_FALSE(port.reopen(1));
        EXPECT_FALSE(port.isOpen());
        EXPECT_EQ(port.deviceName(1), "");
        EXPECT_NE(port.openError().find("the serial port's library could not be loaded: "), std::string::npos)
            << port.openError();
        EXPECT_NE(port.openError().find("talviro6_serial_missing"), std::string::npos) << port.openError();
        EXPECT_EQ(port.openError().find('\n'), std::string::npos) << "one line";
        EXPECT_EQ(port.openFailure().systemText, port.openError());
    }
    Frame bytes{};
    EXPECT_EQ(port.bytesWaiting(), 0u);
    EXPECT_EQ(port.read(bytes), 0u);
    port.writeAndDrain(bytes);
    port.close();
}

TEST_F(QtPort, SecondOpenerIsRefused)
{
    QtSerialPort first(mapped(1), noDevices);
    QtSerialPort second(mapped(1), noDevices);
    ASSERT_TRUE(first.open(1));
    EXPECT_FALSE(second.open(1));
    first.close();
    EXPECT_TRUE(second.open(1)) << "free again after closing";
}

TEST_F(QtPort, ExcludesTheCommandLineJobs)
{
    // The command-line jobs take an advisory lock on the device; the window must see
    // it (and take the same lock itself), also as root, which passes TIOCEXCL.
    const int job = ::open(slavePath.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(job, 0);
    ASSERT_EQ(::flock(job, LOCK_EX | LOCK_NB), 0);
    QtSerialPort port(mapped(1), noDevices);
    EXPECT_FALSE(port.open(1));
    EXPECT_EQ(port.openError(), slavePath + ": in use by another program") << "the device named, and why";
    ::close(job);

    ASSERT_TRUE(port.open(1)) << port.lastError().toStdString();
    const int later = ::open(slavePath.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (later >= 0) { // without root, TIOCEXCL already refuses the open
        EXPECT_NE(::flock(later, LOCK_EX | LOCK_NB), 0) << "the window holds the lock";
        ::close(later);
    }
}

// QSerialPort calls a refused permission, another's lock and exclusive use all a
// PermissionError: the kinds the tuner is told must still be told apart.
TEST_F(QtPort, AFailedOpeningTellsItsKindAndFacts)
{
    const int job = ::open(slavePath.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(job, 0);
    ASSERT_EQ(::flock(job, LOCK_EX | LOCK_NB), 0);
    QtSerialPort port(mapped(1), [] { return std::vector<std::string>{"/dev/ttyS0", "/dev/ttyUSB2"}; });
    ASSERT_FALSE(port.open(1));
    PortOpenFailure failure = port.openFailure();
    EXPECT_EQ(failure.kind, PortOpenFailure::Kind::Busy);
    EXPECT_EQ(failure.systemText, port.openError());
    ASSERT_EQ(failure.holders.size(), 1u);
    EXPECT_EQ(failure.holders.front().pid, ::getpid()) << "the test holds the lock";
    ::close(job);

    PortMap gone;
    gone.setExplicit(2, "/dev/ttyUSB97");
    QtSerialPort missing(gone, [] { return std::vector<std::string>{"/dev/ttyS0", "/dev/ttyUSB2"}; });
    ASSERT_FALSE(missing.open(2));
    failure = missing.openFailure();
    EXPECT_EQ(failure.kind, PortOpenFailure::Kind::Missing) << failure.systemText;
    EXPECT_EQ(failure.device, "/dev/ttyUSB97");
    EXPECT_EQ(failure.present, (std::vector<std::string>{"/dev/ttyUSB2", "/dev/ttyS0"}))
        << "in the order of the numbers";
    ASSERT_FALSE(missing.open(3));
    EXPECT_EQ(missing.openFailure().device, "COM3") << "the third device present is none";

    const group *dialout = ::getgrnam("dialout");
    if (::geteuid() != 0 || dialout == nullptr)
        GTEST_SKIP() << "a refused permission needs root, to become an ordinary user";
    ASSERT_EQ(::chown(slavePath.c_str(), 0, dialout->gr_gid), 0);
    ASSERT_EQ(::chmod(slavePath.c_str(), 0660), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const gid_t none[] = {65534};
        if (::setgroups(1, none) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0)
            ::_exit(10);
        QtSerialPort refused(mapped(1), noDevices);
        if (refused.open(1))
            ::_exit(11);
        const PortOpenFailure seen = refused.openFailure();
        ::_exit(seen.kind != PortOpenFailure::Kind::PermissionDenied ? 12 : seen.group != "dialout" ? 13 : 0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "10: could not become nobody, 11: opened, 12: another kind, 13: no group";
}

// A line that does not take what is written (a stalled adapter) must not hold up
// the tick: the write gives up well inside a tick, and what it could not send is
// dropped, not sent late ahead of later frames.
TEST_F(QtPort, WriteToALineThatTakesNothingGivesUpWithinATickAndDropsTheRest)
{
    // A second writer on the terminal, there before the port takes it, keeps the
    // line full: nobody reads the other end.
    const int filler = ::open(slavePath.c_str(), O_WRONLY | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(filler, 0);
    const auto fill = [filler] {
        const std::vector<char> chunk(4096, 0x55);
        while (::write(filler, chunk.data(), chunk.size()) > 0) {
        }
    };
    QtSerialPort port(mapped(1), noDevices);
    ASSERT_TRUE(port.open(1)) << port.lastError().toStdString();
    const Frame poll = makeFrame(code::Poll);
    for (int i = 0; i < 3; ++i) {
        fill();
        QElapsedTimer took;
        took.start();
        port.writeAndDrain(poll);
        // A tick is 55 ms; the margin is for a busy machine.
        EXPECT_LT(took.elapsed(), 100) << "write " << i;
    }
    ::close(filler);

    // Someone reads again: what was dropped stays dropped, a new frame goes alone.
    std::vector<std::uint8_t> buffered(1 << 16);
    pollfd waiting{master, POLLIN, 0};
    while (::poll(&waiting, 1, 50) > 0 && ::read(master, buffered.data(), buffered.size()) > 0) {
    }
    port.writeAndDrain(poll);
    Frame got{};
    std::size_t n = 0;
    pollfd p{master, POLLIN, 0};
    while (n < got.size() && ::poll(&p, 1, 2000) > 0)
        n += static_cast<std::size_t>(::read(master, got.data() + n, got.size() - n));
    EXPECT_EQ(got, poll);
    EXPECT_EQ(::poll(&p, 1, 100), 0) << "nothing of an earlier frame follows";
}

TEST_F(QtPort, VanishingDeviceClosesThePort)
{
    QtSerialPort port(mapped(1), noDevices);
    ASSERT_TRUE(port.open(1));
    ::close(master);
    master = -1;
    EXPECT_TRUE(processUntil([&] { return !port.isOpen(); }));
    EXPECT_EQ(port.bytesWaiting(), 0u);
    port.writeAndDrain(makeFrame(code::Poll)); // harmless on a closed port
}

namespace {

struct NoWindow : LinkCallbacks {
    int readFinished(const ParameterArea &) override { return 0; }
    void showMessageBox(const LinkBox &) override {}
};

} // namespace

namespace {

/// Another program that wants the device: it opens it and takes the advisory lock
/// the command-line jobs take. True when it got the device.
bool intruderGetsIn(const std::string &device)
{
    const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return false; // exclusive mode refuses it (not as root)
    const bool locked = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    ::close(fd);
    return locked;
}

/// The window's port, with another program trying its luck at every opening, in the
/// moment between the watchdog's closing and its opening again.
class ContestedPort final : public SerialPort {
  public:
    ContestedPort(QtSerialPort &port, std::string device) : m_port(port), m_device(std::move(device)) {}
    std::vector<bool> intruderGotIn; ///< one entry per opening

    bool open(int portNumber) override
    {
        intruderGotIn.push_back(intruderGetsIn(m_device));
        return m_port.open(portNumber);
    }
    bool reopen(int portNumber) override
    {
        intruderGotIn.push_back(intruderGetsIn(m_device));
        return m_port.reopen(portNumber);
    }
    void close() override { m_port.close(); }
    bool isOpen() const override { return m_port.isOpen(); }
    std::size_t bytesWaiting() override { return m_port.bytesWaiting(); }
    std::size_t read(std::span<std::uint8_t> into) override { return m_port.read(into); }
    void writeAndDrain(std::span<const std::uint8_t> bytes) override { m_port.writeAndDrain(bytes); }
    std::string deviceName(int portNumber) const override { return m_port.deviceName(portNumber); }

  private:
    QtSerialPort &m_port;
    std::string m_device;
};

} // namespace

// No unit answers, so the watchdog closes and reopens the port every 30 ticks. The
// device is never free in between: a job started then would take the unit away.
TEST_F(QtPort, WatchdogReopeningNeverLetsAnotherProgramIn)
{
    QtSerialPort qtPort(mapped(1), noDevices);
    ContestedPort port(qtPort, slavePath);
    UnitImage image;
    SettingsIndexes settings;
    settings.portIndex = 0;
    NoWindow window;
    LinkEngine engine(port, settings, window);

    engine.OpenPort();
    ASSERT_TRUE(qtPort.isOpen()) << qtPort.lastError().toStdString();
    ASSERT_EQ(port.intruderGotIn, std::vector<bool>{true}) << "free before the first opening";
    for (int t = 0; t < 2 * LinkEngine::ReopenTicks; ++t) {
        engine.tick();
        app().processEvents();
    }
    EXPECT_EQ(port.intruderGotIn, (std::vector<bool>{true, false, false})) << "two reopenings, both kept";
    EXPECT_TRUE(qtPort.isOpen());
    EXPECT_FALSE(intruderGetsIn(slavePath)) << "held while open";

    qtPort.close();
    EXPECT_TRUE(intruderGetsIn(slavePath)) << "a port left closed lets the device go";
}

namespace {

/// A new pseudo-terminal: its controlling side, and the device name of the other.
std::pair<int, std::string> newTerminal()
{
    const int fd = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (fd < 0 || ::grantpt(fd) != 0 || ::unlockpt(fd) != 0)
        return {-1, {}};
    return {fd, ::ptsname(fd)};
}

} // namespace

// A reopening keeps the handle only while the name still leads to the terminal it
// holds: here the name is moved to another terminal (as a device manager does for an
// adapter plugged in again), the first one hung up or not.
TEST_F(QtPort, ReopeningTakesTheDeviceTheNameLeadsToNow)
{
    for (const bool hungUp : {false, true}) {
        SCOPED_TRACE(hungUp ? "the first terminal hung up" : "the first terminal still there");
        auto [first, firstPath] = newTerminal();
        auto [second, secondPath] = newTerminal();
        ASSERT_GE(first, 0);
        ASSERT_GE(second, 0);
        QTemporaryDir dir;
        const std::string name = dir.filePath(QStringLiteral("adapter")).toStdString();
        ASSERT_EQ(::symlink(firstPath.c_str(), name.c_str()), 0);
        PortMap map;
        map.setExplicit(1, name);
        QtSerialPort port(map, noDevices);
        ASSERT_TRUE(port.open(1)) << port.lastError().toStdString();
        ASSERT_TRUE(port.reopen(1));
        EXPECT_TRUE(port.isOpen()) << "kept while it is the same";

        const std::string moved = name + ".new";
        ASSERT_EQ(::symlink(secondPath.c_str(), moved.c_str()), 0);
        ASSERT_EQ(::rename(moved.c_str(), name.c_str()), 0);
        if (hungUp)
            ::close(std::exchange(first, -1));
        ASSERT_TRUE(port.reopen(1)) << port.lastError().toStdString();

        const Frame poll = makeFrame(code::Poll);
        port.writeAndDrain(poll);
        Frame got{};
        std::size_t n = 0;
        pollfd p{second, POLLIN, 0};
        while (n < got.size() && ::poll(&p, 1, 2000) > 0)
            n += static_cast<std::size_t>(::read(second, got.data() + n, got.size() - n));
        EXPECT_EQ(got, poll) << "written to the terminal the name leads to";
        if (first >= 0)
            ::close(first);
        ::close(second);
    }
}

// Listing the serial devices costs 10 ms and more; the automatic search opens a
// port number on every tick while no unit answers, so each opening lists once.
TEST_F(QtPort, ComAutoListsTheDevicesOncePerOpeningAndFreshEachTime)
{
    int listings = 0;
    std::vector<std::string> present; // nothing plugged in yet
    QtSerialPort port({}, [&] {
        ++listings;
        return present;
    });
    UnitImage image;
    SettingsIndexes settings;
    settings.portIndex = LinkEngine::AutoPortIndex;
    NoWindow window;
    LinkEngine engine(port, settings, window);

    engine.OpenPort();
    for (int n = 2; n <= LastPortNumber; ++n)
        engine.tick(); // the unit counts as lost: every tick reopens at the next number
    EXPECT_EQ(comCaption(engine.display().LabelCom), "COM= COM21");
    EXPECT_EQ(listings, LastPortNumber);

    // An adapter plugged in now is found by the very next reopening.
    present = {slavePath};
    engine.tick();
    EXPECT_EQ(comCaption(engine.display().LabelCom), "COM= COM1");
    EXPECT_EQ(engine.display().LabelComDevice, slavePath);
    EXPECT_TRUE(port.isOpen());
    EXPECT_EQ(listings, LastPortNumber + 1);
}

// The same rule without the engine: a listing made for the name of a number serves
// only the opening that follows it, and a mapped number needs none.
TEST_F(QtPort, ListingServesOneOpeningOnly)
{
    int listings = 0;
    std::vector<std::string> present{slavePath};
    QtSerialPort port(mapped(5), [&] {
        ++listings;
        return present;
    });
    // Calls in order: c closes, nN asks the device name of N, oN opens N.
    struct Row {
        const char *calls;
        int listings;
    };
    const Row rows[] = {
        {"c n1 o1", 1}, // as the engine opens
        {"c o1", 1},    // as a caller that wants no name opens
        {"n1 c o1", 2}, // closing ends what a name was asked for
        {"n1 n1", 2},   // a name alone always lists afresh
        {"c n5 o5", 0}, // mapped: nothing to list
    };
    for (const Row &r : rows) {
        const int before = listings;
        std::istringstream calls(r.calls);
        for (std::string call; calls >> call;) {
            const int n = call.size() > 1 ? std::stoi(call.substr(1)) : 0;
            if (call[0] == 'c')
                port.close();
            else if (call[0] == 'n')
                port.deviceName(n);
            else
                EXPECT_TRUE(port.open(n)) << r.calls;
        }
        EXPECT_EQ(listings - before, r.listings) << r.calls;
    }
    port.close();

    // An earlier name's listing is not used by a later opening: the adapter is gone.
    EXPECT_EQ(port.deviceName(1), slavePath);
    port.close();
    present.clear();
    EXPECT_FALSE(port.open(1));
}

TEST(QtPortSettings, PortsSectionAndDeviceArgumentsMapNumbers)
{
    std::istringstream text("[BASIC]\r\nComPort=2\r\n[ports]\r\nCOM2 = /dev/ttyUSB7\r\nCOM4=  \r\n");
    ProfileFile settings;
    ASSERT_TRUE(settings.read(text));
    PortMap map;
    loadPortMappings(settings, map);
    EXPECT_EQ(map.explicitPath(2), "/dev/ttyUSB7") << "names compare without case, blanks around values go";
    EXPECT_EQ(map.explicitPath(4), "") << "a blank key keeps the rule";

    std::vector<std::string> args{"--device", "2=/dev/pts/9"};
    applyDeviceMappings(takeDeviceArguments(args, nullptr), map);
    EXPECT_EQ(map.deviceFor(2, {"/dev/ttyUSB0"}), "/dev/pts/9") << "the command line wins for the run";
}
