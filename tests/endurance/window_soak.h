// A long run of the whole window against the simulated unit in this process, with
// time moved by hand: live data every poll, and page changes, jobs, edits, undo and
// redo, language switches, printing, saving and opening, and the unit unplugged for
// a while, each at its own period. Samples the process's resident memory, its heap
// and the window's objects as it goes. Shared by the short test and the 8-hour
// benchmark program.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace talviro6::endurance {

/// 8 hours of 55 ms ticks, the last one begun.
inline constexpr std::int64_t EightHourTicks = (8LL * 3600 * 1000 + 54) / 55;
static_assert(EightHourTicks == 523'637);

/// Periods in ticks of what happens besides the live data; every one of them has
/// happened at least once by WarmUpTicks.
struct Schedule {
    int edit = 500;       ///< a map cell one step up or down, through its spinner
    int page = 900;       ///< the next page in PageCycle
    int undoRedo = 700;   ///< undo, then redo
    int job = 1'500;      ///< program (followed by a verify) and read in turn
    int language = 2'300; ///< the next of the four languages
    int unplug = 3'100;   ///< the unit answers nothing for 12 requests (about 70 ticks): banner, reopening
    int print = 4'100;    ///< the page shown, to a printer that keeps nothing
    int saveOpen = 5'300; ///< save to a file, then open it again
};
inline constexpr std::int64_t WarmUpTicks = 8'000;

/// The pages shown in turn: every other one is the advance map, which a tuner
/// watches while the engine runs, its operating point moving with every live frame.
inline constexpr int PageCycle[] = {2, 3, 2, 0, 2, 1, 2, 4};

/// The process's resident memory now, kB (VmRSS of /proc/self/status); 0 if unknown.
long residentKb();

/// Bytes the program holds from malloc now, kB (glibc's count, in use: not what the
/// allocator keeps for reuse); 0 where unknown.
long heapInUseKb();

struct Sample {
    std::int64_t tick = 0;
    long rssKb = 0;
    long heapKb = 0;       ///< heapInUseKb
    int windowObjects = 0; ///< QObjects under the main window
    int allWidgets = 0;    ///< every widget of the application, windows and pop-ups included
};

struct Counts {
    int edits = 0;
    int pageChanges = 0;
    int undoRedos = 0;
    int jobs = 0;
    int jobsVerified = 0;
    int jobsFailed = 0; ///< those that ran into an unplugging: the link's own failure path
    int languageSwitches = 0;
    int unpluggings = 0;
    int prints = 0;
    int saveOpens = 0;
    int boxes = 0; ///< message boxes the window showed (none expected)
    std::uint32_t monitorFrames = 0;
};

struct Report {
    std::vector<Sample> samples;
    Sample warm; ///< the sample at the end of the warm-up, the level later ones are held to
    Sample last;
    Sample laterMax;   ///< the largest of each figure from the warm-up on
    long maxRssKb = 0; ///< of the whole run
    Counts counts;
    double seconds = 0; ///< wall-clock time of the whole run
};

struct Options {
    std::int64_t ticks = EightHourTicks;
    std::int64_t sampleEvery = 10'000;
    Schedule schedule;
    /// Called with every sample as it is taken (for a live log).
    std::function<void(const Sample &)> onSample;
};

/// Runs the window for `options.ticks` ticks. Needs a QApplication.
Report runWindowSoak(const Options &options);

} // namespace talviro6::endurance
