#include "platform/port_map.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace talviro6 {
namespace {

bool isUsbAdapter(std::string_view path)
{
    const std::string_view name = path.substr(path.rfind('/') == std::string_view::npos ? 0 : path.rfind('/') + 1);
    return name.starts_with("ttyUSB") || name.starts_with("ttyACM") || name.starts_with("cu.usb") ||
           name.starts_with("tty.usb");
}

/// Names compared piecewise, runs of digits by value.
bool naturalLess(std::string_view a, std::string_view b)
{
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        const bool da = std::isdigit(static_cast<unsigned char>(a[i])) != 0;
        const bool db = std::isdigit(static_cast<unsigned char>(b[j])) != 0;
        if (da && db) {
            std::size_t ie = i, je = j;
            while (ie < a.size() && std::isdigit(static_cast<unsigned char>(a[ie])))
                ++ie;
            while (je < b.size() && std::isdigit(static_cast<unsigned char>(b[je])))
                ++je;
            std::string_view na = a.substr(i, ie - i), nb = b.substr(j, je - j);
            while (na.size() > 1 && na.front() == '0')
                na.remove_prefix(1);
            while (nb.size() > 1 && nb.front() == '0')
                nb.remove_prefix(1);
            if (na.size() != nb.size())
                return na.size() < nb.size();
            if (na != nb)
                return na < nb;
            i = ie;
            j = je;
        } else {
            if (a[i] != b[j])
                return a[i] < b[j];
            ++i;
            ++j;
        }
    }
    return a.size() - i < b.size() - j;
}

bool validNumber(int n)
{
    return n >= FirstPortNumber && n <= LastPortNumber;
}

} // namespace

void PortMap::setExplicit(int portNumber, std::string path)
{
    if (validNumber(portNumber))
        m_explicit[static_cast<std::size_t>(portNumber - 1)] = std::move(path);
}

const std::string &PortMap::explicitPath(int portNumber) const
{
    static const std::string none;
    return validNumber(portNumber) ? m_explicit[static_cast<std::size_t>(portNumber - 1)] : none;
}

bool PortMap::needsPresentDevices(int portNumber) const
{
    return validNumber(portNumber) && explicitPath(portNumber).empty();
}

std::string PortMap::deviceFor(int portNumber, const std::vector<std::string> &present) const
{
    if (!validNumber(portNumber))
        return {};
    if (!explicitPath(portNumber).empty())
        return explicitPath(portNumber);
    const std::vector<std::string> ordered = orderSerialDevices(present);
    const auto k = static_cast<std::size_t>(portNumber - 1);
    return k < ordered.size() ? ordered[k] : std::string();
}

std::vector<std::string> orderSerialDevices(std::vector<std::string> paths)
{
    std::sort(paths.begin(), paths.end(), [](const std::string &a, const std::string &b) {
        const bool ua = isUsbAdapter(a), ub = isUsbAdapter(b);
        if (ua != ub)
            return ua;
        return naturalLess(a, b);
    });
    paths.erase(std::unique(paths.begin(), paths.end()), paths.end());
    return paths;
}

std::optional<DeviceMapping> parseDeviceMapping(std::string_view text)
{
    const std::size_t eq = text.find('=');
    if (eq == std::string_view::npos || eq == 0 || eq + 1 >= text.size())
        return std::nullopt;
    int n = 0;
    const auto number = text.substr(0, eq);
    const auto result = std::from_chars(number.data(), number.data() + number.size(), n);
    if (result.ec != std::errc() || result.ptr != number.data() + number.size() || !validNumber(n))
        return std::nullopt;
    return DeviceMapping{n, std::string(text.substr(eq + 1))};
}

std::vector<DeviceMapping> takeDeviceArguments(std::vector<std::string> &args, std::string *error)
{
    std::vector<DeviceMapping> mappings;
    std::vector<std::string> rest;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string_view value;
        if (args[i] == "--device") {
            if (i + 1 >= args.size()) {
                if (error)
                    *error = "--device needs N=PATH";
                return mappings;
            }
            value = args[++i];
        } else if (args[i].starts_with("--device=")) {
            value = std::string_view(args[i]).substr(9);
        } else {
            rest.push_back(args[i]);
            continue;
        }
        const auto mapping = parseDeviceMapping(value);
        if (!mapping) {
            if (error)
                *error = "--device " + std::string(value) + ": expected N=PATH with N from 1 to 21";
            return mappings;
        }
        mappings.push_back(*mapping);
    }
    args = std::move(rest);
    return mappings;
}

} // namespace talviro6
