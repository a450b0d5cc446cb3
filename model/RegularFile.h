#pragma once

#include <cstdint>
#include <optional>
#include <string>

// An open file descriptor, closed when it goes out of scope.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd = -1) : fd_(fd) {}
    ~FileDescriptor();
    FileDescriptor(FileDescriptor&& other) noexcept;
    FileDescriptor& operator=(FileDescriptor&& other) noexcept;
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    bool valid() const { return fd_ >= 0; }
    int get() const { return fd_; }
    int release();

private:
    int fd_;
};

// Why a file could not be read: it is not a regular file (a folder, with `error` EISDIR, a FIFO,
// a device, a socket), it is larger than the reader accepts, or the system refused (`error`
// holds errno).
struct RegularFileFailure {
    enum Kind { NotRegular, TooLarge, System };
    Kind kind;
    int error = 0;
};

struct OpenedRegularFile {
    FileDescriptor file;
    std::uint64_t size = 0; // as the file system reported it when opened
    std::optional<RegularFileFailure> failure;
};

struct RegularFileBytes {
    std::string bytes;
    std::optional<RegularFileFailure> failure;
};

// Opens `path` for reading. The open never blocks (a FIFO without a writer, a device); anything
// but a regular file, or a symbolic link to one, is refused, and so is a file over `maxSize`
// bytes, before a byte is read.
OpenedRegularFile openRegularFile(const std::string& path, std::uint64_t maxSize);

// Reads an opened file from its start to its end; a file that grew past `maxSize` meanwhile is
// refused rather than read on.
RegularFileBytes readOpenedFile(int fd, std::uint64_t maxSize);

// Both of the above: the whole content of the regular file at `path`, of at most `maxSize` bytes.
RegularFileBytes readRegularFile(const std::string& path, std::uint64_t maxSize);

// The failure as the user reads it, in Russian; `maxSize` is the bound the reader set.
std::string regularFileFailureText(const RegularFileFailure& failure, std::uint64_t maxSize);
