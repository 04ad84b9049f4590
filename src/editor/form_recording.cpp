#include "editor/form_hlav.h"

// Recording the live data to a file, and playing a recording back.

namespace talviro6 {

void FormHlav::MenuRecordClick() {}

void FormHlav::MenuReplayClick() {}

} // namespace talviro6
