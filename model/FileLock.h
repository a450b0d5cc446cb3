#pragma once

// The exclusive lock that keeps two loaders, in this program or another copy of it, off one
// file, and keeps a running replacement's temporary file from being taken for a leftover.
enum class FileLock {
    Locked,
    // Another holds the file.
    Busy,
    // The file system keeps no locks (some network and special file systems): the file is used
    // without one rather than refused.
    Unsupported,
    // The system refused for another reason (errno is set).
    Failed,
};

// Locks the open file without waiting; an interrupted call is tried again.
FileLock lockFile(int fd);

// What a refused lock call means, by its errno.
FileLock lockRefusal(int error);
