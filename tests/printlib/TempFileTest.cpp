#include "TempFile.h"

#include "OutputLeftovers.h"
#include "TiffTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

void writeFile(const std::string& path, const std::string& content)
{
    std::ofstream(path, std::ios::binary) << content;
}

void replaceWith(const std::string& target, const std::string& content)
{
    TempFile file(target);
    file.write(content.data(), content.size());
    file.commit();
}

mode_t modeOf(const std::string& path)
{
    struct stat status {};
    EXPECT_EQ(::stat(path.c_str(), &status), 0) << path;
    return status.st_mode & 07777;
}

// Sets the file's modification time `seconds` into the past, without following a link.
void age(const std::string& path, int seconds)
{
    const timespec times[2] = {{::time(nullptr) - seconds, 0}, {::time(nullptr) - seconds, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW), 0) << path;
}

// Forks a process that writes content for target, without committing it, and then waits to be
// killed; returns once the content is written, with the process id, or -1 if it could not start.
pid_t startStalledWriter(const std::string& target, const std::string& content, bool withoutUnnamedFiles)
{
    int ready[2] = {-1, -1};
    if (::pipe(ready) != 0) {
        ADD_FAILURE() << "pipe";
        return -1;
    }
    const pid_t child = ::fork();
    EXPECT_GE(child, 0);
    if (child == 0) {
        if (withoutUnnamedFiles)
            setUnnamedOutputs(false);
        TempFile file(target);
        file.write(content.data(), content.size());
        const char done = 1;
        (void)!::write(ready[1], &done, 1);
        ::pause();
        ::_exit(0);
    }
    ::close(ready[1]);
    if (child > 0) {
        char done = 0;
        EXPECT_EQ(::read(ready[0], &done, 1), 1);
    }
    ::close(ready[0]);
    return child;
}

TEST(TempFileTest, CommitPutsTheContentInPlaceOfTheTarget)
{
    ScratchFolder folder;
    const std::string target = folder.file("out.bin");
    writeFile(target, "old");
    ::chmod(target.c_str(), 0640);
    {
        TempFile file(target);
        file.write("new content", 11);
        // Until the commit the target keeps its old content, and the new one has no name at all.
        EXPECT_EQ(fileBytes(target), "old");
        EXPECT_EQ(folder.fileNames(), std::vector<std::string>{"out.bin"});
        file.commit();
    }
    EXPECT_EQ(fileBytes(target), "new content");
    EXPECT_EQ(folder.fileNames(), std::vector<std::string>{"out.bin"});
    EXPECT_EQ(modeOf(target), 0640u);
}

TEST(TempFileTest, WithoutCommitNothingIsLeft)
{
    ScratchFolder folder;
    const std::string target = folder.file("out.bin");
    {
        TempFile file(target);
        file.write("partial", 7);
    }
    {
        TempFile file(target);
        file.write("sealed", 6);
        file.seal();
    }
    EXPECT_TRUE(folder.fileNames().empty());
}

TEST(TempFileTest, MissingFolderIsAWriteErrorNamingTheTarget)
{
    ScratchFolder folder;
    const std::string target = folder.file("missing/out.bin");
    const std::string report = utf8(errorReport([&] { TempFile file(target); }));
    EXPECT_NE(report.find("Ошибка записи в файл: " + target), std::string::npos) << report;
    EXPECT_NE(report.find("Нет такого файла или папки"), std::string::npos) << report;
    EXPECT_NE(report.find("TempFile"), std::string::npos) << report;
}

TEST(TempFileTest, FullDeviceFailsAndLeavesNothing)
{
    ScratchFolder folder;
    const std::string target = folder.file("out.bin");
    const std::string report = reportUnderFileSizeLimit(1000, [&] {
        TempFile file(target);
        const std::string block(4096, 'x');
        file.write(block.data(), block.size());
        file.commit();
    });
    EXPECT_NE(report.find("Ошибка записи в файл: " + target), std::string::npos) << report;
    EXPECT_TRUE(folder.fileNames().empty());
}

// A new output holds personal data whatever the caller's umask; a replaced one keeps its mode.
TEST(TempFileTest, NewFilesAreTheOwnersOnlyAndReplacedFilesKeepTheirMode)
{
    const struct {
        const char* name;
        int existingMode; // -1: no file yet
        mode_t umask;
        mode_t expected;
    } cases[] = {
        {"new file, umask 0", -1, 0, 0600},
        {"new file, umask 022", -1, 022, 0600},
        {"readable by everyone", 0644, 0, 0644},
        {"group-readable", 0640, 077, 0640},
        {"read-only", 0400, 022, 0400},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchFolder folder;
        const std::string target = folder.file("out.pdf");
        if (c.existingMode >= 0) {
            writeFile(target, "old");
            ASSERT_EQ(::chmod(target.c_str(), static_cast<mode_t>(c.existingMode)), 0);
        }
        const mode_t before = ::umask(c.umask);
        replaceWith(target, "new");
        ::umask(before);
        EXPECT_EQ(fileBytes(target), "new");
        EXPECT_EQ(modeOf(target), c.expected);
    }
}

// Root replacing a user's output (a print spooler, an installer) must not take it from the user:
// the new file keeps the old one's owner and group.
TEST(TempFileTest, AReplacedFileKeepsItsOwnerAndGroup)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root may give a file to another user";
    ScratchFolder folder;
    const std::string target = folder.file("out.pdf");
    writeFile(target, "old");
    ASSERT_EQ(::chown(target.c_str(), 65534, 65534), 0);
    ASSERT_EQ(::chmod(target.c_str(), 0600), 0);
    replaceWith(target, "new");
    struct stat status {};
    ASSERT_EQ(::stat(target.c_str(), &status), 0);
    EXPECT_EQ(status.st_uid, 65534u);
    EXPECT_EQ(status.st_gid, 65534u);
    EXPECT_EQ(status.st_mode & 07777, 0600u);
    EXPECT_EQ(fileBytes(target), "new");
}

// A symbolic link at the target stays, and the file its chain ends at gets the content, in its
// own folder; a link that points nowhere yet names the file to create.
TEST(TempFileTest, LinksAreFollowedToTheFileTheyEndAt)
{
    struct Case {
        const char* name;
        // Builds the links in `links`, pointing into `files`; returns the path the output is
        // written to and the path of the file that must receive the content.
        std::function<std::pair<std::string, std::string>(const ScratchFolder& links, const ScratchFolder& files)>
            setUp;
        bool fileExists;
    };
    const Case cases[] = {
        {"absolute link into another folder",
         [](const ScratchFolder& links, const ScratchFolder& files) {
             fs::create_symlink(files.file("real.pdf"), links.file("out.pdf"));
             return std::pair{links.file("out.pdf"), files.file("real.pdf")};
         },
         true},
        {"relative link, read against the link's folder",
         [](const ScratchFolder& links, const ScratchFolder& files) {
             fs::create_symlink("../" + files.path().filename().string() + "/real.pdf", links.file("out.pdf"));
             return std::pair{links.file("out.pdf"), files.file("real.pdf")};
         },
         true},
        {"chain of three links through both folders",
         [](const ScratchFolder& links, const ScratchFolder& files) {
             fs::create_symlink("real.pdf", files.file("second"));
             fs::create_symlink(files.file("second"), links.file("first"));
             fs::create_symlink("first", links.file("out.pdf"));
             return std::pair{links.file("out.pdf"), files.file("real.pdf")};
         },
         true},
        {"chain of forty links",
         [](const ScratchFolder& links, const ScratchFolder& files) {
             fs::create_symlink(files.file("real.pdf"), links.file("link39"));
             for (int link = 38; link >= 0; --link)
                 fs::create_symlink("link" + std::to_string(link + 1), links.file("link" + std::to_string(link)));
             return std::pair{links.file("link0"), files.file("real.pdf")};
         },
         true},
        {"dangling link creates its target",
         [](const ScratchFolder& links, const ScratchFolder& files) {
             fs::create_symlink(files.file("new.pdf"), links.file("out.pdf"));
             return std::pair{links.file("out.pdf"), files.file("new.pdf")};
         },
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchFolder links;
        ScratchFolder files;
        const auto [output, real] = c.setUp(links, files);
        if (c.fileExists) {
            writeFile(real, "old");
            ::chmod(real.c_str(), 0664);
        }
        const std::vector<std::string> linkNames = links.fileNames();
        const std::vector<std::string> fileNames = files.fileNames();

        replaceWith(output, "new");

        EXPECT_EQ(fileBytes(real), "new");
        EXPECT_EQ(fileBytes(output), "new") << "read through the link";
        EXPECT_EQ(modeOf(real), c.fileExists ? 0664u : 0600u);
        EXPECT_TRUE(fs::is_symlink(output)) << "the link stays a link";
        EXPECT_EQ(links.fileNames(), linkNames);
        std::vector<std::string> expectedFiles = fileNames;
        if (!c.fileExists) {
            expectedFiles.push_back(fs::path(real).filename().string());
            std::sort(expectedFiles.begin(), expectedFiles.end());
        }
        EXPECT_EQ(files.fileNames(), expectedFiles);
        for (const std::string& name : links.fileNames())
            EXPECT_TRUE(fs::is_symlink(links.file(name))) << name;
    }
}

TEST(TempFileTest, ALoopOfLinksOrAChainTooLongFailsNamingTheTarget)
{
    const struct {
        const char* name;
        std::function<std::string(const ScratchFolder&)> setUp;
    } cases[] = {
        {"a link to itself",
         [](const ScratchFolder& folder) {
             fs::create_symlink("out.pdf", folder.file("out.pdf"));
             return folder.file("out.pdf");
         }},
        {"two links in a ring",
         [](const ScratchFolder& folder) {
             fs::create_symlink("b", folder.file("a"));
             fs::create_symlink(folder.file("a"), folder.file("b"));
             return folder.file("a");
         }},
        {"forty-one links",
         [](const ScratchFolder& folder) {
             writeFile(folder.file("real.pdf"), "old");
             fs::create_symlink("real.pdf", folder.file("link40"));
             for (int link = 39; link >= 0; --link)
                 fs::create_symlink("link" + std::to_string(link + 1), folder.file("link" + std::to_string(link)));
             return folder.file("link0");
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchFolder folder;
        const std::string target = c.setUp(folder);
        const std::vector<std::string> before = folder.fileNames();
        const std::string report = utf8(errorReport([&] { replaceWith(target, "new"); }));
        EXPECT_NE(report.find("Ошибка записи в файл: " + target), std::string::npos) << report;
        EXPECT_NE(report.find("Слишком много символических ссылок подряд или ссылка в цикле"), std::string::npos) << report;
        EXPECT_EQ(folder.fileNames(), before);
    }
}

// Names up to the file system's 255 bytes: the file written aside never needs a longer one.
TEST(TempFileTest, TargetNamesOfEveryLengthAreWritten)
{
    for (const std::size_t length : {1u, 200u, 243u, 247u, 250u, 255u}) {
        SCOPED_TRACE(length);
        ScratchFolder folder;
        const std::string name(length, 'n');
        replaceWith(folder.file(name), "first");
        replaceWith(folder.file(name), "second");
        TempFile waiting(folder.file(name));
        waiting.write("third", 5);
        waiting.seal();
        waiting.commit();
        EXPECT_EQ(fileBytes(folder.file(name)), "third");
        EXPECT_EQ(folder.fileNames(), std::vector<std::string>{name});
    }
}

// A process killed halfway leaves nothing: no name is given to the content before the commit.
TEST(TempFileTest, AWriterKilledHalfwayLeavesNothing)
{
    ScratchFolder folder;
    const std::string target = folder.file("out.pdf");
    writeFile(target, "old");
    const pid_t child = startStalledWriter(target, std::string(1 << 20, 'x'), false);
    ASSERT_GE(child, 0);
    EXPECT_EQ(folder.fileNames(), std::vector<std::string>{"out.pdf"}) << "nothing named while written";
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_EQ(folder.fileNames(), std::vector<std::string>{"out.pdf"});
    EXPECT_EQ(fileBytes(target), "old");
}

// Where the file system has no unnamed files, the content is written under a hidden name that
// its output holds locked: no other output takes it for a leftover, however old it looks. Once
// its writer is killed, the next output into the folder removes it.
TEST(TempFileTest, WithoutUnnamedFilesAKilledWritersHiddenFileIsRemovedLater)
{
    ScratchFolder folder;
    const std::string target = folder.file("out.pdf");
    writeFile(target, "old");
    const pid_t child = startStalledWriter(target, "partial", true);
    ASSERT_GE(child, 0);
    std::vector<std::string> names = folder.fileNames();
    ASSERT_EQ(names.size(), 2u);
    const std::string hidden = folder.file(names[0]);
    EXPECT_TRUE(isHiddenName(names[0])) << names[0];
    EXPECT_EQ(modeOf(hidden), modeOf(target)) << "no wider than the file it replaces";
    age(hidden, 120);

    replaceWith(folder.file("other.pdf"), "other");
    EXPECT_TRUE(fs::exists(hidden)) << "held by its running output";
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    EXPECT_TRUE(fs::exists(hidden)) << "a killed output's file stays until the next output";
    replaceWith(folder.file("other.pdf"), "again");
    EXPECT_FALSE(fs::exists(hidden));
    EXPECT_EQ(folder.fileNames(), (std::vector<std::string>{"other.pdf", "out.pdf"}));
    EXPECT_EQ(fileBytes(target), "old");
}

TEST(TempFileTest, WithoutUnnamedFilesTheContentStillReplacesTheTarget)
{
    setUnnamedOutputs(false);
    ScratchFolder folder;
    const std::string target = folder.file(std::string(255, 'n'));
    for (const char* content : {"first", "second"})
        replaceWith(target, content);
    {
        TempFile dropped(target);
        dropped.write("dropped", 7);
    }
    setUnnamedOutputs(true);
    EXPECT_EQ(fileBytes(target), "second");
    EXPECT_EQ(modeOf(target), 0600u);
    EXPECT_EQ(folder.fileNames(), std::vector<std::string>{std::string(255, 'n')});
}

// Where a file had to wait under a hidden name and its process was killed, the next output into
// the folder removes it at once, however fresh: only when it is this user's regular file and held
// by no running output.
TEST(TempFileTest, LeftoversOfKilledOutputsAreRemovedByTheNextOutput)
{
    const struct {
        const char* name;
        const char* fileName;
        std::function<void(const std::string& path)> make;
        bool removed;
    } cases[] = {
        {"a leftover", ".orvx-a1B2c3", [](const std::string& path) { writeFile(path, "x"); }, true},
        {"another user's", ".orvx-a1B2c3",
         [](const std::string& path) {
             writeFile(path, "x");
             ASSERT_EQ(::chown(path.c_str(), 65534, 65534), 0);
         },
         false},
        {"a folder", ".orvx-a1B2c3", [](const std::string& path) { fs::create_directory(path); }, false},
        {"a link", ".orvx-a1B2c3", [](const std::string& path) { fs::create_symlink("/dev/null", path); }, false},
        {"a longer name", ".orvx-a1B2c3d", [](const std::string& path) { writeFile(path, "x"); }, false},
        {"another program's prefix", ".forv-a1B2c3", [](const std::string& path) { writeFile(path, "x"); }, false},
        {"not a name of ours", ".orvx-a1B2c!", [](const std::string& path) { writeFile(path, "x"); }, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchFolder folder;
        const std::string leftover = folder.file(c.fileName);
        c.make(leftover);
        replaceWith(folder.file("out.pdf"), "new");
        EXPECT_EQ(fs::exists(fs::symlink_status(leftover)), !c.removed);
    }
}

// A hidden file stays while an output holds it: locked through its own descriptor, or in a
// folder that a folder output holds with a shared lock (its pages wait there with no descriptor
// of their own), however old the file looks. Once let go, the next output removes it.
TEST(TempFileTest, AHiddenFileStaysWhileAnOutputHoldsItOrItsFolder)
{
    const struct {
        const char* name;
        bool holdFolder;
        int lock;
    } cases[] = {
        {"the file locked by its output", false, LOCK_EX},
        {"the folder held by a folder output", true, LOCK_SH},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchFolder folder;
        const std::string leftover = folder.file(".orvx-a1B2c3");
        writeFile(leftover, "x");
        age(leftover, 3600);
        const std::string heldPath = c.holdFolder ? folder.path().string() : leftover;
        const int held = ::open(heldPath.c_str(), O_RDONLY | O_CLOEXEC);
        ASSERT_GE(held, 0);
        ASSERT_EQ(::flock(held, c.lock), 0);
        replaceWith(folder.file("out.pdf"), "new");
        EXPECT_TRUE(fs::exists(leftover));
        ::close(held);
        replaceWith(folder.file("out.pdf"), "newer");
        EXPECT_FALSE(fs::exists(leftover));
    }
}

// A folder's pages wait under hidden names, without descriptors, until the whole document is
// written; however long that takes, later pages must not take them for leftovers.
TEST(TempFileTest, AFileWaitingForItsCommitIsNoLeftover)
{
    ScratchFolder folder;
    TempFile first(folder.file("000001.tif"));
    first.write("page 1", 6);
    first.seal();
    EXPECT_EQ(first.fd(), -1);
    std::vector<std::string> hidden = folder.fileNames();
    ASSERT_EQ(hidden.size(), 1u);
    EXPECT_TRUE(isHiddenName(hidden[0])) << hidden[0];
    EXPECT_EQ(hidden[0].size(), kHiddenNameLength);
    EXPECT_EQ(modeOf(folder.file(hidden[0])), 0600u);
    age(folder.file(hidden[0]), 3600);

    replaceWith(folder.file("000002.tif"), "page 2");
    first.commit();
    EXPECT_EQ(fileBytes(folder.file("000001.tif")), "page 1");
    EXPECT_EQ(folder.fileNames(), (std::vector<std::string>{"000001.tif", "000002.tif"}));
}

// An output refused by the system (here a folder its writer may not write, as a user without
// root's rights finds it) is a write error naming the target, and leaves the old file.
TEST(TempFileTest, AFolderTheWriterMayNotWriteIsAWriteError)
{
    ScratchFolder folder;
    const std::string target = folder.file("out.pdf");
    writeFile(target, "old");
    ASSERT_EQ(::chmod(folder.path().c_str(), 0755), 0);
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to drop to another user";
    const std::string report = reportAsAnotherUser([&] { replaceWith(target, "new"); });
    EXPECT_NE(report.find("Ошибка записи в файл: " + target), std::string::npos) << report;
    EXPECT_NE(report.find("Нет прав доступа"), std::string::npos) << report;
    EXPECT_EQ(fileBytes(target), "old");
    EXPECT_EQ(folder.fileNames(), std::vector<std::string>{"out.pdf"});
}

} // namespace
