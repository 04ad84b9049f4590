#pragma once

// Golden files: a table written out as text and compared byte for byte with a file
// kept beside the tests, so that a change to the table shows as a diff in review
// rather than passing unnoticed (or being typed a second time into a test).
//
// A deliberate change is made by writing the files again and reviewing the diff:
//   TALVIRO6_WRITE_GOLDEN=1 ctest --test-dir build -R '<test>'
//   git diff tests/

#include "files/atomic_write.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

namespace talviro6::golden {

inline bool writing()
{
    const char *value = std::getenv("TALVIRO6_WRITE_GOLDEN");
    return value != nullptr && *value != '\0' && std::string(value) != "0";
}

/// Empty when `actual` equals the file byte for byte; else where they part: the
/// first differing line of each (line numbers from 1), or which one ends first.
inline std::string firstDifference(const std::string &expected, const std::string &actual)
{
    std::istringstream e(expected), a(actual);
    std::string el, al;
    for (int line = 1;; ++line) {
        const bool he = static_cast<bool>(std::getline(e, el));
        const bool ha = static_cast<bool>(std::getline(a, al));
        if (!he && !ha)
            return expected == actual ? std::string() : "the files differ in their last line's end";
        if (!he)
            return "line " + std::to_string(line) + ": the golden file ends; the table goes on with\n  " + al;
        if (!ha)
            return "line " + std::to_string(line) + ": the table ends; the golden file goes on with\n  " + el;
        if (el != al)
            return "line " + std::to_string(line) + ":\n  golden: " + el + "\n  table:  " + al;
    }
}

/// Checks `actual` against the golden file at `path`, or with TALVIRO6_WRITE_GOLDEN
/// set writes it there (and skips, so that a run that writes never passes as a check).
inline void expectMatches(const std::string &path, const std::string &actual)
{
    if (writing()) {
        const std::string error = writeFileAtomically(path, [&](std::ostream &out) { out << actual; });
        ASSERT_EQ(error, "");
        GTEST_SKIP() << "wrote " << path << "; review the diff before committing it";
    }
    std::ifstream in(path, std::ios::binary);
    ASSERT_TRUE(in.is_open()) << "no golden file " << path << " (TALVIRO6_WRITE_GOLDEN=1 writes it)";
    const std::string expected{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    ASSERT_FALSE(in.bad()) << "could not read " << path;
    const std::string difference = firstDifference(expected, actual);
    if (!difference.empty())
        ADD_FAILURE() << "the table is not as " << path << " says, at " << difference
                      << "\n(if the change is meant, TALVIRO6_WRITE_GOLDEN=1 writes the file again)";
}

} // namespace talviro6::golden
