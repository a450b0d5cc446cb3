#include "OutputFolder.h"

#include "OutputLeftovers.h"
#include "PageOutput.h"
#include "TiffTestSupport.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
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

std::vector<std::string> namesIn(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> hiddenNamesIn(const std::string& folder)
{
    std::vector<std::string> names = namesIn(folder);
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
        ScratchFolder parent;
        const std::string folder = parent.file("pages");
        fs::create_directory(folder);
        build(folder, earlierDocument());
        if (c.callersFile)
            std::ofstream(folder + "/notes.txt") << "notes";

        ASSERT_TRUE(buildInChild(folder, killAt(c.step, c.number, c.refuseExchange), c.killAfterPages));
        EXPECT_EQ(pageOrigins(folder), c.origins);
        EXPECT_FALSE(hiddenNamesIn(parent.path().string()).empty() && hiddenNamesIn(folder).empty())
            << "the killed build left its work under hidden names";

        build(folder, laterDocument());
        EXPECT_EQ(pageOrigins(folder), "nnn");
        EXPECT_EQ(namesIn(parent.path().string()), std::vector<std::string>{"pages"});
        std::vector<std::string> expected = {"000001.tif", "000002.tif", "000003.tif"};
        if (c.callersFile)
            expected.push_back("notes.txt");
        EXPECT_EQ(namesIn(folder), expected);
    }
}

} // namespace
