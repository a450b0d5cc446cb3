#include "model/FileLock.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "tests/support/TemporaryFolder.h"

TEST(FileLock, RefusalsByTheirCause)
{
    struct Case {
        int error;
        FileLock lock;
    } const cases[] = {
        {EWOULDBLOCK, FileLock::Busy},
        {ENOLCK, FileLock::Unsupported},
        {EOPNOTSUPP, FileLock::Unsupported},
        {ENOSYS, FileLock::Unsupported},
        {EBADF, FileLock::Failed},
        {EIO, FileLock::Failed},
        {ENOMEM, FileLock::Failed},
    };
    for (const Case& c : cases)
        EXPECT_EQ(lockRefusal(c.error), c.lock) << c.error;
}

TEST(FileLock, HeldFileIsBusyAndFreeAgainOnceLet)
{
    TemporaryFolder folder;
    const std::string path = folder.file("file");
    const int first = ::open(path.c_str(), O_RDWR | O_CREAT, 0600);
    const int second = ::open(path.c_str(), O_RDONLY);
    ASSERT_GE(first, 0);
    ASSERT_GE(second, 0);
    EXPECT_EQ(lockFile(first), FileLock::Locked);
    EXPECT_EQ(lockFile(second), FileLock::Busy);
    ::close(first);
    EXPECT_EQ(lockFile(second), FileLock::Locked);
    ::close(second);
    EXPECT_EQ(lockFile(-1), FileLock::Failed);
}
