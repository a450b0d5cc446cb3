#include "model/AtomicFile.h"

#include <cerrno>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The file being written under a temporary name beside its target; removed again unless it was
// renamed.
class TemporaryFile {
public:
    explicit TemporaryFile(std::string pathTemplate) : path_(std::move(pathTemplate))
    {
        fd_ = ::mkostemp(path_.data(), O_CLOEXEC);
        exists_ = fd_ >= 0;
    }
    ~TemporaryFile()
    {
        if (fd_ >= 0)
            ::close(fd_);
        if (exists_)
            ::unlink(path_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    bool created() const { return exists_; }
    int fd() const { return fd_; }
    const std::string& path() const { return path_; }
    bool close() { return ::close(std::exchange(fd_, -1)) == 0; }
    void markRenamed() { exists_ = false; }

private:
    std::string path_;
    int fd_ = -1;
    bool exists_ = false;
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

bool syncFolder(const std::string& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    const int error = errno;
    ::close(fd);
    errno = error;
    return synced;
}

} // namespace

PathParts splitPath(const std::string& path)
{
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return {".", path};
    return {slash == 0 ? "/" : path.substr(0, slash), path.substr(slash + 1)};
}

std::optional<ReplaceFailure> replaceFileAtomically(const std::string& target, std::string_view bytes)
{
    const PathParts parts = splitPath(target);
    const auto failed = [](ReplaceFailure::Stage stage) { return ReplaceFailure{stage, errno}; };

    TemporaryFile temporary(parts.folder + "/." + parts.name + ".XXXXXX");
    if (!temporary.created())
        return failed(ReplaceFailure::Create);
    struct stat existing {};
    if (::stat(target.c_str(), &existing) == 0 && ::fchmod(temporary.fd(), existing.st_mode & 07777) != 0)
        return failed(ReplaceFailure::Create);
    if (!writeAll(temporary.fd(), bytes))
        return failed(ReplaceFailure::Write);
    if (::fsync(temporary.fd()) != 0)
        return failed(ReplaceFailure::Sync);
    if (!temporary.close())
        return failed(ReplaceFailure::Write);
    if (::rename(temporary.path().c_str(), target.c_str()) != 0)
        return failed(ReplaceFailure::Rename);
    temporary.markRenamed();

    // The rename itself reaches the disk only with its folder.
    if (!syncFolder(parts.folder))
        return failed(ReplaceFailure::SyncFolder);
    return std::nullopt;
}
