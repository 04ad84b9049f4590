// Extras > Compare, Charts and Replay a recording, each timed from the menu command
// to the first paint of the window it opens. Every opening runs in a process of its
// own, because the first one is what a tuner waits for: whatever a window loads on
// first use (libraries, styles, fonts) is paid there and never again. The three take
// turns, so that all see the same machine.
//   extras_open RUNS FOLDER   prints "extras_open_ms compare|charts|replay MEDIAN"
// FOLDER gets, unless it has them already, what a tuner's window works with: a season
// of snapshots, the newest of which Compare sets against the editor, and a recording
// of ten minutes that the window's own recorder made from the simulated unit.
#include "bench_window.h"

#include "files/settings_files.h"
#include "files/snapshot_history.h"
#include "files/snapshots.h"
#include "model/defaults.h"
#include "model/fields.h"
#include "model/validate.h"

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QSaveFile>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using talviro6::bench_support::BenchWindow;

constexpr int Snapshots = 300;      // two a day over a season
constexpr int RecordedMinutes = 10; // a ride on the road, or a few pulls on the dyno
constexpr int WaitMs = 20000;       // a window that has not painted by then never will

/// Calls `painted` once, after the first paint of a widget `wanted` accepts has been
/// flushed to the screen.
class PaintWatch : public QObject {
  public:
    PaintWatch(std::function<bool(QWidget *)> wanted, std::function<void(QWidget *)> painted)
        : m_wanted(std::move(wanted)), m_painted(std::move(painted))
    {
        qApp->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (!m_seen && event->type() == QEvent::Paint && watched->isWidgetType()) {
            auto *widget = static_cast<QWidget *>(watched);
            if (m_wanted(widget)) {
                m_seen = true;
                QTimer::singleShot(0, qApp, [this, window = widget->window()] { m_painted(window); });
            }
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    std::function<bool(QWidget *)> m_wanted;
    std::function<void(QWidget *)> m_painted;
    bool m_seen = false;
};

/// Runs the event loop until `done` or `ms` have passed.
void runUntil(const bool &done, int ms)
{
    QTimer wake; // processEvents waits for an event; this makes sure one comes
    wake.start(20);
    QElapsedTimer t;
    t.start();
    while (!done && t.elapsed() < ms)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

QString recordingIn(const QString &folder)
{
    return QDir(folder).filePath(QStringLiteral("ride.csv"));
}

/// One process: the window up and painted, then one menu command; prints "opened MS CLASS".
int openOnce(int argc, char **argv, const char *action, const QString &folder)
{
    QApplication app(argc, argv);
    bool mainPainted = false;
    PaintWatch first([](QWidget *) { return true; }, [&](QWidget *) { mainPainted = true; });
    // Reading the unit when it is found is off: Compare then sets the editor against
    // the newest snapshot, as for a tuner whose unit the window has not read.
    BenchWindow bench([&](const QString &settings) {
        QSaveFile ini(QDir(settings).filePath(QString::fromStdString(talviro6::settingsFileName())));
        const std::string_view section = talviro6::QuietReadSection;
        const QByteArray text =
            "[" + QByteArray(section.data(), static_cast<qsizetype>(section.size())) + "]\r\nReadUnitWhenFound=0\r\n";
        if (!ini.open(QIODevice::WriteOnly) || ini.write(text) != text.size() || !ini.commit() ||
            !QFile::link(QDir(folder).filePath(QStringLiteral("snapshots")),
                         QDir(settings).filePath(QStringLiteral("snapshots"))))
            std::abort();
    });
    bench.dialogs.recording = recordingIn(folder);
    auto *command = bench.window.findChild<QAction *>(QString::fromLatin1(action));
    if (!command)
        return 1;
    runUntil(mainPainted, WaitMs);
    const bool never = false;
    runUntil(never, 300); // the window settled, as when a tuner reaches for the menu

    bool opened = false;
    QElapsedTimer timer;
    PaintWatch watch([&](QWidget *w) { return w->window() != &bench.window; },
                     [&](QWidget *window) {
                         opened = true;
                         std::printf("opened %.1f %s\n", static_cast<double>(timer.nsecsElapsed()) / 1e6,
                                     window->metaObject()->className());
                         std::fflush(stdout);
                     });
    timer.start();
    command->trigger();
    runUntil(opened, WaitMs);
    return opened ? 0 : 1;
}

/// The window records the simulated unit for `minutes`, as Extras > Record does.
int recordOnce(int argc, char **argv, const QString &path, int minutes)
{
    QApplication app(argc, argv);
    BenchWindow bench;
    bench.dialogs.recording = path;
    auto *record = bench.window.findChild<QAction *>(QStringLiteral("MenuRecord"));
    if (!record)
        return 1;
    record->trigger();
    bench.tick(minutes * 60'000'000 / static_cast<int>(talviro6::bench_support::Tick));
    record->trigger();
    if (record->isChecked() || !QFile::exists(path))
        return 1;
    std::printf("recorded\n");
    return 0;
}

bool makeSnapshots(const fs::path &folder)
{
    using namespace talviro6;
    if (fs::exists(folder))
        return true;
    // Made beside and renamed when whole, so that a folder there is always complete.
    const fs::path making = folder.string() + ".part";
    std::error_code error;
    fs::remove_all(making, error);
    if (!fs::create_directories(making, error))
        return false;
    UnitImage image;
    image[field::BikeType] = bike::Classic;
    newParameterSet(image, NewSetCause::StartOrNew);
    for (int i = 0; i < Snapshots; ++i) {
        // Each programming moves a few cells of the map a degree or two.
        for (int cell = i % 7; cell < field::MapRows * field::MapColumns; cell += 7)
            image[field::AdvanceMapBase + cell] =
                static_cast<std::uint8_t>(image[field::AdvanceMapBase + cell] + (i + cell) % 3 - 1);
        validate(image);
        std::tm t{};
        t.tm_year = 2025 - 1900;
        t.tm_mon = 3 + i / 2 / 28;
        t.tm_mday = 1 + i / 2 % 28;
        t.tm_hour = 10 + i % 2 * 5;
        fs::path saved;
        if (!saveSnapshot(making, image, t, i, i % 2 ? "read" : "program", &saved).empty() ||
            !saveSnapshotUnit(saved, "TLV 1. 3.2024 10:00").empty())
            return false;
    }
    fs::rename(making, folder, error);
    return !error;
}

/// Runs this program with `args` and returns what it printed; empty when it failed.
std::string run(const std::vector<std::string> &args, bool offscreen = false)
{
    int out[2];
    if (pipe(out) != 0)
        return {};
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        close(out[1]);
        if (offscreen)
            setenv("QT_QPA_PLATFORM", "offscreen", 1);
        std::vector<char *> argv{const_cast<char *>("/proc/self/exe")};
        for (const std::string &a : args)
            argv.push_back(const_cast<char *>(a.c_str()));
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(out[1]);
    std::string seen;
    pollfd p{out[0], POLLIN, 0};
    char buffer[256];
    bool ended = false; // its output closed: it has exited or is about to
    while (!ended && poll(&p, 1, 120000) > 0) {
        const ssize_t n = read(out[0], buffer, sizeof buffer);
        ended = n <= 0;
        if (!ended)
            seen.append(buffer, static_cast<std::size_t>(n));
    }
    close(out[0]);
    int status = 0;
    if (!ended)
        kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? seen : std::string{};
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 4 && std::string(argv[1]) == "--open")
        return openOnce(1, argv, argv[2], QString::fromLocal8Bit(argv[3]));
    if (argc == 4 && std::string(argv[1]) == "--record")
        return recordOnce(1, argv, QString::fromLocal8Bit(argv[2]), std::atoi(argv[3]));
    if (argc != 3) {
        std::fprintf(stderr, "usage: extras_open RUNS FOLDER\n");
        return 2;
    }
    const int runs = std::max(1, std::atoi(argv[1]));
    const fs::path folder = fs::absolute(argv[2]);
    const std::string recording = recordingIn(QString::fromStdString(folder.string())).toStdString();
    // The recorder writes in place; the file gets its name once it is whole.
    const std::string making = recording + ".part";
    std::error_code error;
    fs::create_directories(folder, error);
    if (!error && !fs::exists(recording) && !run({"--record", making, std::to_string(RecordedMinutes)}, true).empty())
        fs::rename(making, recording, error);
    if (!makeSnapshots(folder / "snapshots") || !fs::exists(recording) || error) {
        std::fprintf(stderr, "extras_open: cannot make the snapshots or the recording in %s\n", argv[2]);
        return 1;
    }

    const std::vector<std::pair<std::string, std::string>> kinds{
        {"compare", "MenuCompare"}, {"charts", "MenuCharts"}, {"replay", "MenuReplay"}};
    std::vector<std::vector<double>> ms(kinds.size());
    for (int i = -1; i < runs; ++i) // the first round warms the file caches, unmeasured
        for (std::size_t k = 0; k < kinds.size(); ++k) {
            const std::string said = run({"--open", kinds[k].second, folder.string()});
            const std::size_t at = said.find("opened ");
            if (at == std::string::npos) {
                std::fprintf(stderr, "extras_open: %s did not open a window\n", kinds[k].first.c_str());
                return 1;
            }
            if (i >= 0)
                ms[k].push_back(std::atof(said.c_str() + at + 7));
            else
                std::fprintf(stderr, "%s: %s", kinds[k].first.c_str(), said.c_str() + at);
        }
    for (std::size_t k = 0; k < kinds.size(); ++k)
        std::printf("extras_open_ms %s %.1f\n", kinds[k].first.c_str(), median(ms[k]));
    return 0;
}
