#include "endurance/window_soak.h"

#include "editor/form_hlav.h"
#include "editor/user_dialogs.h"
#include "editor/widgets/numeric_field.h"
#include "sim/loopback_port.h"
#include "sim/simulated_unit.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace talviro6::endurance {
namespace {

constexpr sim::Micros TickMicros = 55'000;
/// Requests the unplugged unit leaves unanswered: at one poll per 6 ticks, about 70
/// ticks, long enough for the banner (18) and a reopening (30 after it).
constexpr int UnpluggedRequests = 12;

struct CountingDialogs : UserDialogs {
    int *boxes = nullptr;
    QString fileName;
    void message(const QString &) override { ++*boxes; }
    Answer askYesNoCancel(const QString &) override { return Answer::No; }
    QString askOpenFileName(const QString &) override { return fileName; }
    QString askSaveFileName(const QString &) override { return fileName; }
};

/// Takes the pages and keeps nothing: the run measures the window, not a printer.
struct DiscardingPrinter : PagePrinter {
    bool print(const std::vector<QImage> &, QString *) override { return true; }
};

struct NoShell : DocumentShell {
    void openDocument(const QString &, Failure onFailure) override { onFailure({}); }
};

bool due(std::int64_t tick, int period)
{
    return period > 0 && tick % period == 0;
}

} // namespace

long residentKb()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0) {
            std::istringstream value(line.substr(6));
            long kb = 0;
            value >> kb;
            return kb;
        }
    return 0;
}

long heapInUseKb()
{
#if defined(__GLIBC__) && (__GLIBC__ > 2 || __GLIBC_MINOR__ >= 33) // mallinfo2
    const struct mallinfo2 m = ::mallinfo2();
    return static_cast<long>((m.uordblks + m.hblkhd) / 1024);
#else
    return 0;
#endif
}

Report runWindowSoak(const Options &options)
{
    Report report;
    Counts &counts = report.counts;
    QTemporaryDir folder; // settings of a first start, and the file saved and opened
    sim::ManualClock clock;
    sim::SimulatedUnit unit;
    sim::LoopbackPort port{unit, clock};
    CountingDialogs dialogs;
    dialogs.boxes = &counts.boxes;
    dialogs.fileName = folder.filePath(QStringLiteral("soak.ign"));
    DiscardingPrinter printer;
    NoShell shell;

    QElapsedTimer wall;
    wall.start();
    {
        FormHlav window(port, WindowServices{dialogs, printer, shell, folder.path()}, FormHlav::TickSource::Manual);
        window.FormCreate({});
        window.show();
        QTabWidget *pages = window.controls().frame.PageControl1;
        pages->setCurrentIndex(PageCycle[0]);
        QApplication::processEvents();

        NumericField *cell = nullptr;
        for (auto *f : window.numericFields())
            if (f->objectName() == QLatin1String("Edit95"))
                cell = f;
        int step = 1;
        std::size_t page = 0;
        int job = 0;
        int language = 0;
        Transfer jobRunning = Transfer::Idle; ///< the job the run started and waits for
        const Schedule &s = options.schedule;

        const auto sample = [&](std::int64_t tick) {
            Sample x;
            x.tick = tick;
            x.rssKb = residentKb();
            x.heapKb = heapInUseKb();
            x.windowObjects = static_cast<int>(window.findChildren<QObject *>().size());
            x.allWidgets = static_cast<int>(QApplication::allWidgets().size());
            report.samples.push_back(x);
            report.maxRssKb = std::max(report.maxRssKb, x.rssKb);
            if (tick == std::min(WarmUpTicks, options.ticks))
                report.warm = x;
            if (tick >= report.warm.tick && report.warm.tick > 0) {
                report.laterMax.rssKb = std::max(report.laterMax.rssKb, x.rssKb);
                report.laterMax.heapKb = std::max(report.laterMax.heapKb, x.heapKb);
                report.laterMax.windowObjects = std::max(report.laterMax.windowObjects, x.windowObjects);
                report.laterMax.allWidgets = std::max(report.laterMax.allWidgets, x.allWidgets);
            }
            report.last = x;
            if (options.onSample)
                options.onSample(x);
        };
        sample(0);

        // The ticks come from Qt's event loop, as Timer1's do, only without the wait:
        // between two ticks the loop paints and delivers posted events, and deletes
        // what was handed to deleteLater, which a bare processEvents() never does.
        QEventLoop loop;
        QTimer next;
        next.setInterval(0);
        std::int64_t t = 0;
        QObject::connect(&next, &QTimer::timeout, [&] {
            if (++t > options.ticks) {
                loop.quit();
                return;
            }
            clock.advance(TickMicros);
            window.Timer1Timer();

            const LinkState &link = window.link().state();
            if (jobRunning != Transfer::Idle && link.lastJobEnd != JobEnd::Running) {
                counts.jobsVerified += link.lastJobEnd == JobEnd::Verified;
                counts.jobsFailed += link.lastJobEnd == JobEnd::Failed;
                // A verify of its own straight after a programming, before the next
                // edit makes the unit and the window differ (as they then should).
                const bool verifyNext = jobRunning == Transfer::Program && link.lastJobEnd == JobEnd::Verified;
                jobRunning = Transfer::Idle;
                if (verifyNext) {
                    window.MenuVerifyClick();
                    jobRunning = Transfer::Verify;
                    ++counts.jobs;
                }
            }
            if (due(t, s.edit) && cell) {
                cell->stepBy(step); // a real change each time, up and down in turn
                step = -step;
                ++counts.edits;
            }
            if (due(t, s.page)) {
                page = (page + 1) % std::size(PageCycle);
                pages->setCurrentIndex(PageCycle[page]);
                ++counts.pageChanges;
            }
            if (due(t, s.undoRedo)) {
                window.SpeedButtonZpetClick();
                window.SpeedButtonZnovuClick();
                ++counts.undoRedos;
            }
            if (due(t, s.job) && jobRunning == Transfer::Idle) {
                if (job++ % 2 == 0) {
                    window.MenuProgramClick();
                    jobRunning = Transfer::Program;
                } else {
                    window.MenuReadClick();
                    jobRunning = Transfer::Read;
                }
                ++counts.jobs;
            }
            if (due(t, s.language)) {
                language = (language + 1) % 4;
                switch (language) {
                case 0:
                    window.MenuEnglishClick();
                    break;
                case 1:
                    window.MenuGermanClick();
                    break;
                case 2:
                    window.MenuFrenchClick();
                    break;
                default:
                    window.MenuCzechClick();
                    break;
                }
                ++counts.languageSwitches;
            }
            if (due(t, s.unplug)) {
                unit.injectFault(sim::Fault::Silence, UnpluggedRequests);
                ++counts.unpluggings;
            }
            if (due(t, s.print)) {
                window.SpeedButtonPrintClick();
                ++counts.prints;
            }
            if (due(t, s.saveOpen)) {
                window.MenuSaveClick();
                window.MenuOpenClick();
                ++counts.saveOpens;
            }
            if (t % options.sampleEvery == 0 || t == options.ticks || t == WarmUpTicks)
                sample(t);
        });
        next.start();
        loop.exec();
        counts.monitorFrames = window.link().state().monitorFrames;
    }
    report.seconds = static_cast<double>(wall.elapsed()) / 1000.0;
    return report;
}

} // namespace talviro6::endurance
