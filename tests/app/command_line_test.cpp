// The window's command line, on the real program: what it prints and how it ends,
// without a display.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>
#include <sys/wait.h>

namespace {

struct Outcome {
    int exitCode;
    std::string out; ///< standard output and error together
};

Outcome run(const std::string &arguments)
{
    // No display at all: these answers must not need one.
    const std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM= " + std::string(TALVIRO6_WINDOW) +
                                " " + arguments + " 2>&1";
    FILE *pipe = popen(command.c_str(), "r");
    if (!pipe)
        return {-1, {}};
    std::string out;
    std::array<char, 4096> buffer{};
    while (const std::size_t n = fread(buffer.data(), 1, buffer.size(), pipe))
        out.append(buffer.data(), n);
    const int status = pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out};
}

TEST(WindowCommandLine, HelpVersionAndBadOptions)
{
    const Outcome help = run("--help");
    EXPECT_EQ(help.exitCode, 0);
    for (const char *expected :
         {"Usage: talviro6 [options]", "--simulate", "--device", "--print-to-pdf", "LANGUAGE", "FILE.ign"})
        EXPECT_NE(help.out.find(expected), std::string::npos) << expected << " in\n" << help.out;

    const Outcome version = run("--version");
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out.rfind("76\nbuilt ", 0), 0u) << version.out;

    for (const char *bad : {"--bogus", "--device", "--device 99=/dev/x", "ENGLISH a.ign b.ign"}) {
        const Outcome r = run(bad);
        EXPECT_EQ(r.exitCode, 2) << bad;
        EXPECT_EQ(r.out.rfind("talviro6: ", 0), 0u) << bad << ": " << r.out;
    }
}

} // namespace
