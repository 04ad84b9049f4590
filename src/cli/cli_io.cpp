#include "cli/cli_io.h"

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
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        throw CliError{ExitUsage, path + ": is a directory"};
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw CliError{ExitUsage, path + ": cannot open: " + std::strerror(errno)};
    return in;
}

void checkRead(const std::ifstream &in, const std::string &path)
{
    if (in.bad())
        throw CliError{ExitUsage, path + ": read error"};
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
