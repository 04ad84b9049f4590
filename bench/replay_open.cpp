// Opens one recording in the window, as Extras > Replay a recording does, and prints
// how long it took and how many frames it holds. Run under /usr/bin/time -v for the
// peak memory; with no file it opens nothing, which gives the window's own share.
//   QT_QPA_PLATFORM=offscreen /usr/bin/time -v build/bench/replay_open FILE.csv
#include "bench_window.h"

#include "editor/replay/form_replay.h"

#include <QElapsedTimer>

#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    talviro6::bench_support::BenchWindow bench;
    if (argc < 2)
        return 0;
    QElapsedTimer timer;
    timer.start();
    const bool opened = bench.window.openRecording(QString::fromLocal8Bit(argv[1]));
    const qint64 ms = timer.elapsed();
    const talviro6::FormReplay *replay = bench.window.replayWindow();
    std::printf("opened %d in %lld ms, %zu frames\n", opened ? 1 : 0, static_cast<long long>(ms),
                opened && replay ? replay->clock().frameCount() : std::size_t{0});
    return opened ? 0 : 1;
}
