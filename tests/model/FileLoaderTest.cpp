#include "model/DocumentStorage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "StorageFailure.h"
#include "tests/support/FileBytes.h"

namespace fs = std::filesystem;

namespace {

class FileLoaderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "forv-loader-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
    }
    void TearDown() override
    {
        std::error_code ignored;
        fs::permissions(folder_, fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(folder_, ignored);
    }

    std::string path(const std::string& name) const { return (folder_ / name).string(); }

    // Names in the folder besides the ones a test made itself.
    std::vector<std::string> folderEntries() const
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder_))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    // Saves a small declaration-like container with `text` in it.
    static std::uint32_t containerSize(const std::string& text)
    {
        return 60 + countedStorageSize([&](mTDocumentStorage& s) { writeValues(s, text); });
    }
    static void writeValues(mTDocumentStorage& storage, const std::string& text)
    {
        storage.WriteStreamName("@DeclInfo");
        storage.WriteString(text);
        storage.WriteInteger(-5);
    }
    void save(const std::string& file, const std::string& text) const
    {
        mTFileLoader loader(file, false, containerSize(text));
        {
            mTDocumentStorage storage(loader);
            storage.CreateHeader("Forv2021");
            writeValues(storage, text);
        }
        loader.Commit();
    }

    fs::path folder_;
};

} // namespace

TEST_F(FileLoaderTest, SavedFileLoadsBack)
{
    const std::string file = path("decl.fv1");
    save(file, "Иванов");
    const std::string bytes = readFile(file);
    EXPECT_EQ(bytes.size(), containerSize("Иванов"));
    EXPECT_EQ(bytes.substr(60), "0009@DeclInfo0006\xC8\xE2\xE0\xED\xEE\xE2" "00104294967291");
    // A new declaration is readable by its owner only: it holds personal data.
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);

    mTFileLoader loader(file, true);
    EXPECT_EQ(loader.Size(), bytes.size());
    mTDocumentStorage storage(loader);
    storage.Open();
    EXPECT_EQ(storage.DocName(), "Forv2021");
    storage.OpenStream("@DeclInfo");
    EXPECT_EQ(storage.ReadString(), "Иванов");
    EXPECT_EQ(storage.ReadInteger(), -5);
    EXPECT_EQ(folderEntries(), std::vector<std::string>{"decl.fv1"});
}

TEST_F(FileLoaderTest, SavingReplacesTheFileAndKeepsItsPermissions)
{
    const std::string file = path("decl.fv1");
    save(file, "old");
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    save(file, "new text");
    EXPECT_EQ(readFile(file).substr(60 + 13, 12), "0008new text");
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(folderEntries(), std::vector<std::string>{"decl.fv1"});
}

TEST_F(FileLoaderTest, LoadingFailures)
{
    writeFile(path("empty.fv1"), "");
    fs::create_directory(path("folder.fv1"));
    struct Case {
        const char* name;
        std::string file;
        int code;
    } const cases[] = {
        {"missing file", path("missing.fv1"), 21},
        {"missing folder", path("nowhere/decl.fv1"), 21},
        {"folder", path("folder.fv1"), 21},
        {"empty file", path("empty.fv1"), 25},
    };
    for (const auto& c : cases)
        EXPECT_EQ(failureCode([&] { mTFileLoader(c.file, true); }), c.code) << c.name;
    // Loading never creates a file.
    EXPECT_FALSE(fs::exists(path("missing.fv1")));
}

TEST_F(FileLoaderTest, UnreadableFileMessageNamesTheFile)
{
    const std::string file = path("missing.fv1");
    try {
        mTFileLoader loader(file, true);
        FAIL() << "no failure";
    } catch (const mEBadStorage& e) {
        EXPECT_EQ(e.Code, 21);
        EXPECT_EQ(std::string(e.what()),
                  "Ошибка чтения файла: " + file + "\rВозможно он занят, или с признаком 'read only'"
                      "\rПричина: нет такого файла или папки.");
    }
}

TEST_F(FileLoaderTest, FileHeldByAnotherIsRefused)
{
    const std::string file = path("decl.fv1");
    save(file, "text");
    const int other = ::open(file.c_str(), O_RDONLY);
    ASSERT_GE(other, 0);
    ASSERT_EQ(::flock(other, LOCK_EX | LOCK_NB), 0);
    EXPECT_EQ(failureCode([&] { mTFileLoader(file, true); }), 21);
    EXPECT_EQ(failureCode([&] { mTFileLoader(file, false, 100); }), 21);
    ::close(other);

    // A loader holds the file for as long as it lives.
    mTFileLoader holder(file, true);
    EXPECT_EQ(failureCode([&] { mTFileLoader(file, true); }), 21);
}

TEST_F(FileLoaderTest, TargetsThatCannotBeWrittenAreRefusedAtCreation)
{
    const std::string readOnly = path("readonly.fv1");
    save(readOnly, "kept");
    const std::string before = readFile(readOnly);
    fs::permissions(readOnly, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    fs::create_directory(path("folder.fv1"));
    struct Case {
        const char* name;
        std::string file;
        std::uint32_t size;
        int code;
    } const cases[] = {
        {"read-only file", readOnly, 100, 21},
        {"missing folder", path("nowhere/decl.fv1"), 100, 21},
        {"folder as target", path("folder.fv1"), 100, 21},
        {"file as folder", readOnly + "/decl.fv1", 100, 21},
        {"zero size", path("new.fv1"), 0, 25},
    };
    for (const auto& c : cases)
        EXPECT_EQ(failureCode([&] { mTFileLoader(c.file, false, c.size); }), c.code) << c.name;
    EXPECT_EQ(readFile(readOnly), before);
    EXPECT_FALSE(fs::exists(path("new.fv1")));
}

TEST_F(FileLoaderTest, SizeMismatchKeepsTheOldFile)
{
    const std::string file = path("decl.fv1");
    save(file, "old");
    const std::string before = readFile(file);
    for (const std::uint32_t size : {containerSize("new") + 1, containerSize("new") - 1}) {
        const int code = failureCode([&] {
            mTFileLoader loader(file, false, size);
            mTDocumentStorage storage(loader);
            storage.CreateHeader("Forv2021");
            writeValues(storage, "new");
            loader.Commit();
        });
        // Too small a size stops the writer that would pass it (Integer); too large one the commit.
        EXPECT_EQ(code, size > containerSize("new") ? 28 : 162) << size;
        EXPECT_EQ(readFile(file), before);
        EXPECT_EQ(folderEntries(), std::vector<std::string>{"decl.fv1"});
    }
}

TEST_F(FileLoaderTest, FolderRemovedBeforeCommit)
{
    fs::create_directory(path("sub"));
    const std::string file = path("sub/decl.fv1");
    mTFileLoader loader(file, false, containerSize("x"));
    mTDocumentStorage storage(loader);
    storage.CreateHeader("Forv2021");
    writeValues(storage, "x");
    fs::remove(path("sub"));
    EXPECT_EQ(failureCode([&] { loader.Commit(); }), 22);
    EXPECT_EQ(folderEntries(), std::vector<std::string>{});
}

// The target is checked again when it is replaced: a folder that took its place is refused
// before anything is written.
TEST_F(FileLoaderTest, FolderInTheTargetsPlaceLeavesNoTemporaryFile)
{
    const std::string file = path("decl.fv1");
    mTFileLoader loader(file, false, containerSize("x"));
    mTDocumentStorage storage(loader);
    storage.CreateHeader("Forv2021");
    writeValues(storage, "x");
    // Someone puts a non-empty folder where the file goes.
    fs::create_directories(path("decl.fv1/inside"));
    EXPECT_EQ(failureCode([&] { loader.Commit(); }), 22);
    EXPECT_EQ(folderEntries(), std::vector<std::string>{"decl.fv1"});
    EXPECT_TRUE(fs::is_directory(file));
}

// A write that fails on the disk (here: the file size limit of the process) keeps the old file
// and leaves no temporary file.
TEST_F(FileLoaderTest, FailedWriteKeepsTheOldFile)
{
    const std::string file = path("decl.fv1");
    save(file, "old");
    const std::string before = readFile(file);
    const std::string text(9000, 'x');
    const auto saveUnderSizeLimit = [&] {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{};
        limit.rlim_cur = limit.rlim_max = 1024;
        ::setrlimit(RLIMIT_FSIZE, &limit);
        mTFileLoader loader(file, false, containerSize(text));
        mTDocumentStorage storage(loader);
        storage.CreateHeader("Forv2021");
        writeValues(storage, text);
        try {
            loader.Commit();
        } catch (const mEBadStorage& e) {
            std::_Exit(e.Code == 22 ? 0 : 1);
        }
        std::_Exit(2);
    };
    EXPECT_EXIT(saveUnderSizeLimit(), ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(readFile(file), before);
    EXPECT_EQ(folderEntries(), std::vector<std::string>{"decl.fv1"});
}

TEST_F(FileLoaderTest, FileOfAWholeNumberOfPagesIsReadToItsLastByte)
{
    // Header, stream name, then one string that fills the file to exactly 4096 bytes.
    const std::string text(4096 - 60 - 13 - 4, 'z');
    const std::string file = path("page.fv1");
    save(file, text.substr(0, text.size() - 14)); // the Integer -5 takes the other 14 bytes
    ASSERT_EQ(fs::file_size(file), 4096u);

    mTFileLoader loader(file, true);
    mTDocumentStorage storage(loader);
    storage.Open();
    storage.OpenStream("@DeclInfo");
    EXPECT_EQ(storage.ReadString().size(), text.size() - 14);
    EXPECT_EQ(storage.ReadInteger(), -5);
    EXPECT_EQ(storage.Position(), 4096u);
    EXPECT_EQ(failureCode([&] { storage.ReadString(); }), 94);
}

TEST_F(FileLoaderTest, CommitOfALoadIsRefused)
{
    const std::string file = path("decl.fv1");
    save(file, "x");
    mTFileLoader loader(file, true);
    EXPECT_EQ(failureCode([&] { loader.Commit(); }), 29);
}

TEST_F(FileLoaderTest, StorageOnAFreshLoaderIsNotOpen)
{
    mTFileLoader loader(path("decl.fv1"), false, 100);
    mTDocumentStorage storage(loader);
    struct Case {
        const char* name;
        std::function<void()> action;
        int code;
    } const cases[] = {
        {"stream name", [&] { storage.WriteStreamName("@S"); }, 82},
        {"string", [&] { storage.WriteString("x"); }, 151},
        {"integer", [&] { storage.WriteInteger(1); }, 161},
        {"word", [&] { storage.WriteWord(1); }, 171},
        {"currency", [&] { storage.WriteCurrency(Currency()); }, 181},
        {"float", [&] { storage.WriteFloat(1); }, 191},
        {"byte", [&] { storage.WriteByte(1); }, 201},
        {"read string", [&] { storage.ReadString(); }, 93},
        {"read integer", [&] { storage.ReadInteger(); }, 102},
        {"read word", [&] { storage.ReadWord(); }, 112},
        {"read currency", [&] { storage.ReadCurrency(); }, 122},
        {"read float", [&] { storage.ReadFloat(); }, 132},
        {"read byte", [&] { storage.ReadByte(); }, 142},
        {"open stream", [&] { storage.OpenStream("@S"); }, 211},
    };
    for (const auto& c : cases)
        EXPECT_EQ(failureCode(c.action), c.code) << c.name;

    mTFileLoader tiny(path("tiny.fv1"), false, 59);
    mTDocumentStorage tooSmall(tiny);
    EXPECT_EQ(failureCode([&] { tooSmall.CreateHeader("Forv2021"); }), 53);
}
