#pragma once

#include <cstdint>

#include <sys/stat.h>

// Tells one version of a file from another without reading it: a replacement makes a new file
// (device and inode), a write in place changes the size or the modification time, and any change
// of the file, its rights included, moves the change time.
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::uint64_t size = 0;
    std::int64_t modifiedSeconds = 0;
    std::int64_t modifiedNanoseconds = 0;
    std::int64_t changedSeconds = 0;
    std::int64_t changedNanoseconds = 0;

    bool operator==(const FileIdentity&) const = default;
};

inline FileIdentity fileIdentity(const struct stat& status)
{
    return FileIdentity{static_cast<std::uint64_t>(status.st_dev),  static_cast<std::uint64_t>(status.st_ino),
                        static_cast<std::uint64_t>(status.st_size), status.st_mtim.tv_sec,
                        status.st_mtim.tv_nsec,                     status.st_ctim.tv_sec,
                        status.st_ctim.tv_nsec};
}
