#include "model/RegularFile.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "tests/support/TemporaryFolder.h"

namespace {

void writeFile(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

const char* kindName(const std::optional<RegularFileFailure>& failure)
{
    if (!failure)
        return "read";
    switch (failure->kind) {
    case RegularFileFailure::NotRegular:
        return "not regular";
    case RegularFileFailure::TooLarge:
        return "too large";
    case RegularFileFailure::System:
        return "system";
    }
    return "?";
}

} // namespace

// Nothing here may wait: a FIFO without a writer and a terminal-like device are refused at once.
TEST(RegularFile, ReadsRegularFilesAndRefusesEverythingElse)
{
    TemporaryFolder folder;
    writeFile(folder.file("ten.txt"), "0123456789");
    writeFile(folder.file("empty.txt"), "");
    ASSERT_EQ(::mkfifo(folder.file("pipe").c_str(), 0600), 0);
    std::filesystem::create_directory(folder.file("folder"));
    std::filesystem::create_symlink("ten.txt", folder.file("link"));
    std::filesystem::create_symlink("pipe", folder.file("link to pipe"));

    struct Case {
        const char* name;
        std::string path;
        std::uint64_t maxSize;
        const char* outcome;
        int error;
        std::string bytes;
    } const cases[] = {
        {"regular file", folder.file("ten.txt"), 100, "read", 0, "0123456789"},
        {"exactly at the bound", folder.file("ten.txt"), 10, "read", 0, "0123456789"},
        {"one byte over the bound", folder.file("ten.txt"), 9, "too large", 0, ""},
        {"empty file", folder.file("empty.txt"), 0, "read", 0, ""},
        {"link to a regular file", folder.file("link"), 100, "read", 0, "0123456789"},
        {"FIFO", folder.file("pipe"), 100, "not regular", 0, ""},
        {"link to a FIFO", folder.file("link to pipe"), 100, "not regular", 0, ""},
        {"folder", folder.file("folder"), 100, "not regular", EISDIR, ""},
        {"device", "/dev/null", 100, "not regular", 0, ""},
        {"missing file", folder.file("missing"), 100, "system", ENOENT, ""},
        {"missing folder", folder.file("missing/file"), 100, "system", ENOENT, ""},
        {"file as a folder", folder.file("ten.txt/file"), 100, "system", ENOTDIR, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const RegularFileBytes read = readRegularFile(c.path, c.maxSize);
        EXPECT_STREQ(kindName(read.failure), c.outcome);
        if (read.failure) {
            EXPECT_EQ(read.failure->error, c.error);
        }
        EXPECT_EQ(read.bytes, c.bytes);
    }
}

TEST(RegularFile, OpenedFileBlocksAgainAndKnowsItsSize)
{
    TemporaryFolder folder;
    writeFile(folder.file("file"), std::string(70000, 'x'));
    OpenedRegularFile opened = openRegularFile(folder.file("file"), 1u << 20);
    ASSERT_FALSE(opened.failure);
    EXPECT_EQ(opened.size, 70000u);
    EXPECT_EQ(::fcntl(opened.file.get(), F_GETFL) & O_NONBLOCK, 0);
    EXPECT_NE(::fcntl(opened.file.get(), F_GETFD) & FD_CLOEXEC, 0);
    // Read in several pieces, to the end.
    EXPECT_EQ(readOpenedFile(opened.file.get(), 70000).bytes.size(), 70000u);
}

// A sparse file claims its size at once: it is refused without a byte being read.
TEST(RegularFile, HugeSparseFileIsRefusedByItsSize)
{
    TemporaryFolder folder;
    const std::string path = folder.file("huge");
    writeFile(path, "DLSG");
    ASSERT_EQ(::truncate(path.c_str(), off_t{4} << 30), 0);
    const RegularFileBytes read = readRegularFile(path, 1u << 20);
    ASSERT_TRUE(read.failure);
    EXPECT_EQ(read.failure->kind, RegularFileFailure::TooLarge);
    EXPECT_TRUE(read.bytes.empty());
}

// A file that grows past the bound after it was opened is not read on without end.
TEST(RegularFile, FileThatGrowsPastTheBoundIsRefused)
{
    TemporaryFolder folder;
    const std::string path = folder.file("growing");
    writeFile(path, "small");
    OpenedRegularFile opened = openRegularFile(path, 100);
    ASSERT_FALSE(opened.failure);
    writeFile(path, std::string(1000, 'y'));
    const RegularFileBytes read = readOpenedFile(opened.file.get(), 100);
    ASSERT_TRUE(read.failure);
    EXPECT_EQ(read.failure->kind, RegularFileFailure::TooLarge);
}
