#pragma once

// An output file written aside and put in place of the target only when it is complete: a
// reader never sees a half-written file, the file an output is made from is not overwritten
// while it is read, and a failure leaves nothing behind.
//
// - A symbolic link at the target is followed to the file it ends at (a link that points
//   nowhere yet names the file to create); that file is replaced in its own folder and the link
//   stays.
// - The content goes to an unnamed file of that folder where the file system has them, so that
//   a process killed while writing leaves nothing; elsewhere to a short hidden name, which the
//   next output into the folder removes once no output holds it (OutputLeftovers.h).
// - A new file is readable by its owner only, since the pages carry personal data; a replaced
//   file keeps its permissions (and its owner and group where the process may give them).
// - The content and then the folder are synced, so that after a power cut the target holds
//   either the old or the new content, and an output reported as written is there.

#include "FileDescriptor.h"

#include <cstddef>
#include <string>

// Whether commit() syncs the folder, or leaves that to a caller that commits many files into it.
enum class FolderSync { Now, ByCaller };

class TempFile {
public:
    // Resolves the target and creates the file aside; failure raises the write error naming the
    // target (a loop of links included). A file written where it waits to be moved in place of
    // another, `standsFor`, is named by that path in error texts and takes that file's owner and
    // permissions as if it replaced it.
    explicit TempFile(std::string targetPath, std::string standsFor = {});
    // Removes the file unless it was committed.
    ~TempFile();

    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    // The path the caller named, as error texts show it.
    const std::string& targetPath() const { return standsFor_.empty() ? targetPath_ : standsFor_; }
    // The file being written, for a writer that takes a descriptor; -1 once sealed.
    int fd() const { return fd_.get(); }

    // Appends to the file; a short or failed write raises the write error naming the target.
    void write(const void* data, std::size_t size);
    // Makes the content durable and lets go of the file's descriptor; the file waits under a
    // hidden name until commit(), so that many can wait without holding descriptors. Other
    // processes' outputs leave it alone only while its output holds the folder (OutputLeftovers.h).
    void seal();
    // Makes the content durable and puts it in place of the target.
    void commit(FolderSync sync = FolderSync::Now);

private:
    [[noreturn]] void fail(int line, int errnum);
    void create();
    void createNamed();
    void linkUnderHiddenName();
    // The file's name from now on, and the file marked as waiting in this process.
    void keepHiddenName(std::string name);
    void syncContent();
    void openFolder();
    // Removes the hidden name of a file not committed.
    void discard();

    std::string targetPath_;
    std::string standsFor_;
    // The folder of the file the target stands for (open while the file is written) and that
    // file's name in it.
    std::string folderPath_;
    FileDescriptor folder_;
    std::string name_;
    // The hidden name while the file has one; empty while it is unnamed.
    std::string hiddenName_;
    FileDescriptor fd_;
    bool committed_ = false;
};

// Only tests turn this off, to write as on a file system without unnamed files: under a hidden
// name from the start.
void setUnnamedOutputs(bool on);

// Only a build that runs outputs by the thousand on a memory file system (the fuzz targets)
// turns this off: the syncs then cost most of each run and keep nothing worth keeping.
void setOutputSyncing(bool on);
bool outputSyncing();
