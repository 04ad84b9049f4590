#pragma once

#include <QIcon>

namespace talviro6 {

/// The program's icon in the sizes rendered from its SVG at build time, carried in
/// the program's resources; set as the application's icon, the window and every
/// dialog show it.
QIcon programIcon();

} // namespace talviro6
