#include "OutputFolder.h"

#include "FolderPageNames.h"
#include "OutputLeftovers.h"
#include "PageOutput.h"
#include "RenderTestSupport.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

const PageStamp kStamp{"Модуль. Версия: 1", "2021.03.04 05:06:07"};

// The earlier document has five pages, the later one three, so that a whole later document also
// shows by the earlier pages 4 and 5 being gone.
constexpr int kEarlierPages = 5;
constexpr int kLaterPages = 3;

std::vector<PageBitmap> document(int count, unsigned seed)
{
    std::vector<PageBitmap> bitmaps;
    for (int page = 0; page < count; ++page)
        bitmaps.push_back(randomBitmap(211, 67 + page, seed + static_cast<unsigned>(page), 10));
    return bitmaps;
}

const std::vector<PageBitmap>& earlierDocument()
{
    static const std::vector<PageBitmap> bitmaps = document(kEarlierPages, 0);
    return bitmaps;
}

const std::vector<PageBitmap>& laterDocument()
{
    static const std::vector<PageBitmap> bitmaps = document(kLaterPages, 100);
    return bitmaps;
}

void build(const std::string& folder, const std::vector<PageBitmap>& bitmaps)
{
    PageOutput output;
    output.open(folder);
    output.setPageTotal(static_cast<int>(bitmaps.size()));
    for (const PageBitmap& bitmap : bitmaps)
        output.write(bitmap, kStamp);
    output.close();
}

// The bytes of each page of a whole build of the document, by page number.
std::vector<std::string> wholeBuild(const std::vector<PageBitmap>& bitmaps)
{
    ScratchFolder folder;
    build(folder.path().string(), bitmaps);
    std::vector<std::string> pages;
    for (int page = 1; page <= static_cast<int>(bitmaps.size()); ++page)
        pages.push_back(fileBytes(folder.file(folderPageName(page))));
    return pages;
}

std::vector<std::string> hiddenNamesIn(const std::string& folder)
{
    std::vector<std::string> names = filesIn(folder);
    std::erase_if(names, [](const std::string& name) { return !isHiddenName(name); });
    return names;
}

// Which document each page file of the folder comes from, page by page: "n" for a page of a
// whole build of the later document, "o" for one of the earlier, "?" for any other content.
std::string pageOrigins(const std::string& folder)
{
    static const std::vector<std::string> earlier = wholeBuild(earlierDocument());
    static const std::vector<std::string> later = wholeBuild(laterDocument());
    std::string origins;
    for (int page = 1; fs::exists(folder + "/" + folderPageName(page)); ++page) {
        const std::string bytes = fileBytes(folder + "/" + folderPageName(page));
        const auto index = static_cast<std::size_t>(page - 1);
        origins += index < later.size() && bytes == later[index]       ? 'n'
                   : index < earlier.size() && bytes == earlier[index] ? 'o'
                                                                       : '?';
    }
    return origins;
}

// A folder "pages" holding a whole build of a document, alone in a scratch folder.
struct PagesFolder {
    explicit PagesFolder(const std::vector<PageBitmap>& bitmaps = earlierDocument())
    {
        fs::create_directory(path);
        build(path, bitmaps);
    }
    // What stands beside the folder.
    std::vector<std::string> beside() const { return filesIn(parent.path().string()); }

    ScratchFolder parent;
    const std::string path = parent.file("pages");
};

// A build of the later document into the folder, in a child process that the hook may stop;
// true when the child was killed.
bool buildInChild(const std::string& folder, const std::function<bool(FolderCommitStep, int)>& hook,
                  std::optional<int> killAfterPages = std::nullopt)
{
    const pid_t child = ::fork();
    if (child == 0) {
        setFolderCommitHook(hook);
        try {
            PageOutput output;
            output.open(folder);
            output.setPageTotal(kLaterPages);
            for (int page = 0; page < kLaterPages; ++page) {
                if (killAfterPages == page)
                    ::raise(SIGKILL);
                output.write(laterDocument()[static_cast<std::size_t>(page)], kStamp);
            }
            output.close();
        } catch (...) {
            ::_exit(2);
        }
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
}

// A hook that kills the process at one step of the commit, and may have the exchange refused as
// a file system without it would.
std::function<bool(FolderCommitStep, int)> killAt(FolderCommitStep killStep, int killNumber, bool refuseExchange)
{
    return [=](FolderCommitStep step, int number) {
        if (step == killStep && number == killNumber)
            ::raise(SIGKILL);
        return !(refuseExchange && step == FolderCommitStep::Exchange);
    };
}

// A folder of the earlier document's pages (and a file of the caller's own, which makes the
// pages go in one by one) receives the later document in a process killed at one point. The
// folder then holds one whole document, or with pages going in one by one whole pages of both;
// the next build into the folder leaves no hidden file or folder in it or beside it.
TEST(OutputFolderTest, ABuildKilledDuringItsCommitLeavesOneWholeDocument)
{
    const struct {
        const char* name;
        bool callersFile;
        bool refuseExchange;
        FolderCommitStep step;
        int number;
        std::optional<int> killAfterPages;
        const char* origins;
    } cases[] = {
        {"killed while writing", false, false, FolderCommitStep::Exchange, 0, 2, "ooooo"},
        {"killed at the exchange", false, false, FolderCommitStep::Exchange, 1, {}, "ooooo"},
        {"killed right after the exchange", false, false, FolderCommitStep::RemoveEarlier, 1, {}, "nnn"},
        {"killed while the earlier pages go", false, false, FolderCommitStep::RemoveEarlier, 4, {}, "nnn"},
        {"exchange refused, killed before the first page", false, true, FolderCommitStep::MovePage, 1, {}, "ooooo"},
        {"exchange refused, killed at the third page", false, true, FolderCommitStep::MovePage, 3, {}, "nnooo"},
        {"one by one, killed while writing", true, false, FolderCommitStep::MovePage, 0, 2, "ooooo"},
        {"one by one, killed before the first page", true, false, FolderCommitStep::MovePage, 1, {}, "ooooo"},
        {"one by one, killed at the second page", true, false, FolderCommitStep::MovePage, 2, {}, "noooo"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const PagesFolder pages;
        const std::string& folder = pages.path;
        if (c.callersFile)
            std::ofstream(folder + "/notes.txt") << "notes";

        ASSERT_TRUE(buildInChild(folder, killAt(c.step, c.number, c.refuseExchange), c.killAfterPages));
        EXPECT_EQ(pageOrigins(folder), c.origins);
        EXPECT_FALSE(hiddenNamesIn(pages.parent.path().string()).empty() && hiddenNamesIn(folder).empty())
            << "the killed build left its work under hidden names";

        build(folder, laterDocument());
        EXPECT_EQ(pageOrigins(folder), "nnn");
        EXPECT_EQ(pages.beside(), std::vector<std::string>{"pages"});
        std::vector<std::string> expected = {"000001.tif", "000002.tif", "000003.tif"};
        if (c.callersFile)
            expected.push_back("notes.txt");
        EXPECT_EQ(filesIn(folder), expected);
    }
}

// The pages are built beside the folder and exchanged with it only where nothing of the
// folder's own would be lost or changed by that; elsewhere they go in one by one. Either way the
// build leaves the later document whole, the caller's files, and nothing hidden.
TEST(OutputFolderTest, ThePagesAreExchangedOnlyWhereNothingOfTheFolderIsLost)
{
    // What prepares the folder may hand back a descriptor to hold while the case runs.
    const auto none = [](auto prepare) {
        return [prepare](const std::string& folder) {
            prepare(folder);
            return FileDescriptor();
        };
    };
    const struct {
        const char* name;
        std::function<FileDescriptor(const std::string& folder)> prepare;
        bool exchanges;
        std::vector<std::string> callersNames;
    } cases[] = {
        {"a folder of pages", none([](const std::string&) {}), true, {}},
        {"an empty folder", none([](const std::string& folder) { fs::remove_all(folder), fs::create_directory(folder); }),
         true, {}},
        {"a file of the caller's", none([](const std::string& folder) { std::ofstream(folder + "/notes.txt") << "x"; }),
         false, {"notes.txt"}},
        {"a name like a page's", none([](const std::string& folder) { std::ofstream(folder + "/0000001.tif") << "x"; }),
         false, {"0000001.tif"}},
        {"a folder in it", none([](const std::string& folder) { fs::create_directory(folder + "/scans"); }), false,
         {"scans"}},
        {"a page that is a link", none([](const std::string& folder) {
             fs::remove(folder + "/000005.tif");
             fs::create_symlink("000001.tif", folder + "/000005.tif");
         }),
         false, {}},
        {"a hidden file held by a running output",
         [](const std::string& folder) {
             std::ofstream(folder + "/.orvx-a1B2c3") << "x";
             FileDescriptor held(::open((folder + "/.orvx-a1B2c3").c_str(), O_RDONLY | O_CLOEXEC));
             EXPECT_EQ(::flock(held.get(), LOCK_EX), 0);
             return held;
         },
         false, {".orvx-a1B2c3"}},
        {"another user's folder",
         none([](const std::string& folder) { EXPECT_EQ(::chown(folder.c_str(), 65534, 65534), 0); }), false, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const PagesFolder pages;
        const std::string& folder = pages.path;
        const FileDescriptor held = c.prepare(folder);

        EXPECT_EQ(OutputFolder(folder).exchanges(), c.exchanges);
        build(folder, laterDocument());
        EXPECT_EQ(pageOrigins(folder), "nnn");
        std::vector<std::string> expected = {"000001.tif", "000002.tif", "000003.tif"};
        expected.insert(expected.end(), c.callersNames.begin(), c.callersNames.end());
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(filesIn(folder), expected);
        EXPECT_EQ(pages.beside(), std::vector<std::string>{"pages"});
    }
}

// Extended attributes and access lists stay with the folder they are on: such a folder is not
// exchanged.
TEST(OutputFolderTest, AFolderWithExtendedAttributesIsNotExchanged)
{
    const PagesFolder pages;
    const std::string& folder = pages.path;
    if (::setxattr(folder.c_str(), "user.purpose", "pages", 5, 0) != 0)
        GTEST_SKIP() << "the file system takes no extended attributes";
    EXPECT_FALSE(OutputFolder(folder).exchanges());
    build(folder, laterDocument());
    char value[16] = {};
    EXPECT_EQ(::getxattr(folder.c_str(), "user.purpose", value, sizeof value), 5);
    EXPECT_EQ(pageOrigins(folder), "nnn");
}

// A folder named through a link, and the process's working folder named as ".": the link stays
// a link, and the working folder is not taken away from under the process.
TEST(OutputFolderTest, ALinkToTheFolderAndTheWorkingFolderStay)
{
    const PagesFolder pages;
    const std::string& folder = pages.path;
    fs::create_symlink("pages", pages.parent.file("link"));
    EXPECT_TRUE(OutputFolder(pages.parent.file("link")).exchanges());
    build(pages.parent.file("link"), laterDocument());
    EXPECT_TRUE(fs::is_symlink(pages.parent.file("link")));
    EXPECT_EQ(pageOrigins(folder), "nnn");

    struct stat before;
    ASSERT_EQ(::stat(folder.c_str(), &before), 0);
    const fs::path working = fs::current_path();
    fs::current_path(folder);
    const bool exchanges = OutputFolder(".").exchanges();
    build(".", earlierDocument());
    struct stat after;
    const bool stillThere = ::stat(".", &after) == 0 && after.st_nlink > 0 && after.st_ino == before.st_ino;
    fs::current_path(working);
    EXPECT_FALSE(exchanges);
    EXPECT_TRUE(stillThere);
    EXPECT_EQ(pageOrigins(folder), "ooooo");
    EXPECT_EQ(pages.beside(), (std::vector<std::string>{"link", "pages"}));
}

// After the exchange the folder is the one the caller had in all but its pages: its permissions
// and group; a page that replaces one keeps that one's permissions and group, a new page is its
// owner's only and takes the folder's group, as the folder's set-group-id bit asks.
TEST(OutputFolderTest, TheExchangedFolderKeepsItsPermissionsAndGroup)
{
    const PagesFolder pages(document(2, 0));
    const std::string& folder = pages.path;
    ASSERT_EQ(::chown(folder.c_str(), ::geteuid(), 65534), 0);
    ASSERT_EQ(::chmod(folder.c_str(), 02750), 0);
    ASSERT_EQ(::chmod((folder + "/000001.tif").c_str(), 0644), 0);
    ASSERT_EQ(::chown((folder + "/000001.tif").c_str(), ::geteuid(), 65533), 0);
    struct stat earlierPage;
    ASSERT_EQ(::stat((folder + "/000002.tif").c_str(), &earlierPage), 0);
    struct stat before;
    ASSERT_EQ(::stat(folder.c_str(), &before), 0);

    ASSERT_TRUE(OutputFolder(folder).exchanges());
    build(folder, laterDocument());
    struct stat after;
    ASSERT_EQ(::stat(folder.c_str(), &after), 0);
    EXPECT_NE(after.st_ino, before.st_ino) << "exchanged";
    EXPECT_EQ(after.st_mode, before.st_mode);
    EXPECT_EQ(after.st_gid, 65534u);
    const struct {
        const char* name;
        mode_t mode;
        gid_t group;
    } expectedPages[] = {{"000001.tif", 0644, 65533}, {"000002.tif", 0600, earlierPage.st_gid}, {"000003.tif", 0600, 65534}};
    for (const auto& expected : expectedPages) {
        struct stat page;
        ASSERT_EQ(::stat((folder + "/" + expected.name).c_str(), &page), 0) << expected.name;
        EXPECT_EQ(page.st_mode & 07777, expected.mode) << expected.name;
        EXPECT_EQ(page.st_gid, expected.group) << expected.name;
    }
}

// Where the user may not write the folder's parent, the pages go in one by one.
TEST(OutputFolderTest, AParentTheUserMayNotWriteTakesThePagesOneByOne)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to drop to another user";
    const PagesFolder pages;
    const std::string& folder = pages.path;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        ASSERT_EQ(::chown(entry.path().c_str(), 65534, 65534), 0);
    ASSERT_EQ(::chown(folder.c_str(), 65534, 65534), 0);
    ASSERT_EQ(::chmod(pages.parent.path().c_str(), 0755), 0);
    const std::string report = reportAsAnotherUser([&] {
        if (OutputFolder(folder).exchanges())
            throw std::runtime_error("exchanges");
        build(folder, laterDocument());
    });
    EXPECT_EQ(report, "no error");
    EXPECT_EQ(pageOrigins(folder), "nnn");
    EXPECT_EQ(pages.beside(), std::vector<std::string>{"pages"});
    EXPECT_EQ(filesIn(folder), (std::vector<std::string>{"000001.tif", "000002.tif", "000003.tif"}));
}

// Two builds into one folder at once: the one that commits while the other still runs puts its
// pages in one by one, since the other's pages may wait in the folder; the folder ends with the
// last committed document whole.
TEST(OutputFolderTest, TwoBuildsIntoOneFolderLeaveTheLastWhole)
{
    const PagesFolder pages;
    const std::string& folder = pages.path;
    PageOutput first;
    first.open(folder);
    PageOutput second;
    second.open(folder);
    for (const PageBitmap& bitmap : earlierDocument())
        second.write(bitmap, kStamp);
    for (const PageBitmap& bitmap : laterDocument())
        first.write(bitmap, kStamp);
    second.close();
    EXPECT_EQ(pageOrigins(folder), "ooooo");
    first.close();
    EXPECT_EQ(pageOrigins(folder), "nnn");
    EXPECT_EQ(filesIn(folder), (std::vector<std::string>{"000001.tif", "000002.tif", "000003.tif"}));
    EXPECT_EQ(pages.beside(), std::vector<std::string>{"pages"});
}

// A build dropped after a failure or a cancel leaves the folder as it was and nothing beside it.
TEST(OutputFolderTest, ADroppedBuildLeavesTheFolderAsItWas)
{
    const PagesFolder pages;
    const std::string& folder = pages.path;
    PageOutput output;
    output.open(folder);
    output.write(laterDocument()[0], kStamp);
    EXPECT_EQ(hiddenNamesIn(pages.parent.path().string()).size(), 1u) << "the pages are built beside the folder";
    output.abort();
    EXPECT_EQ(pageOrigins(folder), "ooooo");
    EXPECT_EQ(pages.beside(), std::vector<std::string>{"pages"});
    EXPECT_EQ(filesIn(folder).size(), static_cast<std::size_t>(kEarlierPages));
}

} // namespace
