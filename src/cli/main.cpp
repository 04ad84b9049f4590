#include "cli/cli_io.h"
#include "cli/image_commands.h"

#include <iostream>
#include <string>
#include <vector>

namespace {

constexpr const char *Usage = R"(usage: talviro6-cli COMMAND [ARGS]

Commands:
  image [--from-dump DUMP] [FILE.ign ...]
      Start from the parameter set the tool starts with (defaults, preset of the
      classic motorcycle, validated). With --from-dump, read DUMP (start-up image
      format: up to 300 numbers) over it and validate again. Then read each
      FILE.ign in order, validating after every accepted file. Print the 300
      bytes in the start-up image format (CRLF line ends).
  ign [--from-dump DUMP]
      The same start, then print the parameter file exactly as Save writes it.
  --help
      This text.

--from-dump DUMP, when given, comes directly after the command word.
Messages go to standard error, one per line, in English.

Exit codes: 0 success; 1 some file had no accepted version (the output is still
printed); 2 bad usage or a file that cannot be read (nothing is printed).
)";

} // namespace

int main(int argc, char **argv)
{
    using namespace talviro6::cli;
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        std::cerr << "talviro6-cli: no command; try talviro6-cli --help\n";
        return ExitUsage;
    }
    const std::string command = args.front();
    args.erase(args.begin());
    try {
        if (command == "--help" || command == "-h" || command == "help") {
            std::cout << Usage;
            return ExitOk;
        }
        if (command == "image")
            return runImage(args);
        if (command == "ign")
            return runIgn(args);
        throw CliError{ExitUsage, "unknown command " + command + "; try talviro6-cli --help"};
    } catch (const CliError &error) {
        std::cerr << "talviro6-cli: " << error.message << '\n';
        return error.exitCode;
    }
}
