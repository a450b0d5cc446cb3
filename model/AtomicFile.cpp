#include "model/AtomicFile.h"

#include <cerrno>
#include <climits>
#include <random>
#include <utility>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "model/RegularFile.h"
#include "model/SaveSignals.h"

namespace {

constexpr std::size_t temporarySuffixLength = 6;
constexpr std::string_view temporarySuffixLetters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
// The kernel's own limit on the links followed in one lookup.
constexpr int maxLinksFollowed = 40;

std::string randomTemporaryName()
{
    static std::mt19937 generator{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, temporarySuffixLetters.size() - 1);
    std::string name(TemporaryNamePrefix);
    for (std::size_t i = 0; i < temporarySuffixLength; ++i)
        name += temporarySuffixLetters[pick(generator)];
    return name;
}

bool isTemporaryName(std::string_view name)
{
    if (name.size() != TemporaryNamePrefix.size() + temporarySuffixLength || !name.starts_with(TemporaryNamePrefix))
        return false;
    name.remove_prefix(TemporaryNamePrefix.size());
    return name.find_first_not_of(temporarySuffixLetters) == std::string_view::npos;
}

// Leftovers of replacements that were killed: our own files under a temporary name that no
// running replacement holds locked.
void removeStaleTemporaries(int folderFd)
{
    const int listFd = ::openat(folderFd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (listFd < 0)
        return;
    DIR* const listing = ::fdopendir(listFd);
    if (listing == nullptr) {
        ::close(listFd);
        return;
    }
    while (const dirent* entry = ::readdir(listing)) {
        if (!isTemporaryName(entry->d_name))
            continue;
        FileDescriptor file(
            ::openat(folderFd, entry->d_name, O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC));
        struct stat status {};
        if (!file.valid() || ::fstat(file.get(), &status) != 0 || !S_ISREG(status.st_mode)
            || status.st_uid != ::geteuid() || ::flock(file.get(), LOCK_EX | LOCK_NB) != 0)
            continue;
        ::unlinkat(folderFd, entry->d_name, 0);
    }
    ::closedir(listing);
}

// The new content while it is written: an unnamed file of the folder, or one under a
// temporary name that is removed again unless it took the target's place. Either is locked so
// that no other replacement in the folder takes it for a leftover.
class TemporaryFile {
public:
    TemporaryFile(int folderFd, mode_t mode) : folderFd_(folderFd)
    {
        // Unnamed files are linked through /proc; without it they could not be named at all.
        if (::access("/proc/self/fd", X_OK) == 0)
            file_ = FileDescriptor(::openat(folderFd, ".", O_TMPFILE | O_RDWR | O_CLOEXEC, mode));
        if (!file_.valid()) {
            for (int attempt = 0; attempt < 100 && !file_.valid(); ++attempt) {
                name_ = randomTemporaryName();
                file_ = FileDescriptor(
                    ::openat(folderFd, name_.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode));
                if (!file_.valid() && errno != EEXIST)
                    break;
            }
            if (!file_.valid())
                name_.clear();
        }
        if (file_.valid())
            ::flock(file_.get(), LOCK_EX | LOCK_NB);
    }
    ~TemporaryFile()
    {
        if (!name_.empty())
            ::unlinkat(folderFd_, name_.c_str(), 0);
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    bool created() const { return file_.valid(); }
    int fd() const { return file_.get(); }

    // Puts the file under `target`; false with errno set when it cannot.
    bool replace(const std::string& target)
    {
        if (name_.empty()) {
            const std::string self = "/proc/self/fd/" + std::to_string(file_.get());
            // A target that does not exist is made at once, with no second name on the way.
            if (::linkat(AT_FDCWD, self.c_str(), folderFd_, target.c_str(), AT_SYMLINK_FOLLOW) == 0)
                return true;
            if (errno != EEXIST)
                return false;
            if (!linkUnderTemporaryName(self))
                return false;
        }
        if (::renameat(folderFd_, name_.c_str(), folderFd_, target.c_str()) != 0)
            return false;
        name_.clear();
        return true;
    }

private:
    bool linkUnderTemporaryName(const std::string& self)
    {
        for (int attempt = 0; attempt < 100; ++attempt) {
            std::string name = randomTemporaryName();
            if (::linkat(AT_FDCWD, self.c_str(), folderFd_, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
                name_ = std::move(name);
                return true;
            }
            if (errno != EEXIST)
                return false;
        }
        return false;
    }

    int folderFd_;
    FileDescriptor file_;
    std::string name_; // empty while the file is unnamed
};

bool writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            if (written == 0)
                errno = EIO;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// Keeps the replaced file's owner, group and permissions. Only the superuser may give a file
// away, so a refusal of the owner is no failure: the file then belongs to whoever saved it.
bool takeOverAttributes(int fd, const struct stat& replaced)
{
    struct stat own {};
    if (::fstat(fd, &own) != 0)
        return false;
    if ((own.st_uid != replaced.st_uid || own.st_gid != replaced.st_gid)
        && ::fchown(fd, replaced.st_uid, replaced.st_gid) != 0 && errno != EPERM)
        return false;
    return ::fchmod(fd, replaced.st_mode & 07777) == 0;
}

} // namespace

PathParts splitPath(const std::string& path)
{
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return {".", path};
    return {slash == 0 ? "/" : path.substr(0, slash), path.substr(slash + 1)};
}

std::optional<std::string> followLinks(const std::string& path, int& error)
{
    std::string current = path;
    for (int followed = 0; followed <= maxLinksFollowed; ++followed) {
        struct stat status {};
        if (::lstat(current.c_str(), &status) != 0) {
            if (errno == ENOENT)
                return current;
            error = errno;
            return std::nullopt;
        }
        if (!S_ISLNK(status.st_mode))
            return current;
        std::string link(PATH_MAX, '\0');
        const ssize_t length = ::readlink(current.c_str(), link.data(), link.size());
        if (length < 0 || static_cast<std::size_t>(length) >= link.size()) {
            error = length < 0 ? errno : ENAMETOOLONG;
            return std::nullopt;
        }
        link.resize(static_cast<std::size_t>(length));
        current = link.starts_with('/') ? link : splitPath(current).folder + '/' + link;
    }
    error = ELOOP;
    return std::nullopt;
}

std::optional<ReplaceFailure> replaceFileAtomically(const std::string& target, std::string_view bytes,
                                                    const WrittenBytesCheck& check)
{
    const SaveInProgress running;
    const auto failed = [](ReplaceFailure::Stage stage, int error) { return ReplaceFailure{stage, error}; };

    int error = 0;
    const std::optional<std::string> file = followLinks(target, error);
    if (!file)
        return failed(ReplaceFailure::Resolve, error);
    const PathParts parts = splitPath(*file);
    if (parts.name.empty() || parts.name == "." || parts.name == "..")
        return failed(ReplaceFailure::NotRegular, EISDIR);
    const FileDescriptor folder(::open(parts.folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!folder.valid())
        return failed(ReplaceFailure::Create, errno);
    removeStaleTemporaries(folder.get());

    struct stat replaced {};
    const bool replacing = ::fstatat(folder.get(), parts.name.c_str(), &replaced, AT_SYMLINK_NOFOLLOW) == 0;
    if (replacing && !S_ISREG(replaced.st_mode))
        return failed(ReplaceFailure::NotRegular, S_ISDIR(replaced.st_mode) ? EISDIR : 0);

    TemporaryFile temporary(folder.get(), S_IRUSR | S_IWUSR);
    if (!temporary.created())
        return failed(ReplaceFailure::Create, errno);
    if (replacing && !takeOverAttributes(temporary.fd(), replaced))
        return failed(ReplaceFailure::Create, errno);
    if (!writeAll(temporary.fd(), bytes))
        return failed(ReplaceFailure::Write, errno);
    if (::fsync(temporary.fd()) != 0)
        return failed(ReplaceFailure::Sync, errno);

    // What the disk gives back, not what was meant to be written, must be a whole file.
    const RegularFileBytes written = readOpenedFile(temporary.fd(), bytes.size());
    if (written.failure)
        return failed(ReplaceFailure::Verify, written.failure->error != 0 ? written.failure->error : EIO);
    if (written.bytes != bytes)
        return failed(ReplaceFailure::Verify, EIO);
    if (check && !check(written.bytes))
        return failed(ReplaceFailure::Verify, 0);

    if (!temporary.replace(parts.name))
        return failed(ReplaceFailure::Rename, errno);

    // The new name reaches the disk only with its folder.
    if (::fsync(folder.get()) != 0)
        return failed(ReplaceFailure::SyncFolder, errno);
    return std::nullopt;
}
