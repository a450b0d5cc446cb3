#pragma once

// One open file descriptor, closed with its owner (also when a constructor fails halfway).

#include <unistd.h>
#include <utility>

class FileDescriptor {
public:
    FileDescriptor() = default;
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() { reset(); }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    FileDescriptor(FileDescriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    FileDescriptor& operator=(FileDescriptor&& other) noexcept
    {
        reset(std::exchange(other.fd_, -1));
        return *this;
    }

    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    // Closes the descriptor held and takes `fd`; false when closing failed (errno says why).
    bool reset(int fd = -1)
    {
        const int old = std::exchange(fd_, fd);
        return old < 0 || ::close(old) == 0;
    }

private:
    int fd_ = -1;
};
