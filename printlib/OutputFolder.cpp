#include "OutputFolder.h"

#include "FolderPageNames.h"
#include "OutputLeftovers.h"
#include "PathNames.h"
#include "SSError.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <optional>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <utility>
// C libraries older than the renameat2 wrapper have its flags only in the kernel's header.
#ifndef RENAME_EXCHANGE
#include <linux/fs.h>
#endif

namespace {

constexpr int kSource = SSError::kRendererSourceOffset + SSError::kSourceTifOperation;
// Tries at taking a folder that other builds exchange at the same time.
constexpr int kLockAttempts = 10;

std::function<bool(FolderCommitStep, int)>& commitHook()
{
    static std::function<bool(FolderCommitStep, int)> hook;
    return hook;
}

bool stepMayRun(FolderCommitStep step, int number)
{
    const auto& hook = commitHook();
    if (!hook || hook(step, number))
        return true;
    errno = EINVAL;
    return false;
}

struct FreeDeleter {
    void operator()(char* text) const { std::free(text); }
};

bool sameObject(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Through the system call itself, which C libraries older than its wrapper have too.
bool renameWithFlags(int fromFolder, const std::string& from, int toFolder, const std::string& to, unsigned flags)
{
    return ::syscall(SYS_renameat2, fromFolder, from.c_str(), toFolder, to.c_str(), flags) == 0;
}

bool lockShared(int fd)
{
    int result;
    while ((result = ::flock(fd, LOCK_SH)) != 0 && errno == EINTR) {
    }
    return result == 0;
}

bool isMountRoot(int fd)
{
    struct statx status;
    return ::statx(fd, "", AT_EMPTY_PATH, STATX_BASIC_STATS, &status) == 0 &&
           (status.stx_attributes_mask & STATX_ATTR_MOUNT_ROOT) != 0 &&
           (status.stx_attributes & STATX_ATTR_MOUNT_ROOT) != 0;
}

// Access lists and attributes a new folder would not carry over; the security labels the system
// gives every file are not counted.
bool hasOwnAttributes(int fd)
{
    const ssize_t size = ::flistxattr(fd, nullptr, 0);
    if (size <= 0)
        return false;
    std::string names(static_cast<std::size_t>(size), '\0');
    const ssize_t got = ::flistxattr(fd, names.data(), names.size());
    if (got < 0)
        return true;
    names.resize(static_cast<std::size_t>(got));
    for (std::size_t start = 0; start < names.size(); start = names.find('\0', start) + 1)
        if (names.compare(start, 9, "security.") != 0)
            return true;
    return false;
}

// Gives a folder the output made the group of the folder it stands for, and the permissions `mode`.
bool giveGroupAndMode(int folderFd, gid_t group, mode_t mode)
{
    struct stat own;
    return ::fstat(folderFd, &own) == 0 &&
           (own.st_gid == group || ::fchown(folderFd, static_cast<uid_t>(-1), group) == 0) &&
           ::fchmod(folderFd, mode) == 0;
}

// Whether the folder holds page files and nothing else.
bool holdsOnlyPages(int folderFd)
{
    const std::optional<std::vector<std::string>> names = namesIn(folderFd);
    if (!names)
        return false;
    for (const std::string& name : *names) {
        struct stat status;
        if (folderPageNumber(name) == 0 || ::fstatat(folderFd, name.c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0 ||
            !S_ISREG(status.st_mode))
            return false;
    }
    return true;
}

} // namespace

void setFolderCommitHook(std::function<bool(FolderCommitStep step, int number)> hook)
{
    commitHook() = std::move(hook);
}

OutputFolder::OutputFolder(std::string path) : path_(std::move(path))
{
    lockFolder();
    if (parent_.valid() && locked_)
        removeLeftoverFolders(parent_.get());
    if (canExchange())
        createStaging();
}

OutputFolder::~OutputFolder()
{
    removeStaging();
}

void OutputFolder::lockFolder()
{
    for (int attempt = 0; attempt < kLockAttempts; ++attempt) {
        const std::unique_ptr<char, FreeDeleter> real(::realpath(path_.c_str(), nullptr));
        if (!real)
            fail(__LINE__, errno);
        const std::string realPath = real.get();
        if (realPath == "/") {
            folder_.reset(::open("/", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        } else {
            parentPath_ = folderOf(realPath);
            name_ = fileNameOf(realPath);
            parent_.reset(::open(parentPath_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
            if (!parent_.valid())
                fail(__LINE__, errno);
            folder_.reset(::openat(parent_.get(), name_.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        }
        if (!folder_.valid())
            fail(__LINE__, errno);

        const bool alone = lockFolderAlone(folder_.get());
        if (!alone && (errno != EWOULDBLOCK || !lockShared(folder_.get())))
            return; // a file system without locks
        // Another build's exchange may have put a new folder at the name meanwhile.
        if (!parent_.valid() || stillNamed(parent_.get(), name_, folder_.get())) {
            locked_ = true;
            if (alone) {
                removeLeftoverFiles(folder_.get());
                lockShared(folder_.get());
            }
            return;
        }
    }
    // Exchanged again and again: the pages go in one by one, as without locks.
    ::flock(folder_.get(), LOCK_UN);
}

bool OutputFolder::canExchange() const
{
    struct stat folder;
    struct stat parent;
    struct stat working;
    return locked_ && parent_.valid() && ::fstat(folder_.get(), &folder) == 0 &&
           ::fstat(parent_.get(), &parent) == 0 && folder.st_uid == ::geteuid() && folder.st_dev == parent.st_dev &&
           !isMountRoot(folder_.get()) && !(::stat(".", &working) == 0 && sameObject(working, folder)) &&
           ::faccessat(folder_.get(), ".", W_OK | X_OK, AT_EACCESS) == 0 && !hasOwnAttributes(folder_.get()) &&
           holdsOnlyPages(folder_.get());
}

void OutputFolder::createStaging()
{
    struct stat folder;
    if (::fstat(folder_.get(), &folder) != 0)
        return;
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = randomHiddenName();
        if (::mkdirat(parent_.get(), name.c_str(), S_IRWXU) != 0) {
            if (errno == EEXIST)
                continue;
            return; // a parent the output may not write
        }
        FileDescriptor staging(::openat(parent_.get(), name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        if (!staging.valid())
            return;
        // Until the lock is taken another output's clean-up may take the new folder for a leftover.
        if (::flock(staging.get(), LOCK_SH | LOCK_NB) != 0) {
            if (errno == EWOULDBLOCK)
                continue;
            ::unlinkat(parent_.get(), name.c_str(), AT_REMOVEDIR);
            return;
        }
        if (!stillNamed(parent_.get(), name, staging.get()))
            continue;
        stagingName_ = std::move(name);
        staging_ = std::move(staging);
        // New pages get the folder's group, as they would in the folder itself.
        if (!giveGroupAndMode(staging_.get(), folder.st_gid, S_IRWXU | (folder.st_mode & S_ISGID)))
            removeStaging();
        return;
    }
}

void OutputFolder::write(const PageBitmap& page, const PageStamp& stamp, int number)
{
    const std::string name = folderPageName(number);
    if (staging_.valid()) {
        TiffPageWriter file(inFolder(parentPath_, stagingName_ + "/" + name), inFolder(path_, name));
        file.addPage(page, stamp);
        file.finish(FolderSync::ByCaller);
    } else {
        TiffPageWriter file(inFolder(path_, name));
        file.addPage(page, stamp);
        waiting_.push_back(file.finishAside());
    }
    pageCount_ = number;
}

void OutputFolder::commit()
{
    if (staging_.valid()) {
        if (outputSyncing() && ::fsync(staging_.get()) != 0)
            fail(__LINE__, errno);
        if (!exchange())
            moveStagedPages();
        return;
    }
    for (std::size_t page = 0; page < waiting_.size(); ++page) {
        if (!stepMayRun(FolderCommitStep::MovePage, static_cast<int>(page) + 1))
            fail(__LINE__, errno, folderPageName(static_cast<int>(page) + 1));
        waiting_[page]->commit(FolderSync::ByCaller);
    }
    finishPagesInPlace();
}

bool OutputFolder::exchange()
{
    // Only when no other build runs into the folder: one that does may have its pages waiting in it.
    if (!lockFolderAlone(folder_.get())) {
        holdFolderAgain();
        return false;
    }
    removeLeftoverFiles(folder_.get());
    struct stat folder;
    if (!holdsOnlyPages(folder_.get()) || ::fstat(folder_.get(), &folder) != 0 ||
        !giveGroupAndMode(staging_.get(), folder.st_gid, folder.st_mode & 07777) ||
        !stepMayRun(FolderCommitStep::Exchange, 1) ||
        !renameWithFlags(parent_.get(), stagingName_, parent_.get(), name_, RENAME_EXCHANGE))
        return false;

    const bool synced = !outputSyncing() || ::fsync(parent_.get()) == 0;
    const int syncError = errno;
    // The new pages are in the folder now; the earlier ones are under the hidden name.
    const FileDescriptor earlier = std::move(folder_);
    folder_ = std::move(staging_);
    removeEarlierSet(earlier);
    if (!synced)
        fail(__LINE__, syncError);
    return true;
}

void OutputFolder::holdFolderAgain()
{
    lockShared(folder_.get());
    if (stillNamed(parent_.get(), name_, folder_.get()))
        return;
    // A refused exclusive lock lets go of the shared one for a moment, in which another build may
    // have exchanged the folder: the pages go into the one at the name now.
    FileDescriptor current(::openat(parent_.get(), name_.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (current.valid() && lockShared(current.get()))
        folder_ = std::move(current);
}

void OutputFolder::removeEarlierSet(const FileDescriptor& earlier)
{
    int number = 0;
    for (const std::string& name : namesIn(earlier.get()).value_or(std::vector<std::string>{})) {
        struct stat status;
        if (!stepMayRun(FolderCommitStep::RemoveEarlier, ++number) ||
            ::fstatat(earlier.get(), name.c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0)
            continue;
        if (S_ISREG(status.st_mode) && folderPageNumber(name) > 0)
            ::unlinkat(earlier.get(), name.c_str(), 0);
        else
            // Put into the folder while the pages were exchanged: it goes back.
            renameWithFlags(earlier.get(), name, folder_.get(), name, RENAME_NOREPLACE);
    }
    // What could not go back keeps the hidden folder, to be found there.
    ::unlinkat(parent_.get(), stagingName_.c_str(), AT_REMOVEDIR);
    stagingName_.clear();
}

void OutputFolder::moveStagedPages()
{
    for (int number = 1; number <= pageCount_; ++number) {
        const std::string name = folderPageName(number);
        if (!stepMayRun(FolderCommitStep::MovePage, number) ||
            ::renameat(staging_.get(), name.c_str(), folder_.get(), name.c_str()) != 0)
            fail(__LINE__, errno, name);
    }
    finishPagesInPlace();
    removeStaging();
}

// The pages' new names reach the disk with the folder, synced once for all of them.
void OutputFolder::finishPagesInPlace()
{
    if (outputSyncing() && ::fsync(folder_.get()) != 0)
        fail(__LINE__, errno);
    removeLaterPages();
}

void OutputFolder::removeStaging()
{
    if (stagingName_.empty())
        return;
    // Only this output's pages are in it.
    if (staging_.valid())
        for (const std::string& name : namesIn(staging_.get()).value_or(std::vector<std::string>{}))
            ::unlinkat(staging_.get(), name.c_str(), 0);
    ::unlinkat(parent_.get(), stagingName_.c_str(), AT_REMOVEDIR);
    staging_.reset();
    stagingName_.clear();
}

void OutputFolder::removeLaterPages()
{
    const std::optional<std::vector<std::string>> names = namesIn(folder_.get());
    if (!names)
        fail(__LINE__, errno);
    for (const std::string& name : *names) {
        if (folderPageNumber(name) <= pageCount_)
            continue;
        // A folder of that name is the caller's own; a link to one too.
        struct stat status;
        const bool isFolder = ::fstatat(folder_.get(), name.c_str(), &status, 0) == 0 && S_ISDIR(status.st_mode);
        if (!isFolder && ::unlinkat(folder_.get(), name.c_str(), 0) != 0 && errno != ENOENT)
            fail(__LINE__, errno, name);
    }
}

void OutputFolder::fail(int line, int errnum, const std::string& name) const
{
    SSError::CPrgError(kSource, line, SSError::kErrFileWrite)
        .setSystemError(errnum)
        .addDetail(std::string_view(name.empty() ? path_ : inFolder(path_, name)))
        .raise();
}
