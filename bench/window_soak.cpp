// The window for 8 hours of ticks (523,637) against the simulated unit in this
// process, as fast as it goes, with jobs, edits, language switches, printing,
// saving and the unit unplugged now and then: prints the resident memory and the
// window's objects as it goes, and judges whether they stayed flat.
//   build/bench/window_soak [--ticks N] [--sample-every N] [--max-growth-kb N]
// Exit code 0 when flat, 1 when memory or objects grew, 2 on bad usage. Under
// AddressSanitizer only the objects are judged; LeakSanitizer reports at exit.
#include "endurance/window_soak.h"
#include "editor/window_font.h"

#include <QApplication>
#include <QLocale>

#include <charconv>
#include <cstdio>
#include <cstring>
#include <string_view>

using namespace talviro6::endurance;

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool MemoryJudged = false;
#else
constexpr bool MemoryJudged = true;
#endif

bool parseNumber(std::string_view text, long long &value)
{
    const auto r = std::from_chars(text.data(), text.data() + text.size(), value);
    return r.ec == std::errc() && r.ptr == text.data() + text.size() && value > 0;
}

} // namespace

int main(int argc, char **argv)
{
    Options options;
    long long maxGrowthKb = 1024;
    for (int i = 1; i < argc; ++i) {
        const std::string_view a = argv[i];
        long long n = 0;
        if (i + 1 < argc && parseNumber(argv[i + 1], n) &&
            (a == "--ticks" || a == "--sample-every" || a == "--max-growth-kb")) {
            ++i;
            if (a == "--ticks")
                options.ticks = n;
            else if (a == "--sample-every")
                options.sampleEvery = n;
            else
                maxGrowthKb = n;
        } else {
            std::fprintf(stderr, "usage: window_soak [--ticks N] [--sample-every N] [--max-growth-kb N]\n");
            return 2;
        }
    }
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QApplication app(argc, argv);
    talviro6::applyWindowFont();

    std::printf("tick,hours,rss_kb,heap_kb,window_objects,all_widgets\n");
    options.onSample = [](const Sample &s) {
        std::printf("%lld,%.3f,%ld,%ld,%d,%d\n", static_cast<long long>(s.tick),
                    static_cast<double>(s.tick) * 0.055 / 3600, s.rssKb, s.heapKb, s.windowObjects, s.allWidgets);
        std::fflush(stdout);
    };
    const Report r = runWindowSoak(options);
    const Counts &c = r.counts;
    const Sample &first = r.samples.front();
    const long rssGrowth = r.laterMax.rssKb - r.warm.rssKb;
    const long heapGrowth = r.laterMax.heapKb - r.warm.heapKb;
    const bool objectsFlat =
        r.laterMax.windowObjects == r.warm.windowObjects && r.laterMax.allWidgets == r.warm.allWidgets;
    const bool flat = objectsFlat && (!MemoryJudged || (rssGrowth <= maxGrowthKb && heapGrowth <= maxGrowthKb));
    std::fprintf(stderr,
                 "ticks %lld (%.2f h of the window's time) in %.1f s, %.0f ticks/s\n"
                 "resident memory kB: start %ld, after warm-up (tick %lld) %ld, end %ld, max %ld; "
                 "growth after warm-up %ld\n"
                 "heap in use kB: start %ld, after warm-up %ld, end %ld, max after warm-up %ld; growth %ld\n"
                 "window objects: start %d, after warm-up %d, end %d, max after warm-up %d; "
                 "all widgets %d, %d, %d, %d\n"
                 "live frames %u, jobs %d (verified %d, failed %d), edits %d, pages %d, undo+redo %d, languages %d, "
                 "unpluggings %d, prints %d, save+open %d, message boxes %d\n"
                 "%s\n",
                 static_cast<long long>(options.ticks), static_cast<double>(options.ticks) * 0.055 / 3600, r.seconds,
                 static_cast<double>(options.ticks) / r.seconds, first.rssKb, static_cast<long long>(r.warm.tick),
                 r.warm.rssKb, r.last.rssKb, r.maxRssKb, rssGrowth, first.heapKb, r.warm.heapKb, r.last.heapKb,
                 r.laterMax.heapKb, heapGrowth, first.windowObjects, r.warm.windowObjects, r.last.windowObjects,
                 r.laterMax.windowObjects, first.allWidgets, r.warm.allWidgets, r.last.allWidgets,
                 r.laterMax.allWidgets, c.monitorFrames, c.jobs, c.jobsVerified, c.jobsFailed, c.edits, c.pageChanges,
                 c.undoRedos, c.languageSwitches, c.unpluggings, c.prints, c.saveOpens, c.boxes,
                 MemoryJudged ? (flat ? "flat" : "GREW")
                              : (flat ? "objects flat; memory not judged under AddressSanitizer, whose quarantine "
                                        "holds freed blocks (LeakSanitizer reports at exit)"
                                      : "objects GREW"));
    return flat ? 0 : 1;
}
