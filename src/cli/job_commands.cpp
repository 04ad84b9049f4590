#include "cli/job_commands.h"

#include "cli/cli_io.h"
#include "cli/posix_serial_port.h"
#include "files/parameter_file.h"
#include "link/link_engine.h"
#include "link/port_map.h"
#include "model/defaults.h"
#include "model/fields.h"
#include "model/unit_image.h"
#include "model/validate.h"
#include "texts/kept_texts.h"

#include <atomic>
#include <charconv>
#include <chrono>
#include <csignal>
#include <iostream>
#include <optional>
#include <thread>

namespace talviro6::cli {
namespace {

using Clock = std::chrono::steady_clock;
constexpr auto TickPeriod = std::chrono::milliseconds(55);
/// Far more than any job needs (a failing one ends after about 25 ticks).
constexpr int JobTickLimit = 2000;

std::atomic<bool> g_interrupted{false};
void onInterrupt(int)
{
    g_interrupted = true;
}

struct Options {
    std::string port;
    std::vector<DeviceMapping> devices;
    std::string output;
    std::vector<std::string> files;
    std::optional<int> seconds;
};

Options parseOptions(std::vector<std::string> args, bool takesOutput, bool takesSeconds)
{
    Options o;
    std::string error;
    o.devices = takeDeviceArguments(args, &error);
    if (!error.empty())
        throw CliError{ExitUsage, error};
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string &a = args[i];
        const auto value = [&]() -> const std::string & {
            if (i + 1 >= args.size())
                throw CliError{ExitUsage, a + " needs a value"};
            return args[++i];
        };
        if (a == "--port") {
            o.port = value();
        } else if (takesOutput && (a == "-o" || a == "--output")) {
            o.output = value();
        } else if (takesSeconds && a == "--seconds") {
            const std::string &v = value();
            int n = 0;
            const auto r = std::from_chars(v.data(), v.data() + v.size(), n);
            if (r.ec != std::errc() || r.ptr != v.data() + v.size() || n < 0)
                throw CliError{ExitUsage, "--seconds takes a whole number of seconds"};
            o.seconds = n;
        } else if (a.size() > 1 && a[0] == '-') {
            throw CliError{ExitUsage, "unknown option " + a};
        } else {
            o.files.push_back(a);
        }
    }
    if (o.port.empty())
        throw CliError{ExitUsage, "--port DEV is needed (a device path or a port number 1 ... 21)"};
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
    const std::string device = map.deviceFor(n, presentSerialDevicesPosix());
    if (device.empty())
        throw CliError{ExitPortOpen, "COM" + o.port + ": no serial device behind this number"};
    return device;
}

/// The window's part, for a window that is not there: nothing to read back or
/// refresh, and a box becomes the reason the command ends.
struct CliCallbacks : LinkCallbacks {
    std::optional<MessageBoxKind> box;
    std::string boxText;
    void readBackControls() override {}
    void refreshControls() override {}
    void showMessageBox(MessageBoxKind kind, const std::string &text) override
    {
        box = kind;
        boxText = text;
    }
};

/// The engine on a real port, ticked every 55 ms by the wall clock.
class Session {
  public:
    Session(const Options &options, UnitImage &image)
        : m_device(resolveDevice(options)), m_port(mapToFirst(m_device)),
          m_engine(m_port, image, m_settings, m_texts, m_callbacks)
    {
        m_engine.OpenPort();
        if (m_callbacks.box == MessageBoxKind::ComOpenError)
            throw CliError{ExitPortOpen, m_texts[TextRole::TextComOpenError] + " " + m_port.lastError()};
        m_next = Clock::now();
    }

    LinkEngine &engine() { return m_engine; }
    const std::string &device() const { return m_device; }
    const CliCallbacks &callbacks() const { return m_callbacks; }

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
    SettingsIndexes m_settings; // port index 0: COM1, which is the device
    KeptTexts m_texts;
    CliCallbacks m_callbacks;
    PosixSerialPort m_port;
    LinkEngine m_engine;
    Clock::time_point m_next;
};

/// Runs the job the caller started until it ends; progress lines go to stderr.
int finishJob(Session &session, const char *what)
{
    LinkEngine &engine = session.engine();
    std::string lastLine;
    for (int t = 0; t < JobTickLimit && engine.state().lastJobEnd == JobEnd::Running; ++t) {
        session.tick();
        const DisplayState &d = engine.display();
        const std::string line = d.LabelHlaseni.text + " " + std::to_string(d.CGaugeProgram.progress) + "/" +
                                 std::to_string(d.CGaugeProgram.maximum);
        if (line != lastLine && engine.state().lastJobEnd == JobEnd::Running) {
            std::cerr << line << '\n';
            lastLine = line;
        }
    }
    const LinkState &s = engine.state();
    switch (s.lastJobEnd) {
    case JobEnd::Verified: {
        const UnitHeaderTexts &h = engine.unitHeaderTexts();
        if (!h.UnitNameText.empty())
            std::cerr << "unit: " << h.UnitNameText << ", " << h.UnitDateText << " " << h.UnitTimeText << '\n';
        std::cerr << what << ": OK\n";
        return ExitOk;
    }
    case JobEnd::VersionMismatch:
        throw CliError{ExitVersionMismatch, session.callbacks().boxText};
    case JobEnd::Failed:
        if (s.acceptedFrames == 0)
            throw CliError{ExitUnitSilent, "no answer from a unit on " + session.device()};
        throw CliError{ExitTransferError, engine.display().LabelHlaseni.text + " block " +
                                              std::to_string(s.BlockIndex) +
                                              " was sent five times without a matching answer"};
    default:
        throw CliError{ExitTransferError, std::string(what) + " did not end"};
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
    const int version = readParameterFile(in, image, [&](FileMessage message) {
        if (message == FileMessage::OlderFileVersion)
            std::cerr << files.front() << ": older file version: some parameters keep their defaults\n";
    });
    checkRead(in, files.front());
    if (version == 0)
        throw CliError{ExitUsage, files.front() + ": not a parameter file: no KORVALEN_KEY with a known version"};
    validate(image);
    return image;
}

} // namespace

int runProgram(const std::vector<std::string> &args)
{
    const Options o = parseOptions(args, false, false);
    UnitImage image = imageFromFile(o.files);
    Session session(o, image);
    session.engine().StartProgramJob();
    return finishJob(session, "program");
}

int runVerify(const std::vector<std::string> &args)
{
    const Options o = parseOptions(args, false, false);
    UnitImage image = imageFromFile(o.files);
    Session session(o, image);
    session.engine().StartVerifyJob();
    return finishJob(session, "verify");
}

int runRead(const std::vector<std::string> &args)
{
    const Options o = parseOptions(args, true, false);
    if (o.output.empty() || !o.files.empty())
        throw CliError{ExitUsage, "read takes -o FILE.ign and no other file"};
    UnitImage image;
    Session session(o, image);
    session.engine().StartReadJob();
    const int result = finishJob(session, "read");
    std::ofstream out(o.output, std::ios::binary | std::ios::trunc);
    writeParameterFile(out, image);
    out.close();
    if (!out)
        throw CliError{ExitUsage, o.output + ": cannot write"};
    return result;
}

int runMonitor(const std::vector<std::string> &args)
{
    const Options o = parseOptions(args, false, true);
    if (!o.files.empty())
        throw CliError{ExitUsage, "monitor takes no files"};
    UnitImage image;
    image[field::BikeType] = bike::Classic;
    newParameterSet(image, NewSetCause::StartOrNew);
    validate(image);
    Session session(o, image);
    LinkEngine &engine = session.engine();
    std::signal(SIGINT, onInterrupt);
    std::signal(SIGTERM, onInterrupt);

    std::cout << "time_s,rpm,advance_deg,advance2_deg,max_advance_deg,throttle_pct,throttle_mv,supply_v,"
                 "kill_switch,retard,start_limiter,clutch,motor_off,input1,input2,pickup1,pickup2,"
                 "out1,out2,out3,speed_red,speed_yellow,servo_ok,data_error,saving,programmings,version\n";
    const auto start = Clock::now();
    const auto end = o.seconds ? start + std::chrono::seconds(*o.seconds) : Clock::time_point::max();
    std::uint32_t seen = 0;
    bool lost = true;
    while (!g_interrupted && Clock::now() < end) {
        session.tick();
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
        const int m1 = m.maxAdvance[0], m2 = m.maxAdvance[1];
        char line[512];
        std::snprintf(
            line, sizeof line, "%.3f,%u,%d,%d,%d,%u,%u,%.3f,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%u,%u,%u\n",
            seconds, m.engineSpeed, std::max(m.advance[0], m.advance[1]) - 100, m.advance[1] - 100,
            m1 == 0   ? m2
            : m2 == 0 ? m1
                      : std::min(m1, m2),
            m.tpsPercent, s.TpsMillivolts, m.supplyMillivolts * 0.001, m.killSwitch, m.retard, m.startLimiter, m.clutch,
            m.motorOff, m.input1Grounded, m.input2Grounded, m.pickup1, m.pickup2, m.powerOut1, m.powerOut2, m.powerOut3,
            m.speedRed, m.speedYellow, m.servoOk, m.dataError, m.savingCountdown, m.programCount, m.protocolVersion);
        std::cout << line << std::flush;
    }
    if (seen == 0)
        throw CliError{ExitUnitSilent, "no live frame from a unit on " + session.device()};
    return ExitOk;
}

} // namespace talviro6::cli
