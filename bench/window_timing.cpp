// Timings of the window in one run, for scripts/bench: the after-edit step and an
// idle tick on the full window (headless), and a program job against the simulated
// unit paced like a real 57600 baud line, in ticks, next to the floor the tick allows.
#include "bench_window.h"
#include "editor/widgets/numeric_field.h"
#include "editor/window_font.h"

#include <QApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

using namespace talviro6;

namespace {

using Window = bench_support::BenchWindow;

double percentile(std::vector<double> v, double p)
{
    std::sort(v.begin(), v.end());
    return v[static_cast<std::size_t>(p * static_cast<double>(v.size() - 1))];
}

template <typename F> std::vector<double> sample(int n, F &&f)
{
    std::vector<double> microseconds;
    microseconds.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        const auto start = std::chrono::steady_clock::now();
        f(i);
        microseconds.push_back(
            std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
    }
    return microseconds;
}

} // namespace

int main(int argc, char **argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    applyWindowFont();
    Window w;

    // What holding a spinner arrow costs per step: read back, validate, refresh,
    // control states, history; a real change each time, up and down in turn.
    NumericField *cell = nullptr;
    for (auto *f : w.window.numericFields())
        if (f->objectName() == QLatin1String("Edit95"))
            cell = f;
    const auto edits = sample(2000, [&](int i) { cell->stepBy(i % 2 ? -1 : 1); });
    const auto ticks = sample(2000, [&](int) { w.tick(); });
    std::printf("after_edit_us %.1f %.1f\n", percentile(edits, 0.5), percentile(edits, 0.99));
    std::printf("idle_tick_us %.1f\n", percentile(ticks, 0.5));

    // A program job against a unit whose answers take the real time of the line.
    int worst = 0;
    int worstOverFloor = 0;
    for (int job = 0; job < 20; ++job) {
        w.tick(job % 6 + 1); // start the job at every phase of the poll cycle
        const int sendTicks = w.window.link().state().SendTicks;
        w.window.MenuProgramClick();
        int taken = 0;
        while (w.window.link().state().lastJobEnd == JobEnd::Running && taken < 200) {
            w.tick();
            ++taken;
        }
        if (w.window.link().state().lastJobEnd != JobEnd::Verified) {
            std::fprintf(stderr, "window_timing: program job %d did not end with OK\n", job);
            return 1;
        }
        // The first request goes out when SendTicks reaches 4; then one tick per answer, seven answers.
        const int floor = std::max(1, LinkEngine::RepeatTicks - sendTicks) + 7;
        worst = std::max(worst, taken);
        worstOverFloor = std::max(worstOverFloor, taken - floor);
    }
    std::printf("job_ticks %d %d\n", worst, worstOverFloor);
    return 0;
}
