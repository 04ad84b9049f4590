#include "cli/cli_io.h"

#include "files/open_for_reading.h"
#include "files/parameter_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace talviro6::cli {

std::ifstream openForReading(const std::string &path)
{
    std::ifstream in;
    if (const std::string error = talviro6::openForReading(path, in); !error.empty())
        throw CliError{ExitUsage, error};
    return in;
}

void checkRead(const std::ifstream &in, const std::string &path)
{
    if (in.bad())
        throw CliError{ExitUsage, readErrorText(path)};
}

void warnOfMissingValues(const std::string &path, int version, int valuesMissing)
{
    if (version == ParameterFileVersion && valuesMissing > 0)
        std::cerr << path << ": " << valuesMissing << " of the " << ParameterFileValueCount
                  << " values are not in the file; they keep the values they had before it\n";
}

void checkStdout()
{
    errno = 0;
    std::cout.flush();
    if (!std::cout) {
        const int error = errno;
        throw CliError{ExitUsage, std::string("standard output: cannot write") +
                                      (error != 0 ? std::string(": ") + std::strerror(error) : std::string())};
    }
}

void binaryStdout()
{
#ifdef _WIN32
    _setmode(_fileno(stdout), _O_BINARY);
#endif
}

} // namespace talviro6::cli
