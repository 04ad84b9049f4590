#include "files/snapshots.h"

#include "../support/file_size_limit.h"

#include "file_fixtures.h"
#include "files/parameter_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <vector>

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

using namespace talviro6;
using talviro6::testing::FileSizeLimit;
using talviro6::testing::startupImage;
namespace fs = std::filesystem;

namespace {

std::string snapshotText(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string ignOf(const UnitImage &image)
{
    std::ostringstream out(std::ios::binary);
    writeParameterFile(out, image);
    return out.str();
}

std::vector<std::string> listing(const fs::path &folder)
{
    std::vector<std::string> names;
    for (const auto &entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::tm at(int year, int month, int day, int hour, int minute)
{
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = 59;
    return t;
}

/// Sets an environment variable (or unsets it for nullptr) for its lifetime.
class ScopedEnv {
  public:
    ScopedEnv(const char *name, const char *value) : m_name(name)
    {
        if (const char *old = std::getenv(name))
            m_old = old;
        set(name, value);
    }
    ~ScopedEnv() { set(m_name.c_str(), m_old ? m_old->c_str() : nullptr); }

  private:
    static void set(const char *name, const char *value)
    {
#ifdef _WIN32
        ::_putenv_s(name, value ? value : ""); // an empty value unsets
#else
        if (value)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
#endif
    }

    std::string m_name;
    std::optional<std::string> m_old;
};

class Snapshots : public ::testing::Test {
  protected:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path() /
                ("talviro6_snapshots_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) +
                 "_" + std::to_string(::getpid()));
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }
    const fs::path &dir() const { return m_dir; }

  private:
    fs::path m_dir;
};

} // namespace

TEST(SnapshotName, DateTimeCountAndKind)
{
    const struct {
        std::tm local;
        std::optional<int> count;
        const char *kind;
        const char *name;
    } rows[] = {
        {at(2026, 12, 10, 14, 32), 42, "read", "2026-12-10_1432_prog0042_read.ign"},
        {at(2027, 1, 5, 9, 7), 0, "program", "2027-01-05_0907_prog0000_program.ign"},
        {at(2026, 3, 4, 0, 0), 9999, "read", "2026-03-04_0000_prog9999_read.ign"},
        {at(2026, 3, 4, 23, 59), 65535, "program", "2026-03-04_2359_prog65535_program.ign"},
        {at(2026, 10, 1, 8, 5), std::nullopt, "read", "2026-10-01_0805_read.ign"},
        {at(2026, 10, 1, 8, 5), -1, "program", "2026-10-01_0805_program.ign"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(snapshotFileName(row.local, row.count, row.kind), row.name);
}

TEST_F(Snapshots, MakesItsFolderAndSavesWhatSaveWrites)
{
    UnitImage image = talviro6::testing::startupImageWithCells();
    image[field::Limiter] = 123;
    image[field::AdvanceMap(2, 7)] = 33;
    const fs::path folder = dir() / "config" / "talviro6" / "snapshots";

    fs::path saved;
    EXPECT_EQ(saveSnapshot(folder, image, at(2026, 12, 10, 14, 32), 42, "read", &saved), "");
    EXPECT_EQ(saved, folder / "2026-12-10_1432_prog0042_read.ign");
    EXPECT_EQ(listing(folder), std::vector<std::string>{"2026-12-10_1432_prog0042_read.ign"});
    EXPECT_EQ(snapshotText(saved), ignOf(image));

    UnitImage back = startupImage();
    std::ifstream in(saved, std::ios::binary);
    EXPECT_EQ(readParameterFile(in, back, {}), ParameterFileVersion);
    EXPECT_EQ(back.parameters, image.parameters);
}

TEST_F(Snapshots, NeverReplacesAFile)
{
    const UnitImage image = startupImage();
    const std::tm minute = at(2026, 12, 10, 14, 32);
    {
        std::ofstream out(dir() / "2026-12-10_1432_prog0042_read.ign", std::ios::binary);
        out << "kept";
    }
    std::vector<fs::path> saved(3);
    for (fs::path &path : saved)
        ASSERT_EQ(saveSnapshot(dir(), image, minute, 42, "read", &path), "");
    EXPECT_EQ(saved, (std::vector<fs::path>{dir() / "2026-12-10_1432_prog0042_read_2.ign",
                                            dir() / "2026-12-10_1432_prog0042_read_3.ign",
                                            dir() / "2026-12-10_1432_prog0042_read_4.ign"}));
    EXPECT_EQ(snapshotText(dir() / "2026-12-10_1432_prog0042_read.ign"), "kept");
    for (const fs::path &path : saved)
        EXPECT_EQ(snapshotText(path), ignOf(image)) << path;
    // Another kind or count in the same minute is a name of its own.
    fs::path other;
    ASSERT_EQ(saveSnapshot(dir(), image, minute, 43, "program", &other), "");
    EXPECT_EQ(other, dir() / "2026-12-10_1432_prog0043_program.ign");
    EXPECT_EQ(listing(dir()).size(), 5u) << "nothing else is left in the folder";
}

// The window and a command-line job may save in the same minute: each snapshot
// takes a name of its own, whole, and none is lost to another. (The processes are
// forked, which Windows cannot.)
#ifndef _WIN32
TEST_F(Snapshots, ProcessesSavingAtOnceEachKeepTheirOwn)
{
    constexpr int Processes = 8;
    constexpr int EachSaves = 10;
    const std::tm minute = at(2026, 12, 10, 14, 32);
    std::vector<pid_t> children;
    for (int p = 0; p < Processes; ++p) {
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            UnitImage image = startupImage();
            image[field::BaseAdvance] = static_cast<std::uint8_t>(p);
            int failures = 0;
            for (int i = 0; i < EachSaves; ++i)
                failures += !saveSnapshot(dir(), image, minute, std::nullopt, "read", nullptr).empty();
            ::_exit(failures);
        }
        children.push_back(pid);
    }
    for (const pid_t pid : children) {
        int status = 0;
        ::waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    const std::vector<std::string> names = listing(dir());
    ASSERT_EQ(names.size(), static_cast<std::size_t>(Processes * EachSaves));
    std::vector<int> perProcess(Processes, 0);
    for (const std::string &name : names) {
        UnitImage back = startupImage();
        back[field::BaseAdvance] = 255;
        std::ifstream in(dir() / name, std::ios::binary);
        ASSERT_EQ(readParameterFile(in, back, {}), ParameterFileVersion) << name;
        ASSERT_LT(back[field::BaseAdvance], Processes) << name;
        ++perProcess[back[field::BaseAdvance]];
    }
    EXPECT_EQ(perProcess, std::vector<int>(Processes, EachSaves));
}
#endif

TEST_F(Snapshots, AFolderThatCannotBeMadeOrAFullDiskIsAnError)
{
    const UnitImage image = startupImage();
    const std::tm minute = at(2026, 12, 10, 14, 32);
    {
        std::ofstream out(dir() / "plain", std::ios::binary);
        out << "a file, not a folder";
    }
    const fs::path untouched = dir() / "untouched";
    for (const fs::path &folder : {dir() / "plain" / "snapshots", dir() / "plain"}) {
        fs::path saved = untouched;
        const std::string error = saveSnapshot(folder, image, minute, 1, "read", &saved);
        EXPECT_NE(error.find(folder.string()), std::string::npos) << error;
        EXPECT_EQ(error.find('\n'), std::string::npos) << error;
        EXPECT_EQ(saved, untouched);
    }
    EXPECT_NE(saveSnapshot({}, image, minute, 1, "read", nullptr), "");

    // A write that fails midway leaves neither a snapshot nor its staging file.
    if (!FileSizeLimit::Available)
        return;
    const fs::path folder = dir() / "full";
    fs::create_directory(folder);
    {
        const FileSizeLimit limit(1024);
        const std::string error = saveSnapshot(folder, image, minute, 1, "read", nullptr);
        EXPECT_NE(error.find("cannot write"), std::string::npos) << error;
    }
    EXPECT_TRUE(listing(folder).empty());
}

TEST(SnapshotFolder, BesideTheWindowsSettings)
{
    const struct {
        const char *config;
        const char *home;
        const char *folder;
    } rows[] = {
        {"/tmp/cfg", "/home/rider", "/tmp/cfg/talviro6/snapshots"},
        {"", "/home/rider", "/home/rider/.config/talviro6/snapshots"},
        {nullptr, "/home/rider", "/home/rider/.config/talviro6/snapshots"},
        {nullptr, nullptr, ""},
    };
    for (const auto &row : rows) {
        const ScopedEnv config("XDG_CONFIG_HOME", row.config);
        const ScopedEnv home("HOME", row.home);
        EXPECT_EQ(defaultSnapshotFolder(), fs::path(row.folder)) << (row.config ? row.config : "(unset)");
    }
}
