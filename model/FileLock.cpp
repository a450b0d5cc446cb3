#include "model/FileLock.h"

#include <cerrno>

#include <sys/file.h>

FileLock lockRefusal(int error)
{
    switch (error) {
    case EWOULDBLOCK:
        return FileLock::Busy;
    case ENOLCK:
    case EOPNOTSUPP:
    case ENOSYS:
        return FileLock::Unsupported;
    default:
        return FileLock::Failed;
    }
}

FileLock lockFile(int fd)
{
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
            return FileLock::Locked;
        if (errno != EINTR)
            return lockRefusal(errno);
    }
}
