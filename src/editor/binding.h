#pragma once

namespace talviro6 {

struct Controls;
struct UnitImage;

/// Every control into the image, field by field, through the conversions.
/// Outside test mode the compensations are forced to 11: only a test bench may
/// change them, whatever a unit or a file put there.
void readBackControls(const Controls &c, UnitImage &image, bool testEnable);

/// The image into every control. A value outside a control's range shows at the
/// nearer end, and the next read back stores what is shown.
void refreshControls(Controls &c, const UnitImage &image);

inline constexpr int FixedCompensation = 11;

} // namespace talviro6
