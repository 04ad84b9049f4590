#pragma once

#include <QString>

class QWidget;

namespace talviro6 {

struct Controls;
struct UnitImage;

/// What the control states depend on besides the image and the controls themselves.
struct ControlStateInputs {
    bool testEnable = false; ///< test mode: the compensations and test read-outs show
    bool printMode = false;  ///< the window is being printed: no arrows, no tool bar
    QString unitName;        ///< firmware of the unit, empty until a header arrived
    QString unitDate;
    QString unitTime;
};

/// Visibility, enabled state, a few colours, the place of the last map row and the
/// unit-identification texts. Changes no image byte; it does tick the fixed cell
/// patterns of power-output modes 2 and 3, which the next read back stores.
void updateControlStates(Controls &c, QWidget *window, const UnitImage &image, const ControlStateInputs &in);

/// y of advance-map row r inside its group box; the last row moves into row 0's
/// place when the throttle map is off.
int mapRowY(int row);

} // namespace talviro6
