// What every reader makes of a stream that fails midway, and of paths that lead
// to no readable file: never an exception, always an outcome the caller can tell.
#include "../support/failing_streambuf.h"
#include "files/open_for_reading.h"
#include "files/parameter_file.h"
#include "files/profile_file.h"
#include "files/startup_image_file.h"
#include "files/token_reader.h"
#include "model/unit_image.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include <unistd.h>

using namespace talviro6;
using talviro6::testing::FailingStreambuf;

// The standard file buffer throws when read() fails; every reader must come back
// with the stream marked bad instead of letting that end the program.
TEST(ReadErrors, EveryReaderMarksTheStreamBadInsteadOfThrowing)
{
    const struct {
        const char *reader;
        std::function<void(std::istream &)> read;
        std::string content = "KORVALEN_KEY 76\r\nBIKE 1 2 3 DIAG_";
    } rows[] = {
        {"tokens",
         [](std::istream &in) {
             TokenReader tokens(in);
             Token token;
             while (tokens.next(token)) {
             }
         }},
        {"parameter file",
         [](std::istream &in) {
             UnitImage image;
             ParameterFileReport report;
             readParameterFile(in, image, {}, &report);
         }},
        {"start-up image",
         [](std::istream &in) {
             UnitImage image;
             readStartupImage(in, image);
         },
         "1 2 3 4"},
        {"settings", [](std::istream &in) { EXPECT_FALSE(ProfileFile().read(in)) << "not read as a settings file"; }},
        {"test-enable file", [](std::istream &in) { EXPECT_FALSE(containsAccessWord(in)); }},
    };
    for (const auto &row : rows) {
        FailingStreambuf buffer(row.content);
        std::istream in(&buffer);
        EXPECT_NO_THROW(row.read(in)) << row.reader;
        EXPECT_TRUE(in.bad()) << row.reader;
    }
}

// Paths that would hang a reader (a device that never ends), blow up its memory, or
// open and then fail at the first read are refused before reading, with the reason.
TEST(ReadErrors, OnlyARegularFileOfSensibleSizeIsOpened)
{
    const auto folder = std::filesystem::temp_directory_path() / ("talviro6_open_" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const auto small = folder / "small.ign";
    std::ofstream(small) << "KORVALEN_KEY 76";
    const auto huge = folder / "huge.ign";
    {
        std::ofstream out(huge);
    }
    std::filesystem::resize_file(huge, MaxReadBytes + 1); // sparse: no disk taken

    const struct {
        std::filesystem::path path;
        const char *says; ///< empty: it opens
    } rows[] = {
        {small, ""},
        {folder, ": is a folder, not a file"},
#ifndef _WIN32 // a device file that can be opened by a path: none on Windows
        {"/dev/zero", ": is not a regular file"},
#endif
        {huge, ": is larger than 64 MiB: no file of this tool is"},
        {folder / "missing.ign", ": No such file or directory"},
    };
    for (const auto &row : rows) {
        std::ifstream in;
        const std::string error = openForReading(row.path, in);
        if (*row.says == '\0') {
            EXPECT_EQ(error, "") << row.path;
            EXPECT_TRUE(in.is_open());
        } else {
            EXPECT_EQ(error, row.path.string() + row.says);
            EXPECT_FALSE(in.is_open()) << row.path;
        }
    }
    std::filesystem::remove_all(folder);
}

// A file the system lists as regular that fails at its first read.
TEST(ReadErrors, AFileThatFailsAtItsFirstReadLeavesTheStreamBad)
{
    std::ifstream in;
    ASSERT_EQ(openForReading("/proc/self/mem", in), "");
    UnitImage image;
    EXPECT_NO_THROW(readParameterFile(in, image, {}));
    EXPECT_TRUE(in.bad());
}
