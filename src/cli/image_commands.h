#pragma once

#include <string>
#include <vector>

namespace talviro6::cli {

/// `image [--from-dump DUMP] [FILE.ign ...]`: prints the resulting parameter area
/// in the start-up image format. Returns the exit code.
int runImage(const std::vector<std::string> &args);

/// `ign [--from-dump DUMP]`: prints the parameter file Save would write.
int runIgn(const std::vector<std::string> &args);

/// `diff A.ign B.ign`: prints the fields the two files set differently, one a line.
int runDiff(const std::vector<std::string> &args);

} // namespace talviro6::cli
