#include "editor/form_hlav.h"
#include "editor/user_dialogs.h"
#include "editor/widgets/numeric_field.h"
#include "sim/loopback_port.h"
#include "sim/simulated_unit.h"

#include "editor/window_font.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace talviro6;

namespace {

struct SilentDialogs : UserDialogs {
    void message(const QString &) override {}
    Answer askYesNoCancel(const QString &) override { return Answer::No; }
    QString askOpenFileName(const QString &) override { return {}; }
    QString askSaveFileName(const QString &) override { return {}; }
};

struct NoPrinter : PagePrinter {
    bool print(const std::vector<QImage> &, QString *) override { return true; }
};

struct NoShell : DocumentShell {
    bool openDocument(const QString &) override { return false; }
};

/// The whole window on a loopback to the simulated unit, time moved by hand.
struct Bench {
    sim::ManualClock clock;
    sim::SimulatedUnit unit;
    sim::LoopbackPort port{unit, clock};
    SilentDialogs dialogs;
    NoPrinter printer;
    NoShell shell;
    QTemporaryDir settings; // an empty folder: a first start
    FormHlav window{port, WindowServices{dialogs, printer, shell, settings.path()}, FormHlav::TickSource::Manual};

    Bench()
    {
        window.FormCreate({});
        window.show();
        QApplication::processEvents();
        tick(100); // connected, live data on screen
    }
    void tick(int n = 1)
    {
        for (int i = 0; i < n; ++i) {
            clock.advance(55'000);
            window.Timer1Timer();
        }
    }
};

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
