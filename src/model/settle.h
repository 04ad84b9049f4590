#pragma once

namespace talviro6 {

struct UnitImage;

/// Brings the image to exactly what the editor's controls hold for it, so that the
/// next read back of the controls changes nothing the tuner did not change: each
/// field as its control shows it (within the control's range, a flag as 0 or 1, a
/// list item as the list stores it), the compensations at their fixed value outside
/// test mode, and the power-output cells the modes fix, without the bits no check
/// box shows. Runs after validation wherever values enter the editor; validation
/// leaves a settled image alone.
void settleToControls(UnitImage &image, bool testEnable);

} // namespace talviro6
