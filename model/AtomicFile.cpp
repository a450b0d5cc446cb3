#include "model/AtomicFile.h"

#include <cerrno>
#include <climits>
#include <ctime>
#include <random>
#include <utility>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include "model/FileLock.h"
#include "model/RegularFile.h"
#include "model/SaveSignals.h"

namespace {

constexpr std::size_t temporarySuffixLength = 6;
constexpr std::string_view temporarySuffixLetters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
// The kernel's own limit on the links followed in one lookup.
constexpr int maxLinksFollowed = 40;
// A temporary file touched this recently may belong to a replacement that has made it and not
// yet locked it, or that runs on a file system without locks.
constexpr std::time_t leftoverAge = 60; // seconds
// The access list of a file, as the kernel keeps it in an extended attribute.
constexpr const char* accessListAttribute = "system.posix_acl_access";

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

// A replacement's temporary file is written within moments of its making, so its modification
// time tells its age.
bool touchedRecently(const struct stat& status)
{
    return std::time(nullptr) - status.st_mtim.tv_sec < leftoverAge;
}

// Leftovers of replacements that were killed: our own files under a temporary name that no
// running replacement holds locked and that no replacement has touched for a minute.
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
            || status.st_uid != ::geteuid() || touchedRecently(status) || lockFile(file.get()) != FileLock::Locked)
            continue;
        // The name may have gone to another file between the open and the lock.
        struct stat named {};
        if (::fstatat(folderFd, entry->d_name, &named, AT_SYMLINK_NOFOLLOW) != 0 || named.st_dev != status.st_dev
            || named.st_ino != status.st_ino)
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
        if (file_.valid()) {
            lockFile(file_.get());
            return;
        }
        for (int attempt = 0; attempt < 100; ++attempt) {
            name_ = randomTemporaryName();
            file_ = FileDescriptor(
                ::openat(folderFd, name_.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode));
            if (!file_.valid()) {
                if (errno != EEXIST)
                    break;
                continue;
            }
            // Until the lock is taken another replacement's clean-up may have removed the new
            // name, or removed it and had it made again by a third: the file is kept only while
            // the name is still its own.
            const FileLock lock = lockFile(file_.get());
            const bool named = stillNamed();
            if (named && (lock == FileLock::Locked || lock == FileLock::Unsupported))
                return;
            // A file held by another is one that another's clean-up is removing.
            if (named && lock == FileLock::Failed)
                ::unlinkat(folderFd, name_.c_str(), 0);
            file_ = FileDescriptor();
        }
        name_.clear();
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
    bool stillNamed() const
    {
        struct stat own {};
        struct stat named {};
        return ::fstat(file_.get(), &own) == 0
               && ::fstatat(folderFd_, name_.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0
               && own.st_dev == named.st_dev && own.st_ino == named.st_ino;
    }

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

// What a call of the extended-attribute family gives: asked first for the size with no buffer,
// then for the bytes. Nothing with errno set.
template <typename Read>
std::optional<std::string> sizedRead(const Read& read)
{
    for (;;) {
        const ssize_t size = read(nullptr, 0);
        if (size < 0)
            return std::nullopt;
        std::string bytes(static_cast<std::size_t>(size), '\0');
        const ssize_t got = read(bytes.data(), bytes.size());
        if (got >= 0) {
            bytes.resize(static_cast<std::size_t>(got));
            return bytes;
        }
        // The bytes grew between the two calls.
        if (errno != ERANGE)
            return std::nullopt;
    }
}

// An extended attribute's value, or nothing with errno set.
std::optional<std::string> attributeValue(const std::string& path, const char* name)
{
    return sizedRead(
        [&](char* buffer, std::size_t size) { return ::lgetxattr(path.c_str(), name, buffer, size); });
}

// The names of the file's extended attributes, or nothing with errno set.
std::optional<std::vector<std::string>> attributeNames(const std::string& path)
{
    const std::optional<std::string> list =
        sizedRead([&](char* buffer, std::size_t size) { return ::llistxattr(path.c_str(), buffer, size); });
    if (!list)
        return std::nullopt;
    std::vector<std::string> names;
    for (std::size_t start = 0; start < list->size();) {
        const std::size_t end = list->find('\0', start);
        names.push_back(list->substr(start, end - start));
        start = end == std::string::npos ? list->size() : end + 1;
    }
    return names;
}

bool noSuchAttribute(int error)
{
    return error == ENODATA || error == ENOTSUP;
}

// Gives the new file the replaced file's access list. False where it has one (or may have one)
// that the new file did not take.
bool takeOverAccessList(int fd, const std::string& replacedPath)
{
    const std::optional<std::string> list = attributeValue(replacedPath, accessListAttribute);
    if (!list)
        return noSuchAttribute(errno);
    return ::fsetxattr(fd, accessListAttribute, list->data(), list->size(), 0) == 0;
}

// The user's own extended attributes (tags, a desktop's notes); false where any was not taken.
bool takeOverUserAttributes(int fd, const std::string& replacedPath)
{
    const std::optional<std::vector<std::string>> names = attributeNames(replacedPath);
    if (!names)
        return noSuchAttribute(errno);
    bool all = true;
    for (const std::string& name : *names) {
        if (!name.starts_with("user."))
            continue;
        const std::optional<std::string> value = attributeValue(replacedPath, name.c_str());
        if (!value) {
            all = all && errno == ENODATA; // removed meanwhile
            continue;
        }
        all = ::fsetxattr(fd, name.c_str(), value->data(), value->size(), 0) == 0 && all;
    }
    return all;
}

// Keeps the replaced file's owner, group, permissions, access list and user attributes. Only the
// superuser may give a file away and only to a group of its own, so the owner or the group may
// have to change to whoever saves; a group member's save still keeps the group. A file that
// neither its owner nor its group could use afterwards, although the old one gave them rights,
// is not made at all.
std::optional<ReplaceFailure> takeOverAttributes(int fd, const std::string& replacedPath, const struct stat& replaced,
                                                 ReplacedFile& outcome)
{
    const auto failed = [](ReplaceFailure::Stage stage, int error) { return ReplaceFailure{stage, error}; };
    struct stat own {};
    if (::fstat(fd, &own) != 0)
        return failed(ReplaceFailure::Create, errno);
    bool ownerKept = own.st_uid == replaced.st_uid;
    bool groupKept = own.st_gid == replaced.st_gid;
    if (!ownerKept || !groupKept) {
        if (::fchown(fd, replaced.st_uid, replaced.st_gid) == 0) {
            ownerKept = groupKept = true;
        } else if (errno != EPERM) {
            return failed(ReplaceFailure::Create, errno);
        } else if (!groupKept) {
            if (::fchown(fd, static_cast<uid_t>(-1), replaced.st_gid) == 0)
                groupKept = true;
            else if (errno != EPERM)
                return failed(ReplaceFailure::Create, errno);
        }
    }
    const mode_t mode = replaced.st_mode & 07777;
    if (!ownerKept && !groupKept && (mode & (S_IRWXU | S_IRWXG)) != 0)
        return failed(ReplaceFailure::KeepOwner, EPERM);
    if (::fchmod(fd, mode) != 0)
        return failed(ReplaceFailure::Create, errno);

    // With no access list the group bits are the group's rights; with one they are its mask, so
    // a file that lost the list must not keep them.
    if (!takeOverAccessList(fd, replacedPath)) {
        outcome.accessListDropped = true;
        if (::fchmod(fd, mode & S_IRWXU) != 0)
            return failed(ReplaceFailure::Create, errno);
    }
    if (!takeOverUserAttributes(fd, replacedPath))
        outcome.extendedAttributesDropped = true;
    return std::nullopt;
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
                                                    const WrittenBytesCheck& check, ReplacedFile* replacedFile)
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
    ReplacedFile outcome;
    if (replacing) {
        if (const std::optional<ReplaceFailure> failure =
                takeOverAttributes(temporary.fd(), parts.folder + '/' + parts.name, replaced, outcome))
            return failure;
    }
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
    // Taken after the rename, which moves the file's change time.
    struct stat placed {};
    if (::fstat(temporary.fd(), &placed) == 0)
        outcome.identity = fileIdentity(placed);
    if (replacedFile)
        *replacedFile = outcome;

    // The new name reaches the disk only with its folder.
    if (::fsync(folder.get()) != 0)
        return failed(ReplaceFailure::SyncFolder, errno);
    return std::nullopt;
}
