#pragma once

#include "cli/arguments.h"

namespace talviro6::cli {

/// `dwell RECORDING.csv PARAMETERS.ign [--from S --to S] [--min N] [--max-rpm-per-s R]
/// [--max-tps-per-s P]`: prints the frames of the recording per advance map cell and
/// servo point, tab-separated. Returns the exit code.
int runDwell(const Arguments &args);

} // namespace talviro6::cli
