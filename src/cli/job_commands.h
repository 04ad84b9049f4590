#pragma once

#include "cli/arguments.h"

namespace talviro6::cli {

/// `read --port DEV -o FILE.ign`: read the unit (then the automatic verify) and save it.
int runRead(const Arguments &args);
/// `program --port DEV FILE.ign`: program the file's parameters, then the automatic verify.
int runProgram(const Arguments &args);
/// `verify --port DEV FILE.ign`: compare the unit with the file's parameters.
int runVerify(const Arguments &args);
/// `monitor --port DEV [--seconds N]`: one CSV line per accepted live frame.
int runMonitor(const Arguments &args);

} // namespace talviro6::cli
