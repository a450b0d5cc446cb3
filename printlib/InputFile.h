#pragma once

// A regular file opened for reading to its end. Opening never blocks (on a FIFO without a
// writer, say) and anything but a regular file is refused, so that reading always ends.

#include <cstddef>
#include <string>
#include <sys/types.h>

class InputFile {
public:
    // On failure isOpen() is false and error() holds the system error: EISDIR for a folder,
    // EINVAL for a FIFO, device or socket.
    explicit InputFile(const std::string& path);
    ~InputFile();

    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    bool isOpen() const { return fd_ >= 0; }
    int error() const { return error_; }
    // The file's size when it was opened, in bytes.
    off_t size() const { return size_; }

    // Hands the open descriptor over to the caller, who closes it from then on.
    int release();

    // Reads the next bytes: their count, 0 at the end of the file, -1 on failure (see error()).
    ssize_t read(void* buffer, std::size_t size);

private:
    int fd_ = -1;
    int error_ = 0;
    off_t size_ = 0;
};
