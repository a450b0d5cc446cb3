#include "OutputLeftovers.h"

#include "FileDescriptor.h"
#include "FolderPageNames.h"

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <mutex>
#include <random>
#include <set>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

constexpr std::string_view kHiddenPrefix = ".orvx-";
constexpr std::string_view kNameLetters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";

class WaitingFiles {
public:
    using Identity = std::pair<dev_t, ino_t>;

    void add(Identity file)
    {
        const std::lock_guard lock(mutex_);
        files_.insert(file);
    }
    void remove(Identity file)
    {
        const std::lock_guard lock(mutex_);
        files_.erase(file);
    }
    bool holds(Identity file)
    {
        const std::lock_guard lock(mutex_);
        return files_.contains(file);
    }

private:
    std::mutex mutex_;
    std::set<Identity> files_;
};

WaitingFiles& waitingFiles()
{
    static WaitingFiles files;
    return files;
}

struct DirCloser {
    void operator()(DIR* listing) const { ::closedir(listing); }
};

// Opens the entry `name` of the folder as this user's object of the kind `type` (S_IFREG or
// S_IFDIR) and locks it alone; invalid when it is no such object, something holds it, or the name
// went to another object between the open and the lock.
FileDescriptor lockedLeftover(int folderFd, const std::string& name, mode_t type)
{
    const int flags = type == S_IFDIR ? O_RDONLY | O_DIRECTORY : O_RDONLY | O_NONBLOCK | O_NOCTTY;
    FileDescriptor entry(::openat(folderFd, name.c_str(), flags | O_NOFOLLOW | O_CLOEXEC));
    struct stat status;
    if (!entry.valid() || ::fstat(entry.get(), &status) != 0 || (status.st_mode & S_IFMT) != type ||
        status.st_uid != ::geteuid() || waitingFiles().holds({status.st_dev, status.st_ino}) ||
        ::flock(entry.get(), LOCK_EX | LOCK_NB) != 0 || !stillNamed(folderFd, name, entry.get()))
        entry.reset();
    return entry;
}

} // namespace

bool isHiddenName(std::string_view name)
{
    return name.size() == kHiddenNameLength && name.starts_with(kHiddenPrefix) &&
           name.substr(kHiddenPrefix.size()).find_first_not_of(kNameLetters) == std::string_view::npos;
}

std::string randomHiddenName()
{
    thread_local std::mt19937 generator{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, kNameLetters.size() - 1);
    std::string name(kHiddenPrefix);
    while (name.size() < kHiddenNameLength)
        name += kNameLetters[pick(generator)];
    return name;
}

void markWaiting(dev_t device, ino_t inode)
{
    waitingFiles().add({device, inode});
}

void unmarkWaiting(dev_t device, ino_t inode)
{
    waitingFiles().remove({device, inode});
}

bool stillNamed(int folderFd, const std::string& name, int fd)
{
    struct stat opened;
    struct stat named;
    return ::fstat(fd, &opened) == 0 && ::fstatat(folderFd, name.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 &&
           opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

bool lockFolderAlone(int folderFd)
{
    return ::flock(folderFd, LOCK_EX | LOCK_NB) == 0;
}

std::optional<std::vector<std::string>> namesIn(int folderFd)
{
    const int listFd = ::openat(folderFd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (listFd < 0)
        return std::nullopt;
    const std::unique_ptr<DIR, DirCloser> listing(::fdopendir(listFd));
    if (!listing) {
        const int error = errno;
        ::close(listFd);
        errno = error;
        return std::nullopt;
    }
    std::vector<std::string> names;
    for (;;) {
        errno = 0;
        const dirent* entry = ::readdir(listing.get());
        if (!entry)
            break;
        const std::string_view name = entry->d_name;
        if (name != "." && name != "..")
            names.emplace_back(name);
    }
    if (errno != 0)
        return std::nullopt;
    return names;
}

void removeLeftoverFiles(int folderFd)
{
    for (const std::string& name : namesIn(folderFd).value_or(std::vector<std::string>{}))
        if (isHiddenName(name) && lockedLeftover(folderFd, name, S_IFREG).valid())
            ::unlinkat(folderFd, name.c_str(), 0);
}

void removeLeftoverFolders(int parentFd)
{
    for (const std::string& name : namesIn(parentFd).value_or(std::vector<std::string>{})) {
        if (!isHiddenName(name))
            continue;
        const FileDescriptor folder = lockedLeftover(parentFd, name, S_IFDIR);
        if (!folder.valid())
            continue;
        for (const std::string& inside : namesIn(folder.get()).value_or(std::vector<std::string>{})) {
            struct stat status;
            if ((isHiddenName(inside) || folderPageNumber(inside) > 0) &&
                ::fstatat(folder.get(), inside.c_str(), &status, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(status.st_mode))
                ::unlinkat(folder.get(), inside.c_str(), 0);
        }
        ::unlinkat(parentFd, name.c_str(), AT_REMOVEDIR);
    }
}
