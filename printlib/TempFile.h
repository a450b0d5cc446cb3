#pragma once

// An output file written under a temporary name in the target's folder and renamed over the
// target only when it is complete: a reader never sees a half-written file, the file an output
// is made from is not overwritten while it is read, and a failure leaves nothing behind.

#include <cstddef>
#include <string>

class TempFile {
public:
    // Creates the temporary file; failure raises the write error naming the target.
    explicit TempFile(std::string targetPath);
    // Removes the temporary file unless it was committed.
    ~TempFile();

    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    const std::string& path() const { return path_; }
    const std::string& targetPath() const { return targetPath_; }

    // Appends to the file; a short or failed write raises the write error naming the target.
    void write(const void* data, std::size_t size);
    // Makes the content durable and lets go of the file's descriptor; the file stays under its
    // temporary name until commit(), so that many can wait without holding descriptors.
    void seal();
    // Makes the content durable and puts it in place of the target.
    void commit();

private:
    [[noreturn]] void fail(int line, int errnum);

    std::string targetPath_;
    std::string path_;
    int fd_ = -1;
    bool committed_ = false;
};
