#include "InputFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

InputFile::InputFile(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        error_ = errno;
        return;
    }
    struct stat status;
    if (::fstat(fd, &status) != 0)
        error_ = errno;
    else if (!S_ISREG(status.st_mode))
        error_ = S_ISDIR(status.st_mode) ? EISDIR : EINVAL;
    if (error_ != 0) {
        ::close(fd);
        return;
    }
    fd_ = fd;
    size_ = status.st_size;
    ::posix_fadvise(fd_, 0, 0, POSIX_FADV_SEQUENTIAL);
}

InputFile::~InputFile()
{
    if (fd_ >= 0)
        ::close(fd_);
}

int InputFile::release()
{
    const int fd = fd_;
    fd_ = -1;
    return fd;
}

ssize_t InputFile::read(void* buffer, std::size_t size)
{
    for (;;) {
        const ssize_t count = ::read(fd_, buffer, size);
        if (count >= 0 || errno != EINTR) {
            if (count < 0)
                error_ = errno;
            return count;
        }
    }
}
