#include "files/atomic_write.h"

#include "../support/file_size_limit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <vector>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace talviro6;
using talviro6::testing::FileSizeLimit;
namespace fs = std::filesystem;

namespace {

std::string slurp(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writePlain(const fs::path &path, const std::string &content)
{
    std::ofstream out(path, std::ios::binary);
    out << content;
}

FileWriter text(std::string content)
{
    return [content = std::move(content)](std::ostream &out) { out << content; };
}

class AtomicWrite : public ::testing::Test {
  protected:
    void SetUp() override
    {
        const auto *info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_dir = fs::temp_directory_path() /
                ("talviro6_atomic_" + std::string(info->name()) + "_" + std::to_string(::getpid()));
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override
    {
        std::error_code ec;
        for (const auto &entry : fs::recursive_directory_iterator(m_dir, ec))
            fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(m_dir, ec);
    }

    const fs::path &dir() const { return m_dir; }

    std::vector<std::string> listing(const fs::path &folder) const
    {
        std::vector<std::string> names;
        for (const auto &entry : fs::directory_iterator(folder))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

  private:
    fs::path m_dir;
};

} // namespace

TEST_F(AtomicWrite, ReplacesTheFileOnlyWhenAllIsWritten)
{
    const std::string big(64 * 1024, 'n');
    const struct {
        const char *name;
        const char *old; ///< nullptr: no file before
        FileWriter writer;
        std::uint64_t sizeLimit; ///< 0: none
        const char *says; ///< nullptr: succeeds
        std::string content;
    } rows[] = {
        {"new file", nullptr, text("new\r\n"), 0, nullptr, "new\r\n"},
        {"replaces", "old contents", text("new"), 0, nullptr, "new"},
        {"empty content", "old", text(""), 0, nullptr, ""},
        {"writer fails its stream", "old", [](std::ostream &out) { out.setstate(std::ios::failbit); }, 0,
         "could not be produced", "old"},
        {"write error midway (a full disk)", "old", text(big), 16 * 1024, "File too large", "old"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        if (row.sizeLimit > 0 && !FileSizeLimit::Available)
            continue;
        const fs::path file = dir() / "unit.ign";
        fs::remove(file);
        if (row.old)
            writePlain(file, row.old);
        std::string error;
        if (row.sizeLimit > 0) {
            FileSizeLimit limit(row.sizeLimit);
            error = writeFileAtomically(file, row.writer);
        } else {
            error = writeFileAtomically(file, row.writer);
        }
        if (row.says) {
            EXPECT_NE(error.find(file.string()), std::string::npos) << error;
            EXPECT_NE(error.find(row.says), std::string::npos) << error;
            EXPECT_EQ(error.find('\n'), std::string::npos) << error;
        } else {
            EXPECT_EQ(error, "");
        }
        EXPECT_TRUE(slurp(file) == row.content);
        EXPECT_EQ(listing(dir()), std::vector<std::string>{"unit.ign"}) << "no temporary file is left";
    }
}

TEST_F(AtomicWrite, AWriterThatThrowsLeavesEverythingAsItWas)
{
    const fs::path file = dir() / "unit.ign";
    writePlain(file, "old");
    EXPECT_THROW((void)writeFileAtomically(file,
                                           [](std::ostream &out) {
                                               out << "half";
                                               throw std::runtime_error("no image");
                                           }),
                 std::runtime_error);
    EXPECT_EQ(slurp(file), "old");
    EXPECT_EQ(listing(dir()), std::vector<std::string>{"unit.ign"});
}

// Permission bits, symbolic links and pipes are POSIX's; Windows has none of them
// in this form.
#ifndef _WIN32
TEST_F(AtomicWrite, KeepsPermissionsAndTheLinkToTheFile)
{
    const fs::path file = dir() / "unit.ign";
    writePlain(file, "old");
    const auto mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(file, mode);
    fs::create_symlink("unit.ign", dir() / "link.ign");

    EXPECT_EQ(writeFileAtomically(dir() / "link.ign", text("new")), "");
    EXPECT_TRUE(fs::is_symlink(dir() / "link.ign"));
    EXPECT_EQ(slurp(file), "new");
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::all, mode);
    EXPECT_EQ(listing(dir()), (std::vector<std::string>{"link.ign", "unit.ign"}));
}

// A tuner's link (to a shared folder, to a file that is made later) is a name he
// chose: the write goes to where it leads and the link stays. A link that leads
// round in a circle has no file to write, and a new file in its place would break it.
TEST_F(AtomicWrite, WritesThroughLinksAndRefusesALoop)
{
    fs::create_directory(dir() / "sub");
    writePlain(dir() / "sub" / "there.ign", "old");
    const struct {
        const char *name;
        std::vector<std::pair<std::string, std::string>> links; ///< link name, where it leads
        const char *lands;                                      ///< the file written; empty: a loop
    } rows[] = {
        {"to a file", {{"a.ign", "sub/there.ign"}}, "sub/there.ign"},
        {"dangling", {{"a.ign", "sub/new.ign"}}, "sub/new.ign"},
        {"dangling, absolute", {{"a.ign", (dir() / "sub" / "abs.ign").string()}}, "sub/abs.ign"},
        {"dangling, through a link", {{"a.ign", "b.ign"}, {"b.ign", "sub/chain.ign"}}, "sub/chain.ign"},
        {"into a link's own folder", {{"sub/a.ign", "rel.ign"}}, "sub/rel.ign"},
        {"to itself", {{"a.ign", "a.ign"}}, ""},
        {"round two links", {{"a.ign", "b.ign"}, {"b.ign", "a.ign"}}, ""},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        for (const auto &[name, target] : row.links)
            fs::create_symlink(target, dir() / name);
        const fs::path link = dir() / row.links.front().first;
        const std::vector<std::string> before = listing(dir() / "sub");
        const std::string check = checkFileWritable(link);
        const std::string error = writeFileAtomically(link, text("new"));
        if (*row.lands != '\0') {
            EXPECT_EQ(check, "");
            EXPECT_EQ(error, "");
            EXPECT_EQ(slurp(dir() / row.lands), "new");
        } else {
            for (const std::string &refused : {check, error}) {
                EXPECT_NE(refused.find(link.string()), std::string::npos) << refused;
                EXPECT_NE(refused.find("loop"), std::string::npos) << refused;
            }
            EXPECT_EQ(listing(dir() / "sub"), before) << "nothing written";
        }
        for (const auto &[name, target] : row.links) {
            ASSERT_TRUE(fs::is_symlink(dir() / name)) << name;
            EXPECT_EQ(fs::read_symlink(dir() / name).string(), target) << name;
            fs::remove(dir() / name);
        }
        EXPECT_EQ(listing(dir()), std::vector<std::string>{"sub"}) << "no temporary file is left";
    }
}

TEST_F(AtomicWrite, PathsThatCannotBeWrittenAreRefusedWithTheirReason)
{
    writePlain(dir() / "plain.txt", "a file, not a folder");
    fs::create_directory(dir() / "locked");
    fs::permissions(dir() / "locked", fs::perms::owner_read | fs::perms::owner_exec);
    ASSERT_EQ(::mkfifo((dir() / "pipe").c_str(), 0600), 0);
    const struct {
        fs::path path;
        const char *says;
        bool permissionBits; ///< needs permission bits to count, which root passes by
    } rows[] = {
        {dir() / "missing" / "x.ign", "does not exist", false},
        {dir() / "plain.txt" / "x.ign", "not a folder", false},
        {dir(), "is a folder", false},
        {dir() / "pipe", "not a regular file", false}, // replacing a device would be worse than failing
        {dir() / "locked" / "x.ign", "Permission denied", true},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.path.string());
        if (row.permissionBits && ::geteuid() == 0)
            continue; // root writes into a read-only folder
        for (const std::string &error : {checkFileWritable(row.path), writeFileAtomically(row.path, text("x"))}) {
            EXPECT_NE(error.find(row.path.string()), std::string::npos) << error;
            EXPECT_NE(error.find(row.says), std::string::npos) << error;
        }
    }
    EXPECT_EQ(listing(dir()), (std::vector<std::string>{"locked", "pipe", "plain.txt"}));
    EXPECT_EQ(listing(dir() / "locked"), std::vector<std::string>{});

    // A good path passes the check, which leaves nothing behind; a bare name is in
    // the current folder.
    EXPECT_EQ(checkFileWritable(dir() / "x.ign"), "");
    EXPECT_EQ(checkFileWritable(dir() / "plain.txt"), "");
    const fs::path before = fs::current_path();
    fs::current_path(dir());
    EXPECT_EQ(checkFileWritable("x.ign"), "");
    fs::current_path(before);
    EXPECT_EQ(listing(dir()), (std::vector<std::string>{"locked", "pipe", "plain.txt"}));
}
#endif
