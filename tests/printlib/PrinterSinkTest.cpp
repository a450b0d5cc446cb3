#include "PrinterSink.h"

#include "RenderTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

// A4 at 600 dpi with the printable area 5 mm from the paper's left and 4 mm from its top.
PrinterProperties a4Printer()
{
    PrinterProperties properties;
    properties.physicalOffsetX = 118; // 5 mm
    properties.physicalOffsetY = 94;  // 4 mm
    return properties;
}

void blackSquare(const PageCanvas& canvas, double x, double y, double side)
{
    cairo_set_source_rgb(canvas.cr, 0, 0, 0);
    cairo_rectangle(canvas.cr, x, y, side, side);
    cairo_fill(canvas.cr);
}

// The first page rendered by poppler at 254 dpi (10 pixels a millimetre), as grey levels.
struct GreyPage {
    int width = 0;
    int height = 0;
    std::string pixels;

    int at(double xMm, double yMm) const
    {
        const auto row = static_cast<std::size_t>(yMm * 10);
        const auto column = static_cast<std::size_t>(xMm * 10);
        return static_cast<uint8_t>(pixels[row * static_cast<std::size_t>(width) + column]);
    }
};

GreyPage rendered(const ScratchFolder& folder, const std::string& pdf)
{
    const std::string stem = folder.file("rendered");
    EXPECT_EQ(runCommand("pdftoppm -r 254 -gray -f 1 -l 1 -singlefile '" + pdf + "' '" + stem + "'").status, 0);
    std::ifstream file(stem + ".pgm", std::ios::binary);
    std::string magic;
    GreyPage page;
    int depth = 0;
    file >> magic >> page.width >> page.height >> depth;
    file.get();
    page.pixels.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    EXPECT_EQ(magic, "P5");
    EXPECT_EQ(page.pixels.size(), static_cast<std::size_t>(page.width) * page.height);
    return page;
}

TEST(PrintJobTest, PagesReachThePrinterAsOnePdf)
{
    ScratchFolder folder;
    const std::string path = folder.file("job.pdf");
    FilePrinterSink printer(path, a4Printer());
    PrintJob job(printer, u"Документ для сдачи", 3);
    for (int page = 0; page < 2; ++page) {
        const PageCanvas canvas = job.StartPage();
        blackSquare(canvas, 10, 10, 20);
        job.EndPage();
    }
    EXPECT_FALSE(std::filesystem::exists(path));
    job.EndDoc();
    EXPECT_EQ(job.pageCount(), 2);
    EXPECT_EQ(runCommand("qpdf --check '" + path + "'").status, 0);
    EXPECT_EQ(pdfPageCount(path), 2);
    const CommandResult info = runCommand("pdfinfo '" + path + "'");
    EXPECT_NE(info.output.find("595.276 x 841.89 pts (A4)"), std::string::npos) << info.output;
    EXPECT_NE(info.output.find("Документ для сдачи"), std::string::npos) << info.output;
    EXPECT_EQ(printer.lastTitle(), u"Документ для сдачи");
    EXPECT_EQ(printer.lastCopies(), 3);
}

TEST(PrintJobTest, DrawingStartsAtThePrintableCorner)
{
    ScratchFolder folder;
    const std::string path = folder.file("job.pdf");
    FilePrinterSink printer(path, a4Printer());
    PrintJob job(printer, u"", 1);
    blackSquare(job.StartPage(), 0, 0, 10);
    job.EndPage();
    job.EndDoc();
    const GreyPage page = rendered(folder, path);
    ASSERT_NEAR(page.width, 2100, 1);
    EXPECT_LT(page.at(5.2, 4.2), 64);
    EXPECT_LT(page.at(14.8, 13.8), 64);
    EXPECT_GT(page.at(4.8, 8), 192);
    EXPECT_GT(page.at(8, 3.8), 192);
    EXPECT_GT(page.at(15.2, 8), 192);
}

TEST(PrintJobTest, AbortedJobPrintsNothing)
{
    ScratchFolder folder;
    FilePrinterSink printer(folder.file("job.pdf"), a4Printer());
    PrintJob job(printer, u"", 1);
    blackSquare(job.StartPage(), 0, 0, 10);
    job.EndPage();
    job.AbortDoc();
    EXPECT_TRUE(folder.fileNames().empty());
    EXPECT_EQ(printer.lastCopies(), 0);
}

TEST(PrintJobTest, MisuseIsRefused)
{
    ScratchFolder folder;
    FilePrinterSink printer(folder.file("job.pdf"), a4Printer());
    {
        PrintJob empty(printer, u"", 1);
        EXPECT_NE(utf8(errorReport([&] { empty.EndDoc(); })).find("Отсутствуют данные."), std::string::npos);
    }
    {
        PrintJob job(printer, u"", 1);
        job.StartPage();
        EXPECT_NE(utf8(errorReport([&] { job.StartPage(); })).find("0xC0020050"), std::string::npos);
        EXPECT_NE(utf8(errorReport([&] { job.EndDoc(); })).find("0xC0020050"), std::string::npos);
    }
    EXPECT_TRUE(folder.fileNames().empty());
}

TEST(PrintJobTest, PrinterWithoutResolutionOrPaperIsRefused)
{
    ScratchFolder folder;
    for (PrinterProperties properties : {PrinterProperties{0, 600, 0, 0, 210, 297},
                                         PrinterProperties{600, 600, 0, 0, 0, 297},
                                         PrinterProperties{600, 600, 0, 0, 210, -1}}) {
        FilePrinterSink printer(folder.file("job.pdf"), properties);
        const std::string report = utf8(errorReport([&] { PrintJob job(printer, u"", 1); }));
        EXPECT_NE(report.find("Не удалось получить свойства принтера"), std::string::npos) << report;
    }
}

} // namespace
