#pragma once

#include <string>

namespace talviro6 {

/// When this program was built: "Mar 13 2008" and "15:21:50". Fixed by the
/// compiler, not read from the clock.
std::string buildDate();
std::string buildTime();

} // namespace talviro6
