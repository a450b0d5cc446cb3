#include "TiffPageWriter.h"

#include "TiffTags.h"
#include "TiffTestSupport.h"

#include <gtest/gtest.h>

#include <limits>
#include <regex>

namespace {

std::string readTag(const std::string& path, int page, int tag)
{
    std::string value;
    TiffReadTag(path, page, tag, &value);
    return value;
}

TEST(TiffPageWriterTest, WritesGroup4PagesWithTheirStamps)
{
    ScratchFolder folder;
    const std::string path = folder.file("pages.tif");
    std::vector<PageBitmap> pages = {formLikeBitmap(2480, 3508, 300, 1), randomBitmap(999, 333, 2)};
    pages[1].xDpi = 200;
    pages[1].yDpi = 100;
    // "Модуль. Версия: 3.3.0.2" in cp1251.
    const std::string software = "\xCC\xEE\xE4\xF3\xEB\xFC. \xC2\xE5\xF0\xF1\xE8\xFF: 3.3.0.2";
    TiffPageWriter writer(path);
    writer.addPage(pages[0], {software, "2021.03.04 05:06:07"});
    writer.addPage(pages[1], {std::string(150, 's'), ""});
    writer.finish();

    EXPECT_TRUE(tiffinfoAccepts(path));
    const std::vector<PageBitmap> decoded = decodeTiff(path);
    ASSERT_EQ(decoded.size(), 2u);
    for (std::size_t page = 0; page < pages.size(); ++page) {
        SCOPED_TRACE(page);
        EXPECT_TRUE(samePixels(decoded[page], pages[page]));
        EXPECT_EQ(decoded[page].xDpi, pages[page].xDpi);
        EXPECT_EQ(decoded[page].yDpi, pages[page].yDpi);
        EXPECT_EQ(readTag(path, static_cast<int>(page) + 1, 259), "CCITT Group 4 fax encoding");
    }
    EXPECT_EQ(readTag(path, 1, 33432), software);
    EXPECT_EQ(readTag(path, 1, 306), "2021.03.04 05:06:07");
    EXPECT_EQ(readTag(path, 2, 33432), std::string(99, 's'));
    EXPECT_EQ(readTag(path, 2, 306), "");
}

TEST(TiffPageWriterTest, DateTimeText)
{
    EXPECT_TRUE(std::regex_match(pageDateTime(1638316800), std::regex(R"(2021:1[12]:[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2})")))
        << pageDateTime(1638316800);
    EXPECT_EQ(pageDateTime(std::numeric_limits<std::time_t>::max()), "Invalid DateTime");
}

TEST(TiffPageWriterTest, FailuresLeaveNoFile)
{
    ScratchFolder folder;
    const std::string path = folder.file("pages.tif");
    const std::string report = reportUnderFileSizeLimit(50000, [&] {
        TiffPageWriter writer(path);
        for (unsigned seed = 0; seed < 3; ++seed)
            writer.addPage(formLikeBitmap(2480, 3508, 300, seed), {});
        writer.finish();
    });
    EXPECT_NE(report.find("Ошибка записи в файл: " + path), std::string::npos) << report;
    EXPECT_TRUE(folder.fileNames().empty());

    const std::string empty = utf8(errorReport([&] {
        TiffPageWriter writer(path);
        writer.finish();
    }));
    EXPECT_NE(empty.find("нет страниц для записи"), std::string::npos) << empty;
    const std::string zero = utf8(errorReport([&] {
        TiffPageWriter writer(path);
        writer.addPage(PageBitmap(10, 10, 0, 300), {});
    }));
    EXPECT_NE(zero.find("размер или разрешение страницы 1"), std::string::npos) << zero;
    EXPECT_TRUE(folder.fileNames().empty());
}

} // namespace
