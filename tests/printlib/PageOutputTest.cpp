#include "PageOutput.h"

#include "FolderPageNames.h"
#include "RenderTestSupport.h"
#include "TiffTags.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>

namespace {

const PageStamp kStamp{"Модуль. Версия: 1", "2021.03.04 05:06:07"};

std::vector<PageBitmap> pages(int count, unsigned seed = 0)
{
    std::vector<PageBitmap> bitmaps;
    for (int page = 0; page < count; ++page)
        bitmaps.push_back(randomBitmap(301 + page, 97, seed + static_cast<unsigned>(page), 10));
    return bitmaps;
}

void writeAll(PageOutput& output, const std::vector<PageBitmap>& bitmaps)
{
    output.setPageTotal(static_cast<int>(bitmaps.size()));
    for (const PageBitmap& bitmap : bitmaps)
        output.write(bitmap, kStamp);
}

TEST(PageOutputTest, FolderGetsNumberedSinglePageFiles)
{
    ScratchFolder folder;
    PageOutput output;
    output.open(folder.path().string());
    EXPECT_EQ(output.mode(), OutputMode::Folder);
    const std::vector<PageBitmap> bitmaps = pages(3);
    writeAll(output, bitmaps);
    EXPECT_EQ(output.counter(), 4);
    output.close();
    EXPECT_EQ(output.mode(), OutputMode::None);
    EXPECT_EQ(output.counter(), 0);

    ASSERT_EQ(folder.fileNames(), (std::vector<std::string>{"000001.tif", "000002.tif", "000003.tif"}));
    for (int page = 0; page < 3; ++page) {
        const std::string path = folder.file(folderPageName(page + 1));
        EXPECT_TRUE(tiffinfoAccepts(path));
        const std::vector<PageBitmap> decoded = decodeTiff(path);
        ASSERT_EQ(decoded.size(), 1u);
        EXPECT_TRUE(samePixels(decoded[0], bitmaps[static_cast<std::size_t>(page)]));
        std::string software;
        TiffReadTag(path, 1, 33432, &software);
        EXPECT_EQ(software, kStamp.software);
    }
}

TEST(PageOutputTest, MultiPageTiffAppearsWhenClosed)
{
    ScratchFolder folder;
    const std::string path = folder.file("pages.tif");
    PageOutput output;
    output.open(path);
    EXPECT_EQ(output.mode(), OutputMode::MultiPageTiff);
    const std::vector<PageBitmap> bitmaps = pages(3);
    writeAll(output, bitmaps);
    EXPECT_EQ(output.mode(), OutputMode::MultiPageTiffOpen);
    EXPECT_FALSE(std::filesystem::exists(path));
    output.close();

    EXPECT_TRUE(tiffinfoAccepts(path));
    const std::vector<PageBitmap> decoded = decodeTiff(path);
    ASSERT_EQ(decoded.size(), 3u);
    for (std::size_t page = 0; page < 3; ++page)
        EXPECT_TRUE(samePixels(decoded[page], bitmaps[page])) << page;
    std::string dateTime;
    TiffReadTag(path, 3, 306, &dateTime);
    EXPECT_EQ(dateTime, kStamp.dateTime);
}

TEST(PageOutputTest, PdfPathInAnyCaseGivesPdf)
{
    for (const char* name : {"pages.pdf", "PAGES.PDF", "Pages.Pdf"}) {
        ScratchFolder folder;
        const std::string path = folder.file(name);
        PageOutput output;
        output.open(path);
        EXPECT_EQ(output.mode(), OutputMode::Pdf) << name;
        writeAll(output, pages(2));
        EXPECT_EQ(output.mode(), OutputMode::PdfOpen) << name;
        output.close();
        EXPECT_EQ(runCommand("qpdf --check '" + path + "'").status, 0) << name;
        EXPECT_EQ(pdfPageCount(path), 2) << name;
    }
}

TEST(PageOutputTest, AbortLeavesNoFile)
{
    for (const char* name : {"pages.tif", "pages.pdf"}) {
        ScratchFolder folder;
        PageOutput output;
        output.open(folder.file(name));
        output.setPageTotal(3);
        output.write(pages(1)[0], kStamp);
        output.abort();
        EXPECT_EQ(output.mode(), OutputMode::None);
        EXPECT_TRUE(folder.fileNames().empty()) << name;
    }
}

// The bytes of every file in the folder, by name; without the hidden ones when they may be
// pages waiting under their temporary names.
std::map<std::string, std::string> folderContents(const ScratchFolder& folder, bool hidden = true)
{
    std::map<std::string, std::string> contents;
    for (const std::string& name : folder.fileNames()) {
        if (!hidden && name.front() == '.')
            continue;
        if (std::filesystem::is_directory(folder.file(name))) {
            contents[name] = "folder";
            continue;
        }
        // A digest keeps a failure's message short.
        contents[name] = std::to_string(std::hash<std::string>{}(fileBytes(folder.file(name))));
    }
    return contents;
}

// A folder that holds an earlier document of `earlier` pages and files of the caller's own,
// then receives a new document of `later` pages, which is closed or aborted after `written`.
struct FolderCase {
    const char* name;
    int earlier;
    int later;
    int written;
    bool closed;
};

TEST(PageOutputTest, AFolderHoldsOneWholeDocument)
{
    const FolderCase cases[] = {
        {"a shorter document over a longer one", 10, 3, 3, true},
        {"a longer document over a shorter one", 2, 4, 4, true},
        {"a build that fails at its second page", 2, 3, 1, false},
        {"a build that fails before its first page", 2, 3, 0, false},
        {"a document into an empty folder", 0, 2, 2, true},
    };
    // Names this output never gives stay whatever happens.
    const std::vector<std::string> callersOwn = {"0000011.tif", "000011.TIF", "11.tif", "notes.txt"};
    for (const FolderCase& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchFolder folder;
        {
            PageOutput output;
            output.open(folder.path().string());
            if (c.earlier > 0) {
                writeAll(output, pages(c.earlier));
                output.close();
            }
        }
        for (const std::string& name : callersOwn)
            std::ofstream(folder.file(name)) << name;
        std::filesystem::create_directory(folder.file("000012.tif"));
        const std::map<std::string, std::string> before = folderContents(folder);

        PageOutput output;
        output.open(folder.path().string());
        const std::vector<PageBitmap> bitmaps = pages(c.later, 100);
        output.setPageTotal(c.later);
        for (int page = 0; page < c.written; ++page)
            output.write(bitmaps[static_cast<std::size_t>(page)], kStamp);
        EXPECT_EQ(folderContents(folder, false), before) << "nothing changes before the output closes";
        if (!c.closed) {
            output.abort();
            EXPECT_EQ(folderContents(folder), before) << "a failed build leaves the folder as it was, and no temporary file";
            continue;
        }
        output.close();

        std::vector<std::string> expected = callersOwn;
        expected.push_back("000012.tif");
        for (int page = 1; page <= c.later; ++page)
            expected.push_back(folderPageName(page));
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(folder.fileNames(), expected);
        for (int page = 0; page < c.later; ++page) {
            const std::vector<PageBitmap> decoded = decodeTiff(folder.file(folderPageName(page + 1)));
            ASSERT_EQ(decoded.size(), 1u);
            EXPECT_TRUE(samePixels(decoded[0], bitmaps[static_cast<std::size_t>(page)])) << page + 1;
        }
    }
}

TEST(PageOutputTest, OpeningAgainDropsTheOpenOutput)
{
    ScratchFolder folder;
    PageOutput output;
    output.open(folder.file("first.tif"));
    output.write(pages(1)[0], kStamp);
    output.open(folder.file("second.tif"));
    output.write(pages(1)[0], kStamp);
    output.close();
    EXPECT_EQ(folder.fileNames(), std::vector<std::string>{"second.tif"});
}

TEST(PageOutputTest, MisuseIsRefused)
{
    PageOutput output;
    EXPECT_NE(utf8(errorReport([&] { output.write(pages(1)[0], kStamp); })).find("вывод страниц не открыт"),
              std::string::npos);
    EXPECT_NE(utf8(errorReport([&] { output.open(""); })).find("0xC0020043"), std::string::npos);
    ScratchFolder folder;
    output.open(folder.file("pages.pdf"));
    // The PDF's page tree is written first, so it needs the number of pages.
    EXPECT_NE(utf8(errorReport([&] { output.write(pages(1)[0], kStamp); })).find("0xC0020050"), std::string::npos);
}

// Each kind of output, when its file may not grow past 64 bytes: the failure is reported naming
// the file, and no half file is left where the caller expects a whole one. An output through a
// link leaves the link and the file it points to as they were.
TEST(PageOutputTest, AFailedWriteIsReportedAndLeavesNoHalfFile)
{
    ScratchFolder folder;
    ScratchFolder linked;
    const struct {
        const char* name;
        std::string path;
        std::string failedFile;
        bool throughLink;
    } cases[] = {
        {"folder", folder.path().string(), folder.file("000001.tif"), false},
        {"multi-page TIFF", folder.file("pages.tif"), folder.file("pages.tif"), false},
        {"PDF", folder.file("pages.pdf"), folder.file("pages.pdf"), false},
        {"PDF through a link", folder.file("pages.pdf"), folder.file("pages.pdf"), true},
        {"multi-page TIFF through a link", folder.file("pages.tif"), folder.file("pages.tif"), true},
    };
    for (const auto& c : cases) {
        const std::string real = linked.file("real");
        if (c.throughLink) {
            std::ofstream(real) << "earlier";
            std::filesystem::create_symlink(real, c.path);
        }
        const std::string report = reportUnderFileSizeLimit(64, [&] {
            PageOutput output;
            output.open(c.path);
            writeAll(output, pages(2));
            output.close();
        });
        EXPECT_NE(report.find("Ошибка записи в файл: " + c.failedFile), std::string::npos) << c.name << ": " << report;
        if (c.throughLink) {
            EXPECT_TRUE(std::filesystem::is_symlink(c.path)) << c.name;
            EXPECT_EQ(linked.fileNames(), std::vector<std::string>{"real"}) << c.name;
            EXPECT_EQ(fileBytes(real), "earlier") << c.name;
            std::filesystem::remove(c.path);
            std::filesystem::remove(real);
        }
        EXPECT_TRUE(folder.fileNames().empty()) << c.name;
    }
}

// A PDF or TIFF named through a link (a chain of links, a relative one, one that points nowhere
// yet) replaces the file the chain ends at; the links stay, and the build reports success only
// with the new pages in that file.
TEST(PageOutputTest, AnOutputThroughALinkReplacesTheFileItPointsTo)
{
    const struct {
        const char* name;
        const char* outputName;
        const char* linkTarget; // relative to the link's folder
        bool targetExists;
    } cases[] = {
        {"PDF", "pages.pdf", "../real/pages.pdf", true},
        {"multi-page TIFF", "pages.tif", "../real/pages.tif", true},
        {"PDF into a file not made yet", "pages.pdf", "../real/new.pdf", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchFolder root;
        std::filesystem::create_directory(root.file("links"));
        std::filesystem::create_directory(root.file("real"));
        const std::string link = root.file(std::string("links/") + c.outputName);
        const std::string real = (std::filesystem::path(root.file("links")) / c.linkTarget).lexically_normal().string();
        std::filesystem::create_symlink(c.linkTarget, link);
        if (c.targetExists)
            std::ofstream(real) << "earlier";
        PageOutput output;
        output.open(link);
        const std::vector<PageBitmap> bitmaps = pages(2);
        writeAll(output, bitmaps);
        output.close();

        EXPECT_TRUE(std::filesystem::is_symlink(link));
        EXPECT_EQ(filesIn(root.file("links")), std::vector<std::string>{c.outputName});
        EXPECT_EQ(filesIn(root.file("real")), std::vector<std::string>{std::filesystem::path(real).filename()});
        if (std::string(c.outputName).ends_with(".pdf")) {
            EXPECT_EQ(pdfPageCount(real), 2);
        } else {
            const std::vector<PageBitmap> decoded = decodeTiff(real);
            ASSERT_EQ(decoded.size(), 2u);
            EXPECT_TRUE(samePixels(decoded[1], bitmaps[1]));
        }
    }
}

// Names as long as the file system allows are written like any other.
TEST(PageOutputTest, OutputNamesUpToTheLongestAreWritten)
{
    for (const std::size_t length : {246u, 247u, 251u, 255u}) {
        for (const char* extension : {".pdf", ".tif"}) {
            SCOPED_TRACE(std::to_string(length) + extension);
            ScratchFolder folder;
            const std::string name = std::string(length - 4, 'd') + extension;
            PageOutput output;
            output.open(folder.file(name));
            writeAll(output, pages(1));
            output.close();
            EXPECT_EQ(folder.fileNames(), std::vector<std::string>{name});
        }
    }
}

TEST(PageOutputTest, FolderPageNames)
{
    EXPECT_EQ(folderPageName(1), "000001.tif");
    EXPECT_EQ(folderPageName(999999), "999999.tif");
    EXPECT_EQ(folderPageName(1234567), "1234567.tif");
}

} // namespace
