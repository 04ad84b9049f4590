// The link under faults: many program, verify and read jobs of random kind against
// the simulated unit in this process, each with a random mix of line faults, and
// after every job the checks of what a job may leave behind. Seeded: one seed gives
// the same jobs, faults and results on every run and every standard library.
#pragma once

#include "link/link_engine.h"

#include <array>
#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

namespace talviro6::soak {

/// What a job can be given besides a clean line: the simulated unit's named faults,
/// in their order, then a live frame put on the line in the middle of the job.
inline constexpr int TroubleKinds = 8;
inline constexpr int LiveFrameTrouble = 7;
const char *troubleName(int kind);

/// Blocks a job moves: a program or a read takes the header and the three parameter
/// blocks, then verifies those three (7); a verify moves three.
constexpr int jobBlocks(Transfer job)
{
    return job == Transfer::Verify ? 3 : 7;
}

/// The first sending waits until SendTicks reaches RepeatTicks: at most 4 ticks
/// after the start, since a job start does not reset SendTicks.
inline constexpr int StartSlackTicks = LinkEngine::RepeatTicks;

/// Ticks from a block's first sending until the next block's first sending or the
/// job's failure: repeats every 4 ticks, the fifth sending followed by 4 silent
/// ticks, 5 x 4 = 20. An answer taken in on the failing tick itself still counts,
/// because the receive step runs before the supervision.
inline constexpr int BlockTickBound = LinkEngine::MaxSendings * LinkEngine::RepeatTicks;

/// The longest a job may run, in ticks: 4 + 7 x 5 x 4 = 144 (7.9 s) for a program
/// or a read, 4 + 3 x 5 x 4 = 64 (3.5 s) for a verify.
constexpr int jobTickBound(Transfer job)
{
    return StartSlackTicks + jobBlocks(job) * BlockTickBound;
}
inline constexpr int JobTickBound = jobTickBound(Transfer::Program);
static_assert(JobTickBound == 144);

struct Counts {
    std::uint64_t jobs = 0;
    std::array<std::uint64_t, 4> jobsOfKind{}; ///< by Transfer: -, program, verify, read
    std::uint64_t faultsInjected = 0;          ///< fault rules given to the unit plus live frames put on the line
    std::array<std::uint64_t, TroubleKinds> faultsOfKind{};
    std::uint64_t ok = 0;                ///< ended with ": OK" and left unit and tool as the job promises
    std::uint64_t okWithCorrections = 0; ///< of these, reads whose values validation corrected
    std::uint64_t failedAsExpected = 0;  ///< red text of the failing phase, the tool's area as it was
    std::uint64_t versionMismatches = 0; ///< stopped at the header, nothing changed
    std::uint64_t violations = 0;        ///< jobs that broke at least one rule
    std::uint64_t ticks = 0;             ///< every tick run, jobs and the idle ticks between them
    int longestJobTicks = 0;
    std::vector<std::string> notes; ///< the first violations, each with its job number
};

/// Runs `jobs` jobs from `seed`; keeps the text of at most `keepNotes` violations.
/// With `trace`, job number `traceJob` is told there tick by tick: its plan, and
/// the engine's counters and the frames on the line after every tick.
Counts run(std::uint64_t jobs, std::uint32_t seed, std::size_t keepNotes = 20, std::uint64_t traceJob = 0,
           std::ostream *trace = nullptr);

/// The counts as lines of text, for a person reading a log.
std::string describe(const Counts &counts);

} // namespace talviro6::soak
