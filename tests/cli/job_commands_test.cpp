// The jobs on a unit, end to end: talviro6-cli against talviro6-sim on a
// pseudo-terminal, with the simulator's named faults. Exit codes and the shape of
// the messages are a contract with scripts outside the project.
#include "cli/sim_process.h"
#include "cli/stalled_line.h"
#include "files/file_fixtures.h"
#include "files/parameter_file.h"
#include "link/frame.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <ctime>
#include <fstream>
#include <set>
#include <sstream>

#include <grp.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <termios.h>

using namespace talviro6;
using namespace talviro6::testing;

namespace {

constexpr auto npos = std::string::npos;

std::string parameterFile()
{
    return std::string(TALVIRO6_FILES_DATA) + "/startup_cells.ign";
}

int lineCount(const std::string &text)
{
    int lines = 0;
    for (char c : text)
        lines += c == '\n';
    return lines;
}

std::vector<std::vector<std::string>> csvRows(const std::string &text)
{
    std::vector<std::vector<std::string>> rows;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        std::vector<std::string> cells;
        std::istringstream cellsIn(line);
        for (std::string cell; std::getline(cellsIn, cell, ',');)
            cells.push_back(cell);
        rows.push_back(cells);
    }
    return rows;
}

std::size_t column(const std::vector<std::string> &header, const std::string &name)
{
    const auto it = std::find(header.begin(), header.end(), name);
    EXPECT_NE(it, header.end()) << "no column " << name;
    return static_cast<std::size_t>(it - header.begin());
}

void writeFile(const std::filesystem::path &path, const std::string &content)
{
    std::ofstream out(path, std::ios::binary);
    out << content;
}

std::vector<std::string> folderListing(const std::filesystem::path &folder)
{
    std::vector<std::string> names;
    for (const auto &entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

/// Stores `memory` in the simulated unit as a programming would, but without the
/// validation every job of the tool does first: a unit programmed by other means.
void storeRaw(const std::string &device, const ParameterArea &memory)
{
    const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(fd, 0);
    for (int block = 1; block <= ParameterBlocks; ++block) {
        const Frame request =
            makeFrame(static_cast<std::uint8_t>(block),
                      std::span<const std::uint8_t>(memory).subspan((block - 1) * BlockSize, BlockSize));
        ASSERT_EQ(::write(fd, request.data(), request.size()), static_cast<ssize_t>(request.size()));
        Frame answer{};
        std::size_t got = 0;
        pollfd p{fd, POLLIN, 0};
        while (got < answer.size() && ::poll(&p, 1, 2000) > 0) {
            const ssize_t n = ::read(fd, answer.data() + got, answer.size() - got);
            if (n <= 0)
                break;
            got += static_cast<std::size_t>(n);
        }
        ASSERT_EQ(got, answer.size()) << "block " << block << " unanswered";
        ASSERT_EQ(answer[0], block | code::AnswerBit);
    }
    ::close(fd);
}

/// The snapshots (parameter files) in a folder that may not exist; the side files
/// beside them are looked at on their own.
std::vector<std::string> snapshotsIn(const std::filesystem::path &folder)
{
    std::vector<std::string> names =
        std::filesystem::exists(folder) ? folderListing(folder) : std::vector<std::string>{};
    std::erase_if(names, [](const std::string &name) { return !name.ends_with(".ign"); });
    return names;
}

/// "2026-12-10_1432": the local minute as a snapshot's name begins.
std::string minuteNow()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d_%H%M", &local);
    return stamp;
}

/// Whether `name` has the shape of `pattern`, in which '#' stands for any digit.
bool shapedLike(const std::string &name, const std::string &pattern)
{
    return name.size() == pattern.size() && std::equal(name.begin(), name.end(), pattern.begin(), [](char n, char p) {
               return p == '#' ? n >= '0' && n <= '9' : n == p;
           });
}

std::string ignOf(const UnitImage &image)
{
    std::ostringstream out(std::ios::binary);
    writeParameterFile(out, image);
    return out.str();
}

using CliJobs = CliJobFixture;

} // namespace

// A technician unplugs the unit on "OK": by then the unit must have stored what it
// was sent, which it reports by a saving countdown in its live frames.
TEST_F(CliJobs, ProgramEndsOnlyWhenTheUnitHasStored)
{
    const SimProcess &sim = startSim();
    const CliRun run = cli({"program", "--port", sim.device(), parameterFile()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.err.find("Saving: "), npos) << run.err;
    EXPECT_NE(run.err.find("Saving: 100%\nprogram: OK\n"), npos) << run.err;
    EXPECT_LT(run.err.find("unit: "), run.err.find("Saving: ")) << run.err;

    // The unit's own word: its next live frame shows no storing in progress.
    const CliRun monitor = cli({"monitor", "--port", sim.device(), "--seconds", "1"});
    const auto rows = csvRows(monitor.out);
    ASSERT_GE(rows.size(), 2u) << monitor.err;
    EXPECT_EQ(rows[1][column(rows[0], "saving")], "0");
}

TEST_F(CliJobs, ProgramGivesUpWhenTheUnitNeverReportsTheEndOfStoring)
{
    // Every poll goes unanswered: the blocks are programmed and verified, but no
    // live frame ever tells that storing has finished. The unit counts as lost
    // after the watchdog's 18 silent ticks, and waiting on would tell nothing more.
    const SimProcess &sim = startSim({"--fault", "no-answer:-1:0x30"});
    const CliRun run = cli({"program", "--port", sim.device(), parameterFile()});
    EXPECT_EQ(run.exitCode, 7) << run.err;
    EXPECT_LT(run.seconds, 5.0);
    EXPECT_EQ(run.err.find("program: OK"), npos) << run.err;
    EXPECT_NE(run.err.find("stopped answering before it reported storing"), npos) << run.err;
    // Verified all the same, so the programming leaves its snapshot; without a
    // live frame the unit's programming count is unknown.
    const std::vector<std::string> saved = snapshotsIn(snapshots());
    ASSERT_EQ(saved.size(), 1u);
    EXPECT_TRUE(shapedLike(saved[0], "####-##-##_####_program.ign")) << saved[0];
}

TEST_F(CliJobs, MonitorShowsTheAdvanceOfBothChannels)
{
    // Channel 2 runs 5 degrees ahead of channel 1, so the larger value is channel 2's
    // and only a column of its own still shows channel 1.
    UnitImage image = startupImage();
    image[field::AdvanceCorrection1] = 100 - 2;
    image[field::AdvanceCorrection2] = 100 + 3;
    validate(image);
    const auto file = work() / "channels.ign";
    {
        std::ofstream out(file, std::ios::binary);
        writeParameterFile(out, image);
    }
    const SimProcess &sim = startSim();
    ASSERT_EQ(cli({"program", "--port", sim.device(), file.string()}).exitCode, 0);

    const CliRun monitor = cli({"monitor", "--port", sim.device(), "--seconds", "1"});
    EXPECT_EQ(monitor.exitCode, 0) << monitor.err;
    const auto rows = csvRows(monitor.out);
    ASSERT_GE(rows.size(), 2u);
    ASSERT_EQ(monitor.out.substr(0, monitor.out.find("max_advance_deg")),
              "time_s,rpm,advance_deg,advance1_deg,advance2_deg,");
    const std::size_t shown = column(rows[0], "advance_deg");
    const std::size_t one = column(rows[0], "advance1_deg");
    const std::size_t two = column(rows[0], "advance2_deg");
    for (std::size_t r = 1; r < rows.size(); ++r) {
        ASSERT_EQ(rows[r].size(), rows[0].size()) << "row " << r;
        const int a = std::stoi(rows[r][shown]), a1 = std::stoi(rows[r][one]), a2 = std::stoi(rows[r][two]);
        EXPECT_EQ(a2 - a1, 5) << "row " << r;
        EXPECT_EQ(a, std::max(a1, a2)) << "row " << r;
    }
}

TEST_F(CliJobs, MonitorEndsWhenItsOutputCannotBeWritten)
{
    const SimProcess &sim = startSim();
    const CliRun run = cli({"monitor", "--port", sim.device(), "--seconds", "3"}, {}, "/dev/full");
    EXPECT_EQ(run.exitCode, 2) << run.err;
    EXPECT_NE(run.err.find("cannot write"), npos) << run.err;
    EXPECT_LT(run.seconds, 2.0);
}

TEST_F(CliJobs, APathThatIsNoSerialPortIsNamedSo)
{
    writeFile(work() / "plain.txt", "not a terminal\n");
    for (const std::string &port : {std::string("/dev/null"), (work() / "plain.txt").string()}) {
        const CliRun run = cli({"read", "--port", port, "-o", (work() / "x.ign").string()});
        EXPECT_EQ(run.exitCode, 3) << port;
        EXPECT_NE(run.err.find(port + ": not a serial port"), npos) << run.err;
        EXPECT_EQ(run.err.find("in use"), npos) << run.err;
        EXPECT_EQ(lineCount(run.err), 1) << run.err;
    }
}

// A port that will not open says why and what to do, under the first line that
// scripts read: the device's group, the program holding it, the devices present.
TEST_F(CliJobs, APortThatWillNotOpenSaysWhyAndWhatToDo)
{
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    ASSERT_GE(master, 0);
    ASSERT_EQ(::grantpt(master), 0);
    ASSERT_EQ(::unlockpt(master), 0);
    const std::string terminal = ::ptsname(master);
    std::string ownName = slurp("/proc/self/comm");
    ownName.erase(ownName.find('\n'));
    const std::string pid = std::to_string(::getpid());
    const std::string read = "talviro6-cli: Com opening error! ";
    const auto asNobody = [] {
        const gid_t none[] = {65534};
        if (::setgroups(1, none) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0)
            ::_exit(126);
    };

    // Held, as another job of the tool holds it (not handed on to the command).
    const int holder = ::open(terminal.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    ASSERT_GE(holder, 0);
    ASSERT_EQ(::flock(holder, LOCK_EX | LOCK_NB), 0);
    CliRun run = cli({"read", "--port", terminal, "-o", (work() / "x.ign").string()});
    EXPECT_EQ(run.exitCode, 3);
    EXPECT_EQ(run.err, read + terminal + ": in use: " + std::strerror(EWOULDBLOCK) +
                           "\nAnother program holds the device: " + ownName + " (PID " + pid +
                           "). Close it, then try again.\n");
    ::close(holder);

    const std::string gone = (work() / "ttyUSB7").string();
    run = cli({"read", "--port", gone, "-o", (work() / "x.ign").string()});
    EXPECT_EQ(run.exitCode, 3);
    EXPECT_EQ(run.err.rfind(read + gone + ": No such file or directory\nThe device is not there", 0), 0u) << run.err;
    EXPECT_EQ(lineCount(run.err), 2) << run.err;

    run = cli({"read", "--port", "21", "-o", (work() / "x.ign").string()});
    EXPECT_EQ(run.exitCode, 3);
    EXPECT_EQ(run.err.rfind("talviro6-cli: COM21: no serial device behind this number\nThe device is not there", 0), 0u)
        << run.err;

    const group *dialout = ::getgrnam("dialout");
    if (::geteuid() != 0 || dialout == nullptr) {
        ::close(master);
        GTEST_SKIP() << "a refused permission needs root, to run the command as an ordinary user";
    }
    ASSERT_EQ(::chown(terminal.c_str(), 0, dialout->gr_gid), 0);
    ASSERT_EQ(::chmod(terminal.c_str(), 0660), 0);
    run = cli({"read", "--port", terminal, "-o", "/tmp/never-written.ign"}, asNobody);
    EXPECT_EQ(run.exitCode, 3) << run.err;
    EXPECT_EQ(run.err, read + terminal +
                           ": Permission denied\n"
                           "This user may not open the device: it belongs to the group dialout.\n"
                           "Either install the udev rule /usr/lib/udev/rules.d/70-talviro6-serial.rules (it comes "
                           "with the package) and plug the adapter in again,\n"
                           "or add this user to the group (sudo usermod -aG dialout $USER) and log in again.\n");
    ::close(master);
}

// A unit that answers, but never validly, is a line or wiring fault, not an absent unit.
TEST_F(CliJobs, AnswersThatAreNeverValidAreTransferErrors)
{
    const struct {
        const char *fault;
        int exitCode;
        const char *says;
    } rows[] = {
        {"wrong-check-byte:-1", 5, "none was valid"},
        {"stray-byte:-1", 5, "none was valid"},
        {"silence:-1", 4, "no answer from a unit"},
    };
    for (const auto &row : rows) {
        const SimProcess &sim = startSim({"--fault", row.fault});
        const CliRun run = cli({"read", "--port", sim.device(), "-o", (work() / "x.ign").string()});
        EXPECT_EQ(run.exitCode, row.exitCode) << row.fault << ": " << run.err;
        EXPECT_NE(run.err.find(row.says), npos) << row.fault << ": " << run.err;
        EXPECT_FALSE(std::filesystem::exists(work() / "x.ign")) << row.fault;
    }
}

TEST_F(CliJobs, ReadReplacesTheFileOnlyWhenAllIsWritten)
{
    const auto file = work() / "unit.ign";
    const std::string old(2078, 'o');
    const SimProcess &sim = startSim();

    // A file size limit of 1 KiB makes the write fail midway, as a full disk would.
    writeFile(file, old);
    const CliRun failed = cli({"read", "--port", sim.device(), "-o", file.string()}, [] {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{};
        ::getrlimit(RLIMIT_FSIZE, &limit);
        limit.rlim_cur = 1024;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    });
    EXPECT_EQ(failed.exitCode, 2) << failed.err;
    EXPECT_NE(failed.err.find(file.string()), npos) << failed.err;
    EXPECT_TRUE(slurp(file) == old) << "the old file is kept whole";
    EXPECT_EQ(folderListing(work()), std::vector<std::string>{"unit.ign"}) << "no temporary file is left";

    // Without the limit the unit's parameters replace the old file: a fresh unit
    // holds the set the tool starts with, which is what `ign` prints.
    const CliRun read = cli({"read", "--port", sim.device(), "-o", file.string()});
    EXPECT_EQ(read.exitCode, 0) << read.err;
    EXPECT_EQ(slurp(file), cli({"ign"}).out);
    EXPECT_EQ(folderListing(work()), std::vector<std::string>{"unit.ign"});
}

// A unit programmed by other means may hold values the tool corrects: the read
// still succeeds (so such a unit can be backed up), says so, and saves what Save
// would save.
TEST_F(CliJobs, ReadOfValuesValidationCorrectsSavesTheCorrectedSet)
{
    UnitImage settled = startupImage();
    validate(settled); // a further validation changes nothing
    UnitImage unit = settled;
    unit[field::Tps0Voltage] = 255;
    unit[field::Tps100Voltage] = 254; // both above 250, 5000 mV
    const SimProcess &sim = startSim();
    storeRaw(sim.device(), unit.parameters);

    const auto file = work() / "unit.ign";
    const CliRun run = cli({"read", "--port", sim.device(), "-o", file.string()});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.err.find("read: 2 values were corrected"), npos) << run.err;
    EXPECT_NE(run.err.find("read: OK\n"), npos) << run.err;
    UnitImage saved = unit;
    validate(saved); // after the read
    validate(saved); // by Save
    std::ostringstream expected(std::ios::binary);
    writeParameterFile(expected, saved);
    EXPECT_EQ(slurp(file), expected.str());

    // A unit that needs no correction gives no such line.
    storeRaw(sim.device(), settled.parameters);
    const CliRun plain = cli({"read", "--port", sim.device(), "-o", file.string()});
    EXPECT_EQ(plain.exitCode, 0) << plain.err;
    EXPECT_EQ(plain.err.find("corrected"), npos) << plain.err;
}

TEST_F(CliJobs, ReadRefusesAnOutputItCannotWriteBeforeTalkingToTheUnit)
{
    writeFile(work() / "plain.txt", "a file, not a folder\n");
    std::filesystem::create_directory(work() / "locked");
    std::filesystem::permissions(work() / "locked",
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    const struct {
        std::filesystem::path output;
        const char *says;
        bool permissionBits; ///< needs permission bits to count (not so for root)
    } rows[] = {
        {work() / "missing" / "x.ign", "does not exist", false},
        {work() / "plain.txt" / "x.ign", "not a folder", false},
        {work(), "is a folder", false},
        {work() / "locked" / "x.ign", "Permission denied", true},
    };
    // A silent unit would make a job that talks to it end with exit 4 after seconds.
    const SimProcess &sim = startSim({"--fault", "silence:-1"});
    for (const auto &row : rows) {
        if (row.permissionBits && ::geteuid() == 0)
            continue;
        const CliRun run = cli({"read", "--port", sim.device(), "-o", row.output.string()});
        EXPECT_EQ(run.exitCode, 2) << row.output << ": " << run.err;
        EXPECT_EQ(lineCount(run.err), 1) << run.err;
        EXPECT_NE(run.err.find(row.output.string()), npos) << run.err;
        EXPECT_NE(run.err.find(row.says), npos) << run.err;
        EXPECT_LT(run.seconds, 1.0);
    }
}

// An interrupted job must give the line back: exclusive mode outlives the job while
// the other end stays open, and then shuts out every later job of an ordinary user.
TEST_F(CliJobs, AnInterruptedJobReleasesThePort)
{
    const struct {
        const char *fault;
        const char *job;
        int signal;
        const char *waitFor; ///< on standard error before the signal is sent
        int exitCode;
        const char *says;
    } rows[] = {
        {"no-answer:-1", "read", SIGTERM, "\n", 143, "interrupted (SIGTERM)"},
        {"no-answer:-1", "verify", SIGINT, "\n", 130, "interrupted (SIGINT)"},
        {"no-answer:-1:0x30", "program", SIGTERM, "unit: ", 143, "interrupted (SIGTERM)"}, // while storing
        // The terminal it ran in was closed.
        {"no-answer:-1", "read", SIGHUP, "\n", 129, "interrupted (SIGHUP)"},
        {"no-answer:-1:0x30", "program", SIGHUP, "unit: ", 129, "interrupted (SIGHUP)"},
        // Ctrl+C is how a monitor is ended; being stopped otherwise is not.
        {"", "monitor", SIGINT, "connected\n", 0, ""},
        {"", "monitor", SIGTERM, "connected\n", 143, "interrupted (SIGTERM)"},
        {"", "monitor", SIGHUP, "connected\n", 129, "interrupted (SIGHUP)"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(std::string(row.job) + ", signal " + std::to_string(row.signal));
        const SimProcess &sim =
            startSim(*row.fault != '\0' ? std::vector<std::string>{"--fault", row.fault} : std::vector<std::string>{});
        std::vector<std::string> args{row.job, "--port", sim.device()};
        if (std::string(row.job) == "read")
            args.insert(args.end(), {"-o", (work() / "x.ign").string()});
        else if (std::string(row.job) != "monitor")
            args.push_back(parameterFile());
        termios before{};
        {
            const int fd = ::open(sim.device().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
            ASSERT_GE(fd, 0);
            ::tcgetattr(fd, &before);
            ::close(fd);
        }
        const pid_t pid = startCli(args);
        ASSERT_TRUE(waitForErr(row.waitFor)) << slurp(errPath());
        ::kill(pid, row.signal);
        EXPECT_EQ(waitForExit(pid), row.exitCode) << slurp(errPath());
        EXPECT_NE(slurp(errPath()).find(row.says), npos) << slurp(errPath());
        if (*row.says == '\0') {
            EXPECT_EQ(slurp(errPath()).find("interrupted"), npos) << slurp(errPath());
        }
        EXPECT_FALSE(std::filesystem::exists(work() / "x.ign"));

        const int fd = ::open(sim.device().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        ASSERT_GE(fd, 0);
        int exclusive = -1;
        ASSERT_EQ(::ioctl(fd, TIOCGEXCL, &exclusive), 0);
        EXPECT_EQ(exclusive, 0) << "exclusive mode is still set";
        EXPECT_EQ(::flock(fd, LOCK_EX | LOCK_NB), 0);
        termios after{};
        ::tcgetattr(fd, &after);
        ::close(fd);
        EXPECT_EQ(after.c_cflag, before.c_cflag) << "the line's settings are restored";
        EXPECT_EQ(after.c_cc[VMIN], before.c_cc[VMIN]);

        const CliRun next = cli({"verify", "--port", sim.device(), parameterFile()});
        EXPECT_NE(next.exitCode, 3) << next.err;
    }
}

// A reader that goes away (`monitor | head -1`) is an output error like any other:
// the monitor ends with exit 2 and lets the line go, instead of being killed with
// the line still exclusive.
TEST_F(CliJobs, AMonitorWhoseReaderGoesAwayReleasesThePort)
{
    const SimProcess &sim = startSim();
    std::filesystem::remove(errPath());
    int out = -1;
    const pid_t pid = spawn(TALVIRO6_CLI, {"monitor", "--port", sim.device()}, {}, errPath(), &out,
                            [] { std::signal(SIGPIPE, SIG_DFL); }); // as a shell leaves it
    ASSERT_GE(pid, 0);
    ASSERT_TRUE(waitForErr("connected\n")) << slurp(errPath());
    char first[256];
    ASSERT_GT(::read(out, first, sizeof first), 0) << "the header came";
    ::close(out);
    EXPECT_EQ(waitForExit(pid), 2) << slurp(errPath());
    EXPECT_NE(slurp(errPath()).find("standard output"), npos) << slurp(errPath());

    const int fd = ::open(sim.device().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(fd, 0);
    int exclusive = -1;
    ASSERT_EQ(::ioctl(fd, TIOCGEXCL, &exclusive), 0);
    EXPECT_EQ(exclusive, 0) << "exclusive mode is still set";
    ::close(fd);
}

// Every read and every verified programming leaves a parameter file in the
// snapshot folder, named by the minute, the unit's programming count when a live
// frame told it, and the job; a name taken already gets "_2".
TEST_F(CliJobs, ReadAndProgramSaveSnapshotsNamedByMinuteCountAndJob)
{
    UnitImage settled = startupImage();
    validate(settled); // a further validation changes nothing
    settled[field::Limiter] = 123;
    const SimProcess &sim = startSim();
    storeRaw(sim.device(), settled.parameters); // the unit's first programming

    // Each snapshot is named by a minute while its job ran; jobs may straddle a
    // minute's end, so each name is looked for under both.
    struct Job {
        CliRun run;
        std::string from, to; ///< the minutes before and after
    };
    const auto timed = [&](const std::vector<std::string> &args) {
        Job job;
        job.from = minuteNow();
        job.run = cli(args);
        job.to = minuteNow();
        return job;
    };
    const auto named = [&](const Job &job, const std::string &rest) {
        for (const std::string &minute : {job.from, job.to})
            if (std::filesystem::exists(snapshots() / (minute + rest)))
                return minute + rest;
        return "none of " + job.from + rest + ", " + job.to + rest;
    };
    const Job read = timed({"read", "--port", sim.device(), "-o", (work() / "unit.ign").string()});
    const Job program = timed({"program", "--port", sim.device(), parameterFile()});
    const Job again = timed({"read", "--port", sim.device(), "-o", (work() / "again.ign").string()});
    ASSERT_EQ(read.run.exitCode, 0) << read.run.err;
    ASSERT_EQ(program.run.exitCode, 0) << program.run.err;
    ASSERT_EQ(again.run.exitCode, 0) << again.run.err;

    // A read sees no live frame before its blocks; the programming waits for the
    // storing, whose frames count it. The second read takes "_2" when it shares the
    // first one's minute.
    const std::string readName = named(read, "_read.ign");
    const std::string programName = named(program, "_prog0002_program.ign");
    const std::string sameMinute = readName.substr(0, readName.find('_', 11)) + "_read_2.ign";
    const std::string againName =
        std::filesystem::exists(snapshots() / sameMinute) ? sameMinute : named(again, "_read.ign");
    std::vector<std::string> expected{readName, programName, againName};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(snapshotsIn(snapshots()), expected);
    EXPECT_NE(againName, readName);
    // Each names the unit it came from, for the history to group them by.
    std::set<std::string> units;
    for (const std::string &name : expected) {
        std::ifstream unit(snapshots() / (name + ".unit"));
        std::string line;
        EXPECT_TRUE(std::getline(unit, line)) << name;
        units.insert(line);
    }
    EXPECT_EQ(units.size(), 1u);
    EXPECT_FALSE(units.begin()->empty());
    EXPECT_NE(read.run.err.find("snapshot: " + (snapshots() / readName).string() + "\n"), npos) << read.run.err;
    EXPECT_NE(program.run.err.find("program: OK\nsnapshot: " + (snapshots() / programName).string()), npos)
        << program.run.err;

    // The read's snapshot is the unit's set as read; the programming's the set it
    // programmed, which the next read finds in the unit.
    EXPECT_EQ(slurp(snapshots() / readName), ignOf(settled));
    UnitImage programmed = talviro6::testing::startupImageWithCells();
    validate(programmed); // after the file is read
    validate(programmed); // by the program job
    EXPECT_EQ(slurp(snapshots() / programName), ignOf(programmed));
    EXPECT_EQ(slurp(snapshots() / againName), ignOf(programmed));
    EXPECT_EQ(folderListing(work()), (std::vector<std::string>{"again.ign", "unit.ign"}));
}

TEST_F(CliJobs, NoSnapshotSavesNone)
{
    const SimProcess &sim = startSim();
    const CliRun read = cli({"read", "--port", sim.device(), "--no-snapshot", "-o", (work() / "unit.ign").string()});
    const CliRun program = cli({"program", "--no-snapshot", "--port", sim.device(), parameterFile()});
    EXPECT_EQ(read.exitCode, 0) << read.err;
    EXPECT_EQ(program.exitCode, 0) << program.err;
    EXPECT_EQ(read.err.find("snapshot"), npos) << read.err;
    EXPECT_EQ(program.err.find("snapshot"), npos) << program.err;
    EXPECT_FALSE(std::filesystem::exists(config())) << "not even the folder is made";

    // The other jobs save no snapshot, and take no such option.
    EXPECT_EQ(cli({"verify", "--port", sim.device(), parameterFile()}).exitCode, 0);
    EXPECT_FALSE(std::filesystem::exists(config()));
    EXPECT_EQ(cli({"verify", "--no-snapshot", "--port", sim.device(), parameterFile()}).exitCode, 2);
}

// The job is done when the snapshot is saved: a folder that cannot be made warns,
// and the job keeps its success and its output.
TEST_F(CliJobs, ASnapshotThatCannotBeSavedIsOnlyAWarning)
{
    writeFile(config(), "a file where the configuration folder should be\n");
    const SimProcess &sim = startSim();
    const auto file = work() / "unit.ign";
    const CliRun read = cli({"read", "--port", sim.device(), "-o", file.string()});
    EXPECT_EQ(read.exitCode, 0) << read.err;
    EXPECT_NE(read.err.find("warning: no snapshot saved: " + snapshots().string()), npos) << read.err;
    EXPECT_NE(read.err.find("read: OK\n"), npos) << read.err;
    EXPECT_EQ(slurp(file), cli({"ign"}).out);

    const CliRun program = cli({"program", "--port", sim.device(), parameterFile()});
    EXPECT_EQ(program.exitCode, 0) << program.err;
    EXPECT_NE(program.err.find("program: OK\nwarning: no snapshot saved: "), npos) << program.err;
}

namespace {

/// The lines of `text` that show a job's progress ("Verify: 2/3").
std::vector<std::string> progressLines(const std::string &text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        if (line.size() > 4 && line.compare(line.size() - 2, 2, "/3") == 0)
            lines.push_back(line);
    return lines;
}

std::vector<std::string> steps(const std::string &phase)
{
    std::vector<std::string> lines;
    for (int step = 0; step <= 3; ++step)
        lines.push_back(phase + ": " + std::to_string(step) + "/3");
    return lines;
}

} // namespace

// Each phase is named once, with one colon, and is seen through to its last step.
TEST_F(CliJobs, ProgressShowsEveryStepOfEachPhase)
{
    const SimProcess &sim = startSim();
    const auto joined = [](std::vector<std::string> a, const std::vector<std::string> &b) {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    };
    const struct {
        std::vector<std::string> args;
        std::vector<std::string> progress;
    } rows[] = {
        {{"program", "--port", sim.device(), parameterFile()}, joined(steps("Program device"), steps("Verify"))},
        {{"read", "--port", sim.device(), "-o", (work() / "x.ign").string()}, joined(steps("Read"), steps("Verify"))},
        {{"verify", "--port", sim.device(), parameterFile()}, steps("Verify")},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.args.front());
        const CliRun run = cli(row.args);
        ASSERT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(progressLines(run.err), row.progress) << run.err;
    }
}

// A link names where the file goes: written through, and kept. A link that leads
// round in a circle is refused before the unit is asked.
TEST_F(CliJobs, ReadWritesThroughALinkAndRefusesALoop)
{
    const SimProcess &sim = startSim();
    std::filesystem::create_directory(work() / "there");
    std::filesystem::create_symlink("there/unit.ign", work() / "dangling.ign");
    const CliRun read = cli({"read", "--port", sim.device(), "-o", (work() / "dangling.ign").string()});
    EXPECT_EQ(read.exitCode, 0) << read.err;
    EXPECT_TRUE(std::filesystem::is_symlink(work() / "dangling.ign"));
    EXPECT_EQ(slurp(work() / "there" / "unit.ign"), cli({"ign"}).out);

    // Now it leads to a file that exists, which a second read replaces.
    writeFile(work() / "there" / "unit.ign", "old");
    EXPECT_EQ(cli({"read", "--port", sim.device(), "-o", (work() / "dangling.ign").string()}).exitCode, 0);
    EXPECT_TRUE(std::filesystem::is_symlink(work() / "dangling.ign"));
    EXPECT_EQ(slurp(work() / "there" / "unit.ign"), cli({"ign"}).out);

    std::filesystem::create_symlink("loop2.ign", work() / "loop1.ign");
    std::filesystem::create_symlink("loop1.ign", work() / "loop2.ign");
    const CliRun loop = cli({"read", "--port", sim.device(), "-o", (work() / "loop1.ign").string()});
    EXPECT_EQ(loop.exitCode, 2) << loop.err;
    EXPECT_LT(loop.seconds, 1.0) << "refused before the job";
    EXPECT_EQ(lineCount(loop.err), 1) << loop.err;
    EXPECT_NE(loop.err.find(work().string() + "/loop1.ign"), npos) << loop.err;
    EXPECT_NE(loop.err.find("loop"), npos) << loop.err;
    EXPECT_EQ(folderListing(work()), (std::vector<std::string>{"dangling.ign", "loop1.ign", "loop2.ign", "there"}));
    EXPECT_TRUE(std::filesystem::is_symlink(work() / "loop1.ign"));
    EXPECT_EQ(folderListing(work() / "there"), std::vector<std::string>{"unit.ign"});
}

// A write that the line does not take must not hold the tick: the frame counts as
// sent without answer, and the job ends as on a silent unit, in the same time.
TEST_F(CliJobs, ALineThatTakesNoFrameIsASilentUnit)
{
    {
        const StalledLine line;
        ASSERT_FALSE(line.device().empty());
        const CliRun read = cli({"read", "--port", line.device(), "-o", (work() / "x.ign").string()});
        EXPECT_EQ(read.exitCode, 4) << read.err;
        EXPECT_NE(read.err.find("no answer from a unit"), npos) << read.err;
        // Five sendings 4 ticks apart and 4 ticks more: 1.3 s of ticks.
        EXPECT_LT(read.seconds, 2.5);
        EXPECT_FALSE(std::filesystem::exists(work() / "x.ign"));
    }
    const StalledLine line;
    const CliRun monitor = cli({"monitor", "--port", line.device(), "--seconds", "5"});
    EXPECT_EQ(monitor.exitCode, 4) << monitor.err;
    EXPECT_NE(monitor.err.find("no live frame"), npos) << monitor.err;
    EXPECT_GE(monitor.seconds, 5.0);
    EXPECT_LT(monitor.seconds, 5.4);
}

// Before programming, --review reads the unit and lists what the file changes in
// it, with the warnings; --dry-run stops there and tells by its exit code.
TEST_F(CliJobs, ReviewListsWhatProgrammingChangesAndDryRunWritesNothing)
{
    const SimProcess &sim = startSim();
    ASSERT_EQ(cli({"program", "--no-snapshot", "--port", sim.device(), parameterFile()}).exitCode, 0);

    const CliRun same = cli({"program", "--dry-run", "--port", sim.device(), parameterFile()});
    EXPECT_EQ(same.exitCode, 0) << same.err;
    EXPECT_NE(same.err.find("review: the unit already holds the file's parameters\n"), npos) << same.err;
    EXPECT_TRUE(same.out.empty());

    std::string text = slurp(parameterFile());
    for (const auto &[from, to] : {std::pair<std::string, std::string>{"BASE_ADV       10 ", "BASE_ADV       25 "},
                                   {"LIMITER       100   110 ", "LIMITER       100   120 "}}) {
        const std::size_t at = text.find(from);
        ASSERT_NE(at, npos) << from;
        text.replace(at, from.size(), to);
    }
    const std::filesystem::path edited = work() / "edited.ign";
    writeFile(edited, text);
    const std::string expectedList = "Base advance [°]: 10 ° → 25 °\n"
                                     "Limiter [rpm]: 11000 rpm → 12000 rpm\n"
                                     "warning: Base advance: 25° against 10° in the unit, more than 10° changed in "
                                     "one programming\n";

    // Twice: the first wrote nothing, so the second finds the same differences.
    for (int run = 0; run < 2; ++run) {
        const CliRun dry = cli({"program", "--dry-run", "--no-snapshot", "--port", sim.device(), edited.string()});
        EXPECT_EQ(dry.exitCode, 1) << dry.err;
        EXPECT_NE(dry.err.find(expectedList), npos) << dry.err;
        EXPECT_EQ(dry.err.find("Program"), npos) << "no programming began: " << dry.err;
    }

    const CliRun reviewed = cli({"program", "--review", "--no-snapshot", "--port", sim.device(), edited.string()});
    EXPECT_EQ(reviewed.exitCode, 0) << reviewed.err;
    EXPECT_NE(reviewed.err.find(expectedList), npos) << reviewed.err;
    EXPECT_LT(reviewed.err.find(expectedList), reviewed.err.find("program: OK\n")) << reviewed.err;

    const CliRun after = cli({"program", "--dry-run", "--port", sim.device(), edited.string()});
    EXPECT_EQ(after.exitCode, 0) << after.err;
    EXPECT_NE(after.err.find("review: the unit already holds the file's parameters\n"), npos) << after.err;
}
