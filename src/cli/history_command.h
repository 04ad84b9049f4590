#pragma once

#include "cli/arguments.h"

namespace talviro6::cli {

/// What the unit column says for snapshots saved without a record of their unit;
/// `--unit` takes it too.
inline constexpr const char *UnknownUnit = "unknown unit";

/// `history [--unit ID] [--folder DIR]`: prints the snapshots, one a line,
/// tab-separated: unit, date, job, count, label, note, file. Returns the exit code.
int runHistory(const Arguments &args);

} // namespace talviro6::cli
