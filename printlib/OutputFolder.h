#pragma once

// A build's pages in an existing folder: "000001.tif", "000002.tif", ... replace the pages of an
// earlier document, its pages numbered past the new document's last are removed, and the
// caller's other files stay. Until commit() the folder holds the whole earlier document; an
// output dropped before (a failure, a cancel) leaves it as it was.
//
// Where it can, the output builds the new pages in a hidden folder beside the target and
// exchanges the two folders in one step (renameat2 with RENAME_EXCHANGE), so that even a killed
// build leaves the folder all old or all new; the earlier pages then go with the hidden folder.
// That needs a parent folder the output may write, on the file system and mount of the target; a
// target that this user owns and may write, that is not the process's working folder, carries
// no access list or extended attribute and holds nothing but page files; locks; and no other
// build into the folder at the commit. Elsewhere, or when the file system refuses the exchange,
// the pages replace the earlier ones one by one at the commit: a failure or a cancel still
// leaves the folder all old, but a build killed during the commit may leave whole pages of both.
// What a killed build leaves is removed by the next output into the folder (OutputLeftovers.h).

#include "FileDescriptor.h"
#include "TiffPageWriter.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class OutputFolder {
public:
    // Takes the folder at `path` (a link to one is followed), removes what killed builds left in
    // it and beside it, and chooses the way the pages go in.
    explicit OutputFolder(std::string path);
    // Drops pages not committed.
    ~OutputFolder();

    OutputFolder(const OutputFolder&) = delete;
    OutputFolder& operator=(const OutputFolder&) = delete;

    void write(const PageBitmap& page, const PageStamp& stamp, int number);
    void commit();

    // Whether the pages are being built beside the folder, for the exchange.
    bool exchanges() const { return staging_.valid(); }

private:
    void lockFolder();
    bool canExchange() const;
    void createStaging();
    bool exchange();
    void holdFolderAgain();
    void removeEarlierSet(const FileDescriptor& earlier);
    void moveStagedPages();
    void finishPagesInPlace();
    void removeStaging();
    void removeLaterPages();
    [[noreturn]] void fail(int line, int errnum, const std::string& name = {}) const;

    // The path the caller gave, as error texts show it.
    std::string path_;
    // The folder's parent (none for "/"), the folder's name in it, and the folder itself; it is
    // held with a shared lock while the output runs, where the file system has locks.
    FileDescriptor parent_;
    std::string parentPath_;
    std::string name_;
    FileDescriptor folder_;
    bool locked_ = false;
    // The hidden folder beside it where the pages are built for the exchange.
    FileDescriptor staging_;
    std::string stagingName_;
    // Elsewhere: the pages waiting under hidden names in the folder.
    std::vector<std::unique_ptr<TempFile>> waiting_;
    int pageCount_ = 0;
};

// The steps of a folder's commit, each numbered from 1: the exchange, the removal of each entry
// of the earlier set after it, and the move of each page where the pages go in one by one.
enum class FolderCommitStep { Exchange, RemoveEarlier, MovePage };

// Only tests set this: it is called before each step of a commit, to stop the process there, or
// to have the step refused as a file system without it would (false).
void setFolderCommitHook(std::function<bool(FolderCommitStep step, int number)> hook);
