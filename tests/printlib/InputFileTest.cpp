#include "InputFile.h"

#include "Md5.h"
#include "TiffPages.h"
#include "TiffTags.h"
#include "TiffTestSupport.h"
#include "XmlDom.h"
#include "WideText.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>
#include <functional>
#include <stdexcept>
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

// Every file the library reads goes through the same opening: a FIFO or a folder given as a
// form, a data document or a file to sum is refused at once, naming the file where the library's
// message names it. Each read runs in a child that is killed if it hangs.
TEST(InputFileTest, EveryReaderOfTheLibraryRefusesAFifoAtOnce)
{
    ScratchFolder folder;
    const std::string fifo = folder.file("form.tif");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string folderPath = folder.path().string();
    struct Case {
        const char* name;
        std::function<void()> read;
        std::string expected; // in the report
    };
    const auto loadXml = [](const std::string& path) {
        XmlDocument document;
        if (!document.load(WideText::fromUtf8(path)))
            throw std::runtime_error("refused");
    };
    const Case cases[] = {
        {"form pages",
         [&] {
             SourceTiff source;
             source.SetSourceTiff(fifo);
             source.PageCount();
         },
         "Не удалось создать объект из файла '" + fifo + "'"},
        {"tag read", [&] { TiffReadTag(fifo, 1, 270, nullptr); }, "Не удалось создать объект из файла '" + fifo + "'"},
        {"tag read of a folder", [&] { TiffReadTag(folderPath, 1, 270, nullptr); },
         "Не удалось создать объект из файла '" + folderPath + "'"},
        {"tag write", [&] { TiffWriteTag({fifo, folder.file("out.tif"), u"1", 270, "text", false, ""}); },
         "Не удалось создать объект из файла '" + fifo + "'"},
        {"data document", [&] { loadXml(fifo); }, "other error"},
        {"data document in a folder", [&] { loadXml(folderPath); }, "other error"},
        {"file sum", [&] { Md5::ofFile(fifo, 0); }, "Invalid argument"},
    };
    for (const Case& c : cases) {
        const std::string report = reportWithinOneSecond(c.read);
        EXPECT_NE(report.find(c.expected), std::string::npos) << c.name << ": " << report;
    }
    EXPECT_EQ(folder.fileNames(), std::vector<std::string>{"form.tif"});
}

} // namespace
