#include "cli/arguments.h"
#include "cli/cli_io.h"
#include "cli/dwell_command.h"
#include "cli/history_command.h"
#include "cli/image_commands.h"
#include "cli/job_commands.h"

#include <algorithm>
#include <csignal>
#include <iostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace talviro6::cli;

/// One row a command: its word, what follows it, what it does (one paragraph, lines
/// as printed), the options it takes and what runs it. The usage is made from this
/// table, and each command's arguments are parsed against its options.
struct Command {
    std::string_view name;
    std::string_view arguments;
    std::string_view help;
    std::span<const Option> options;
    int (*run)(const Arguments &args);
};

using enum Option::Takes;
constexpr Option FromDump{"--from-dump", {}, Value, "a file", true};
constexpr Option PortOption{"--port", {}, Value};
constexpr Option DeviceOption{"--device", {}, Repeated, "N=PATH"};
constexpr Option NoSnapshot{"--no-snapshot"};

constexpr Option StartOptions[] = {FromDump};
constexpr Option CheckOptions[] = {{"--unit", {}, Value, "a file"}};
constexpr Option ReadOptions[] = {PortOption, DeviceOption, {"--output", "-o", Value, "a file"}, NoSnapshot};
constexpr Option ProgramOptions[] = {PortOption, DeviceOption, NoSnapshot, {"--review"}, {"--dry-run"}};
constexpr Option VerifyOptions[] = {PortOption, DeviceOption};
constexpr Option HistoryOptions[] = {{"--unit", {}, Value, "a unit"}, {"--folder", {}, Value, "a folder"}};
constexpr Option DwellOptions[] = {{"--from", {}, Value, "seconds"},
                                   {"--to", {}, Value, "seconds"},
                                   {"--min", {}, Value, "a count"},
                                   {"--max-rpm-per-s", {}, Value, "rpm per second"},
                                   {"--max-tps-per-s", {}, Value, "% per second"}};
constexpr Option MonitorOptions[] = {PortOption, DeviceOption, {"--seconds", {}, Value}, {"--follow"}};

constexpr Command Commands[] = {
    {"image", "[--from-dump DUMP] [FILE.ign ...]",
     R"(Start from the parameter set the tool starts with (defaults, preset of the
classic motorcycle, validated). With --from-dump, read DUMP (start-up image
format: up to 300 numbers) over it and validate again. Then read each
FILE.ign in order, validating after every accepted file. Print the 300
bytes in the start-up image format (CRLF line ends).)",
     StartOptions, runImage},
    {"ign", "[--from-dump DUMP]", R"(The same start, then print the parameter file exactly as Save writes it.)",
     StartOptions, runIgn},
    {"diff",
     "A.ign B.ign",
     R"(Read each file over that start, validated as the window opens it, and
print one line per field the two set differently, in the window's order:
name, A's value and B's value with their units, separated by tabs
("Limiter<TAB>15000 rpm<TAB>12000 rpm"). Exit code 0 when they are equal,
1 when they differ.)",
     {},
     runDiff},
    {"check", "FILE.ign [--unit UNIT.ign]",
     R"(Read the file over that start, validated as the window opens it, and print
one line per warning on a risky value, in English: a spike in the advance
map (a cell more than 8° above or below both neighbours of its row or
column), advance above 50°, the throttle map on with the sensor's 0 %
voltage not below its 100 % voltage. With --unit, UNIT.ign stands for the
unit's known set: a map cell or the base advance more than 10° from it, and
any change of the trigger set-up, warn too. Only the map rows in use count
(the last alone with the throttle map off). Exit code 0 without warnings,
1 with some; a warning never stops anything else.)",
     CheckOptions, runCheck},
    {"read", "--port DEV -o FILE.ign [--no-snapshot]",
     R"(Read the unit's parameters (then verify them against the unit) and save
them, validated, as Save does. FILE.ign is replaced whole or not at all;
a symbolic link is written through and kept (a loop of links is
refused); its folder is checked before the unit is asked. Values that
validation corrected are counted on standard error.)",
     ReadOptions, runRead},
    {"program", "--port DEV FILE.ign [--no-snapshot] [--review | --dry-run]",
     R"(Program the file's parameters (over the defaults, validated) into the unit,
verify them, then wait until the unit reports that it has stored them
("Saving: N%"); only then does it say OK. Do not unplug the unit before.
With --review, read the unit first and list on standard error what the
programming changes, one field a line ("Limiter [rpm]: 15000 rpm → 12000
rpm": the unit's value, then the file's), then the warnings on risky
values; then program. With --dry-run, read and list only: nothing is
written, and the exit code is 0 when the unit holds the file's parameters,
1 when they differ.)",
     ProgramOptions, runProgram},
    {"verify", "--port DEV FILE.ign", R"(Compare the unit's parameters with the file's.)", VerifyOptions, runVerify},
    {"monitor", "--port DEV [--seconds N] [--follow]",
     R"(Poll the unit three times a second and print one CSV line per live frame
(time, engine speed, advance: the larger and each channel's, throttle,
supply voltage, the flags) until N seconds have passed or Ctrl+C. A device
that goes away ends it as a failed job; with --follow it waits instead for
the same device to come back, under its /dev/serial/by-id name when it has
one, and says so on standard error.)",
     MonitorOptions, runMonitor},
    {"dwell", "RECORDING.csv PARAMETERS.ign [--from S] [--to S] [--min N] [--max-rpm-per-s R] [--max-tps-per-s P]",
     R"(Where the engine ran: count the recording's frames (as monitor prints them
and the window records them) per advance map cell and servo point of the
parameter file's map, as the window's live shading does, and print them
tab-separated: a header row of the map's speed columns in rpm, one row per
throttle row with its percentage, then the servo points' speeds ("servo rpm")
and counts ("servo"). --from and --to keep the frames whose time (seconds, the
first column) lies between them, both included. --max-rpm-per-s and
--max-tps-per-s leave out the frames where the speed or the throttle changes
faster, judged against the frames before and after. --min N is the window's
shading filter and is accepted for the same command line; the counts are
printed all the same. The totals go to standard error. A file without lines
of live data is refused.)",
     DwellOptions, runDwell},
    {"history", "[--unit ID] [--folder DIR]",
     R"(List the snapshots of the snapshot folder (or DIR), grouped by unit, oldest
first, one a line, tab-separated: unit, date, job (read or program), the
programming count when known, label, note, file. A snapshot saved without
a record of its unit is listed under "unknown unit"; --unit ID lists the
snapshots of one unit, as the first column names it. Tabs and line breaks
in a label or note are printed as spaces. A snapshot or side file that
cannot be read is listed all the same and named on standard error (exit
code 1).)",
     HistoryOptions, runHistory},
};

/// What --help prints after the commands.
constexpr std::string_view Details = R"(--from-dump DUMP, when given, comes directly after the command word.
DEV is a device path (/dev/ttyUSB0, /dev/pts/3) or a port number 1 ... 21, which
opens the n-th serial device present, USB adapters first; --device N=PATH
(repeatable) maps a number to a path for this run. Job progress goes to standard
error.
Messages go to standard error, one per line, in English.

read and program save a snapshot of the parameters (read: as read from the unit,
once verified; program: as programmed, once the storing wait ended) into
$XDG_CONFIG_HOME/talviro6/snapshots (default ~/.config/talviro6/snapshots),
named like 2026-12-10_1432_prog0042_read.ign (the programming count when a live
frame told it), never replacing a file ("_2", "_3", ... are added), and name it
on standard error ("snapshot: PATH"). A snapshot that cannot be saved is a
warning; the job's exit code stays. --no-snapshot saves none. Beside a
snapshot, PATH.unit names the unit it came from and PATH.note holds the
label (first line) and note (the rest) typed in the window's History.

Exit codes: 0 success; 1 some file had no accepted version (the output is still
printed), diff found differences, check found warnings, program --dry-run
found the unit holding other parameters than the file, or history met a
snapshot it could not read; 2 bad usage, a file that cannot be read or (diff,
check, program, verify) has no accepted version (nothing is printed), output
that cannot be written (standard output, or the FILE.ign of read, which then
stays as it was), or a snapshot folder that cannot be listed; 3 the serial port cannot be opened, or DEV is not a
serial port; 4 no unit answers; 5 transfer error: a block failed after five
sendings, answers arrived but none was valid, or the device went away during
the job; 6 the unit's protocol version is not 76; 7 programmed and verified,
but the unit did not report within 10 s that it finished storing, or the device
went away while it stored; 130, 143 and 129 a job was interrupted by SIGINT
(Ctrl+C), SIGTERM or SIGHUP (its terminal closed); the port is released first.
Ctrl+C is the usual end of monitor, which then exits with 0 when it received
live frames.
)";

std::string usage()
{
    std::string text = "usage: talviro6-cli COMMAND [ARGS]\n\nCommands:\n";
    const auto paragraph = [&text](std::string_view help) {
        while (!help.empty()) {
            const std::size_t end = std::min(help.find('\n'), help.size());
            text.append("      ").append(help.substr(0, end)).append("\n");
            help.remove_prefix(std::min(end + 1, help.size()));
        }
    };
    for (const Command &c : Commands) {
        text.append("  ").append(c.name);
        if (!c.arguments.empty())
            text.append(" ").append(c.arguments);
        text.append("\n");
        paragraph(c.help);
    }
    text.append("  --help\n");
    paragraph("This text.");
    text.append("\n").append(Details);
    return text;
}

} // namespace

int main(int argc, char **argv)
{
    using namespace talviro6::cli;
    // A reader that went away is an output error, checked like any other, so that a
    // job ends through its usual path and lets the line go; killed by the signal,
    // it would leave the line exclusive.
#ifdef SIGPIPE
    std::signal(SIGPIPE, SIG_IGN);
#endif
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        std::cerr << "talviro6-cli: no command; try talviro6-cli --help\n";
        return ExitUsage;
    }
    const std::string command = args.front();
    args.erase(args.begin());
    try {
        if (command == "--help" || command == "-h" || command == "help") {
            std::cout << usage();
            checkStdout();
            return ExitOk;
        }
        for (const Command &c : Commands)
            if (command == c.name)
                return c.run(parseArguments(args, c.options));
        throw CliError{ExitUsage, "unknown command " + command + "; try talviro6-cli --help"};
    } catch (const CliError &error) {
        std::cerr << "talviro6-cli: " << error.message << '\n';
        return error.exitCode;
    }
}
