#include "PdfWriter.h"

#include "TiffTestSupport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

void writePdf(const std::string& path, const std::vector<PageBitmap>& pages)
{
    PdfWriter writer(path, static_cast<int>(pages.size()));
    writer.BeginPdf();
    for (const PageBitmap& page : pages)
        writer.AddPage(page);
    writer.FinishPdf();
}

// A "P4" portable bitmap as pdfimages writes it: 1 is black.
PageBitmap readPbm(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::string magic;
    int width = 0;
    int height = 0;
    file >> magic >> width >> height;
    file.get();
    EXPECT_EQ(magic, "P4");
    PageBitmap bitmap(width, height, 0, 0);
    const std::size_t rowBytes = (static_cast<std::size_t>(width) + 7) / 8;
    for (int y = 0; y < height; ++y)
        file.read(reinterpret_cast<char*>(bitmap.row(y)), static_cast<std::streamsize>(rowBytes));
    return bitmap;
}

std::vector<PageBitmap> a4Pages(int count)
{
    std::vector<PageBitmap> pages;
    for (int page = 0; page < count; ++page)
        pages.push_back(formLikeBitmap(2480, 3508, 300, static_cast<unsigned>(page)));
    return pages;
}

TEST(PdfWriterTest, ThreePagesHaveTheirObjectsAndPassQpdf)
{
    ScratchFolder folder;
    const std::string path = folder.file("document.pdf");
    writePdf(path, a4Pages(3));

    const std::string pdf = fileBytes(path);
    EXPECT_EQ(pdf.rfind("%PDF-1.2\r", 0), 0u);
    EXPECT_NE(pdf.find("/Kids [4 0 R 10 0 R 16 0 R ]\r"), std::string::npos);
    EXPECT_NE(pdf.find("/Count 3\r"), std::string::npos);
    EXPECT_NE(pdf.find("\r21 0 obj\r"), std::string::npos);
    EXPECT_EQ(pdf.find("\r22 0 obj\r"), std::string::npos);
    EXPECT_NE(pdf.find("/Size 22\r"), std::string::npos);
    EXPECT_NE(pdf.find("595 0 0 841 0 0 cm\r/Im1 Do"), std::string::npos);
    EXPECT_NE(pdf.find("/DecodeParms << /K -1 /Columns 2480 /Rows 3508 >>"), std::string::npos);

    const CommandResult check = runCommand("qpdf --check '" + path + "'");
    EXPECT_EQ(check.status, 0) << check.output;
    EXPECT_NE(check.output.find("No syntax or stream encoding errors found"), std::string::npos) << check.output;
}

TEST(PdfWriterTest, PdfinfoShowsA4Pages)
{
    ScratchFolder folder;
    const std::string path = folder.file("document.pdf");
    writePdf(path, a4Pages(2));
    const CommandResult info = runCommand("pdfinfo '" + path + "'");
    EXPECT_EQ(info.status, 0) << info.output;
    EXPECT_NE(info.output.find("Pages:           2"), std::string::npos) << info.output;
    EXPECT_NE(info.output.find("Page size:       595 x 841 pts (A4)"), std::string::npos) << info.output;
    EXPECT_NE(info.output.find("PDF version:     1.2"), std::string::npos) << info.output;
}

TEST(PdfWriterTest, PagesAreCcittImagesThatDecodeToTheBitmaps)
{
    ScratchFolder folder;
    const std::string path = folder.file("document.pdf");
    std::vector<PageBitmap> pages = a4Pages(2);
    pages.push_back(randomBitmap(1000, 700, 99));
    pages.back().xDpi = pages.back().yDpi = 200;
    writePdf(path, pages);

    const CommandResult list = runCommand("pdfimages -list '" + path + "'");
    EXPECT_EQ(list.status, 0) << list.output;
    std::istringstream lines(list.output);
    std::string line;
    std::getline(lines, line); // heading
    std::getline(lines, line); // rule
    for (const PageBitmap& page : pages) {
        ASSERT_TRUE(std::getline(lines, line)) << list.output;
        std::istringstream fields(line);
        std::string pageNumber, number, type, width, height, color, components, bits, encoding;
        fields >> pageNumber >> number >> type >> width >> height >> color >> components >> bits >> encoding;
        EXPECT_EQ(type, "image") << line;
        EXPECT_EQ(width, std::to_string(page.width)) << line;
        EXPECT_EQ(height, std::to_string(page.height)) << line;
        EXPECT_EQ(color, "gray") << line;
        EXPECT_EQ(bits, "1") << line;
        EXPECT_EQ(encoding, "ccitt") << line;
    }

    const CommandResult extract = runCommand("pdfimages '" + path + "' '" + folder.file("image") + "'");
    ASSERT_EQ(extract.status, 0) << extract.output;
    for (std::size_t index = 0; index < pages.size(); ++index) {
        SCOPED_TRACE(index);
        EXPECT_TRUE(samePixels(readPbm(folder.file("image-00" + std::to_string(index) + ".pbm")), pages[index]));
    }
    // 1000 pixels at 200 dpi are 360 points.
    EXPECT_NE(fileBytes(path).find("/MediaBox [0 0 360 252]"), std::string::npos);
}

TEST(PdfWriterTest, FullDeviceFailsAndLeavesNoFile)
{
    ScratchFolder folder;
    const std::string path = folder.file("document.pdf");
    const std::string report = reportUnderFileSizeLimit(20000, [&] { writePdf(path, a4Pages(3)); });
    EXPECT_NE(report.find("Ошибка записи в файл: " + path), std::string::npos) << report;
    EXPECT_NE(report.find("(0xC0040003)"), std::string::npos) << report;
    EXPECT_NE(report.find("Превышен допустимый размер файла"), std::string::npos) << report;
    EXPECT_TRUE(folder.fileNames().empty());
}

TEST(PdfWriterTest, BadPagesAreErrorsAndLeaveNoFile)
{
    struct Case {
        const char* name;
        std::function<void(const std::string&)> write;
        const char* expected;
    };
    const Case cases[] = {
        {"zero resolution",
         [](const std::string& path) {
             PageBitmap page = randomBitmap(10, 10, 1);
             page.yDpi = 0;
             writePdf(path, {page});
         },
         "размер или разрешение страницы 1"},
        {"resolution below one dot per inch",
         [](const std::string& path) {
             PageBitmap page = randomBitmap(10, 10, 1);
             page.xDpi = 0.4;
             writePdf(path, {page});
         },
         "разрешение страницы 1 PDF-файла равно 0"},
        {"no pixels", [](const std::string& path) { writePdf(path, {PageBitmap(0, 10, 300, 300)}); },
         "размер или разрешение страницы 1"},
        {"rows missing",
         [](const std::string& path) {
             PageBitmap page = randomBitmap(10, 10, 1);
             page.bits.resize(page.bits.size() / 2);
             writePdf(path, {page});
         },
         "размер или разрешение страницы 1"},
        {"more pages than announced",
         [](const std::string& path) {
             PdfWriter writer(path, 1);
             writer.BeginPdf();
             writer.AddPage(randomBitmap(10, 10, 1));
             writer.AddPage(randomBitmap(10, 10, 2));
         },
         "страница 2 сверх объявленных 1"},
        {"fewer pages than announced",
         [](const std::string& path) {
             PdfWriter writer(path, 2);
             writer.BeginPdf();
             writer.AddPage(randomBitmap(10, 10, 1));
             writer.FinishPdf();
         },
         "записано страниц 1 из 2"},
    };
    for (const Case& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        ScratchFolder folder;
        const std::string report = utf8(errorReport([&] { testCase.write(folder.file("document.pdf")); }));
        EXPECT_NE(report.find(testCase.expected), std::string::npos) << report;
        EXPECT_NE(report.find("0xC0020050"), std::string::npos) << report;
        EXPECT_TRUE(folder.fileNames().empty());
    }
}

} // namespace
