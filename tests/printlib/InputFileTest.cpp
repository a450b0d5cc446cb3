#include "InputFile.h"

#include "TiffTestSupport.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>
#include <sys/stat.h>

namespace {

TEST(InputFileTest, ReadsARegularFileToItsEnd)
{
    ScratchFolder folder;
    const std::string path = folder.file("данные.xml");
    std::ofstream(path, std::ios::binary) << std::string(100000, 'x');
    InputFile file(path);
    ASSERT_TRUE(file.isOpen());
    std::string content;
    char chunk[4096];
    for (ssize_t count; (count = file.read(chunk, sizeof chunk)) > 0;)
        content.append(chunk, static_cast<std::size_t>(count));
    EXPECT_EQ(content, std::string(100000, 'x'));
    EXPECT_EQ(file.error(), 0);
}

// A FIFO without a writer would block the opening, a device would never run dry.
TEST(InputFileTest, WhatIsNotARegularFileIsRefusedAtOnce)
{
    ScratchFolder folder;
    const std::string fifo = folder.file("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    struct Case {
        const char* name;
        std::string path;
        int errnum;
    };
    const Case cases[] = {
        {"missing file", folder.file("нет.xml"), ENOENT},
        {"folder", folder.path().string(), EISDIR},
        {"fifo", fifo, EINVAL},
        {"device", "/dev/zero", EINVAL},
    };
    for (const Case& c : cases) {
        const InputFile file(c.path);
        EXPECT_FALSE(file.isOpen()) << c.name;
        EXPECT_EQ(file.error(), c.errnum) << c.name;
    }
}

} // namespace
