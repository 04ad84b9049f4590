#include "editor/form_hlav.h"

// The advance curves and the servo curve as charts.

namespace talviro6 {

void FormHlav::MenuChartsClick() {}

} // namespace talviro6
