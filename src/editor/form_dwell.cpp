#include "editor/form_hlav.h"

// Where the engine ran: the map and the servo curve shaded by the time spent there.

namespace talviro6 {

void FormHlav::MenuDwellClick() {}

void FormHlav::MenuDwellResetClick() {}

} // namespace talviro6
