#include "TempFile.h"

#include "SSError.h"

#include <cerrno>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string folderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string fileNameOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string randomSuffix()
{
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    thread_local std::mt19937 generator{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
    std::string suffix(8, ' ');
    for (char& c : suffix)
        c = kLetters[pick(generator)];
    return suffix;
}

} // namespace

TempFile::TempFile(std::string targetPath) : targetPath_(std::move(targetPath))
{
    const std::string prefix = folderOf(targetPath_) + "/." + fileNameOf(targetPath_) + ".";
    for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
        path_ = prefix + randomSuffix();
        // Mode 0666 lets the umask decide, as for any new file of the user.
        fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ < 0 && errno != EEXIST)
            break;
    }
    if (fd_ < 0) {
        const int errnum = errno;
        path_.clear();
        fail(__LINE__, errnum);
    }
    // A replaced file keeps its permissions.
    struct stat target;
    if (::stat(targetPath_.c_str(), &target) == 0 && S_ISREG(target.st_mode))
        ::fchmod(fd_, target.st_mode & 07777);
}

TempFile::~TempFile()
{
    if (fd_ >= 0)
        ::close(fd_);
    if (!committed_ && !path_.empty())
        ::unlink(path_.c_str());
}

void TempFile::write(const void* data, std::size_t size)
{
    const char* bytes = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t written = ::write(fd_, bytes, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            fail(__LINE__, written < 0 ? errno : ENOSPC);
        bytes += written;
        size -= static_cast<std::size_t>(written);
    }
}

void TempFile::seal()
{
    if (fd_ < 0)
        return;
    if (::fsync(fd_) != 0)
        fail(__LINE__, errno);
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0)
        fail(__LINE__, errno);
}

void TempFile::commit()
{
    seal();
    if (::rename(path_.c_str(), targetPath_.c_str()) != 0)
        fail(__LINE__, errno);
    committed_ = true;
}

void TempFile::fail(int line, int errnum)
{
    SSError::CPrgError(SSError::kSourceTempFile, line, SSError::kErrFileWrite)
        .setSystemError(errnum)
        .addDetail(std::string_view(targetPath_))
        .raise();
}
