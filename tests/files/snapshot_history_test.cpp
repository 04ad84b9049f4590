#include "files/snapshot_history.h"

#include "file_fixtures.h"
#include "files/snapshots.h"

#include <gtest/gtest.h>

#include <fstream>

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

using namespace talviro6;
using talviro6::testing::startupImage;
namespace fs = std::filesystem;

namespace {

class History : public ::testing::Test {
  protected:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path() /
                ("talviro6_history_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) +
                 "_" + std::to_string(::getpid()));
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }
    const fs::path &dir() const { return m_dir; }
    void put(const std::string &name, const std::string &text = "x")
    {
        std::ofstream(m_dir / name, std::ios::binary) << text;
    }

  private:
    fs::path m_dir;
};

std::tm at(int day, int hour, int minute)
{
    std::tm t{};
    t.tm_year = 2026 - 1900;
    t.tm_mon = 11;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    return t;
}

std::vector<std::string> names(const SnapshotGroup &group)
{
    std::vector<std::string> out;
    for (const SnapshotEntry &e : group.entries)
        out.push_back(e.file.filename().string());
    return out;
}

} // namespace

TEST(SnapshotHistoryName, ParsesWhatSaveNamesAndNothingElse)
{
    struct Row {
        const char *name;
        bool parsed;
        const char *date;
        const char *job;
        int sequence;
        int count; ///< -1: none
    };
    const Row rows[] = {
        {"2026-12-10_1432_prog0042_read.ign", true, "2026-12-10 14:32", "read", 1, 42},
        {"2026-12-10_1432_program.ign", true, "2026-12-10 14:32", "program", 1, -1},
        {"2026-01-02_0003_prog123456_program_12.ign", true, "2026-01-02 00:03", "program", 12, 123456},
        {"2026-12-10_1432_read_2.ign", true, "2026-12-10 14:32", "read", 2, -1},
        {"2026-12-10_1432_read_1.ign", false, "", "", 0, 0},
        {"2026-12-10_1432_read_.ign", false, "", "", 0, 0},
        {"2026-12-10_1432_prog42_read.ign", false, "", "", 0, 0},
        {"2026-12-10_1432_verify.ign", false, "", "", 0, 0},
        {"2026-12-10_1432_read.ign.note", false, "", "", 0, 0},
        {"2026-12-10_1432_read.ign.unit", false, "", "", 0, 0},
        {"2026-12-10_1432_read.bak", false, "", "", 0, 0},
        {"2026-12-1x_1432_read.ign", false, "", "", 0, 0},
        {"tuning.ign", false, "", "", 0, 0},
        {".ign", false, "", "", 0, 0},
        {"", false, "", "", 0, 0},
    };
    for (const Row &row : rows) {
        SnapshotEntry e;
        ASSERT_EQ(parseSnapshotName(row.name, e), row.parsed) << row.name;
        if (!row.parsed)
            continue;
        EXPECT_EQ(e.date, row.date) << row.name;
        EXPECT_EQ(e.job, row.job) << row.name;
        EXPECT_EQ(e.sequence, row.sequence) << row.name;
        EXPECT_EQ(e.programCount.value_or(-1), row.count) << row.name;
    }
}

TEST_F(History, GroupsByUnitOldestFirstAndPassesOverWhatIsNoSnapshot)
{
    const UnitImage image = startupImage();
    const auto save = [&](const std::tm &t, std::optional<int> count, const char *job, const char *unit) {
        fs::path saved;
        EXPECT_EQ(saveSnapshot(dir(), image, t, count, job, &saved), "");
        if (unit) {
            EXPECT_EQ(saveSnapshotUnit(saved, unit), "");
        }
        return saved;
    };
    save(at(11, 9, 0), 43, "program", "ZB07 1. 3.2019 10:00");
    save(at(10, 14, 32), 42, "read", "ZB07 1. 3.2019 10:00");
    save(at(10, 14, 32), 42, "read", "ZB07 1. 3.2019 10:00"); // the same minute: "_2"
    save(at(9, 8, 5), std::nullopt, "read", "AK05 5. 3.2008 14:21");
    save(at(1, 7, 0), std::nullopt, "read", nullptr); // saved before units were recorded
    // Foreign files, a save under way, and a temporary side file.
    put("README.txt");
    put("tuning.ign");
    put(".2026-12-12_1000_read.0123456789abcdef.partial");
    put(".2026-12-10_1432_read.ign.note.00000000deadbeef.tmp");
    put("2026-12-10_1432_read.ign.orig");

    const SnapshotHistory h = listSnapshotHistory(dir());
    EXPECT_EQ(h.error, "");
    ASSERT_EQ(h.groups.size(), 3u);
    EXPECT_EQ(h.groups[0].unit, "AK05 5. 3.2008 14:21");
    EXPECT_EQ(h.groups[1].unit, "ZB07 1. 3.2019 10:00");
    EXPECT_EQ(h.groups[2].unit, "");
    EXPECT_EQ(names(h.groups[1]),
              (std::vector<std::string>{"2026-12-10_1432_prog0042_read.ign", "2026-12-10_1432_prog0042_read_2.ign",
                                        "2026-12-11_0900_prog0043_program.ign"}));
    EXPECT_EQ(names(h.groups[2]), std::vector<std::string>{"2026-12-01_0700_read.ign"});
    for (const SnapshotGroup &g : h.groups)
        for (const SnapshotEntry &e : g.entries)
            EXPECT_EQ(e.problem, "") << e.file;
}

TEST_F(History, LabelAndNoteAreReplacedWholeAndTheSnapshotStaysUntouched)
{
    fs::path saved;
    ASSERT_EQ(saveSnapshot(dir(), startupImage(), at(10, 14, 32), 42, "read", &saved), "");
    std::ifstream before(saved, std::ios::binary);
    const std::string original{std::istreambuf_iterator<char>(before), {}};

    ASSERT_EQ(saveSnapshotNote(saved, "first", "old"), "");
    ASSERT_EQ(saveSnapshotNote(saved, "Dyno run\r\n3", "rich at 6000\nleaner \xC5\xBE next time\n"), "");
    const SnapshotHistory h = listSnapshotHistory(dir());
    ASSERT_EQ(h.groups.size(), 1u);
    ASSERT_EQ(h.groups[0].entries.size(), 1u);
    const SnapshotEntry &e = h.groups[0].entries[0];
    EXPECT_EQ(e.label, "Dyno run  3");
    EXPECT_EQ(e.note, "rich at 6000\nleaner \xC5\xBE next time\n");
    EXPECT_EQ(e.programCount, 42);
    std::ifstream after(saved, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(after), {}), original);
    // Only the snapshot and its note: no temporary file is left behind.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir()), fs::directory_iterator()), 2);
}

TEST_F(History, WhatCannotBeReadIsListedWithWhy)
{
    fs::create_directory(dir() / "2026-12-10_1432_read.ign"); // a folder in a snapshot's place
    put("2026-12-10_1433_read.ign");
    fs::create_directory(dir() / "2026-12-10_1433_read.ign.note");
    put("2026-12-10_1434_read.ign");
    fs::create_directory(dir() / "2026-12-10_1434_read.ign.unit");
    put("2026-12-10_1435_read.ign");
    put("2026-12-10_1435_read.ign.note", std::string(2u << 20, 'x'));

    const SnapshotHistory h = listSnapshotHistory(dir());
    ASSERT_EQ(h.groups.size(), 1u);
    ASSERT_EQ(h.groups[0].entries.size(), 4u);
    for (const SnapshotEntry &e : h.groups[0].entries) {
        EXPECT_NE(e.problem, "") << e.file;
        EXPECT_EQ(e.label, "") << e.file;
    }
    EXPECT_NE(h.groups[0].entries[0].problem.find("folder"), std::string::npos) << h.groups[0].entries[0].problem;

    EXPECT_EQ(listSnapshotHistory(dir() / "missing").error, "");
    EXPECT_TRUE(listSnapshotHistory(dir() / "missing").groups.empty());
    EXPECT_NE(listSnapshotHistory(dir() / "2026-12-10_1433_read.ign").error, "");
}

// Two machines syncing one folder, or two programs on one: each saves snapshots,
// records their unit and rewrites notes while the other does the same. (The
// processes are forked, which Windows cannot.)
#ifndef _WIN32
TEST_F(History, WritersAtOnceLoseNothing)
{
    constexpr int Writers = 4;
    constexpr int EachSaves = 25;
    std::vector<pid_t> children;
    for (int w = 0; w < Writers; ++w) {
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            const std::string unit = "UNIT" + std::to_string(w);
            int failures = 0;
            fs::path previous;
            for (int i = 0; i < EachSaves; ++i) {
                fs::path saved;
                failures += !saveSnapshot(dir(), startupImage(), at(10, 14, 32), i, "read", &saved).empty();
                failures += !saveSnapshotUnit(saved, unit).empty();
                failures += !saveSnapshotNote(saved, "first", "draft").empty();
                if (!previous.empty())
                    failures += !saveSnapshotNote(previous, unit, "final " + std::to_string(i - 1)).empty();
                previous = saved;
            }
            failures += !saveSnapshotNote(previous, unit, "final " + std::to_string(EachSaves - 1)).empty();
            ::_exit(failures);
        }
        children.push_back(pid);
    }
    for (const pid_t pid : children) {
        int status = 0;
        ::waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    const SnapshotHistory h = listSnapshotHistory(dir());
    ASSERT_EQ(h.groups.size(), static_cast<std::size_t>(Writers));
    for (int w = 0; w < Writers; ++w) {
        const SnapshotGroup &g = h.groups[static_cast<std::size_t>(w)];
        EXPECT_EQ(g.unit, "UNIT" + std::to_string(w));
        ASSERT_EQ(g.entries.size(), static_cast<std::size_t>(EachSaves));
        std::vector<bool> seen(EachSaves, false);
        for (const SnapshotEntry &e : g.entries) {
            EXPECT_EQ(e.problem, "");
            EXPECT_EQ(e.label, g.unit);
            ASSERT_TRUE(e.programCount && *e.programCount < EachSaves);
            EXPECT_EQ(e.note, "final " + std::to_string(*e.programCount));
            seen[static_cast<std::size_t>(*e.programCount)] = true;
        }
        EXPECT_EQ(seen, std::vector<bool>(EachSaves, true));
    }
    for (const auto &f : fs::directory_iterator(dir()))
        EXPECT_FALSE(f.path().filename().string().starts_with('.')) << f.path();
}
#endif
