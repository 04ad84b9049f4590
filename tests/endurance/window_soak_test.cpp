// The window for 20,000 ticks (18 minutes of its time) against the simulated unit,
// with everything the long run does: the heap, the resident memory and the window's
// objects stay where the warm-up left them. The 8-hour run is bench/window_soak.
#include "editor/window_font.h"
#include "endurance/window_soak.h"
#include "link/link_engine.h"

#include <QApplication>
#include <QLocale>

#include <gtest/gtest.h>

#include <sstream>

using namespace talviro6::endurance;

namespace {

/// Growth allowed from the warm-up on, kB. The fault this guards against: map cells
/// marked as the operating point moves made Qt's style keep a new picture and key
/// for each move, about 150 bytes a tick on the advance page, 900 kB here, besides
/// filling the pixmap cache (10 MB). What stays is first-time growth of caches that
/// are full after a while (glyphs of a page seen in a language for the first time).
constexpr long AllowedHeapGrowthKb = 200;
constexpr long AllowedRssGrowthKb = 600;

} // namespace

TEST(WindowSoak, MemoryAndObjectsStayFlat)
{
    Options options;
    options.ticks = 20'000;
    options.sampleEvery = 1'000;
    const Report r = runWindowSoak(options);

    std::ostringstream log;
    for (const Sample &s : r.samples)
        log << s.tick << ": resident " << s.rssKb << " kB, heap " << s.heapKb << " kB, " << s.windowObjects
            << " objects, " << s.allWidgets << " widgets\n";
    SCOPED_TRACE(log.str());

    // Everything happened, more than once after the warm-up, and worked.
    const Counts &c = r.counts;
    EXPECT_GE(c.edits, 30);
    EXPECT_GE(c.pageChanges, 20);
    EXPECT_GE(c.jobs, 15);
    EXPECT_GE(c.jobsVerified, c.jobs - c.unpluggings - 1) << c.jobsFailed << " jobs failed";
    EXPECT_GE(c.unpluggings, 4);
    EXPECT_GE(c.prints, 3);
    EXPECT_GE(c.saveOpens, 2);
    EXPECT_GE(c.languageSwitches, 6);
    EXPECT_EQ(c.boxes, 0);
    EXPECT_GT(c.monitorFrames, 20'000u / talviro6::LinkEngine::PollTicks * 9 / 10) << "live data flowed";

    // AddressSanitizer's quarantine holds freed blocks, and it counts no heap.
    if (r.warm.heapKb > 0) {
        EXPECT_LE(r.laterMax.heapKb - r.warm.heapKb, AllowedHeapGrowthKb);
    }
#if !defined(__SANITIZE_ADDRESS__)
    EXPECT_LE(r.laterMax.rssKb - r.warm.rssKb, AllowedRssGrowthKb);
#endif
    EXPECT_EQ(r.laterMax.windowObjects, r.warm.windowObjects);
    EXPECT_EQ(r.last.windowObjects, r.warm.windowObjects);
    EXPECT_EQ(r.laterMax.allWidgets, r.warm.allWidgets);
    RecordProperty("heap_warm_kb", static_cast<int>(r.warm.heapKb));
    RecordProperty("heap_end_kb", static_cast<int>(r.last.heapKb));
    RecordProperty("rss_warm_kb", static_cast<int>(r.warm.rssKb));
    RecordProperty("rss_end_kb", static_cast<int>(r.last.rssKb));
    RecordProperty("rss_max_kb", static_cast<int>(r.maxRssKb));
    RecordProperty("window_objects", r.last.windowObjects);
}

int main(int argc, char **argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QApplication app(argc, argv);
    talviro6::applyWindowFont();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
