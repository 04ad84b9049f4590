#include "platform/serial_devices.h"

#include <filesystem>
#include <fstream>

namespace talviro6 {
namespace {

bool hasUart(const std::string &name)
{
    std::ifstream type("/sys/class/tty/" + name + "/type");
    int value = 0;
    return type >> value && value != 0;
}

} // namespace

std::vector<std::string> presentSerialDevicesPosix()
{
    std::vector<std::string> devices;
    std::error_code ec;
    for (const auto &entry : std::filesystem::directory_iterator("/dev", ec)) {
        const std::string name = entry.path().filename().string();
        const bool usb = name.starts_with("ttyUSB") || name.starts_with("ttyACM") || name.starts_with("cu.usb");
        if (usb || name.starts_with("ttyAMA") || (name.starts_with("ttyS") && hasUart(name)))
            devices.push_back(entry.path().string());
    }
    return devices;
}

} // namespace talviro6
