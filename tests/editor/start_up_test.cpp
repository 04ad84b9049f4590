#include "window_fixture.h"

#include <QElapsedTimer>

using namespace talviro6;
using namespace talviro6::testing;

namespace {

/// Keeps its box open until the tick has run a few times, as a tuner reading it would.
struct PatientDialogs : RecordingDialogs {
    FormHlav *window = nullptr;
    int reconnectTicksSeen = -1;

    void message(const QString &text) override
    {
        RecordingDialogs::message(text);
        QElapsedTimer waited;
        waited.start();
        while (window->link().state().ReconnectTicks < 3 && waited.elapsed() < 3000)
            QTest::qWait(10); // runs the event loop, as the modal box does
        reconnectTicksSeen = window->link().state().ReconnectTicks;
    }
};

// The tick runs on the real timer here: what is tested is that it runs.
TEST(StartUp, ThePortErrorBoxLetsTheTickRun)
{
    sim::ManualClock clock;
    sim::SimulatedUnit unit;
    sim::LoopbackPort port{unit, clock};
    port.setPresent(1, false); // COM1, the port of a first start, is not there
    PatientDialogs dialogs;
    RecordingPrinter printer;
    RecordingShell shell;
    QTemporaryDir settingsFolder;
    FormHlav window{port, WindowServices{dialogs, printer, shell, settingsFolder.path()}, FormHlav::TickSource::Timer};
    dialogs.window = &window;
    window.FormCreate({});
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages.front(), QStringLiteral("Com opening error!\nCOM1: no serial device behind this number"))
        << "the device, or the port number, and why";
    EXPECT_GE(dialogs.reconnectTicksSeen, 3) << "the watchdog counted on while the box was open";
}

} // namespace
