#pragma once
// The whole window on a loopback to the simulated unit, time moved by hand and every
// dialog, printer and document answered silently: what the window benchmarks measure.
#include "editor/form_hlav.h"
#include "editor/user_dialogs.h"
#include "sim/loopback_port.h"
#include "sim/simulated_unit.h"

#include <QApplication>
#include <QTemporaryDir>

#include <functional>

namespace talviro6::bench_support {

struct SilentDialogs : UserDialogs {
    QString recording; ///< what the dialogs for recordings answer; empty: cancelled
    void message(const QString &) override {}
    Answer askYesNoCancel(const QString &) override { return Answer::No; }
    QString askOpenFileName(const QString &) override { return {}; }
    QString askSaveFileName(const QString &) override { return {}; }
    QString askOpenRecordingName(const QString &) override { return recording; }
    QString askSaveRecordingName(const QString &) override { return recording; }
};

struct NoPrinter : PagePrinter {
    bool print(const std::vector<QImage> &, QString *) override { return true; }
};

struct NoShell : DocumentShell {
    void openDocument(const QString &, Failure onFailure) override { onFailure({}); }
};

constexpr sim::Micros Tick = 55'000;

/// Where the built charts' library is: the benchmarks live in a folder of their own,
/// and the charts' first opening is to load it as the installed program does.
inline ChartsLibrary chartsLibrary()
{
    ChartsLibrary library;
#ifdef TALVIRO6_CHARTS_DIR
    library.folders = QStringList{QStringLiteral(TALVIRO6_CHARTS_DIR)};
#endif
    return library;
}

struct BenchWindow {
    sim::ManualClock clock;
    sim::SimulatedUnit unit;
    sim::LoopbackPort port{unit, clock};
    SilentDialogs dialogs;
    NoPrinter printer;
    NoShell shell;
    QTemporaryDir settings; // an empty folder: a first start
    FormHlav window{port, WindowServices{dialogs, printer, shell, settings.path(), chartsLibrary()},
                    FormHlav::TickSource::Manual};

    /// `prepare` fills the settings folder before the window reads it, as a tuner's
    /// earlier runs would have.
    explicit BenchWindow(const std::function<void(const QString &folder)> &prepare = {})
    {
        if (prepare)
            prepare(settings.path());
        window.FormCreate({});
        window.show();
        QApplication::processEvents();
        tick(100); // connected, live data on screen
    }
    void tick(int n = 1)
    {
        for (int i = 0; i < n; ++i) {
            clock.advance(Tick);
            window.Timer1Timer();
        }
    }
};

} // namespace talviro6::bench_support
