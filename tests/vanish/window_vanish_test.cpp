// The window on its real serial port while the unit's line vanishes and comes back:
// talviro6-sim behind a fixed name (--link, as an adapter's by-id name), mapped to
// COM1, killed in the middle of a programming and started again on a new terminal
// under the same name. Real processes and real time: the test ticks the window
// every 55 ms itself and lets Qt's event loop run in between, as the timer would.
#include "cli/sim_process.h"
#include "editor/colours.h"
#include "editor/form_hlav.h"
#include "editor/window_fixture.h"
#include "editor/window_font.h"
#include "platform/qt_serial_port.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QEventLoop>
#include <QLocale>
#include <QTimer>

#include <gtest/gtest.h>

#include <ctime>

#include <fcntl.h>
#include <stdlib.h>

using namespace talviro6;
using namespace talviro6::testing;

namespace {

/// The window's port, counted: every opening the watchdog makes goes through here.
class CountingPort final : public SerialPort {
  public:
    explicit CountingPort(SerialPort &port) : m_port(port) {}

    int openings = 0;
    int openedOk = 0;

    bool open(int portNumber) override
    {
        ++openings;
        const bool ok = m_port.open(portNumber);
        openedOk += ok;
        return ok;
    }
    bool reopen(int portNumber) override
    {
        ++openings;
        const bool ok = m_port.reopen(portNumber);
        openedOk += ok;
        return ok;
    }
    void close() override { m_port.close(); }
    bool isOpen() const override { return m_port.isOpen(); }
    std::size_t bytesWaiting() override { return m_port.bytesWaiting(); }
    std::size_t read(std::span<std::uint8_t> into) override { return m_port.read(into); }
    void writeAndDrain(std::span<const std::uint8_t> bytes) override { m_port.writeAndDrain(bytes); }
    std::string deviceName(int portNumber) const override { return m_port.deviceName(portNumber); }

  private:
    SerialPort &m_port;
};

double processCpuSeconds()
{
    timespec t{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

class WindowVanish : public CliJobFixture {
  protected:
    void SetUp() override
    {
        CliJobFixture::SetUp();
        link = (work() / "unit").string();
        PortMap map;
        map.setExplicit(1, link);
        qtPort = std::make_unique<QtSerialPort>(map, [] { return std::vector<std::string>{}; });
        port = std::make_unique<CountingPort>(*qtPort);
        window = std::make_unique<FormHlav>(*port, WindowServices{dialogs, printer, shell, settingsFolder.path()},
                                            FormHlav::TickSource::Manual);
        m_counting = QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::awake,
                                      [this] { ++wakeUps; });
    }
    void TearDown() override
    {
        QObject::disconnect(m_counting);
        window.reset();
        CliJobFixture::TearDown();
    }

    /// One tick as Timer1 gives it: Qt's events for the rest of the 55 ms (the
    /// port's read buffer fills here), then Timer1Timer.
    void tick()
    {
        const int wait = static_cast<int>(m_next.remainingTime());
        if (wait > 0) {
            QEventLoop loop;
            QTimer::singleShot(wait, Qt::PreciseTimer, &loop, &QEventLoop::quit);
            loop.exec();
        }
        m_next = QDeadlineTimer(FormHlav::TickMilliseconds, Qt::PreciseTimer);
        QElapsedTimer took;
        took.start();
        window->Timer1Timer();
        longestTickMs = std::max(longestTickMs, took.elapsed());
    }

    /// Ticks until `done` holds, at most `limit` ticks; the ticks it took, or -1.
    template <typename Condition> int tickUntil(int limit, Condition done)
    {
        for (int n = 1; n <= limit; ++n) {
            tick();
            if (done())
                return n;
        }
        return -1;
    }

    Controls &c() { return window->controls(); }
    const LinkState &state() const { return window->link().state(); }
    bool banner() { return !c().frame.LabelSpojeni->isHidden(); }
    QLabel *message() { return c().frame.monitor.LabelHlaseni; }
    bool messageIsRed()
    {
        QLabel *l = message();
        return l->autoFillBackground() && l->palette().color(l->backgroundRole()) == toQColor(Colour::Red);
    }

    std::string link;
    RecordingDialogs dialogs;
    RecordingPrinter printer;
    RecordingShell shell;
    QTemporaryDir settingsFolder;
    std::unique_ptr<QtSerialPort> qtPort;
    std::unique_ptr<CountingPort> port;
    std::unique_ptr<FormHlav> window;
    int wakeUps = 0;          ///< times Qt's event loop woke up
    qint64 longestTickMs = 0; ///< the longest Timer1Timer so far

  private:
    QDeadlineTimer m_next{0};
    QMetaObject::Connection m_counting;
};

} // namespace

TEST_F(WindowVanish, UnitLostMidProgrammingIsReportedRetriedCalmlyAndFoundAgain)
{
    // Block 2's first two answers are lost: the job waits there for 8 ticks, time
    // enough to pull the plug at a known block.
    SimProcess &first = startSim({"--link", link, "--fault", "no-answer:2:0x02"});
    window->FormCreate({});
    window->show();
    ASSERT_TRUE(qtPort->isOpen()) << qtPort->lastError().toStdString();
    ASSERT_GT(tickUntil(40, [&] { return !banner() && state().monitorFrames > 0; }), 0) << "connected";

    window->MenuProgramClick();
    ASSERT_GT(tickUntil(40, [&] { return state().TransferMode == Transfer::Program && state().BlockIndex == 2; }), 0);
    first.kill(SIGKILL);
    // The name goes with the device, as a device manager removes an adapter's by-id
    // name when it is pulled out. Left behind, it would lead to whatever terminal is
    // given the number next, in another test running alongside.
    std::filesystem::remove(link);

    // The block is sent at most five times, then the job ends in red. The silence
    // began with the answer to block 1, so the banner follows within 18 ticks.
    const int failedAfter = tickUntil(5 * LinkEngine::RepeatTicks + LinkEngine::RepeatTicks,
                                      [&] { return state().TransferMode == Transfer::Idle; });
    ASSERT_GT(failedAfter, 0) << "the job did not end";
    EXPECT_EQ(state().lastJobEnd, JobEnd::Failed);
    EXPECT_EQ(message()->text(), QStringLiteral("Program error!"));
    EXPECT_TRUE(message()->isVisible());
    EXPECT_TRUE(messageIsRed());
    EXPECT_TRUE(banner()) << "the unit counts as lost";
    EXPECT_FALSE(qtPort->isOpen()) << "the port closed itself when its device hung up";
    EXPECT_TRUE(dialogs.messages.empty()) << "a silent reopening shows no box";

    // Lost: no tight loop on the port's errors, and one reopening per 30 ticks,
    // each finding the name leading nowhere. Measured over 5 s.
    const int lostTicks = 3 * LinkEngine::ReopenTicks;
    const int openingsBefore = port->openings;
    const int wakeUpsBefore = wakeUps;
    const double cpuBefore = processCpuSeconds();
    const QElapsedTimer wall = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    for (int i = 0; i < lostTicks; ++i)
        tick();
    const double cpu = processCpuSeconds() - cpuBefore;
    const double seconds = static_cast<double>(wall.elapsed()) / 1000.0;
    const int openings = port->openings - openingsBefore;
    EXPECT_GE(openings, lostTicks / LinkEngine::ReopenTicks - 1);
    EXPECT_LE(openings, lostTicks / LinkEngine::ReopenTicks + 1);
    EXPECT_EQ(port->openedOk, 1) << "only the opening at start found a device";
    EXPECT_LT(cpu, 0.25 * seconds) << cpu << " s of processor time in " << seconds << " s";
    EXPECT_LT(wakeUps - wakeUpsBefore, 10 * lostTicks) << "the event loop woke this often";
    EXPECT_TRUE(banner());
    EXPECT_TRUE(dialogs.messages.empty());
    RecordProperty("ticks_from_kill_to_failure", failedAfter);
    RecordProperty("openings_while_lost", openings);
    RecordProperty("cpu_percent_while_lost", static_cast<int>(100 * cpu / seconds));

    // Plugged in again: a new terminal under the same name. The next reopening
    // (within 30 ticks) finds it, the next poll (within 6) is answered.
    SimProcess &second = startSim({"--link", link});
    ASSERT_EQ(std::filesystem::read_symlink(link).string(), second.device());
    const std::uint32_t framesBefore = state().monitorFrames;
    const int backAfter = tickUntil(LinkEngine::ReopenTicks + 2 * LinkEngine::PollTicks, [&] { return !banner(); });
    EXPECT_GT(backAfter, 0) << "the banner stays; port open " << qtPort->isOpen() << ", openings " << port->openings
                            << ", last error: " << qtPort->lastError().toStdString();
    EXPECT_TRUE(qtPort->isOpen());
    EXPECT_GT(state().monitorFrames, framesBefore) << "live data flows again";
    EXPECT_EQ(c().frame.monitor.LabelCom->text(), QStringLiteral("COM= COM1"));

    // And the job can be done now.
    window->MenuProgramClick();
    EXPECT_GT(tickUntil(60, [&] { return state().lastJobEnd == JobEnd::Verified; }), 0)
        << message()->text().toStdString();
    EXPECT_TRUE(dialogs.messages.empty());
}

// A line that takes nothing, as a stalled adapter: the terminal's other end is open
// but never read, and a second writer keeps it full. Each frame the window writes is
// given up on well inside a tick, so the tick keeps its pace, and a job ends as it
// does when nothing answers.
TEST_F(WindowVanish, StalledLineKeepsTheTickGoingAndAJobFailsAsUnanswered)
{
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(::grantpt(master), 0);
    ASSERT_EQ(::unlockpt(master), 0);
    std::filesystem::create_symlink(::ptsname(master), link);
    // Opened before the window takes the terminal for itself.
    const int filler = ::open(::ptsname(master), O_WRONLY | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(filler, 0);
    const auto fill = [filler] {
        const std::vector<char> chunk(4096, 0x55);
        while (::write(filler, chunk.data(), chunk.size()) > 0) {
        }
    };
    window->FormCreate({});
    window->show();
    ASSERT_TRUE(qtPort->isOpen()) << qtPort->lastError().toStdString();

    window->MenuProgramClick();
    longestTickMs = 0;
    QElapsedTimer wall;
    wall.start();
    fill();
    const int ticks = tickUntil(100, [&] {
        fill(); // what the window dropped made room again
        return state().TransferMode == Transfer::Idle;
    });
    const qint64 elapsed = wall.elapsed();
    ASSERT_GT(ticks, 0) << "the job did not end";
    EXPECT_EQ(state().lastJobEnd, JobEnd::Failed);
    EXPECT_EQ(message()->text(), QStringLiteral("Program error!"));
    // Sent every 4 ticks, five times, then 4 more ticks: as with a unit that is silent.
    EXPECT_LE(ticks, LinkEngine::MaxSendings * LinkEngine::RepeatTicks + LinkEngine::RepeatTicks);
    // The port gives a write up after QtSerialPort::WriteTimeoutMs, inside the period;
    // the margin above it is for a machine busy with other work, a write without a
    // bound would take seconds.
    EXPECT_LT(longestTickMs, QtSerialPort::WriteTimeoutMs + FormHlav::TickMilliseconds)
        << "a tick that writes gives the write up within its bound";
    EXPECT_LT(elapsed, 2 * ticks * FormHlav::TickMilliseconds) << "the ticks kept their pace";
    RecordProperty("longest_tick_ms", static_cast<int>(longestTickMs));
    ::close(filler);
    ::close(master);
}

int main(int argc, char **argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QApplication app(argc, argv);
    applyWindowFont();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
