#pragma once

#include "cli/arguments.h"
#include "model/unit_image.h"

#include <string>

namespace talviro6 {
class KeptTexts;
}

namespace talviro6::cli {

/// The image the window holds after opening `path` at start; a file without an
/// accepted version is a CliError (bad usage).
UnitImage openedImage(const std::string &path, const KeptTexts &texts);

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
