#pragma once

#include <QIcon>

namespace talviro6 {

// The tool bar's pictures, drawn here: the style's stock pictures cost more to load
// at start-up than the whole tool bar, and without an icon theme some are missing
// (the style offers a magnifier for a printer).

QIcon newIcon();     ///< a blank sheet
QIcon openIcon();    ///< an open folder
QIcon saveIcon();    ///< a disk
QIcon printerIcon(); ///< a printer with a sheet
QIcon undoIcon();    ///< an arrow bending back
QIcon redoIcon();    ///< the same arrow, forward

} // namespace talviro6
