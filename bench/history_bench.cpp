// Listing the snapshot history of a unit that has been read and programmed a
// thousand times: every name parsed, every snapshot opened, every side file read.
#include "files/snapshot_history.h"
#include "files/snapshots.h"
#include "model/defaults.h"
#include "model/fields.h"
#include "model/unit_image.h"
#include "model/validate.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <vector>

#include <unistd.h>

using namespace talviro6;
namespace fs = std::filesystem;

namespace {

std::vector<fs::path> made; ///< removed when the run ends

/// A folder of `count` snapshots of one unit, each with its unit record and every
/// other one with a label and note, plus a few snapshots of another unit.
fs::path folderOf(int count)
{
    const fs::path folder = fs::temp_directory_path() /
                            ("talviro6_history_bench_" + std::to_string(count) + "_" + std::to_string(getpid()));
    if (fs::exists(folder))
        return folder;
    made.push_back(folder);
    UnitImage image;
    image[field::BikeType] = bike::Classic;
    newParameterSet(image, NewSetCause::StartOrNew);
    validate(image);
    for (int i = 0; i < count + 10; ++i) {
        std::tm t{};
        t.tm_year = 2026 - 1900;
        t.tm_mon = (i / (28 * 24 * 60)) % 12;
        t.tm_mday = 1 + (i / (24 * 60)) % 28;
        t.tm_hour = (i / 60) % 24;
        t.tm_min = i % 60;
        fs::path saved;
        if (!saveSnapshot(folder, image, t, i, i % 2 ? "read" : "program", &saved).empty() ||
            !saveSnapshotUnit(saved, i < count ? "ZB07 1. 3.2019 10:00" : "AK05 5. 3.2008 14:21").empty() ||
            (i % 2 && !saveSnapshotNote(saved, "run " + std::to_string(i), "rich above 6000\nleaner next").empty()))
            std::abort();
    }
    return folder;
}

void ListHistory(benchmark::State &state)
{
    const fs::path folder = folderOf(static_cast<int>(state.range(0)));
    std::size_t listed = 0;
    for (auto _ : state) {
        const SnapshotHistory history = listSnapshotHistory(folder);
        listed = 0;
        for (const SnapshotGroup &g : history.groups)
            listed += g.entries.size();
        benchmark::DoNotOptimize(listed);
    }
    state.counters["snapshots"] = static_cast<double>(listed);
}
BENCHMARK(ListHistory)->Arg(1000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    for (const fs::path &folder : made)
        fs::remove_all(folder);
    return 0;
}
