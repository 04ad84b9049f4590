#include "cli/job_commands.h"

#include "cli/cli_io.h"
#include "files/atomic_write.h"
#include "files/parameter_file.h"
#include "files/snapshot_history.h"
#include "files/snapshots.h"
#include "link/link_engine.h"
#include "live/monitor_view.h"
#include "model/defaults.h"
#include "model/fields.h"
#include "model/program_review.h"
#include "model/risk_rules.h"
#include "model/unit_image.h"
#include "model/validate.h"
#include "platform/port_map.h"
#ifdef _WIN32
#include "platform/windows_serial_port.h"
#else
#include "platform/posix_serial_port.h"
#include "platform/serial_devices.h"
#endif
#include "recordings/monitor_csv.h"
#include "texts/kept_texts.h"
#include "texts/review_texts.h"
#include "texts/warning_texts.h"
#include "live/transfer_texts.h"

#include <atomic>
#include <charconv>
#include <chrono>
#include <csignal>
#include <ctime>
#include <iostream>
#include <optional>
#include <thread>

namespace talviro6::cli {
namespace {

#ifdef _WIN32
using LinePort = WindowsSerialPort;
#else
using LinePort = PosixSerialPort;
#endif

using Clock = std::chrono::steady_clock;
constexpr auto TickPeriod = std::chrono::milliseconds(55);
/// Far more than any job needs (a failing one ends after about 25 ticks).
constexpr int JobTickLimit = 2000;
/// The unit stores for about 3 s after a programming; a live frame comes every 330 ms.
constexpr auto StoringLimit = std::chrono::seconds(10);
constexpr int StoringTickLimit = static_cast<int>(StoringLimit / TickPeriod) + 1;

/// The signal that asked the command to stop, 0 while none has.
std::atomic<int> g_signal{0};
static_assert(std::atomic<int>::is_always_lock_free, "set from a signal handler");
void onSignal(int number)
{
    g_signal = number;
}

/// Every job stops at the next tick on SIGINT, SIGTERM and SIGHUP (its terminal
/// closed), so that the port is closed as usual: a process killed with the line
/// exclusive leaves it so.
void catchStopSignals()
{
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
#ifdef SIGHUP
    std::signal(SIGHUP, onSignal);
#endif
}

/// Throws the end of an interrupted command, if it was; `during` completes the message.
void stopIfInterrupted(const char *during = "")
{
    const int number = g_signal;
    if (number == 0)
        return;
#ifdef SIGHUP
    const auto [code, name] = number == SIGINT   ? std::pair{ExitInterrupted, "SIGINT"}
                              : number == SIGHUP ? std::pair{ExitHangUp, "SIGHUP"}
                                                 : std::pair{ExitTerminated, "SIGTERM"};
#else
    const auto [code, name] =
        number == SIGINT ? std::pair{ExitInterrupted, "SIGINT"} : std::pair{ExitTerminated, "SIGTERM"};
#endif
    throw CliError{code, std::string("interrupted (") + name + ")" + during};
}

struct Options {
    std::string port;
    std::vector<DeviceMapping> devices;
    std::string output;
    std::vector<std::string> files;
    std::optional<int> seconds;
    bool snapshot = true; ///< read and program save a snapshot unless --no-snapshot
    bool follow = false;  ///< monitor: wait for a device that went away to come back
    bool review = false;  ///< program: read the unit and list what changes first
    bool dryRun = false;  ///< program: read and list, program nothing
};

/// What a job's arguments say; each job checks which of them it needs.
Options jobOptions(const Arguments &args)
{
    Options o;
    o.port = args.value("--port").value_or("");
    if (o.port.empty())
        throw CliError{ExitUsage, "--port DEV is needed (a device path or a port number 1 ... 21)"};
    for (const std::string &text : args.values("--device")) {
        const std::optional<DeviceMapping> mapping = parseDeviceMapping(text);
        if (!mapping)
            throw CliError{ExitUsage, "--device " + text + ": expected N=PATH with N from 1 to 21"};
        o.devices.push_back(*mapping);
    }
    o.output = args.value("--output").value_or("");
    o.files = args.files;
    if (const std::optional<std::string> v = args.value("--seconds")) {
        int n = 0;
        const auto r = std::from_chars(v->data(), v->data() + v->size(), n);
        if (r.ec != std::errc() || r.ptr != v->data() + v->size() || n < 0)
            throw CliError{ExitUsage, "--seconds takes a whole number of seconds"};
        o.seconds = n;
    }
    o.snapshot = !args.has("--no-snapshot");
    o.follow = args.has("--follow");
    o.review = args.has("--review");
    o.dryRun = args.has("--dry-run");
    return o;
}

/// DEV is a device path, or a port number mapped by the rule of PortMap (with any
/// --device mappings of this run).
std::string resolveDevice(const Options &o)
{
    int n = 0;
    const auto r = std::from_chars(o.port.data(), o.port.data() + o.port.size(), n);
    if (r.ec != std::errc() || r.ptr != o.port.data() + o.port.size())
        return o.port;
    if (n < FirstPortNumber || n > LastPortNumber)
        throw CliError{ExitUsage, "--port " + o.port + ": port numbers are 1 ... 21"};
    PortMap map;
    for (const DeviceMapping &m : o.devices)
        map.setExplicit(m.portNumber, m.path);
#ifdef _WIN32
    // A COM number is its own device on Windows; there is no listing to offer.
    const std::vector<std::string> present;
    const std::string device = windowsDeviceFor(map, n);
#else
    const std::vector<std::string> present = presentSerialDevicesPosix();
    const std::string device = map.deviceFor(n, present);
#endif
    if (device.empty()) {
        PortOpenFailure missing;
        missing.kind = PortOpenFailure::Kind::Missing;
        missing.device = "COM" + o.port;
        missing.systemText = "COM" + o.port + ": no serial device behind this number";
        missing.present = orderSerialDevices(present);
        throw CliError{ExitPortOpen, missing.systemText + '\n' + portOpenAdvice(missing, KeptTexts::DefaultLanguage)};
    }
    return device;
}

/// The window's part, for a window that is not there: a read lands in the command's
/// image, and a box becomes the reason the command ends.
struct CliCallbacks : LinkCallbacks {
    explicit CliCallbacks(UnitImage &image) : image(image) {}
    UnitImage &image;
    std::optional<MessageBoxKind> box;
    std::string boxText; ///< worded as the session's default kept texts are
    int readFinished(const ParameterArea &received) override { return takeReadInto(image, received); }
    void showMessageBox(const LinkBox &linkBox) override
    {
        box = linkBox.kind;
        boxText = linkBoxText(linkBox, KeptTexts::DefaultLanguage);
    }
};

/// The engine on a real port, ticked every 55 ms by the wall clock.
class Session {
  public:
    Session(const Options &options, UnitImage &image)
        : m_device(resolveDevice(options)), m_followed(options.follow ? stableDeviceName(m_device) : m_device),
          m_callbacks(image), m_port(mapToFirst(m_followed)), m_engine(m_port, m_settings, m_callbacks)
    {
        catchStopSignals();
        m_engine.OpenPort();
        if (m_callbacks.box == MessageBoxKind::ComOpenError) {
            // The first line as scripts have always read it; what to do follows.
            std::string message = m_texts[TextRole::TextComOpenError] + " " + m_port.lastError();
            if (const std::string advice = portOpenAdvice(m_port.openFailure(), KeptTexts::DefaultLanguage);
                !advice.empty())
                message += '\n' + advice;
            throw CliError{ExitPortOpen, message};
        }
        m_next = Clock::now();
    }

    LinkEngine &engine() { return m_engine; }
    const LinkEngine &engine() const { return m_engine; }
    const std::string &device() const { return m_device; }
    const CliCallbacks &callbacks() const { return m_callbacks; }
    const KeptTexts &texts() const { return m_texts; }

    /// Throws `exitCode` with `beginning` + "... went away" + `ending` once the device
    /// has hung up: nothing will answer on it again, so waiting on is pointless.
    void stopIfVanished(int exitCode, const std::string &beginning, const std::string &ending)
    {
        if (m_port.vanished())
            throw CliError{exitCode, beginning + "the serial device " + m_device + " went away" + ending};
    }

    bool vanished() const { return m_port.vanished(); }

    /// The name the device is opened by again once it went away.
    const std::string &followed() const { return m_followed; }

    /// A kernel name may be given to another device while this one is away, so
    /// whatever appears under it is not necessarily the unit's line.
    bool followsAStableName() const
    {
        std::error_code ec;
        return m_followed != m_device || std::filesystem::is_symlink(std::filesystem::symlink_status(m_device, ec));
    }

    /// Closes the port of a device that went away; the engine's ticks go on with no line.
    void letGo() { m_port.close(); }

    /// True once the followed device is open again, by this call or by the engine's
    /// own reopening.
    bool isBack()
    {
        if (m_port.isOpen())
            return true;
#ifdef _WIN32
        // A COM port is no file to look for: trying to open it is the look.
        return m_port.open(1);
#else
        std::error_code ec;
        return std::filesystem::exists(m_followed, ec) && m_port.open(1);
#endif
    }

    void tick()
    {
        m_next += TickPeriod;
        const auto now = Clock::now();
        if (m_next < now - TickPeriod)
            m_next = now; // fell behind (a stopped process): no burst of ticks
        std::this_thread::sleep_until(m_next);
        m_engine.tick();
    }

  private:
    static PortMap mapToFirst(const std::string &device)
    {
        PortMap map;
        map.setExplicit(1, device);
        return map;
    }

    std::string m_device;
    std::string m_followed;
    SettingsIndexes m_settings; // port index 0: COM1, which is the device
    KeptTexts m_texts;
    CliCallbacks m_callbacks;
    LinePort m_port;
    LinkEngine m_engine;
    Clock::time_point m_next;
};

/// The phase of a job as its progress lines name it ("Verify"), from the kept text
/// of the phase, whose colon the line adds itself.
std::string phaseName(const KeptTexts &texts, Transfer mode)
{
    std::string name = texts[mode == Transfer::Read     ? TextRole::TextReading
                             : mode == Transfer::Verify ? TextRole::TextVerifying
                                                        : TextRole::TextProgramming];
    while (!name.empty() && (name.back() == ':' || name.back() == ' '))
        name.pop_back();
    return name;
}

/// The progress lines of a job on standard error, one per step ("Verify: 2/3").
class ProgressLines {
  public:
    explicit ProgressLines(const KeptTexts &texts) : m_texts(texts) {}

    void show(Transfer phase, int step, int maximum)
    {
        if (phase == m_phase && step == m_step)
            return;
        // The engine moves to the next phase in the tick that ends the last one, so
        // a phase's last step is seen only here, as the phase has been left.
        if (phase != m_phase)
            finish();
        m_phase = phase;
        m_step = step;
        m_maximum = maximum;
        print();
    }

    /// The phase shown last ended with its last step.
    void finish()
    {
        if (m_phase == Transfer::Idle || m_step >= m_maximum)
            return;
        m_step = m_maximum;
        print();
    }

  private:
    void print() const { std::cerr << phaseName(m_texts, m_phase) << ": " << m_step << "/" << m_maximum << '\n'; }

    const KeptTexts &m_texts;
    Transfer m_phase = Transfer::Idle;
    int m_step = -1;
    int m_maximum = 0;
};

/// Runs the job the caller started until its verify has passed; progress lines go to
/// stderr. Throws a CliError for every other end.
void runJob(Session &session, const char *what)
{
    LinkEngine &engine = session.engine();
    ProgressLines progress(session.texts());
    for (int t = 0; t < JobTickLimit && engine.state().lastJobEnd == JobEnd::Running; ++t) {
        session.tick();
        stopIfInterrupted();
        const LinkState &s = engine.state();
        if (s.lastJobEnd != JobEnd::Running)
            break;
        const TextRole failure = s.TransferMode == Transfer::Read     ? TextRole::TextReadError
                                 : s.TransferMode == Transfer::Verify ? TextRole::TextVerifyError
                                                                      : TextRole::TextProgramError;
        session.stopIfVanished(ExitTransferError, session.texts()[failure] + " ",
                               " during block " + std::to_string(s.BlockIndex) + ": check the cable and the adapter");
        const DisplayState &d = engine.display();
        progress.show(s.TransferMode, d.CGaugeProgram.progress, d.CGaugeProgram.maximum);
    }
    if (engine.state().lastJobEnd == JobEnd::Verified)
        progress.finish();
    const LinkState &s = engine.state();
    switch (s.lastJobEnd) {
    case JobEnd::Verified: {
        const UnitHeaderTexts &h = engine.unitHeaderTexts();
        if (!h.UnitNameText.empty())
            std::cerr << "unit: " << h.UnitNameText << ", " << h.UnitDateText << " " << h.UnitTimeText << '\n';
        return;
    }
    case JobEnd::VersionMismatch:
        throw CliError{ExitVersionMismatch, session.callbacks().boxText};
    case JobEnd::Failed:
        if (s.acceptedFrames == 0 && s.receivedFrames == 0)
            throw CliError{ExitUnitSilent, "no answer from a unit on " + session.device()};
        if (s.acceptedFrames == 0)
            throw CliError{ExitTransferError, std::to_string(s.receivedFrames) + " answers arrived on " +
                                                  session.device() +
                                                  " but none was valid (wrong check byte or bytes out of step): "
                                                  "check the cable, the baud rate and what is connected"};
        throw CliError{ExitTransferError, transferText(engine.display().LabelHlaseni, session.texts().languageIndex()) +
                                              " block " + std::to_string(s.BlockIndex) +
                                              " was sent five times without a matching answer"};
    default:
        throw CliError{ExitTransferError, std::string(what) + " did not end"};
    }
}

/// After a programming the unit stores its parameters for about 3 s and must keep
/// its power meanwhile, so "OK" waits until the engine has seen it report having
/// finished: a live frame after the job (the idle engine polls for them) with the
/// countdown at 0.
void waitForStoring(Session &session)
{
    LinkEngine &engine = session.engine();
    const std::uint32_t framesBefore = engine.state().monitorFrames;
    int shown = -1;
    for (int t = 0; t < StoringTickLimit && engine.state().storing == Storing::Watching; ++t) {
        session.tick();
        stopIfInterrupted(" while the unit was storing: leave it powered for a few seconds, then verify it");
        session.stopIfVanished(ExitStoringUnconfirmed, "programmed and verified, but ",
                               " while the unit was storing the parameters: verify it before relying on it");
        const LinkState &s = engine.state();
        if (s.monitorFrames == framesBefore || s.storing != Storing::Watching)
            continue;
        const int countdown = std::min<int>(s.SavingCountdown, LinkEngine::SavingStart);
        const int percent = 100 * (LinkEngine::SavingStart - countdown) / LinkEngine::SavingStart;
        if (percent != shown) {
            std::cerr << "Saving: " << percent << "%\n";
            shown = percent;
        }
    }
    switch (engine.state().storing) {
    case Storing::Stored:
        if (shown != 100)
            std::cerr << "Saving: 100%\n";
        return;
    case Storing::LinkLost:
        throw CliError{ExitStoringUnconfirmed,
                       shown < 0 ? "programmed and verified, but the unit stopped answering before it reported "
                                   "storing the parameters: verify it before relying on it"
                                 : "programmed and verified, but the unit stopped answering while it was storing "
                                   "the parameters: verify it before relying on it"};
    case Storing::Stalled:
        throw CliError{ExitStoringUnconfirmed, "programmed and verified, but the unit's storing countdown stopped "
                                               "moving: verify it before relying on it"};
    default:
        throw CliError{ExitStoringUnconfirmed,
                       "programmed and verified, but the unit did not report within 10 s that it finished "
                       "storing the parameters: verify it before relying on it"};
    }
}

/// Saves the image as a snapshot of the job. The unit's part of the job is done by
/// then, so a snapshot that cannot be saved is a warning and leaves the exit code alone.
void saveJobSnapshot(const Session &session, const UnitImage &image, std::string_view kind)
{
    // Only a live frame tells the unit's programming count; a read starts at once
    // and usually sees none, so its snapshot is named without a count.
    std::optional<int> count;
    if (session.engine().state().monitorFrames > 0)
        count = session.engine().lastMonitorFrame().programCount;
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    const bool known = ::localtime_s(&local, &now) == 0;
#else
    const bool known = ::localtime_r(&now, &local) != nullptr;
#endif
    if (!known) {
        std::cerr << "warning: no snapshot saved: the local time is unknown\n";
        return;
    }
    std::filesystem::path saved;
    if (const std::string error = saveSnapshot(defaultSnapshotFolder(), image, local, count, kind, &saved);
        !error.empty())
        std::cerr << "warning: no snapshot saved: " << error << '\n';
    else {
        std::cerr << "snapshot: " << saved.string() << '\n';
        // The history groups snapshots by unit; without this record it lists it
        // under the unknown unit, which is all that is lost.
        if (const std::string unit = unitIdentity(session.engine().unitHeader()); !unit.empty())
            if (const std::string error = saveSnapshotUnit(saved, unit); !error.empty())
                std::cerr << "warning: the snapshot's unit was not recorded: " << error << '\n';
    }
}

UnitImage imageFromFile(const std::vector<std::string> &files)
{
    if (files.size() != 1)
        throw CliError{ExitUsage, "exactly one FILE.ign is needed"};
    UnitImage image;
    image[field::BikeType] = bike::Classic;
    newParameterSet(image, NewSetCause::StartOrNew);
    validate(image);
    std::ifstream in = openForReading(files.front());
    const KeptTexts texts;
    ParameterFileReport report;
    const int version = readParameterFile(
        in, image,
        [&](FileMessage message) {
            if (message == FileMessage::OlderFileVersion)
                std::cerr << files.front() << ": older file version: some parameters keep their defaults\n";
        },
        &report);
    checkRead(in, files.front());
    warnOfMissingValues(files.front(), version, report.valuesMissing);
    if (version == 0)
        throw CliError{ExitUsage, files.front() + ": not a parameter file: no KORVALEN_KEY with a known version"};
    validate(image);
    return image;
}

/// Reads the unit, then lists on standard error what programming `file` would change
/// in it, one field a line, and the warnings on the file's risky values. True when
/// something would change.
bool reviewAgainstUnit(Session &session, const ParameterArea &file)
{
    session.engine().StartReadJob();
    runJob(session, "read");
    const std::optional<ParameterArea> &unit = session.engine().knownUnitArea();
    if (!unit)
        throw CliError{ExitTransferError, "review: the unit's parameters were read but not confirmed"};
    const std::vector<FieldDifference> changes = programChanges(unit, file);
    for (const FieldDifference &change : changes)
        std::cerr << changeLine(change, KeptTexts::DefaultLanguage) << '\n';
    if (changes.empty())
        std::cerr << "review: the unit already holds the file's parameters\n";
    for (const RiskWarning &w : riskWarnings(file, unit))
        std::cerr << "warning: " << riskWarningText(w, KeptTexts::DefaultLanguage) << '\n';
    return !changes.empty();
}

} // namespace

int runProgram(const Arguments &args)
{
    const Options o = jobOptions(args);
    UnitImage image = imageFromFile(o.files);
    // A read for the review lands here, never in the file's parameters.
    UnitImage unitRead;
    Session session(o, unitRead);
    if (o.review || o.dryRun) {
        const bool changes = reviewAgainstUnit(session, image.parameters);
        if (o.dryRun)
            return changes ? ExitDifferent : ExitOk;
    }
    session.engine().StartProgramJob(image.parameters);
    runJob(session, "program");
    // The snapshot waits for the storing, whose live frames bring the programming
    // count; the programming has been verified whether or not the storing is
    // confirmed, so an end without confirmation saves it too.
    try {
        waitForStoring(session);
    } catch (const CliError &) {
        if (o.snapshot)
            saveJobSnapshot(session, image, "program");
        throw;
    }
    std::cerr << "program: OK\n";
    if (o.snapshot)
        saveJobSnapshot(session, image, "program");
    return ExitOk;
}

int runVerify(const Arguments &args)
{
    const Options o = jobOptions(args);
    UnitImage image = imageFromFile(o.files);
    Session session(o, image);
    session.engine().StartVerifyJob(image.parameters);
    runJob(session, "verify");
    std::cerr << "verify: OK\n";
    return ExitOk;
}

int runRead(const Arguments &args)
{
    const Options o = jobOptions(args);
    if (o.output.empty() || !o.files.empty())
        throw CliError{ExitUsage, "read takes -o FILE.ign and no other file"};
    // A path that cannot take the file fails now, not after the whole job.
    if (const std::string error = checkFileWritable(o.output); !error.empty())
        throw CliError{ExitUsage, error};
    UnitImage image;
    Session session(o, image);
    session.engine().StartReadJob();
    runJob(session, "read");
    if (o.snapshot)
        saveJobSnapshot(session, image, "read"); // the unit's parameters as read and verified
    if (const int corrected = session.engine().state().correctedValues; corrected > 0)
        std::cerr << "read: " << corrected << (corrected == 1 ? " value was" : " values were")
                  << " corrected by validation; the file holds the corrected set, the unit still its own\n";
    validate(image); // as Save does before it writes
    if (const std::string error =
            writeFileAtomically(o.output, [&](std::ostream &out) { writeParameterFile(out, image); });
        !error.empty())
        throw CliError{ExitUsage, error};
    std::cerr << "read: OK\n";
    return ExitOk;
}

int runMonitor(const Arguments &args)
{
    const Options o = jobOptions(args);
    if (!o.files.empty())
        throw CliError{ExitUsage, "monitor takes no files"};
    UnitImage image;
    image[field::BikeType] = bike::Classic;
    newParameterSet(image, NewSetCause::StartOrNew);
    validate(image);
    Session session(o, image);
    LinkEngine &engine = session.engine();

    std::cout << monitorCsvHeader() << '\n';
    checkStdout();
    const auto start = Clock::now();
    const auto end = o.seconds ? start + std::chrono::seconds(*o.seconds) : Clock::time_point::max();
    std::uint32_t seen = 0;
    bool lost = true;
    bool away = false;
    while (Clock::now() < end) {
        session.tick();
        // Ctrl+C is how a monitor is ended; being stopped otherwise is not.
        if (g_signal == SIGINT)
            break;
        stopIfInterrupted();
        if (away && session.isBack()) {
            away = false;
            std::cerr << session.followed() << " is back\n";
        } else if (!away && session.vanished()) {
            const std::string gone = "the serial device " + session.device() + " went away";
            if (!o.follow)
                throw CliError{ExitTransferError, gone + ": check the cable and the adapter"};
            // A kernel name may soon lead to another program's terminal: the device
            // is looked for under its stable name where it has one.
            session.letGo();
            away = true;
            std::cerr << gone << "; waiting for " << session.followed() << " to come back"
                      << (session.followsAStableName() ? "" : " (no by-id name: whatever appears under it is taken)")
                      << '\n';
        }
        const LinkState &s = engine.state();
        if (engine.display().LabelSpojeni != lost) {
            lost = engine.display().LabelSpojeni;
            std::cerr << (lost ? "no connection\n" : "connected\n");
        }
        if (s.monitorFrames == seen)
            continue;
        seen = s.monitorFrames;
        const MonitorFrame &m = engine.lastMonitorFrame();
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        std::cout << monitorCsvLine(seconds, m, countsToMillivolts(m.tpsCounts)) << '\n';
        checkStdout();
    }
    if (seen == 0)
        throw CliError{ExitUnitSilent, "no live frame from a unit on " + session.device()};
    return ExitOk;
}

} // namespace talviro6::cli
