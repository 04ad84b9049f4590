#include "app/program_icon.h"

namespace talviro6 {

QIcon programIcon()
{
    QIcon icon;
    for (const int size : {48, 128, 256})
        icon.addFile(QStringLiteral(":/icons/%1x%1/org.talviro6.Programmer.png").arg(size), QSize(size, size));
    return icon;
}

} // namespace talviro6
