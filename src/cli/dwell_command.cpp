#include "cli/dwell_command.h"

#include "cli/cli_io.h"
#include "cli/image_commands.h"
#include "recordings/recording_dwell.h"
#include "recordings/recording_reader.h"
#include "texts/kept_texts.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <iostream>
#include <limits>

namespace talviro6::cli {
namespace {

/// A number of the option `name`, whole, finite and not negative.
std::optional<double> number(const Arguments &args, std::string_view name)
{
    const auto text = args.value(name);
    if (!text)
        return std::nullopt;
    char *end = nullptr;
    errno = 0;
    const double value = std::strtod(text->c_str(), &end);
    if (text->empty() || end != text->c_str() + text->size() || errno != 0 || !std::isfinite(value) || value < 0)
        throw CliError{ExitUsage, std::string(name) + " needs a number of 0 or more, not \"" + *text + "\""};
    return value;
}

std::optional<std::int64_t> milliseconds(const std::optional<double> &seconds)
{
    if (!seconds)
        return std::nullopt;
    // Far beyond any recording, and clear of the 64-bit end.
    constexpr double Longest = 1e15;
    return static_cast<std::int64_t>(std::llround(std::min(*seconds, Longest) * 1000.0));
}

} // namespace

int runDwell(const Arguments &args)
{
    if (args.files.size() != 2)
        throw CliError{ExitUsage, "dwell takes a recording and a parameter file: dwell RECORDING.csv PARAMETERS.ign"};
    RecordingRange range{milliseconds(number(args, "--from")), milliseconds(number(args, "--to"))};
    DwellFilters filters;
    filters.maxRpmPerSecond = number(args, "--max-rpm-per-s");
    filters.maxThrottlePerSecond = number(args, "--max-tps-per-s");
    if (const auto min = number(args, "--min")) {
        if (*min != std::floor(*min) || *min > std::numeric_limits<std::uint32_t>::max())
            throw CliError{ExitUsage, "--min needs a whole number of frames"};
        filters.minCount = static_cast<std::uint32_t>(*min);
    }

    const std::string &recordingPath = args.files[0];
    const RecordingRead read = readRecording(recordingPath);
    if (read.problem == RecordingProblem::NotARegularFile)
        throw CliError{ExitUsage, recordingPath + ": not a regular file"};
    if (read.problem != RecordingProblem::None)
        throw CliError{ExitUsage, recordingPath + ": " + read.reason};
    if (read.recording.frames.empty())
        throw CliError{ExitUsage, recordingPath + ": not a recording: no lines of live data"};
    const KeptTexts texts;
    const UnitImage image = openedImage(args.files[1], texts);

    const DwellCounts counts = countRecording(read.recording.frames, image, range, filters);
    // The minimum count is the window's shading filter; the numbers are printed all
    // the same, so that the table on screen and this one always agree.
    for (const auto &row : dwellTable(counts, image, "servo rpm", "servo")) {
        for (std::size_t i = 0; i < row.size(); ++i)
            std::cout << (i ? "\t" : "") << row[i];
        std::cout << '\n';
    }
    checkStdout();
    std::cerr << counts.framesCounted << " frames counted, " << counts.transientsLeftOut << " left out as transients, "
              << counts.framesInRange << " in range\n";
    return ExitOk;
}

} // namespace talviro6::cli
