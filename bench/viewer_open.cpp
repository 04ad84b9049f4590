// A day-long recording in the viewer: makes a file of 24 hours of live data (a
// frame every 86.4 ms, a million lines) unless it is there, opens it as Extras >
// View a recording does, and prints the time to the first paint, the memory the
// recording added per frame, and the slowest repaint at several zooms.
//   build/bench/viewer_open FILE.csv [FRAMES]   (a shorter file for a picture; FRAMES only when made)
#include "bench_window.h"

#include "editor/viewer/form_viewer.h"
#include "editor/viewer/recording_plot.h"
#include "live/monitor_view.h"
#include "recordings/monitor_csv.h"

#include <QElapsedTimer>
#include <QImage>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include <unistd.h>

namespace {

constexpr int DayFrames = 1'000'000;

long residentBytes()
{
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * sysconf(_SC_PAGESIZE);
}

bool makeRecording(const std::string &path, int frames)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << "# TALVIRO6 recording\n" << talviro6::monitorCsvHeader() << '\n';
    talviro6::MonitorFrame m;
    m.protocolVersion = talviro6::ProtocolVersion;
    for (int i = 0; i < frames; ++i) {
        // Rides of a few minutes with the engine off between them.
        const double t = i * 0.0864;
        const double ride = std::fmod(t, 600.0);
        const bool running = ride < 420;
        m.engineSpeed = running ? static_cast<std::uint16_t>(3000 + 2500 * std::sin(ride / 7) + (i * 37 % 300)) : 0;
        m.tpsPercent = running ? static_cast<std::uint8_t>(50 + 45 * std::sin(ride / 5)) : 0;
        m.tpsCounts = static_cast<std::uint16_t>(m.tpsPercent * 10);
        m.supplyMillivolts = static_cast<std::uint16_t>(running ? 13800 + i % 200 : 12400);
        m.advance = {static_cast<std::uint8_t>(110 + m.engineSpeed / 400),
                     static_cast<std::uint8_t>(108 + m.engineSpeed / 400)};
        m.servoDesired = static_cast<std::uint16_t>(m.engineSpeed / 12);
        m.servoMeasured = static_cast<std::uint16_t>(m.engineSpeed / 12 + i % 7);
        m.killSwitch = !running;
        m.clutch = running && i % 500 < 20;
        m.pickup1 = m.pickup2 = running;
        m.servoOk = true;
        out << talviro6::monitorCsvLine(t, m, talviro6::countsToMillivolts(m.tpsCounts)) << '\n';
    }
    out.close();
    return static_cast<bool>(out);
}

/// A paint of the plot as the screen gets it, also where nothing is exposed (offscreen).
void paint(QWidget *plot)
{
    QImage image(plot->size(), QImage::Format_ARGB32_Premultiplied);
    plot->render(&image);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: viewer_open FILE.csv\n");
        return 2;
    }
    const std::string path = argv[1];
    const int frames = argc > 2 ? std::max(1, std::atoi(argv[2])) : DayFrames;
    if (!std::ifstream(path) && !makeRecording(path, frames)) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        return 1;
    }
    talviro6::bench_support::BenchWindow bench;
    QApplication::processEvents();
    const long before = residentBytes();
    QElapsedTimer timer;
    timer.start();
    if (!bench.window.openViewer(QString::fromStdString(path)))
        return 1;
    talviro6::FormViewer *viewer = bench.window.viewerWindow();
    talviro6::RecordingPlot *plot = viewer->plot();
    paint(plot);
    const qint64 openMs = timer.elapsed();
    const long after = residentBytes();
    const std::size_t opened = viewer->clock().frameCount();
    std::printf("viewer_frames %zu\n", opened);
    std::printf("viewer_open_ms %lld\n", static_cast<long long>(openMs));
    std::printf("viewer_bytes_per_frame %.1f\n", static_cast<double>(after - before) / static_cast<double>(opened));

    // Every zoom at the start, the middle and the end of the day, panned a little each time.
    const double day = static_cast<double>(plot->durationMs());
    double worstAll = 0;
    for (double span : {day, 3'600'000.0, 60'000.0, 1000.0, 100.0}) {
        double worst = 0;
        for (double at : {0.0, 0.5, 1.0})
            for (int pan = 0; pan < 5; ++pan) {
                const double from = std::clamp(at * (day - span) - pan * span / 20, 0.0, day - span);
                plot->setView(from, from + span);
                QElapsedTimer t;
                t.start();
                paint(plot);
                worst = std::max(worst, static_cast<double>(t.nsecsElapsed()) / 1e6);
            }
        worstAll = std::max(worstAll, worst);
        std::printf("viewer_repaint_ms %.0f %.2f\n", span, worst);
    }
    std::printf("viewer_repaint_worst_ms %.2f\n", worstAll);
    return 0;
}
