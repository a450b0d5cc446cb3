#include "TiffPages.h"

#include "TiffTestSupport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <tiffio.h>

namespace {

TEST(PageSelectedTest, SelectsThePagesNamed)
{
    struct Case {
        const char16_t* selection;
        std::vector<int> selected; // of pages 1 to 6
    };
    const Case cases[] = {
        {u"1-3,чет", {1, 2, 3, 4, 6}},
        {u"0-3", {}},
        {u"3-0", {}},
        {u"все", {1, 2, 3, 4, 5, 6}},
        {u"2, все страницы", {1, 2, 3, 4, 5, 6}},
        {u"ЧЕТНЫЙ", {2, 4, 6}},
        {u"Нечет", {1, 3, 5}},
        {u"нечетный", {1, 3, 5}},
        {u" 5 , 2 ", {2, 5}},
        {u"2-4", {2, 3, 4}},
        {u"5-5", {5}},
        {u"4-2", {}},
        {u"0", {}},
        {u"", {}},
        {u"abc", {}},
        {u"6x", {6}},
    };
    for (const Case& testCase : cases) {
        std::vector<int> selected;
        for (int page = 1; page <= 6; ++page)
            if (PageSelected(page, testCase.selection))
                selected.push_back(page);
        EXPECT_EQ(selected, testCase.selected) << utf8(testCase.selection);
    }
}

class SourceTiffTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        pages_ = {formLikeBitmap(2480, 3508, 300, 1), randomBitmap(300, 200, 2), randomBitmap(64, 10, 3)};
        pages_[1].xDpi = 200;
        pages_[1].yDpi = 100;
        writeFixtureTiff(path_, {{pages_[0], FixtureCompression::Group4, {}},
                                 {pages_[1], FixtureCompression::Lzw, {}},
                                 {pages_[2], FixtureCompression::None, {}}});
    }

    ScratchFolder folder_;
    std::string path_ = folder_.file("form.tif");
    std::vector<PageBitmap> pages_;
};

TEST_F(SourceTiffTest, CountsAndSelectsFrames)
{
    SourceTiff source;
    source.SetSourceTiff(path_);
    EXPECT_FALSE(source.loaded());
    EXPECT_EQ(source.PageCount(), 3);
    EXPECT_TRUE(source.loaded());
    EXPECT_EQ(source.formName(), "form.tif");

    const FrameInfo first = source.SelectPage(1);
    EXPECT_EQ(first.width, 2480);
    EXPECT_EQ(first.height, 3508);
    EXPECT_DOUBLE_EQ(first.xDpi, 300);
    EXPECT_DOUBLE_EQ(first.yDpi, 300);
    const FrameInfo second = source.SelectPage(2);
    EXPECT_EQ(second.width, 300);
    EXPECT_DOUBLE_EQ(second.xDpi, 200);
    EXPECT_DOUBLE_EQ(second.yDpi, 100);
}

TEST_F(SourceTiffTest, ReadsFramePixels)
{
    SourceTiff source;
    source.SetSourceTiff(path_);
    for (int page = 1; page <= 3; ++page) {
        SCOPED_TRACE(page);
        const FrameImage frame = source.ReadFrame(page);
        const PageBitmap& expected = pages_[static_cast<std::size_t>(page - 1)];
        ASSERT_EQ(frame.pixels.size(), static_cast<std::size_t>(expected.width) * expected.height);
        bool same = true;
        for (int y = 0; y < expected.height && same; ++y)
            for (int x = 0; x < expected.width && same; ++x)
                same = frame.pixels[static_cast<std::size_t>(y) * expected.width + x] ==
                       (expected.isBlack(x, y) ? 0xFF000000u : 0xFFFFFFFFu);
        EXPECT_TRUE(same);
    }
}

TEST_F(SourceTiffTest, BilevelFramesReadLineByLine)
{
    SourceTiff source;
    source.SetSourceTiff(path_);
    for (int page = 1; page <= 3; ++page) {
        SCOPED_TRACE(page);
        const std::optional<PageBitmap> frame = source.ReadBilevelFrame(page);
        ASSERT_TRUE(frame.has_value());
        const PageBitmap& expected = pages_[static_cast<std::size_t>(page - 1)];
        EXPECT_TRUE(samePixels(*frame, expected));
        EXPECT_EQ(frame->xDpi, expected.xDpi);
        EXPECT_EQ(frame->yDpi, expected.yDpi);
    }
}

TEST(SourceTiffBilevelTest, ZeroIsBlackWhenTheFrameSaysSo)
{
    const ScratchFolder folder;
    const std::string path = folder.file("black-is-zero.tif");
    TIFF* tiff = TIFFOpen(path.c_str(), "w");
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, 12);
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, 1);
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 1);
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, 1);
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISBLACK);
    TIFFSetField(tiff, TIFFTAG_XRESOLUTION, 300.0);
    TIFFSetField(tiff, TIFFTAG_YRESOLUTION, 300.0);
    uint8_t row[] = {0x0F, 0x30};
    TIFFWriteScanline(tiff, row, 0, 0);
    TIFFClose(tiff);

    SourceTiff source;
    source.SetSourceTiff(path);
    const std::optional<PageBitmap> frame = source.ReadBilevelFrame(1);
    ASSERT_TRUE(frame.has_value());
    // 0x0F 0x30: pixels 0-3, 8 and 9 are 0 bits.
    const bool black[12] = {true, true, true, true, false, false, false, false, true, true, false, false};
    for (int x = 0; x < 12; ++x)
        EXPECT_EQ(frame->isBlack(x, 0), black[x]) << x;
}

TEST_F(SourceTiffTest, MissingPagesAndFilesAreErrors)
{
    SourceTiff source;
    EXPECT_NE(utf8(errorReport([&] { source.SetSourceTiff(folder_.file("none.tif")); }))
                  .find("Файл не найден: " + folder_.file("none.tif") + "."),
              std::string::npos);
    source.SetSourceTiff(path_);
    const std::string missing = utf8(errorReport([&] { source.SelectPage(4); }));
    EXPECT_NE(missing.find("В tif-файле " + path_ + " отсутсвует страница 4"), std::string::npos) << missing;
    EXPECT_NE(missing.find("(0xC0010000)"), std::string::npos) << missing;

    const std::string text = folder_.file("text.tif");
    std::ofstream(text) << "not a tiff";
    SourceTiff broken;
    broken.SetSourceTiff(text);
    const std::string report = utf8(errorReport([&] { broken.PageCount(); }));
    EXPECT_NE(report.find("Не удалось создать объект из файла '" + text + "'"), std::string::npos) << report;
}

TEST_F(SourceTiffTest, ZeroResolutionIsAnErrorNamingTheFrame)
{
    for (const bool zeroDenominator : {false, true}) {
        SCOPED_TRACE(zeroDenominator ? "zero denominator" : "zero numerator");
        SetUp();
        breakResolution(path_, 2, zeroDenominator);
        SourceTiff source;
        source.SetSourceTiff(path_);
        EXPECT_NO_THROW(source.SelectPage(1));
        const std::string report = utf8(errorReport([&] { source.SelectPage(2); }));
        EXPECT_NE(report.find("у страницы 2 файла " + path_ + " нет разрешения"), std::string::npos) << report;
        EXPECT_NE(report.find("(0xC0080007)"), std::string::npos) << report;
    }
}

TEST_F(SourceTiffTest, FrameOfAbsurdSizeIsRefusedBeforeItsPixels)
{
    // 65535 × 65535 pixels named by a file of a few kilobytes: 16 GiB at four bytes a pixel.
    setTagValue(path_, 3, TIFFTAG_IMAGEWIDTH, 65535);
    setTagValue(path_, 3, TIFFTAG_IMAGELENGTH, 65535);
    SourceTiff source;
    source.SetSourceTiff(path_);
    EXPECT_EQ(source.SelectPage(3).width, 65535);
    const std::string report = utf8(errorReport([&] { source.ReadFrame(3); }));
    EXPECT_NE(report.find("страница 3 файла " + path_ + " размером 65535 x 65535 точек"), std::string::npos) << report;
    EXPECT_NE(report.find("(0xC0080007)"), std::string::npos) << report;
}

TEST_F(SourceTiffTest, ALoadedSourceIsReplacedAtOnce)
{
    const std::string other = folder_.file("other.tif");
    writeFixtureTiff(other, {{randomBitmap(10, 10, 4), FixtureCompression::Group4, {}}});
    SourceTiff source;
    source.SetSourceTiff(path_);
    EXPECT_EQ(source.PageCount(), 3);
    source.SetSourceTiff(other);
    EXPECT_TRUE(source.loaded());
    EXPECT_EQ(source.PageCount(), 1);
}

} // namespace
