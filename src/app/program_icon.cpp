#include "app/program_icon.h"

namespace talviro6 {

QIcon programIcon()
{
    // Not the 256 px picture: X11 takes every size of a window's icon into a window
    // property when the window is made, and that one alone cost milliseconds of the
    // start. Desktops take their large sizes from the installed icon theme.
    QIcon icon;
    for (const int size : {48, 128})
        icon.addFile(QStringLiteral(":/icons/%1x%1/org.talviro6.Programmer.png").arg(size), QSize(size, size));
    return icon;
}

} // namespace talviro6
