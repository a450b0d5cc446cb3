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
#include <filesystem>
#include <sys/resource.h>
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

// A data document over the bound is refused from its size alone, at once: before, a file of 2 GB
// was read whole (minutes, and its size in memory) before it was refused.
TEST(InputFileTest, AnOversizedDataDocumentIsRefusedBeforeItIsRead)
{
    ScratchFolder folder;
    const struct {
        const char* name;
        std::uintmax_t size;
        bool refused;
    } cases[] = {
        {"64 MB exactly", 64u << 20, false},
        {"one byte more", (64u << 20) + 1, true},
        {"2 GB", 2ull << 30, true},
        {"16 GB", 16ull << 30, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = folder.file("data.xml");
        // Sparse: the test takes no room on the disk.
        std::ofstream(path, std::ios::binary | std::ios::trunc) << "<DOCUMENT/>";
        std::filesystem::resize_file(path, c.size);
        InputFile file(path);
        ASSERT_TRUE(file.isOpen());
        EXPECT_EQ(static_cast<std::uintmax_t>(file.size()), c.size);
        if (!c.refused)
            continue;
        // In a child that is killed after a second, with no more memory than a few times the bound.
        const std::string report = reportWithinOneSecond([&] {
            const rlimit memory{512u << 20, 512u << 20};
            ::setrlimit(RLIMIT_AS, &memory);
            XmlDocument document;
            if (!document.load(WideText::fromUtf8(path)))
                XmlRaiseParseError(document, u"data", 102, __LINE__);
        });
        EXPECT_NE(report.find("Файл данных слишком велик: " + std::to_string(c.size) +
                              " байт, допускается не более 67108864 байт (64 МБ)"),
                  std::string::npos)
            << report;
    }
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
        {"file sum", [&] { Md5::ofFile(fifo, 0); }, "Недопустимое действие для этого файла"},
    };
    for (const Case& c : cases) {
        const std::string report = reportWithinOneSecond(c.read);
        EXPECT_NE(report.find(c.expected), std::string::npos) << c.name << ": " << report;
    }
    EXPECT_EQ(folder.fileNames(), std::vector<std::string>{"form.tif"});
}

} // namespace
