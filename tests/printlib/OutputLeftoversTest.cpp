#include "OutputLeftovers.h"

#include "FileDescriptor.h"
#include "OutputFolder.h"
#include "TiffTestSupport.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sys/file.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// A hidden folder beside an output folder, as a killed build leaves it: the next output into the
// folder removes it with its pages, unless a running build holds it, it is another user's, or it
// holds anything not of ours (which must not be lost).
TEST(OutputLeftoversTest, HiddenFoldersBesideAnOutputFolderAreRemovedOnlyWhenNothingIsLost)
{
    const struct {
        const char* name;
        const char* folderName;
        std::function<FileDescriptor(const std::string& leftover)> prepare;
        bool removed;
        // What of the caller's must be found in it afterwards.
        const char* kept = nullptr;
    } cases[] = {
        {"a killed build's pages", ".orvx-a1B2c3", [](const std::string&) { return FileDescriptor(); }, true},
        {"a killed build's page still under a hidden name", ".orvx-a1B2c3",
         [](const std::string& leftover) {
             std::ofstream(leftover + "/.orvx-d4E5f6") << "partial";
             return FileDescriptor();
         },
         true},
        {"held by a running build", ".orvx-a1B2c3",
         [](const std::string& leftover) {
             FileDescriptor held(::open(leftover.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
             EXPECT_EQ(::flock(held.get(), LOCK_SH), 0);
             return held;
         },
         false},
        {"a file of the caller's in it", ".orvx-a1B2c3",
         [](const std::string& leftover) {
             std::ofstream(leftover + "/notes.txt") << "notes";
             return FileDescriptor();
         },
         false, "notes.txt"},
        {"a folder in it", ".orvx-a1B2c3",
         [](const std::string& leftover) {
             fs::create_directory(leftover + "/scans");
             return FileDescriptor();
         },
         false, "scans"},
        {"another user's", ".orvx-a1B2c3",
         [](const std::string& leftover) {
             EXPECT_EQ(::chown(leftover.c_str(), 65534, 65534), 0);
             return FileDescriptor();
         },
         false},
        {"a name not of ours", ".orvx-a1B2c!", [](const std::string&) { return FileDescriptor(); }, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchFolder parent;
        fs::create_directory(parent.file("pages"));
        const std::string leftover = parent.file(c.folderName);
        fs::create_directory(leftover);
        std::ofstream(leftover + "/000001.tif") << "page";
        const FileDescriptor held = c.prepare(leftover);

        OutputFolder next(parent.file("pages"));
        EXPECT_EQ(fs::exists(leftover), !c.removed);
        if (c.kept) {
            EXPECT_TRUE(fs::exists(leftover + "/" + c.kept));
        }
    }
}

} // namespace
