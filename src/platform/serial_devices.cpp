#include "platform/serial_devices.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>

namespace talviro6 {
namespace {

bool hasUart(const std::string &name)
{
    std::ifstream type("/sys/class/tty/" + name + "/type");
    int value = 0;
    return type >> value && value != 0;
}

std::vector<std::string> listSerialDevices()
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

} // namespace

std::vector<std::string> presentSerialDevicesPosix()
{
    // Listing /dev and asking /sys about each ttyS took some 130 us, at every tick
    // of the automatic search. A device coming or going changes the folder's time;
    // the listing is taken again then, and at least once a second in case a change
    // fell within the clock step of the one before.
    struct Listing {
        std::filesystem::file_time_type folderTime;
        std::chrono::steady_clock::time_point taken;
        std::vector<std::string> devices;
    };
    static std::optional<Listing> last;
    constexpr auto LongestKept = std::chrono::seconds(1);
    std::error_code ec;
    const auto folderTime = std::filesystem::last_write_time("/dev", ec);
    const auto now = std::chrono::steady_clock::now();
    if (ec || !last || last->folderTime != folderTime || now - last->taken >= LongestKept)
        last = Listing{folderTime, now, listSerialDevices()};
    return last->devices;
}

} // namespace talviro6
