// talviro6-cli is called by scripts outside the project: its exit codes, its
// standard output and the shape of its messages are a contract.
#include "files/file_fixtures.h"
#include "files/parameter_file.h"
#include "files/snapshot_history.h"
#include "files/snapshots.h"
#include "files/startup_image_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <sstream>
#include <sys/wait.h>

using namespace talviro6;
using talviro6::testing::startupImage;

namespace {

struct CliRun {
    int exitCode;
    std::string out;
    std::string err;
};

std::string slurp(const std::filesystem::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string data(const std::string &name)
{
    return std::string(TALVIRO6_TEST_DATA) + "/" + name;
}
std::string filesData(const std::string &name)
{
    return std::string(TALVIRO6_FILES_DATA) + "/" + name;
}

CliRun cli(const std::string &arguments)
{
    const auto dir = std::filesystem::temp_directory_path();
    const auto out = dir / ("talviro6_cli_out_" + std::to_string(::getpid()));
    const auto err = dir / ("talviro6_cli_err_" + std::to_string(::getpid()));
    // Bounded, so a reader that never ends fails its test (exit 124) instead of hanging it.
    const std::string command = std::string("timeout 60 '") + TALVIRO6_CLI + "' " + arguments + " >'" + out.string() +
                                "' 2>'" + err.string() + "'";
    const int status = std::system(command.c_str());
    CliRun run{WIFEXITED(status) ? WEXITSTATUS(status) : -1, slurp(out), slurp(err)};
    std::filesystem::remove(out);
    std::filesystem::remove(err);
    return run;
}

int lineCount(const std::string &text)
{
    int lines = 0;
    for (char c : text)
        lines += c == '\n';
    return lines;
}

/// The command validates after every accepted file, as the window's after-edit
/// step does.
UnitImage validated(UnitImage image)
{
    validate(image);
    return image;
}

std::string dumpOf(const UnitImage &image)
{
    std::ostringstream out(std::ios::binary);
    writeStartupImage(out, image);
    return out.str();
}

std::string ignOf(const UnitImage &image)
{
    std::ostringstream out(std::ios::binary);
    writeParameterFile(out, image);
    return out.str();
}

} // namespace

TEST(CliImage, PrintsTheStartUpImage)
{
    const CliRun run = cli("image");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, dumpOf(startupImage()));
    EXPECT_EQ(run.err, "");
}

TEST(CliImage, ReadsParameterFilesInOrder)
{
    const CliRun run = cli("image '" + filesData("startup_cells.ign") + "'");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, dumpOf(validated(talviro6::testing::startupImageWithCells())));

    // The older file resets the power outputs' first thresholds, then sets its own value.
    const CliRun older = cli("image '" + filesData("startup_cells.ign") + "' '" + data("older50.ign") + "'");
    EXPECT_EQ(older.exitCode, 0);
    UnitImage expected = talviro6::testing::startupImageWithCells();
    expected[field::BaseAdvance] = 12;
    EXPECT_EQ(older.out, dumpOf(validated(expected)));
    EXPECT_EQ(lineCount(older.err), 1) << older.err;
    EXPECT_NE(older.err.find("Older version of *.ign file!"), std::string::npos) << older.err;
    EXPECT_NE(older.err.find("older50.ign"), std::string::npos) << older.err;
}

TEST(CliImage, AFileWithoutAcceptedVersionGivesExitOne)
{
    const CliRun run = cli("image '" + data("not_a_parameter_file.txt") + "' '" + data("older50.ign") + "'");
    EXPECT_EQ(run.exitCode, 1);
    UnitImage expected = startupImage();
    expected[field::BaseAdvance] = 12;
    EXPECT_EQ(run.out, dumpOf(validated(expected))) << "the other files still count";
    EXPECT_EQ(lineCount(run.err), 2) << run.err;
    EXPECT_NE(run.err.find("not_a_parameter_file.txt: not a parameter file"), std::string::npos) << run.err;
}

TEST(CliImage, DumpIsReadOverTheStartAndValidated)
{
    // Bytes 0 ... 2: type 40 is unknown and kept, sync 40 is kept, 40 lobes kept.
    const CliRun run = cli("image --from-dump '" + data("thresholds.dump") + "'");
    EXPECT_EQ(run.exitCode, 0);
    UnitImage expected = startupImage();
    expected[0] = 40;
    expected[1] = 40;
    expected[2] = 40;
    validate(expected);
    EXPECT_EQ(run.out, dumpOf(expected));
}

TEST(CliIgn, WritesWhatSaveWrites)
{
    const CliRun plain = cli("ign");
    EXPECT_EQ(plain.exitCode, 0);
    EXPECT_EQ(plain.out, ignOf(validated(startupImage())));
    EXPECT_NE(plain.out.find("\r\n              300   400   500 \r\n"), std::string::npos);

    // The dump holds the fixture's bytes; start, dump and Save validate three times.
    const CliRun fromDump = cli("ign --from-dump '" + filesData("startup_cells.dump") + "'");
    EXPECT_EQ(fromDump.exitCode, 0);
    EXPECT_EQ(fromDump.out, ignOf(validated(talviro6::testing::startupImageWithCells())));
    EXPECT_EQ(fromDump.err, "");
}

TEST(Cli, UsageAndUnreadableFilesGiveExitTwoAndOneLine)
{
    const std::string missing = "'" + data("no_such_file.ign") + "'";
    const std::string rows[] = {
        "",
        "frobnicate",
        "image --bogus",
        "image --from-dump",
        "image " + missing,
        "image '" + filesData("startup_cells.ign") + "' " + missing,
        "image '" + std::string(TALVIRO6_TEST_DATA) + "'", // a directory
        "image --from-dump " + missing,
        "ign --from-dump " + missing,
        "ign '" + filesData("startup_cells.ign") + "'",
        "image '" + filesData("startup_cells.ign") + "' --from-dump '" + filesData("startup_cells.dump") + "'",
        "diff",
        "diff '" + filesData("startup_cells.ign") + "'",
        "diff '" + filesData("startup_cells.ign") + "' '" + filesData("startup_cells.ign") + "' " + missing,
        "diff --brief '" + filesData("startup_cells.ign") + "' '" + filesData("startup_cells.ign") + "'",
        "diff '" + filesData("startup_cells.ign") + "' " + missing,
        "diff " + missing + " '" + filesData("startup_cells.ign") + "'",
        "diff '" + filesData("startup_cells.ign") + "' '" + std::string(TALVIRO6_TEST_DATA) + "'",
        "check",
        "check '" + filesData("startup_cells.ign") + "' '" + filesData("startup_cells.ign") + "'",
        "check " + missing,
        "check '" + std::string(TALVIRO6_TEST_DATA) + "'",
        "check '" + data("not_a_parameter_file.txt") + "'",
        "check '" + filesData("startup_cells.ign") + "' --unit",
        "check '" + filesData("startup_cells.ign") + "' --unit " + missing,
        "check '" + filesData("startup_cells.ign") + "' --unit '" + data("not_a_parameter_file.txt") + "'",
        "check /dev/zero",
        // The jobs' options are refused before any port is touched.
        "read -o",
        "read --port 1 --port 2 -o x.ign",
        "verify --port 1 --bogus x.ign",
        "program --port 1 --device 30=/dev/null x.ign",
        "program --port 1 --device",
        "monitor",
        "monitor --port 1 --seconds soon",
        "monitor --port 1 --follow=yes",
        "monitor --port 1 --from-dump x",
        // Endless, and failing at the first read: refused or reported, never a hang or an abort.
        "image --from-dump /dev/zero",
        "diff '" + filesData("startup_cells.ign") + "' /dev/zero",
        "image /proc/self/mem",
        "image --from-dump /proc/self/mem",
        "diff '" + filesData("startup_cells.ign") + "' /proc/self/mem",
    };
    for (const std::string &arguments : rows) {
        const CliRun run = cli(arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments;
        EXPECT_EQ(run.out, "") << arguments;
        EXPECT_EQ(lineCount(run.err), 1) << arguments << ": " << run.err;
    }
}

// A full disk is an error, never a silent success: scripts redirect the output to a file.
TEST(Cli, OutputThatCannotBeWrittenGivesExitTwo)
{
    const auto err = std::filesystem::temp_directory_path() / ("talviro6_cli_full_" + std::to_string(::getpid()));
    for (const char *command : {"image", "ign", "--help"}) {
        const std::string line =
            std::string("'") + TALVIRO6_CLI + "' " + command + " >/dev/full 2>'" + err.string() + "'";
        const int status = std::system(line.c_str());
        EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, 2) << command;
        const std::string message = slurp(err);
        EXPECT_EQ(lineCount(message), 1) << command << ": " << message;
        EXPECT_NE(message.find("standard output: cannot write"), std::string::npos) << command << ": " << message;
    }
    std::filesystem::remove(err);
}

TEST(Cli, HelpDescribesBothCommands)
{
    const CliRun run = cli("--help");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_NE(run.out.find("image [--from-dump DUMP] [FILE.ign ...]"), std::string::npos);
    EXPECT_NE(run.out.find("ign [--from-dump DUMP]"), std::string::npos);
    EXPECT_NE(run.out.find("diff A.ign B.ign"), std::string::npos);
    EXPECT_NE(run.out.find("check FILE.ign [--unit UNIT.ign]"), std::string::npos);
    EXPECT_NE(run.out.find("--no-snapshot"), std::string::npos);
    EXPECT_NE(run.out.find("monitor --port DEV [--seconds N] [--follow]"), std::string::npos);
    EXPECT_NE(run.out.find("129"), std::string::npos) << "SIGHUP";
}

namespace {

/// A parameter file of its own in the temporary folder, removed at the end.
class TempIgn {
  public:
    TempIgn(const std::string &name, const std::string &content)
        : m_path(std::filesystem::temp_directory_path() /
                 ("talviro6_diff_" + name + "_" + std::to_string(::getpid()) + ".ign"))
    {
        std::ofstream out(m_path, std::ios::binary);
        out << content;
    }
    ~TempIgn() { std::filesystem::remove(m_path); }
    std::string quoted() const { return "'" + m_path.string() + "'"; }

  private:
    std::filesystem::path m_path;
};

} // namespace

TEST(CliDiff, ListsTheFieldsTheFilesSetDifferently)
{
    UnitImage a = validated(startupImage());
    a[field::Limiter] = 150;
    a[field::TachoCorrection] = 100;
    a[field::AdvanceMap(3, 4)] = 20;
    UnitImage b = a;
    b[field::Limiter] = 120;
    b[field::TachoCorrection] = 80;
    b[field::AdvanceMap(3, 4)] = 25;
    b[field::PowerOutCells(0, 2)] = 0b0110;
    // Output 2 special in B: its cells are the tuner's there, the pilot light's in A.
    b[field::PowerOutMode(1)] = 4;
    b[field::PowerOutCells(1, 0)] = 0;
    b[field::PowerOutCells(1, 1)] = 0;
    b[field::PowerOutCells(1, 2)] = 0b0110;
    const TempIgn fileA("a", ignOf(a)), fileB("b", ignOf(b));

    const CliRun run = cli("diff " + fileA.quoted() + " " + fileB.quoted());
    EXPECT_EQ(run.exitCode, 1) << run.err;
    EXPECT_EQ(run.out, "TachoCorrection\t0 %\t-20 %\n"
                       "Limiter\t15000 rpm\t12000 rpm\n"
                       "AdvanceMap[3][4]\t20 °\t25 °\n"
                       "PowerOutCells[0][2]\t0\t6\n"
                       "PowerOutMode[1]\t2\t4\n"
                       "PowerOutCells[1]\tfixed pattern of Pilot light\trows 0, 0, 6\n");
    EXPECT_EQ(run.err, "");

    const CliRun reverse = cli("diff " + fileB.quoted() + " " + fileA.quoted());
    EXPECT_EQ(reverse.exitCode, 1);
    EXPECT_EQ(reverse.out.substr(0, reverse.out.find('\n')), "TachoCorrection\t-20 %\t0 %");

    const CliRun same = cli("diff " + fileA.quoted() + " " + fileA.quoted());
    EXPECT_EQ(same.exitCode, 0) << same.err;
    EXPECT_EQ(same.out, "");
    EXPECT_EQ(same.err, "");
}

// Each file is opened as the window opens it: over the start-up set, validated.
// An older file keeps the start's values where it names none, and says so.
TEST(CliDiff, ComparesTheSetsTheWindowWouldHold)
{
    const CliRun older = cli("diff '" + data("older50.ign") + "' '" + filesData("startup_cells.ign") + "'");
    EXPECT_EQ(older.exitCode, 1) << older.err;
    // The cells of the pilot light and the power jet are fixed in both.
    EXPECT_EQ(older.out, "BaseAdvance\t12 °\t10 °\n"
                         "PowerOutCells[0][0]\t0\t5\n");
    EXPECT_EQ(lineCount(older.err), 1) << older.err;
    EXPECT_NE(older.err.find("older50.ign: Older version of *.ign file!"), std::string::npos) << older.err;

    // Bytes validation corrects compare as corrected: a file holding the start-up
    // set with an out-of-range Tps0Voltage equals one that holds it corrected.
    UnitImage wild = validated(startupImage());
    wild[field::Tps0Voltage] = 255;
    UnitImage corrected = wild;
    validate(corrected);
    ASSERT_NE(corrected[field::Tps0Voltage], 255);
    const TempIgn fileWild("wild", ignOf(wild)), fileCorrected("corrected", ignOf(corrected));
    const CliRun run = cli("diff " + fileWild.quoted() + " " + fileCorrected.quoted());
    EXPECT_EQ(run.exitCode, 0) << run.out;
    EXPECT_EQ(run.out, "");
}

TEST(CliDiff, AFileWithoutAcceptedVersionIsNamed)
{
    const CliRun run = cli("diff '" + filesData("startup_cells.ign") + "' '" + data("not_a_parameter_file.txt") + "'");
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(lineCount(run.err), 1) << run.err;
    EXPECT_NE(run.err.find("not_a_parameter_file.txt: not a parameter file"), std::string::npos) << run.err;
}

// A file cut short loads what it holds over the start, as before, and now says how
// many values it lacked; the output and the exit code stay as they were.
TEST(CliImage, AFileCutShortSaysHowManyValuesItLacked)
{
    UnitImage edited = validated(startupImage());
    edited[field::BaseAdvance] = 20;
    edited[field::AdvanceMap(0, 0)] = 9;
    const std::string whole = ignOf(edited);
    // Cut after the first row of the map: 45 values before it, 10 in it.
    const std::size_t rowEnd = whole.find("\r\n", whole.find("ADVANCE"));
    const TempIgn cut("cut", whole.substr(0, rowEnd));

    const CliRun run = cli("image " + cut.quoted());
    EXPECT_EQ(run.exitCode, 0) << run.err;
    UnitImage expected = startupImage();
    expected[field::BaseAdvance] = 20;
    expected[field::AdvanceMap(0, 0)] = 9;
    EXPECT_EQ(run.out, dumpOf(validated(expected)));
    EXPECT_EQ(lineCount(run.err), 1) << run.err;
    EXPECT_NE(run.err.find("168 of the 223 values are not in the file"), std::string::npos) << run.err;

    const CliRun whole76 = cli("image " + TempIgn("whole", whole).quoted());
    EXPECT_EQ(whole76.err, "");
}

// One warning a line, in English; the exit code tells a script whether any holds.
TEST(CliCheck, PrintsTheWarningsOfTheFileAlone)
{
    const CliRun clean = cli("check '" + filesData("startup_cells.ign") + "'");
    EXPECT_EQ(clean.exitCode, 0) << clean.err;
    EXPECT_EQ(clean.out, "");
    EXPECT_EQ(clean.err, "");

    UnitImage spiky = validated(startupImage());
    spiky[field::AdvanceMap(9, 3)] = 38; // between 15° and 28°
    spiky[field::AdvanceMap(9, 9)] = 55;
    const TempIgn file("spiky", ignOf(spiky));
    const CliRun run = cli("check " + file.quoted());
    EXPECT_EQ(run.exitCode, 1) << run.err;
    EXPECT_EQ(run.out, "Advance map, 4000 rpm, 100%: 38° is more than 8° above both neighbours in its row (15°, 28°)\n"
                       "Advance map, 10000 rpm, 100%: 55° is more than 50° of advance\n");
    EXPECT_EQ(run.err, "");
}

// With --unit the file stands for the unit's known set, as a read leaves it.
TEST(CliCheck, ComparesWithTheUnitsSetWhenGivenOne)
{
    const UnitImage unit = validated(startupImage());
    UnitImage edited = unit;
    edited[field::BaseAdvance] = 21;
    edited[field::PickupInvert1] = 1;
    const TempIgn unitFile("unit", ignOf(unit)), editedFile("edited", ignOf(edited));

    const CliRun alone = cli("check " + editedFile.quoted());
    EXPECT_EQ(alone.exitCode, 0) << alone.out << alone.err;

    const CliRun run = cli("check " + editedFile.quoted() + " --unit " + unitFile.quoted());
    EXPECT_EQ(run.exitCode, 1) << run.err;
    EXPECT_EQ(run.out, "Base advance: 21° against 10° in the unit, more than 10° changed in one programming\n"
                       "Inverse polarity of pick-up 1: off in the unit, now on – the engine may not start or may "
                       "fire at a wrong angle\n");
    EXPECT_EQ(run.err, "");

    const CliRun same = cli("check --unit " + unitFile.quoted() + " " + unitFile.quoted());
    EXPECT_EQ(same.exitCode, 0) << same.out << same.err;
    EXPECT_EQ(same.out, "");
}

TEST(CliHistory, OneSnapshotALineGroupedByUnitAndFiltered)
{
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / ("talviro6_cli_history_" + std::to_string(::getpid()));
    fs::remove_all(dir);
    std::tm t{};
    t.tm_year = 2026 - 1900;
    t.tm_mon = 11;
    t.tm_mday = 10;
    t.tm_hour = 14;
    t.tm_min = 32;
    fs::path a, b, c;
    ASSERT_EQ(saveSnapshot(dir, startupImage(), t, 42, "read", &a), "");
    ASSERT_EQ(saveSnapshotUnit(a, "ZB07 1. 3.2019 10:00"), "");
    ASSERT_EQ(saveSnapshotNote(a, "dyno\t1", "rich\nat 6000"), "");
    t.tm_mday = 9;
    ASSERT_EQ(saveSnapshot(dir, startupImage(), t, std::nullopt, "program", &b), "");
    ASSERT_EQ(saveSnapshot(dir, startupImage(), t, std::nullopt, "read", &c), "");
    ASSERT_EQ(saveSnapshotUnit(c, "AK05 5. 3.2008 14:21"), "");
    std::ofstream(dir / "README.txt") << "not a snapshot";

    const CliRun all = cli("history --folder '" + dir.string() + "'");
    EXPECT_EQ(all.exitCode, 0) << all.err;
    EXPECT_EQ(all.err, "");
    EXPECT_EQ(all.out, "AK05 5. 3.2008 14:21\t2026-12-09 14:32\tread\t\t\t\t" + c.string() +
                           "\nZB07 1. 3.2019 10:00\t2026-12-10 14:32\tread\t42\tdyno 1\trich at 6000\t" + a.string() +
                           "\nunknown unit\t2026-12-09 14:32\tprogram\t\t\t\t" + b.string() + "\n");

    const CliRun one = cli("history --unit 'unknown unit' --folder '" + dir.string() + "'");
    EXPECT_EQ(one.exitCode, 0);
    EXPECT_EQ(one.out, "unknown unit\t2026-12-09 14:32\tprogram\t\t\t\t" + b.string() + "\n");

    // A snapshot that cannot be read is listed and named; the folder itself failing is exit 2.
    fs::create_directory(dir / "2026-12-11_0800_read.ign");
    const CliRun unreadable = cli("history --unit 'unknown unit' --folder '" + dir.string() + "'");
    EXPECT_EQ(unreadable.exitCode, 1);
    EXPECT_EQ(lineCount(unreadable.out), 2);
    EXPECT_NE(unreadable.err.find("2026-12-11_0800_read.ign"), std::string::npos) << unreadable.err;
    const CliRun notAFolder = cli("history --folder '" + a.string() + "'");
    EXPECT_EQ(notAFolder.exitCode, 2);
    EXPECT_EQ(notAFolder.out, "");
    EXPECT_EQ(cli("history --folder '" + dir.string() + "' extra.ign").exitCode, 2);
    EXPECT_EQ(cli("history --unit").exitCode, 2);
    fs::remove_all(dir);
}

TEST(CliDwell, PrintsTheCountsOfTheFramesInRangeAndSteady)
{
    const std::string files =
        std::string("'") + TALVIRO6_RECORDINGS_DATA + "/ride.csv' '" + TALVIRO6_RECORDINGS_DATA + "/throttle_map.ign'";
    const CliRun all = cli("dwell " + files);
    ASSERT_EQ(all.exitCode, 0) << all.err;
    EXPECT_EQ(lineCount(all.out), 13);
    EXPECT_EQ(all.out.substr(0, all.out.find('\n')), "\t1000\t2000\t3000\t4000\t5000\t6000\t7000\t8000\t9000\t10000");
    EXPECT_NE(all.out.find("\n0 %\t31\t0\t"), std::string::npos) << all.out; // idle, both ends of the ride
    EXPECT_NE(all.err.find("80 frames counted, 0 left out as transients, 80 in range"), std::string::npos);

    const CliRun filtered = cli("dwell " + files + " --from 2 --to 20 --max-tps-per-s 30 --max-rpm-per-s=100000");
    ASSERT_EQ(filtered.exitCode, 0) << filtered.err;
    EXPECT_NE(filtered.out.find("\n0 %\t10\t0\t"), std::string::npos) << filtered.out;
    EXPECT_NE(filtered.err.find("54 frames counted, 6 left out as transients, 60 in range"), std::string::npos);
    // The minimum count shades the window; the numbers stay.
    EXPECT_EQ(cli("dwell " + files + " --min 1000").out, all.out);
}

TEST(CliDwell, RefusesWhatIsNoRecordingOrNoNumber)
{
    const std::string ride = std::string("'") + TALVIRO6_RECORDINGS_DATA + "/ride.csv'";
    const std::string ign = std::string("'") + TALVIRO6_RECORDINGS_DATA + "/throttle_map.ign'";
    struct Row {
        std::string arguments;
        std::string message;
    };
    const Row rows[] = {
        {ign + " " + ign, "not a recording"},
        {"/nonexistent.csv " + ign, "/nonexistent.csv"},
        {std::string("'") + TALVIRO6_RECORDINGS_DATA + "' " + ign, "not a regular file"},
        {ride + " '" + filesData("") + "not_there.ign'", "not_there.ign"},
        {ride, "dwell takes a recording and a parameter file"},
        {ride + " " + ign + " --from x", "--from needs a number"},
        {ride + " " + ign + " --to -1", "--to needs a number"},
        {ride + " " + ign + " --min 1.5", "--min needs a whole number"},
        {ride + " " + ign + " --max-rpm-per-s nan", "--max-rpm-per-s needs a number"},
        {ride + " " + ign + " --max-tps-per-s", "--max-tps-per-s needs"},
    };
    for (const Row &r : rows) {
        const CliRun run = cli("dwell " + r.arguments);
        EXPECT_EQ(run.exitCode, 2) << r.arguments;
        EXPECT_TRUE(run.out.empty()) << r.arguments;
        EXPECT_NE(run.err.find(r.message), std::string::npos) << r.arguments << ": " << run.err;
    }
}
