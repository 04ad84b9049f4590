// The command line's termios port on pseudo-terminals: what a write does when the
// line takes the frame and when it does not, and the name a device is followed by.
#include "cli/stalled_line.h"
#include "platform/posix_serial_port.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <numeric>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

using namespace talviro6;
using namespace talviro6::cli;
namespace fs = std::filesystem;

namespace {

PortMap mapTo(const std::string &device)
{
    PortMap map;
    map.setExplicit(1, device);
    return map;
}

std::array<std::uint8_t, 102> frameBytes()
{
    std::array<std::uint8_t, 102> bytes{};
    std::iota(bytes.begin(), bytes.end(), std::uint8_t{1});
    return bytes;
}

} // namespace

TEST(PosixSerialPort, AFrameTheLineTakesArrivesWhole)
{
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(::grantpt(master), 0);
    ASSERT_EQ(::unlockpt(master), 0);
    PosixSerialPort port(mapTo(::ptsname(master)));
    ASSERT_TRUE(port.open(1)) << port.lastError();
    const auto frame = frameBytes();
    port.writeAndDrain(frame);

    std::array<std::uint8_t, 200> got{};
    std::size_t n = 0;
    pollfd p{master, POLLIN, 0};
    while (n < frame.size() && ::poll(&p, 1, 1000) > 0) {
        const ssize_t r = ::read(master, got.data() + n, got.size() - n);
        if (r <= 0)
            break;
        n += static_cast<std::size_t>(r);
    }
    ASSERT_EQ(n, frame.size());
    EXPECT_TRUE(std::equal(frame.begin(), frame.end(), got.begin()));
    port.close();
    ::close(master);
}

// Every write returns within the bound, tick after tick, however long the line
// stays stalled: the job loop goes on and counts the frames as unanswered.
TEST(PosixSerialPort, AWriteTheLineDoesNotTakeEndsWithinTheTick)
{
    const talviro6::testing::StalledLine line;
    ASSERT_FALSE(line.device().empty());
    PosixSerialPort port(mapTo(line.device()));
    ASSERT_TRUE(port.open(1)) << port.lastError();
    const auto frame = frameBytes();
    double longest = 0;
    for (int i = 0; i < 5; ++i) {
        ASSERT_TRUE(line.waitUntilFull());
        const auto start = std::chrono::steady_clock::now();
        port.writeAndDrain(frame);
        longest = std::max(longest,
                           std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    EXPECT_LT(longest, 45.0) << "ms for one frame; a tick is 55 ms";
    EXPECT_TRUE(port.isOpen());
    EXPECT_FALSE(port.vanished());
}

namespace {

/// A pseudo-terminal the test holds; its device exists while it lives.
struct Terminal {
    int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    Terminal()
    {
        if (master >= 0 && (::grantpt(master) != 0 || ::unlockpt(master) != 0)) {
            ::close(master);
            master = -1;
        }
    }
    ~Terminal() { hangUp(); }
    Terminal(const Terminal &) = delete;
    Terminal &operator=(const Terminal &) = delete;
    std::string device() const { return master >= 0 ? ::ptsname(master) : ""; }
    void hangUp()
    {
        if (master >= 0)
            ::close(master);
        master = -1;
    }
};

} // namespace

// A link left behind by a device that went away (a killed simulator's) still names
// its terminal's number, which the system soon gives to another program: the port
// opens it again only once the link has been made anew.
TEST(PosixSerialPort, ALinkLeftBehindIsNotOpenedOnAnotherProgramsTerminal)
{
    const fs::path link = fs::temp_directory_path() / ("talviro6_left_link_" + std::to_string(::getpid()));
    fs::remove(link);
    auto unit = std::make_unique<Terminal>();
    const std::string number = unit->device();
    fs::create_symlink(number, link);
    PosixSerialPort port(mapTo(link.string()));
    ASSERT_TRUE(port.open(1)) << port.lastError();
    unit->hangUp();
    (void)port.bytesWaiting();
    ASSERT_TRUE(port.vanished());
    port.close();

    // The lowest free number is given first; other tests may take it meanwhile.
    std::vector<std::unique_ptr<Terminal>> others;
    while (others.size() < 20 && (others.empty() || others.back()->device() != number))
        others.push_back(std::make_unique<Terminal>());
    if (others.back()->device() != number)
        GTEST_SKIP() << number << " was not given out again";
    EXPECT_FALSE(port.open(1)) << "another program's terminal was opened";
    EXPECT_TRUE(port.vanished());

    const Terminal back;
    fs::remove(link);
    fs::create_symlink(back.device(), link);
    EXPECT_TRUE(port.open(1)) << port.lastError();
    EXPECT_FALSE(port.vanished());
    port.close();
    fs::remove(link);
}

// A device given by its kernel name is followed by its by-id name, which stays
// when the adapter comes back under another kernel name.
TEST(PosixSerialPort, ADeviceIsFollowedByItsStableName)
{
    const fs::path dir = fs::temp_directory_path() / ("talviro6_stable_name_" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir / "by-id");
    std::ofstream(dir / "ttyUSB0").put('x');
    std::ofstream(dir / "ttyUSB1").put('x');
    std::ofstream(dir / "ttyS0").put('x');
    fs::create_symlink("../ttyUSB1", dir / "by-id" / "usb-Maker_B-if00-port0");
    fs::create_symlink("../ttyUSB0", dir / "by-id" / "usb-Maker_A-if00-port0");
    fs::create_symlink("by-id/usb-Maker_A-if00-port0", dir / "unit");
    const std::string byId = (dir / "by-id").string();
    const struct {
        fs::path device;
        fs::path follows;
    } rows[] = {
        {dir / "ttyUSB0", dir / "by-id" / "usb-Maker_A-if00-port0"},
        {dir / "ttyUSB1", dir / "by-id" / "usb-Maker_B-if00-port0"},
        {dir / "ttyS0", dir / "ttyS0"}, // no by-id name
        {dir / "unit", dir / "unit"},   // a link of the user's is his name for it
        {dir / "by-id" / "usb-Maker_B-if00-port0", dir / "by-id" / "usb-Maker_B-if00-port0"},
        {dir / "gone", dir / "gone"}, // not there: nothing to look up
    };
    for (const auto &row : rows)
        EXPECT_EQ(stableDeviceName(row.device.string(), byId), row.follows.string()) << row.device;
    EXPECT_EQ(stableDeviceName((dir / "ttyUSB0").string(), dir / "no-such-folder"), (dir / "ttyUSB0").string());
    fs::remove_all(dir);
}
