#include "model/RegularFile.h"

#include <algorithm>
#include <cerrno>
#include <utility>

#include "model/SystemErrorText.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

FileDescriptor::~FileDescriptor()
{
    if (fd_ >= 0)
        ::close(fd_);
}

FileDescriptor::FileDescriptor(FileDescriptor&& other) noexcept : fd_(other.release()) {}

FileDescriptor& FileDescriptor::operator=(FileDescriptor&& other) noexcept
{
    if (this != &other) {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = other.release();
    }
    return *this;
}

int FileDescriptor::release()
{
    return std::exchange(fd_, -1);
}

OpenedRegularFile openRegularFile(const std::string& path, std::uint64_t maxSize)
{
    OpenedRegularFile opened;
    const auto fail = [&opened](RegularFileFailure::Kind kind, int error) {
        opened.file = FileDescriptor();
        opened.failure = RegularFileFailure{kind, error};
        return std::move(opened);
    };

    // O_NONBLOCK keeps open() from waiting for a FIFO's writer or a device; it is cleared again
    // once the file is known to be a regular one.
    opened.file = FileDescriptor(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (!opened.file.valid())
        return fail(RegularFileFailure::System, errno);
    struct stat status {};
    if (::fstat(opened.file.get(), &status) != 0)
        return fail(RegularFileFailure::System, errno);
    if (!S_ISREG(status.st_mode))
        return fail(RegularFileFailure::NotRegular, S_ISDIR(status.st_mode) ? EISDIR : 0);
    opened.size = static_cast<std::uint64_t>(status.st_size);
    if (opened.size > maxSize)
        return fail(RegularFileFailure::TooLarge, 0);
    const int flags = ::fcntl(opened.file.get(), F_GETFL);
    if (flags < 0 || ::fcntl(opened.file.get(), F_SETFL, flags & ~O_NONBLOCK) != 0)
        return fail(RegularFileFailure::System, errno);
    return opened;
}

RegularFileBytes readOpenedFile(int fd, std::uint64_t maxSize)
{
    RegularFileBytes result;
    struct stat status {};
    if (::fstat(fd, &status) == 0 && status.st_size > 0)
        result.bytes.reserve(std::min<std::uint64_t>(static_cast<std::uint64_t>(status.st_size), maxSize));
    // One byte more than allowed tells a file that grew too large from one exactly at the bound.
    const std::uint64_t limit = maxSize + 1;
    std::uint64_t offset = 0;
    char buffer[65536];
    for (;;) {
        const std::uint64_t wanted = std::min<std::uint64_t>(sizeof buffer, limit - offset);
        if (wanted == 0) {
            result.bytes.clear();
            result.failure = RegularFileFailure{RegularFileFailure::TooLarge, 0};
            return result;
        }
        const ssize_t got = ::pread(fd, buffer, wanted, static_cast<off_t>(offset));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            result.bytes.clear();
            result.failure = RegularFileFailure{RegularFileFailure::System, errno};
            return result;
        }
        if (got == 0)
            return result;
        result.bytes.append(buffer, static_cast<std::size_t>(got));
        offset += static_cast<std::uint64_t>(got);
    }
}

RegularFileBytes readRegularFile(const std::string& path, std::uint64_t maxSize)
{
    OpenedRegularFile opened = openRegularFile(path, maxSize);
    if (opened.failure)
        return {{}, opened.failure};
    return readOpenedFile(opened.file.get(), maxSize);
}

std::string regularFileFailureText(const RegularFileFailure& failure, std::uint64_t maxSize)
{
    switch (failure.kind) {
    case RegularFileFailure::NotRegular:
        return notRegularFileText(failure.error == EISDIR);
    case RegularFileFailure::TooLarge:
        return "файл больше " + std::to_string(maxSize >> 20) + " МБ";
    case RegularFileFailure::System:
        break;
    }
    return systemErrorText(failure.error);
}
