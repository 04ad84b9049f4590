// The Windows COM port: which device a number opens, and why an opening fails.
#include "platform/windows_serial_port.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

using namespace talviro6;
using talviro6::cli::WindowsSerialPort;

TEST(WindowsSerialPort, NumbersAreComPortsUnlessMapped)
{
    PortMap map;
    map.setExplicit(2, "COM17");
    const WindowsSerialPort port(map);
    EXPECT_EQ(port.deviceName(1), "COM1");
    EXPECT_EQ(port.deviceName(2), "COM17");
    EXPECT_EQ(port.deviceName(10), "COM10");
    EXPECT_EQ(port.deviceName(21), "COM21");
    EXPECT_EQ(port.deviceName(0), "");
    EXPECT_EQ(port.deviceName(22), "");
}

TEST(WindowsSerialPort, AnOpeningThatFailsSaysWhyAndLeavesThePortClosed)
{
    const auto folder = std::filesystem::temp_directory_path() / "talviro6_windows_port";
    std::filesystem::create_directories(folder);
    const auto file = folder / "unit.ign";
    std::ofstream(file) << "not a port";

    PortMap map;
    map.setExplicit(3, file.string());
    map.setExplicit(4, (folder / "missing").string());
    const struct {
        int number;
        std::string says;
    } rows[] = {
        {19, "COM19: no such port"},
        {3, file.string() + ": not a serial port"},
        {4, (folder / "missing").string() + ": no such port"},
        {22, "COM22: no serial device behind this number"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.number);
        WindowsSerialPort port(map);
        EXPECT_FALSE(port.open(row.number));
        EXPECT_FALSE(port.isOpen());
        EXPECT_EQ(port.openError(), row.says);
        EXPECT_EQ(port.lastError(), row.says);
        // A closed port reads nothing and takes nothing, without failing.
        std::array<std::uint8_t, 4> bytes{};
        EXPECT_EQ(port.bytesWaiting(), 0u);
        EXPECT_EQ(port.read(bytes), 0u);
        port.writeAndDrain(bytes);
        EXPECT_FALSE(port.vanished());
    }
    std::filesystem::remove_all(folder);
}
