#include "files/snapshot_history.h"

#include "files/atomic_write.h"
#include "files/open_for_reading.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <system_error>

namespace talviro6 {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view Extension = ".ign";
constexpr std::string_view UnitSuffix = ".unit";
constexpr std::string_view NoteSuffix = ".note";
/// A label and note are typed by hand; anything larger is not a side file of ours.
constexpr std::size_t MaxSideFileBytes = 1u << 20;

bool digits(std::string_view s)
{
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

int number(std::string_view s)
{
    int n = 0;
    std::from_chars(s.data(), s.data() + s.size(), n);
    return n;
}

bool takePrefix(std::string_view &s, std::string_view prefix)
{
    if (!s.starts_with(prefix))
        return false;
    s.remove_prefix(prefix.size());
    return true;
}

enum class SideFile { Absent, Read, Unreadable };

/// Reads a small side file whole. A file that is not there is no problem; one that
/// is there and cannot be read is, and `problem` then says why.
SideFile readSideFile(const fs::path &path, std::string &text, std::string &problem)
{
    std::error_code ec;
    const fs::file_status status = fs::symlink_status(path, ec);
    if (status.type() == fs::file_type::not_found)
        return SideFile::Absent;
    std::ifstream in;
    if (std::string error = openForReading(path, in); !error.empty()) {
        problem = error;
        return SideFile::Unreadable;
    }
    char buffer[4096];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        text.append(buffer, static_cast<std::size_t>(in.gcount()));
        if (text.size() > MaxSideFileBytes) {
            problem = path.string() + ": too large for a side file";
            text.clear();
            return SideFile::Unreadable;
        }
    }
    if (in.bad()) {
        problem = readErrorText(path);
        text.clear();
        return SideFile::Unreadable;
    }
    return SideFile::Read;
}

std::string firstLine(std::string_view text)
{
    std::string_view line = text.substr(0, std::min(text.find('\n'), text.size()));
    if (line.ends_with('\r'))
        line.remove_suffix(1);
    return std::string(line);
}

void addProblem(SnapshotEntry &entry, const std::string &problem)
{
    if (problem.empty())
        return;
    if (!entry.problem.empty())
        entry.problem += "; ";
    entry.problem += problem;
}

/// The parameter file is only opened and its first byte taken: the listing says
/// whether it can be read, restoring or comparing reads it whole.
void checkReadable(SnapshotEntry &entry)
{
    std::ifstream in;
    if (std::string error = openForReading(entry.file, in); !error.empty()) {
        addProblem(entry, error);
        return;
    }
    char c;
    in.read(&c, 1);
    if (in.bad())
        addProblem(entry, readErrorText(entry.file));
}

void readSideFiles(SnapshotEntry &entry)
{
    std::string text, problem;
    if (readSideFile(snapshotUnitFile(entry.file), text, problem) == SideFile::Read)
        entry.unit = firstLine(text);
    addProblem(entry, problem);
    text.clear();
    problem.clear();
    if (readSideFile(snapshotNoteFile(entry.file), text, problem) == SideFile::Read) {
        const std::size_t end = text.find('\n');
        entry.label = firstLine(text);
        entry.note = end == std::string::npos ? std::string() : text.substr(end + 1);
    }
    addProblem(entry, problem);
}

fs::path withSuffix(const fs::path &snapshot, std::string_view suffix)
{
    fs::path side = snapshot;
    side += std::string(suffix);
    return side;
}

} // namespace

bool parseSnapshotName(std::string_view name, SnapshotEntry &entry)
{
    // 2026-12-10_1432[_prog0042]_read[_2].ign
    if (!name.ends_with(Extension) || name.size() < 16)
        return false;
    name.remove_suffix(Extension.size());
    const std::string_view year = name.substr(0, 4), month = name.substr(5, 2), day = name.substr(8, 2),
                           hour = name.substr(11, 2), minute = name.substr(13, 2);
    if (!digits(year) || name[4] != '-' || !digits(month) || name[7] != '-' || !digits(day) || name[10] != '_' ||
        !digits(hour) || !digits(minute))
        return false;
    name.remove_prefix(15);
    std::optional<int> count;
    // "_prog" begins "_program" too: only digits make it a count.
    if (name.size() > 5 && name.starts_with("_prog") && digits(name.substr(5, 1))) {
        name.remove_prefix(5);
        const std::size_t end = std::min(name.find('_'), name.size());
        if (end < 4 || !digits(name.substr(0, end)) || end > 9)
            return false;
        count = number(name.substr(0, end));
        name.remove_prefix(end);
    }
    std::string job;
    if (takePrefix(name, "_read"))
        job = "read";
    else if (takePrefix(name, "_program"))
        job = "program";
    else
        return false;
    int sequence = 1;
    if (!name.empty()) {
        if (!takePrefix(name, "_") || !digits(name) || name.size() > 3 || number(name) < 2)
            return false;
        sequence = number(name);
    }
    entry.date = std::string(year) + "-" + std::string(month) + "-" + std::string(day) + " " + std::string(hour) + ":" +
                 std::string(minute);
    entry.job = std::move(job);
    entry.sequence = sequence;
    entry.programCount = count;
    return true;
}

fs::path snapshotUnitFile(const fs::path &snapshot)
{
    return withSuffix(snapshot, UnitSuffix);
}

fs::path snapshotNoteFile(const fs::path &snapshot)
{
    return withSuffix(snapshot, NoteSuffix);
}

SnapshotHistory listSnapshotHistory(const fs::path &folder)
{
    SnapshotHistory history;
    std::error_code ec;
    const fs::file_status status = fs::status(folder, ec);
    if (status.type() == fs::file_type::not_found)
        return history;
    if (ec) {
        history.error = folder.string() + ": " + ec.message();
        return history;
    }
    if (!fs::is_directory(status)) {
        history.error = folder.string() + ": is not a folder";
        return history;
    }

    std::vector<SnapshotEntry> entries;
    fs::directory_iterator it(folder, ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        const std::string name = it->path().filename().string();
        SnapshotEntry entry;
        // Hidden names are the staged and temporary files of a save under way.
        if (name.starts_with('.') || !parseSnapshotName(name, entry))
            continue;
        entry.file = it->path();
        checkReadable(entry);
        readSideFiles(entry);
        entries.push_back(std::move(entry));
    }
    if (ec)
        history.error = folder.string() + ": cannot list the folder: " + ec.message();

    std::sort(entries.begin(), entries.end(), [](const SnapshotEntry &a, const SnapshotEntry &b) {
        // The unknown unit sorts last.
        if (a.unit != b.unit)
            return !a.unit.empty() && (b.unit.empty() || a.unit < b.unit);
        if (a.date != b.date)
            return a.date < b.date;
        if (a.sequence != b.sequence)
            return a.sequence < b.sequence;
        return a.file.filename() < b.file.filename();
    });
    for (SnapshotEntry &entry : entries) {
        if (history.groups.empty() || history.groups.back().unit != entry.unit)
            history.groups.push_back({entry.unit, {}});
        history.groups.back().entries.push_back(std::move(entry));
    }
    return history;
}

std::string saveSnapshotUnit(const fs::path &snapshot, std::string_view unit)
{
    const std::string line = firstLine(unit);
    return writeFileAtomically(snapshotUnitFile(snapshot), [&](std::ostream &out) { out << line << '\n'; });
}

std::string saveSnapshotNote(const fs::path &snapshot, std::string_view label, std::string_view note)
{
    std::string oneLine(label);
    std::replace(oneLine.begin(), oneLine.end(), '\n', ' ');
    std::replace(oneLine.begin(), oneLine.end(), '\r', ' ');
    return writeFileAtomically(snapshotNoteFile(snapshot), [&](std::ostream &out) { out << oneLine << '\n' << note; });
}

} // namespace talviro6
