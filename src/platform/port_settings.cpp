#include "platform/port_settings.h"

#include "files/profile_file.h"

namespace talviro6 {

void loadPortMappings(const ProfileFile &settings, PortMap &map)
{
    for (int n = FirstPortNumber; n <= LastPortNumber; ++n) {
        const std::string path = settings.readString(PortsSection, "COM" + std::to_string(n), {});
        if (!path.empty())
            map.setExplicit(n, path);
    }
}

void applyDeviceMappings(const std::vector<DeviceMapping> &mappings, PortMap &map)
{
    for (const DeviceMapping &m : mappings)
        map.setExplicit(m.portNumber, m.path);
}

} // namespace talviro6
