#include "cli/history_command.h"

#include "cli/cli_io.h"
#include "files/snapshot_history.h"
#include "files/snapshots.h"

#include <algorithm>
#include <iostream>

namespace talviro6::cli {
namespace {

/// A column holds no tab and no line break, so that each line is one snapshot.
std::string column(std::string text)
{
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c == '\t' || c == '\n' || c == '\r'; }, ' ');
    return text;
}

} // namespace

int runHistory(const Arguments &args)
{
    if (!args.files.empty())
        throw CliError{ExitUsage, "history takes no file; try talviro6-cli --help"};
    const std::filesystem::path folder =
        args.has("--folder") ? std::filesystem::path(*args.value("--folder")) : defaultSnapshotFolder();
    if (folder.empty())
        throw CliError{ExitUsage, "no snapshot folder (neither XDG_CONFIG_HOME nor HOME is set); give --folder"};
    const SnapshotHistory history = listSnapshotHistory(folder);
    if (!history.error.empty())
        throw CliError{ExitUsage, history.error};

    const std::optional<std::string> only = args.value("--unit");
    bool unreadable = false;
    for (const SnapshotGroup &group : history.groups) {
        const std::string unit = group.unit.empty() ? UnknownUnit : group.unit;
        if (only && *only != unit)
            continue;
        for (const SnapshotEntry &e : group.entries) {
            std::cout << column(unit) << '\t' << e.date << '\t' << e.job << '\t'
                      << (e.programCount ? std::to_string(*e.programCount) : std::string()) << '\t' << column(e.label)
                      << '\t' << column(e.note) << '\t' << e.file.string() << '\n';
            if (!e.problem.empty()) {
                std::cerr << "warning: " << e.problem << '\n';
                unreadable = true;
            }
        }
    }
    checkStdout();
    return unreadable ? ExitNotAccepted : ExitOk;
}

} // namespace talviro6::cli
