#include "bench_window.h"
#include "editor/widgets/numeric_field.h"

#include "editor/window_font.h"

#include <QApplication>

#include <benchmark/benchmark.h>

using namespace talviro6;

namespace {

using Bench = bench_support::BenchWindow;

Bench &bench()
{
    static Bench b;
    return b;
}

/// What holding a spinner arrow costs per step: read back, validate, refresh, control states, history.
void BM_AfterEditStep(benchmark::State &state)
{
    auto &b = bench();
    NumericField *cell = nullptr;
    for (auto *f : b.window.numericFields())
        if (f->objectName() == QLatin1String("Edit95"))
            cell = f;
    int step = 1;
    for (auto _ : state) {
        cell->stepBy(step); // a real change each time, alternating up and down
        step = -step;
    }
}
BENCHMARK(BM_AfterEditStep)->Unit(benchmark::kMicrosecond);

/// One tick while the unit is connected and idle: receive, poll, live display, operating point.
void BM_IdleTick(benchmark::State &state)
{
    auto &b = bench();
    for (auto _ : state)
        b.tick();
}
BENCHMARK(BM_IdleTick)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    talviro6::applyWindowFont();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
