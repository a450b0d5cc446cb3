#include "TempFile.h"

#include "OutputLeftovers.h"
#include "PathNames.h"
#include "SSError.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <optional>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

// The kernel's own limit on the links followed in one lookup.
constexpr int kMaxLinksFollowed = 40;
// New files hold personal data: their owner's only.
constexpr mode_t kNewFileMode = S_IRUSR | S_IWUSR;

std::atomic<bool> syncing{true};
std::atomic<bool> unnamed{true};

// The file `path` stands for once symbolic links in its last part are followed, whether or not
// that file exists yet; a relative link is read against the link's own folder. Nothing, with
// errno set, when a link cannot be read or the chain is a loop or too long.
std::optional<std::string> followLinks(const std::string& path)
{
    std::string current = path;
    for (int followed = 0; followed <= kMaxLinksFollowed; ++followed) {
        struct stat status;
        if (::lstat(current.c_str(), &status) != 0)
            return errno == ENOENT ? std::optional(current) : std::nullopt;
        if (!S_ISLNK(status.st_mode))
            return current;
        std::string link(PATH_MAX, '\0');
        const ssize_t length = ::readlink(current.c_str(), link.data(), link.size());
        if (length < 0)
            return std::nullopt;
        if (static_cast<std::size_t>(length) >= link.size()) {
            errno = ENAMETOOLONG;
            return std::nullopt;
        }
        link.resize(static_cast<std::size_t>(length));
        current = link.starts_with('/') ? link : folderOf(current) + '/' + link;
    }
    errno = ELOOP;
    return std::nullopt;
}

std::string selfPath(int fd)
{
    return "/proc/self/fd/" + std::to_string(fd);
}

} // namespace

void setOutputSyncing(bool on)
{
    syncing = on;
}

bool outputSyncing()
{
    return syncing;
}

void setUnnamedOutputs(bool on)
{
    unnamed = on;
}

TempFile::TempFile(std::string targetPath, std::string standsFor)
    : targetPath_(std::move(targetPath)), standsFor_(std::move(standsFor))
{
    try {
        create();
    } catch (...) {
        discard();
        throw;
    }
}

void TempFile::create()
{
    const std::optional<std::string> file = followLinks(targetPath_);
    if (!file)
        fail(__LINE__, errno);
    name_ = fileNameOf(*file);
    if (name_.empty() || name_ == "." || name_ == "..")
        fail(__LINE__, EISDIR);
    folderPath_ = folderOf(*file);
    openFolder();
    struct stat replaced;
    bool replacing = ::fstatat(folder_.get(), name_.c_str(), &replaced, AT_SYMLINK_NOFOLLOW) == 0;
    if (replacing && !S_ISREG(replaced.st_mode))
        fail(__LINE__, S_ISDIR(replaced.st_mode) ? EISDIR : EINVAL);
    if (!replacing && !standsFor_.empty())
        replacing = ::stat(standsFor_.c_str(), &replaced) == 0 && S_ISREG(replaced.st_mode);
    if (lockFolderAlone(folder_.get())) {
        removeLeftoverFiles(folder_.get());
        ::flock(folder_.get(), LOCK_UN);
    }

    // Unnamed files are linked in through /proc; without it they could not be named at all.
    if (unnamed && ::access("/proc/self/fd", X_OK) == 0)
        fd_.reset(::openat(folder_.get(), ".", O_TMPFILE | O_RDWR | O_CLOEXEC, kNewFileMode));
    if (fd_.get() >= 0)
        // Locked from the start: the file gets a hidden name before it takes the target's.
        ::flock(fd_.get(), LOCK_EX | LOCK_NB);
    else
        createNamed();

    if (replacing) {
        struct stat own;
        if (::fstat(fd_.get(), &own) != 0)
            fail(__LINE__, errno);
        // Only the superuser may give a file away, and only to a group of its own: what cannot be
        // kept stays the writer's.
        if ((own.st_uid != replaced.st_uid || own.st_gid != replaced.st_gid) &&
            ::fchown(fd_.get(), replaced.st_uid, replaced.st_gid) != 0 && own.st_gid != replaced.st_gid &&
            ::fchown(fd_.get(), static_cast<uid_t>(-1), replaced.st_gid) != 0 && errno != EPERM)
            fail(__LINE__, errno);
        // After the owner: a change of owner clears the set-id bits.
        if (::fchmod(fd_.get(), replaced.st_mode & 07777) != 0)
            fail(__LINE__, errno);
    }
}

void TempFile::openFolder()
{
    if (folder_.get() >= 0)
        return;
    folder_.reset(::open(folderPath_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder_.get() < 0)
        fail(__LINE__, errno);
}

void TempFile::createNamed()
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = randomHiddenName();
        fd_.reset(::openat(folder_.get(), name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                           kNewFileMode));
        if (fd_.get() < 0) {
            if (errno == EEXIST)
                continue;
            fail(__LINE__, errno);
        }
        // Until the lock is taken another output's clean-up may have removed the new name, or
        // removed it and had it made again: the file is kept only while the name is its own. On a
        // file system without locks no output takes it for a leftover.
        const bool locked = ::flock(fd_.get(), LOCK_EX | LOCK_NB) == 0 || errno == ENOLCK || errno == EINVAL ||
                            errno == EOPNOTSUPP;
        if (locked && stillNamed(folder_.get(), name, fd_.get())) {
            keepHiddenName(std::move(name));
            return;
        }
        fd_.reset();
    }
    fail(__LINE__, EEXIST);
}

void TempFile::keepHiddenName(std::string name)
{
    hiddenName_ = std::move(name);
    struct stat status;
    if (::fstat(fd_.get(), &status) == 0)
        markWaiting(status.st_dev, status.st_ino);
}

void TempFile::discard()
{
    if (committed_ || hiddenName_.empty())
        return;
    const std::string hidden = folderPath_ + '/' + hiddenName_;
    struct stat status;
    if (::lstat(hidden.c_str(), &status) == 0) {
        unmarkWaiting(status.st_dev, status.st_ino);
        ::unlink(hidden.c_str());
    }
    hiddenName_.clear();
}

TempFile::~TempFile()
{
    discard();
}

void TempFile::write(const void* data, std::size_t size)
{
    const char* bytes = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t written = ::write(fd_.get(), bytes, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            fail(__LINE__, written < 0 ? errno : ENOSPC);
        bytes += written;
        size -= static_cast<std::size_t>(written);
    }
}

void TempFile::syncContent()
{
    if (syncing && ::fsync(fd_.get()) != 0)
        fail(__LINE__, errno);
}

void TempFile::linkUnderHiddenName()
{
    const std::string self = selfPath(fd_.get());
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = randomHiddenName();
        if (::linkat(AT_FDCWD, self.c_str(), folder_.get(), name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
            keepHiddenName(std::move(name));
            return;
        }
        if (errno != EEXIST)
            fail(__LINE__, errno);
    }
    fail(__LINE__, EEXIST);
}

void TempFile::seal()
{
    if (fd_.get() < 0)
        return;
    syncContent();
    if (hiddenName_.empty())
        linkUnderHiddenName();
    // Neither the file nor its folder stays open while it waits.
    const bool closed = fd_.reset();
    folder_.reset();
    if (!closed)
        fail(__LINE__, errno);
}

void TempFile::commit(FolderSync sync)
{
    bool placed = false;
    if (fd_.get() >= 0) {
        syncContent();
        // A target that does not exist is made at once, with no second name on the way.
        if (hiddenName_.empty()) {
            if (::linkat(AT_FDCWD, selfPath(fd_.get()).c_str(), folder_.get(), name_.c_str(), AT_SYMLINK_FOLLOW) == 0)
                placed = true;
            else if (errno == EEXIST)
                linkUnderHiddenName();
            else
                fail(__LINE__, errno);
        }
    }
    openFolder();
    if (!placed) {
        struct stat status;
        const bool named = ::fstatat(folder_.get(), hiddenName_.c_str(), &status, AT_SYMLINK_NOFOLLOW) == 0;
        if (::renameat(folder_.get(), hiddenName_.c_str(), folder_.get(), name_.c_str()) != 0)
            fail(__LINE__, errno);
        if (named)
            unmarkWaiting(status.st_dev, status.st_ino);
        hiddenName_.clear();
    }
    committed_ = true;
    fd_.reset();
    // The new name reaches the disk only with its folder.
    if (sync == FolderSync::Now && syncing && ::fsync(folder_.get()) != 0)
        fail(__LINE__, errno);
    folder_.reset();
}

void TempFile::fail(int line, int errnum)
{
    SSError::CPrgError(SSError::kSourceTempFile, line, SSError::kErrFileWrite)
        .setSystemError(errnum)
        .addDetail(std::string_view(targetPath()))
        .raise();
}
