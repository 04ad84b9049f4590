// soak --jobs N --seed S [--trace JOB]: runs the link's soak and prints its counts; the exit code
// is 1 when any job broke a rule, 2 for a wrong command line, 3 when the counts
// could not be written.
#include "soak.h"

#include <charconv>
#include <cstdio>
#include <iostream>
#include <string_view>

namespace {

template <typename T> bool parse(std::string_view text, T &value)
{
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

} // namespace

int main(int argc, char **argv)
{
    std::uint64_t jobs = 1000;
    std::uint32_t seed = 1;
    std::uint64_t traceJob = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--jobs" && hasValue && parse(argv[i + 1], jobs)) {
            ++i;
        } else if (arg == "--seed" && hasValue && parse(argv[i + 1], seed)) {
            ++i;
        } else if (arg == "--trace" && hasValue && parse(argv[i + 1], traceJob)) {
            ++i;
        } else {
            std::fprintf(stderr, "usage: soak [--jobs N] [--seed S] [--trace JOB]\n");
            return 2;
        }
    }
    const talviro6::soak::Counts counts =
        talviro6::soak::run(jobs, seed, 20, traceJob, traceJob ? &std::cout : nullptr);
    std::cout << "seed                 " << seed << '\n' << talviro6::soak::describe(counts) << std::flush;
    if (!std::cout)
        return 3;
    return counts.violations == 0 ? 0 : 1;
}
