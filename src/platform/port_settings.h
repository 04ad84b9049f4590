#pragma once

#include "platform/port_map.h"

#include <vector>

namespace talviro6 {

class ProfileFile;

/// Section and keys of the explicit mapping in the settings file:
/// [PORTS] COM1=/dev/ttyUSB0 ... COM21=...; a missing or empty key keeps the rule.
inline constexpr const char *PortsSection = "PORTS";

/// Reads the explicit mappings of the settings file into the map.
void loadPortMappings(const ProfileFile &settings, PortMap &map);

/// `--device N=PATH` of this run over what the settings file said.
void applyDeviceMappings(const std::vector<DeviceMapping> &mappings, PortMap &map);

} // namespace talviro6
