// The Qt serial port's opening as the link engine makes it, on this machine's real
// device listing: what one step of the "Com Auto" search costs when nothing answers.
#include "link/link_engine.h"
#include "model/validate.h"
#include "platform/qt_serial_port.h"

#include <benchmark/benchmark.h>

using namespace talviro6;

namespace {

struct NoWindow : LinkCallbacks {
    int readFinished(const ParameterArea &) override { return 0; }
    void showMessageBox(const LinkBox &) override {}
};

void DeviceListing(benchmark::State &state)
{
    std::size_t devices = 0;
    for (auto _ : state)
        devices = presentSerialDevices().size();
    state.counters["devices"] = static_cast<double>(devices);
}
BENCHMARK(DeviceListing)->Unit(benchmark::kMillisecond);

/// OpenPort in the automatic search on a number that leads nowhere (COM21).
void FailedOpeningInComAuto(benchmark::State &state)
{
    int listings = 0;
    QtSerialPort port({}, [&] {
        ++listings;
        return presentSerialDevices();
    });
    UnitImage image;
    SettingsIndexes settings;
    settings.portIndex = LinkEngine::AutoPortIndex;
    settings.scanIndex = LinkEngine::LastScanIndex;
    NoWindow window;
    LinkEngine engine(port, settings, window);
    for (auto _ : state) {
        engine.ClosePort();
        engine.OpenPort();
    }
    state.counters["listings per opening"] = static_cast<double>(listings) / static_cast<double>(state.iterations());
}
BENCHMARK(FailedOpeningInComAuto)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
