#pragma once

#include <QString>

namespace talviro6 {

class FormHlav;

/// Lets the window run for a while against the unit, then writes one PNG per page
/// (page-1-Miscellaneous.png ...) and one of the whole window into `dir`, and quits.
/// For the documentation and for looking at the layout under a virtual display.
void takeScreenshotsLater(FormHlav &window, const QString &dir);

} // namespace talviro6
