#include "platform/port_settings.h"

#include <QSettings>

namespace talviro6 {

void loadPortMappings(QSettings &settings, PortMap &map)
{
    settings.beginGroup(PortsSection);
    for (int n = FirstPortNumber; n <= LastPortNumber; ++n) {
        const QString path = settings.value(QStringLiteral("COM%1").arg(n)).toString().trimmed();
        if (!path.isEmpty())
            map.setExplicit(n, path.toStdString());
    }
    settings.endGroup();
}

void savePortMappings(QSettings &settings, const PortMap &map)
{
    settings.beginGroup(PortsSection);
    for (int n = FirstPortNumber; n <= LastPortNumber; ++n) {
        const std::string &path = map.explicitPath(n);
        if (path.empty())
            settings.remove(QStringLiteral("COM%1").arg(n));
        else
            settings.setValue(QStringLiteral("COM%1").arg(n), QString::fromStdString(path));
    }
    settings.endGroup();
}

void applyDeviceMappings(const std::vector<DeviceMapping> &mappings, PortMap &map)
{
    for (const DeviceMapping &m : mappings)
        map.setExplicit(m.portNumber, m.path);
}

} // namespace talviro6
