// The port-number mapping: pure functions over names.
#include "platform/port_map.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace talviro6;

TEST(PortMap, UsbAdaptersComeFirstInNaturalOrder)
{
    const std::vector<std::string> present{"/dev/ttyS1",   "/dev/ttyUSB10", "/dev/ttyS0",
                                           "/dev/ttyACM0", "/dev/ttyUSB2",  "/dev/ttyAMA0"};
    EXPECT_EQ(orderSerialDevices(present), (std::vector<std::string>{"/dev/ttyACM0", "/dev/ttyUSB2", "/dev/ttyUSB10",
                                                                     "/dev/ttyAMA0", "/dev/ttyS0", "/dev/ttyS1"}));

    PortMap map;
    EXPECT_EQ(map.deviceFor(1, {"/dev/ttyS0", "/dev/ttyUSB0"}), "/dev/ttyUSB0") << "one adapter is COM1";
    EXPECT_EQ(map.deviceFor(2, {"/dev/ttyS0", "/dev/ttyUSB0"}), "/dev/ttyS0");
    EXPECT_EQ(map.deviceFor(3, {"/dev/ttyS0", "/dev/ttyUSB0"}), "");
    EXPECT_EQ(map.deviceFor(0, {"/dev/ttyUSB0"}), "");
    EXPECT_EQ(map.deviceFor(22, {"/dev/ttyUSB0"}), "");

    map.setExplicit(1, "/dev/pts/7");
    map.setExplicit(21, "/dev/ttyX");
    EXPECT_EQ(map.deviceFor(1, {"/dev/ttyUSB0"}), "/dev/pts/7");
    EXPECT_EQ(map.deviceFor(21, {}), "/dev/ttyX");
    EXPECT_EQ(map.deviceFor(2, {"/dev/ttyUSB0", "/dev/ttyUSB1"}), "/dev/ttyUSB1");
}

TEST(PortMap, DeviceArgumentsAreTakenOutOfTheCommandLine)
{
    std::vector<std::string> args{"DEUTSCH", "--device", "3=/dev/pts/4", "--device=21=/dev/ttyUSB9", "file.ign"};
    std::string error;
    const auto mappings = takeDeviceArguments(args, &error);
    EXPECT_TRUE(error.empty());
    ASSERT_EQ(mappings.size(), 2u);
    EXPECT_EQ(mappings[0].portNumber, 3);
    EXPECT_EQ(mappings[0].path, "/dev/pts/4");
    EXPECT_EQ(mappings[1].portNumber, 21);
    EXPECT_EQ(args, (std::vector<std::string>{"DEUTSCH", "file.ign"}));

    for (const char *bad : {"0=/dev/x", "22=/dev/x", "3=", "=/dev/x", "x=/dev/y", "3/dev/x", "-1=/dev/x"}) {
        std::vector<std::string> one{"--device", bad};
        std::string why;
        takeDeviceArguments(one, &why);
        EXPECT_FALSE(why.empty()) << bad;
    }
    std::vector<std::string> missing{"--device"};
    std::string why;
    takeDeviceArguments(missing, &why);
    EXPECT_FALSE(why.empty());
}
