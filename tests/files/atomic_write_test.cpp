#include "files/atomic_write.h"

#include "../support/file_size_limit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

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
        rlim_t sizeLimit; ///< 0: none
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
