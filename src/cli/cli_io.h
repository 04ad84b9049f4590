#pragma once

#include <fstream>
#include <string>

namespace talviro6::cli {

/// Exit codes of talviro6-cli; scripts outside the project rely on them.
enum ExitCode : int {
    ExitOk = 0,
    ExitNotAccepted = 1, ///< some parameter file had no accepted version
    ExitDifferent = 1,   ///< diff: the two parameter sets differ
    ExitWarnings = 1,    ///< check: some warning holds
    ExitUsage = 2,       ///< bad usage, a file that cannot be read, or output that cannot be written
    // The jobs on the unit (read, program, verify, monitor):
    ExitPortOpen = 3,        ///< the serial port cannot be opened
    ExitUnitSilent = 4,      ///< the port opened, but no unit answered at all
    ExitTransferError = 5,   ///< a block failed five sendings, or answers came but none was valid
    ExitVersionMismatch = 6, ///< the unit's firmware speaks another protocol version
    /// Programmed and verified, but no live frame reported within 10 s that the
    /// unit finished storing: it may not keep what it was sent.
    ExitStoringUnconfirmed = 7,
    // A job ended by a signal, numbered as a shell numbers a process killed by it.
    ExitHangUp = 129,      ///< SIGHUP: the terminal it ran in was closed
    ExitInterrupted = 130, ///< SIGINT
    ExitTerminated = 143,  ///< SIGTERM
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

/// Says on standard error how many values a parameter file of the current version
/// did not hold (a file cut short or lacking key words), which kept the values they
/// had before it. Older versions say so in their own message already.
void warnOfMissingValues(const std::string &path, int version, int valuesMissing);

/// Standard output in binary mode, so CRLF line ends reach it unchanged everywhere.
void binaryStdout();

/// Flushes standard output and throws a CliError (exit 2) when anything written to
/// it did not arrive (a full disk, a closed pipe).
void checkStdout();

} // namespace talviro6::cli
