#pragma once

#include <fstream>
#include <string>

namespace talviro6::cli {

/// Exit codes of talviro6-cli; scripts outside the project rely on them.
enum ExitCode : int {
    ExitOk = 0,
    ExitNotAccepted = 1, ///< some parameter file had no accepted version
    ExitUsage = 2,       ///< bad usage or an unreadable file
    // The jobs on the unit (read, program, verify, monitor):
    ExitPortOpen = 3,        ///< the serial port cannot be opened
    ExitUnitSilent = 4,      ///< the port opened, but no unit answered at all
    ExitTransferError = 5,   ///< the unit answered, but a block failed five sendings
    ExitVersionMismatch = 6, ///< the unit's firmware speaks another protocol version
};

/// Thrown for anything that ends the command with a one-line error.
struct CliError {
    int exitCode;
    std::string message;
};

/// Opens a file for binary reading or throws a CliError (exit 2) that says why.
std::ifstream openForReading(const std::string &path);

/// After a stream has been read to its end: throws when reading failed midway.
void checkRead(const std::ifstream &in, const std::string &path);

/// Standard output in binary mode, so CRLF line ends reach it unchanged everywhere.
void binaryStdout();

} // namespace talviro6::cli
