#pragma once

#include <QString>

namespace talviro6 {

class FormHlav;

/// Lets the window run for a while against the unit (reading it first), then writes
/// one PNG per page (page-1-TabSheetRuzne.png ...), one of the whole window, of the
/// About window and of the Compare window after two edits into `dir`, and quits.
/// For the documentation and for looking at the layout under a virtual display.
void takeScreenshotsLater(FormHlav &window, const QString &dir);

} // namespace talviro6
