#pragma once

#include <string>
#include <vector>

namespace talviro6::cli {

/// `read --port DEV -o FILE.ign`: read the unit (then the automatic verify) and save it.
int runRead(const std::vector<std::string> &args);
/// `program --port DEV FILE.ign`: program the file's parameters, then the automatic verify.
int runProgram(const std::vector<std::string> &args);
/// `verify --port DEV FILE.ign`: compare the unit with the file's parameters.
int runVerify(const std::vector<std::string> &args);
/// `monitor --port DEV [--seconds N]`: one CSV line per accepted live frame.
int runMonitor(const std::vector<std::string> &args);

} // namespace talviro6::cli
