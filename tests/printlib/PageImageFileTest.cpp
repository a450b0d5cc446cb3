#include "PageImageFile.h"

#include "RenderTestSupport.h"
#include "TiffTags.h"
#include "WideText.h"

#include <gtest/gtest.h>

#include <jpeglib.h>

#include <filesystem>
#include <fstream>
#include <optional>

namespace {

const PageStamp kStamp{"Модуль. Версия: 1", "2021.03.04 05:06:07"};

uint32_t littleEndian(const std::string& bytes, std::size_t at, int size)
{
    uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = value << 8 | static_cast<uint8_t>(bytes[at + static_cast<std::size_t>(i)]);
    return value;
}

// A page with a black block in its upper left quarter and random specks elsewhere.
PageBitmap samplePage()
{
    PageBitmap page = randomBitmap(203, 61, 7, 20);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 100; ++x)
            page.setBlack(x, y);
    for (int y = 31; y < 61; ++y)
        for (int x = 101; x < 203; ++x)
            page.setBlack(x, y, false);
    return page;
}

TEST(ImageMimeTypeTest, ShortTypeGetsImagePrefix)
{
    EXPECT_EQ(imageMimeType(u"png"), u"image/png");
    EXPECT_EQ(imageMimeType(u"image/png"), u"image/png");
    EXPECT_EQ(imageMimeType(u"IMAGE/Tiff"), u"IMAGE/Tiff");
    EXPECT_TRUE(hasImageEncoder(u"IMAGE/Tiff"));
    EXPECT_TRUE(hasImageEncoder(u"image/gif"));
    EXPECT_FALSE(hasImageEncoder(u"image/webp"));
}

TEST(PageImageFileTest, PngHoldsThePixels)
{
    ScratchFolder folder;
    const std::string path = folder.file("page.png");
    const PageBitmap page = samplePage();
    writePageImageFile(path, u"image/png", page, kStamp);
    const CairoSurface read(cairo_image_surface_create_from_png(path.c_str()));
    ASSERT_EQ(cairo_surface_status(read.get()), CAIRO_STATUS_SUCCESS);
    ASSERT_EQ(cairo_image_surface_get_width(read.get()), page.width);
    ASSERT_EQ(cairo_image_surface_get_height(read.get()), page.height);
    const unsigned char* data = cairo_image_surface_get_data(read.get());
    const int stride = cairo_image_surface_get_stride(read.get());
    for (int y = 0; y < page.height; ++y)
        for (int x = 0; x < page.width; ++x) {
            const uint32_t pixel = reinterpret_cast<const uint32_t*>(data + y * stride)[x] & 0xFFFFFF;
            ASSERT_EQ(pixel == 0, page.isBlack(x, y)) << x << ", " << y;
            ASSERT_TRUE(pixel == 0 || pixel == 0xFFFFFF) << x << ", " << y;
        }
}

TEST(PageImageFileTest, BmpIsOneBitBottomUp)
{
    ScratchFolder folder;
    const std::string path = folder.file("page.bmp");
    const PageBitmap page = samplePage();
    writePageImageFile(path, u"bmp", page, kStamp);
    const std::string bmp = fileBytes(path);
    ASSERT_GE(bmp.size(), 62u);
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    EXPECT_EQ(littleEndian(bmp, 2, 4), bmp.size());
    const uint32_t offset = littleEndian(bmp, 10, 4);
    EXPECT_EQ(littleEndian(bmp, 18, 4), 203u);
    EXPECT_EQ(littleEndian(bmp, 22, 4), 61u);
    EXPECT_EQ(littleEndian(bmp, 28, 2), 1u);
    EXPECT_EQ(littleEndian(bmp, 38, 4), 11811u); // 300 dpi in pixels per metre
    const std::size_t stride = 28;               // 203 bits padded to 32-bit words
    ASSERT_EQ(bmp.size(), offset + stride * 61);
    for (int y = 0; y < page.height; ++y)
        for (int x = 0; x < page.width; ++x) {
            const std::size_t row = offset + stride * static_cast<std::size_t>(page.height - 1 - y);
            const int index = static_cast<uint8_t>(bmp[row + static_cast<std::size_t>(x / 8)]) >> (7 - x % 8) & 1;
            const uint32_t colour = littleEndian(bmp, 54 + 4 * static_cast<std::size_t>(index), 3);
            ASSERT_EQ(colour == 0, page.isBlack(x, y)) << x << ", " << y;
        }
}

TEST(PageImageFileTest, JpegIsGreyWithResolution)
{
    ScratchFolder folder;
    const std::string path = folder.file("page.jpg");
    writePageImageFile(path, u"image/jpeg", samplePage(), kStamp);
    const std::string jpeg = fileBytes(path);
    jpeg_decompress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(jpeg.data()), static_cast<unsigned long>(jpeg.size()));
    ASSERT_EQ(jpeg_read_header(&info, TRUE), JPEG_HEADER_OK);
    jpeg_start_decompress(&info);
    EXPECT_EQ(info.output_width, 203u);
    EXPECT_EQ(info.output_height, 61u);
    EXPECT_EQ(info.output_components, 1);
    EXPECT_EQ(info.density_unit, 1);
    EXPECT_EQ(info.X_density, 300);
    std::vector<unsigned char> row(info.output_width);
    std::vector<std::vector<unsigned char>> rows;
    while (info.output_scanline < info.output_height) {
        JSAMPROW rowPointer = row.data();
        jpeg_read_scanlines(&info, &rowPointer, 1);
        rows.push_back(row);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    EXPECT_LT(rows[10][40], 64);   // inside the black block
    EXPECT_GT(rows[50][150], 192); // inside the white part
}

TEST(PageImageFileTest, TiffCarriesPixelsAndStamp)
{
    ScratchFolder folder;
    const std::string path = folder.file("page.tif");
    const PageBitmap page = samplePage();
    writePageImageFile(path, u"tiff", page, kStamp);
    EXPECT_TRUE(tiffinfoAccepts(path));
    const std::vector<PageBitmap> decoded = decodeTiff(path);
    ASSERT_EQ(decoded.size(), 1u);
    EXPECT_TRUE(samePixels(decoded[0], page));
    std::string software;
    TiffReadTag(path, 1, 33432, &software);
    EXPECT_EQ(software, kStamp.software);
}

// The pixels are read back by Qt's own GIF reader in the Qt tests; here the header: the
// signature, the page's size as the logical screen, a global colour table of two entries,
// white then black, and the trailer.
TEST(PageImageFileTest, GifIsAPageOfTwoColours)
{
    ScratchFolder folder;
    const PageBitmap page = samplePage();
    for (const char16_t* type : {u"gif", u"image/gif", u"GIF"}) {
        const std::string path = folder.file("page.gif");
        writePageImageFile(path, type, page, kStamp);
        const std::string gif = fileBytes(path);
        ASSERT_GT(gif.size(), 19u);
        EXPECT_TRUE(gif.starts_with("GIF87a") || gif.starts_with("GIF89a")) << utf8(type);
        const auto word = [&](std::size_t at) {
            return static_cast<uint8_t>(gif[at]) | static_cast<uint8_t>(gif[at + 1]) << 8;
        };
        EXPECT_EQ(word(6), page.width);
        EXPECT_EQ(word(8), page.height);
        // Global table present, size field 0: 2 entries.
        EXPECT_EQ(static_cast<uint8_t>(gif[10]) & 0x87, 0x80);
        EXPECT_EQ(gif.substr(13, 6), std::string("\xFF\xFF\xFF\x00\x00\x00", 6));
        EXPECT_EQ(gif.back(), ';');
        EXPECT_EQ(folder.fileNames(), std::vector<std::string>{"page.gif"});
    }
}

TEST(PageImageFileTest, TypeWithoutEncoderIsRefusedBeforeWriting)
{
    for (const char16_t* type : {u"image/x-icon", u"image/webp", u"text/plain"}) {
        ScratchFolder folder;
        const std::string report =
            utf8(errorReport([&] { writePageImageFile(folder.file("page"), type, samplePage(), kStamp); }));
        EXPECT_NE(report.find("0xC0080003"), std::string::npos) << report;
        EXPECT_NE(report.find(utf8(type)), std::string::npos) << report;
        EXPECT_TRUE(folder.fileNames().empty());
    }
}

} // namespace

namespace {

// A write that fails midway (the file may not grow past 64 bytes here) is reported naming the
// file, and leaves neither the file nor a temporary one; an earlier file of the name is kept, and
// so are a link to an earlier file and the file it points to.
TEST(PageImageFileTest, AFailedWriteLeavesNoHalfFile)
{
    ScratchFolder folder;
    ScratchFolder linked;
    const std::string earlier = folder.file("earlier.png");
    std::ofstream(earlier) << "earlier image";
    const std::string real = linked.file("real.png");
    std::ofstream(real) << "linked image";
    const std::string link = folder.file("link.png");
    std::filesystem::create_symlink(real, link);
    for (const char16_t* type : {u"image/png", u"image/bmp", u"image/jpeg", u"image/gif", u"image/tiff"}) {
        const std::string path = folder.file("page.img");
        for (const std::string& target : {path, earlier, link}) {
            const std::string report =
                reportUnderFileSizeLimit(64, [&] { writePageImageFile(target, type, samplePage(), kStamp); });
            EXPECT_NE(report.find("Ошибка записи в файл: " + target), std::string::npos)
                << WideText::toUtf8(type) << ": " << report;
        }
        EXPECT_EQ(folder.fileNames(), (std::vector<std::string>{"earlier.png", "link.png"})) << WideText::toUtf8(type);
        EXPECT_EQ(fileBytes(earlier), "earlier image");
        EXPECT_TRUE(std::filesystem::is_symlink(link));
        EXPECT_EQ(linked.fileNames(), std::vector<std::string>{"real.png"});
        EXPECT_EQ(fileBytes(real), "linked image");
    }
}

// A preview written through a link replaces the file the link points to; the link stays.
TEST(PageImageFileTest, APreviewThroughALinkReplacesTheFileItPointsTo)
{
    ScratchFolder folder;
    ScratchFolder linked;
    for (const char16_t* type : {u"image/png", u"image/gif", u"image/tiff"}) {
        const std::string real = linked.file("preview");
        std::ofstream(real) << "earlier preview";
        const std::string link = folder.file("preview.img");
        std::filesystem::remove(link);
        std::filesystem::create_symlink(real, link);
        writePageImageFile(link, type, samplePage(), kStamp);
        EXPECT_TRUE(std::filesystem::is_symlink(link)) << WideText::toUtf8(type);
        EXPECT_NE(fileBytes(real), "earlier preview") << WideText::toUtf8(type);
        EXPECT_EQ(linked.fileNames(), std::vector<std::string>{"preview"}) << WideText::toUtf8(type);
    }
}

TEST(PreviewImageTypeTest, ShortNamesAndTheirAliases)
{
    struct Case {
        std::u16string type;
        std::optional<std::u16string> expected;
    };
    const Case cases[] = {
        {u"png", u"png"},   {u"BMP", u"bmp"},  {u"JPG", u"jpeg"}, {u"jpeg", u"jpeg"}, {u"Tif", u"tiff"},
        {u"tiff", u"tiff"}, {u"gif", u"gif"},  {u"webp", {}},     {u"", {}},          {u"mp", {}},
        {u"f", {}},         {u"png;", {}},     {u"image/png", {}}, {u"jpegs", {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(previewImageType(c.type), c.expected) << WideText::toUtf8(c.type);
        // A preview of every type it knows can be written.
        if (c.expected) {
            EXPECT_TRUE(hasImageEncoder(*c.expected)) << WideText::toUtf8(c.type);
        }
    }
}

} // namespace
