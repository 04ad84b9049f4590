#pragma once

#include "cli/arguments.h"

namespace talviro6::cli {

/// `image [--from-dump DUMP] [FILE.ign ...]`: prints the resulting parameter area
/// in the start-up image format. Returns the exit code.
int runImage(const Arguments &args);

/// `ign [--from-dump DUMP]`: prints the parameter file Save would write.
int runIgn(const Arguments &args);

/// `diff A.ign B.ign`: prints the fields the two files set differently, one a line.
int runDiff(const Arguments &args);

/// `check FILE.ign [--unit UNIT.ign]`: prints the warnings on risky values the file
/// raises, one a line in English; with UNIT.ign standing for the unit's known set
/// also those that compare with the unit.
int runCheck(const Arguments &args);

} // namespace talviro6::cli
