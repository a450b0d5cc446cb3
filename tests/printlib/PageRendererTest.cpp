#include "PageRenderer.h"

#include "PrinterSink.h"
#include "RenderTestSupport.h"
#include "TiffTags.h"
#include "WideText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <regex>

namespace {

const std::u16string kVersion = u"Модуль печати документов со штрих-кодом PDF417. Версия: 3.3.0.2";
const std::u16string kLeftBlockData = u"1151020 5.16 ИВАНОВ ИВАН 7707083893 12345,67";
const std::u16string kTopBlockData = u"0123456789ABCDEF|HEADER|TOP ROW";

class PageRendererTest : public testing::Test {
protected:
    void SetUp() override
    {
        renderer.SetSourceTiff(blankForm(folder, 2));
        renderer.SetVersionText(kVersion);
    }

    void addText(int page, std::u16string_view text, const StringCommand& command,
                 ElementKind kind = ElementKind::Text, std::u16string_view transform = u"")
    {
        renderer.Elements().AddTextElement({0, page}, kind, text, command.text(), transform, 0);
    }

    // The page the tests look at: texts in three fonts and alignments, cell marks, a cross and
    // the two kinds of barcode block.
    void addSamplePage(int page)
    {
        addText(page, u"Иванов Иван Иванович",
                {.x = 20, .y = 20, .width = 80, .height = 10, .font = "Arial", .size = 14});
        addText(page, u"По центру", {.x = 20, .y = 35, .width = 80, .height = 10, .font = "Times New Roman",
                                      .size = 14, .style = 1, .alignment = 1, .lineAlignment = 1});
        addText(page, u"Справа", {.x = 20, .y = 50, .width = 80, .height = 10, .size = 14, .style = 2,
                                  .alignment = 2, .lineAlignment = 2});
        addText(page, u"1\t2\t3\t4\t5", {.x = 20, .y = 65, .width = 25, .height = 7, .alignment = 1,
                                         .lineAlignment = 1, .tabStops = "5,5,5,5,5,"});
        addText(page, u"SLASHED3_RECT", {.x = 120, .y = 20, .width = 60, .height = 40});
        addText(page, u"slashed2_rect", {.x = 120, .y = 65, .width = 60, .height = 7});
        renderer.Elements().AddCrossElement({0, page}, crossCommand(12, 20), u"");
        renderer.Elements().AddBarcodeElement({0, page}, kLeftBlockData, u"M4|R21|OV", barcodeCommand(10, 149),
                                              u"scale:3.5,1.5");
        renderer.Elements().AddBarcodeElement({0, page}, kTopBlockData, u"/M4|/R28|/OH", barcodeCommand(103, 262),
                                              u"scale:1.5,3.5");
    }

    ScratchFolder folder;
    PageRenderer renderer;
};

TEST_F(PageRendererTest, SamplePageHasInkWhereTheTableSays)
{
    addSamplePage(1);
    const PageBitmap page = renderer.RenderPageBitmap(1);
    ASSERT_EQ(page.width, 2480);
    ASSERT_EQ(page.height, 3508);
    EXPECT_EQ(page.xDpi, 300);

    // Near, centred and far texts stay in their rectangles, on their side.
    const InkBox name = inkBox(page, 18, 15, 90, 20);
    ASSERT_FALSE(name.empty);
    EXPECT_GE(name.left, 19.9);
    EXPECT_LT(name.left, 21);
    EXPECT_LE(name.bottom, 30.1);
    const InkBox centred = inkBox(page, 15, 34, 90, 12);
    EXPECT_NEAR((centred.left + centred.right) / 2, 60, 1);
    EXPECT_NEAR((centred.top + centred.bottom) / 2, 40, 1.5);
    const InkBox right = inkBox(page, 15, 49, 90, 12);
    EXPECT_GT(right.right, 99);
    EXPECT_LE(right.right, 100.1);
    EXPECT_GT(right.left, 60);
    EXPECT_GT(right.bottom, 58);

    // One digit in each 5 mm cell.
    for (int cell = 0; cell < 5; ++cell)
        EXPECT_GT(inkIn(page, 20 + 5 * cell + 1, 65, 3, 7), 0) << "cell " << cell;

    // Cell marks: four lines in the 40 mm cell, one line in the 7 mm cell.
    const std::vector<double> lines = inkRows(page, 150, 20, 60);
    ASSERT_EQ(lines.size(), 4u);
    for (std::size_t i = 0; i < lines.size(); ++i)
        EXPECT_NEAR(lines[i], 24 + 8.0 * static_cast<double>(i), 0.1);
    EXPECT_EQ(inkRows(page, 150, 65, 72).size(), 1u);

    // The cross at (12, 20).
    EXPECT_TRUE(blackAt(page, 14.5, 20.2));
    EXPECT_TRUE(blackAt(page, 12.2, 22.5));
    EXPECT_FALSE(blackAt(page, 13, 21));

    // Nothing where the table puts nothing.
    EXPECT_EQ(inkIn(page, 0, 75, 210, 70), 0);
    EXPECT_EQ(inkIn(page, 0, 0, 210, 15), 0);
}

TEST_F(PageRendererTest, BarcodesReadBackFromTheOneBitPage)
{
    addSamplePage(1);
    const PageBitmap page = renderer.RenderPageBitmap(1);
    EXPECT_EQ(readPdf417(page, 0, 140, 60, 120),
              std::vector<std::string>{WideText::toCp1251(kLeftBlockData)});
    EXPECT_EQ(readPdf417(page, 95, 255, 115, 42),
              std::vector<std::string>{WideText::toCp1251(kTopBlockData)});
}

TEST_F(PageRendererTest, PageTransformAndElementTransform)
{
    renderer.Elements().AddTransformElement({0, 1}, u"translate:10,20");
    renderer.Elements().AddCrossElement({0, 1}, crossCommand(0, 0), u"");
    // Turned about its own origin: the 40 x 10 cell stands upright to the left of x = 100.
    renderer.Elements().AddTransformElement({0, 1}, u"scale:1");
    addText(1, u"ШШШШ", {.x = 100, .y = 100, .width = 40, .height = 10, .size = 14}, ElementKind::Text,
            u"turn:90;translate:0,-40");
    const PageBitmap page = renderer.RenderPageBitmap(1);
    EXPECT_TRUE(blackAt(page, 12.5, 20.2));
    EXPECT_TRUE(blackAt(page, 10.2, 22.5));
    EXPECT_EQ(inkIn(page, 0, 0, 10, 297), 0);
    const InkBox turned = inkBox(page, 50, 60, 160, 237);
    ASSERT_FALSE(turned.empty);
    EXPECT_GE(turned.left, 129.9);
    EXPECT_LE(turned.right, 140.1);
    EXPECT_GE(turned.top, 99.9);
    EXPECT_LE(turned.bottom, 140.1);
    EXPECT_GT(turned.bottom - turned.top, turned.right - turned.left);
}

TEST_F(PageRendererTest, FlatTransformIsRefused)
{
    addText(1, u"x", {.x = 10, .y = 10, .width = 20, .height = 10}, ElementKind::Text, u"scale:0");
    const std::string report = utf8(errorReport([&] { renderer.RenderPageBitmap(1); }));
    EXPECT_NE(report.find("преобразование 'scale:0' элемента 1 страницы 1 вырождено"), std::string::npos) << report;
}

TEST_F(PageRendererTest, BackgroundShowsTheSourceFrame)
{
    PageBitmap frame(2480, 3508, 300, 300);
    for (int x = 0; x < 2480; ++x)
        frame.setBlack(x, 1181); // 100 mm down
    for (int y = 0; y < 3508; ++y)
        frame.setBlack(2479, y); // the last column
    writeFixtureTiff(folder.file("lined.tif"), {{frame, FixtureCompression::Group4, {}}});
    renderer.SetSourceTiff(folder.file("lined.tif"));
    addText(1, u"SLASHED0_RECT", {.x = 50, .y = 90, .width = 20, .height = 20});

    EXPECT_EQ(inkIn(renderer.RenderPageBitmap(1), 0, 0, 210, 297), 0);
    renderer.SetBackground(true);
    const PageBitmap page = renderer.RenderPageBitmap(1);
    EXPECT_TRUE(blackAt(page, 30, 100.01));
    EXPECT_FALSE(blackAt(page, 60, 100.01)); // under the white cell

    // The frame as a page image at its natural size: 2480 pixels at 300 dpi are 209.97 mm, so
    // its last column lands 199.88 to 199.97 mm from the page's left edge.
    renderer.SetBackground(false);
    renderer.Elements().AddPageImageElement({1, 2}, u"IMAGE;-10;5;0;0", u"");
    const PageBitmap shifted = renderer.RenderPageBitmap(2);
    EXPECT_TRUE(blackAt(shifted, 199.93, 50));
    EXPECT_FALSE(blackAt(shifted, 199.7, 50));
    EXPECT_FALSE(blackAt(shifted, 200.1, 50));
    EXPECT_TRUE(blackAt(shifted, 40, 105.02));
    EXPECT_FALSE(blackAt(shifted, 40, 100.02));
}

// A form of 300 dpi A4 frames, each with one black row `millimetres` down the page.
std::string linedForm(const ScratchFolder& folder, const std::string& name, const std::vector<int>& millimetres)
{
    std::vector<FixturePage> frames;
    for (const int down : millimetres) {
        PageBitmap frame(2480, 3508, 300, 300);
        for (int x = 0; x < 2480; ++x)
            frame.setBlack(x, static_cast<int>(down * 300 / 25.4));
        frames.push_back({frame, FixtureCompression::Group4, {}});
    }
    const std::string path = folder.file(name);
    writeFixtureTiff(path, frames);
    return path;
}

TEST_F(PageRendererTest, KeptFramesFollowTheirPagesAndTheFile)
{
    const std::string form = linedForm(folder, "lined.tif", {100, 150});
    renderer.SetSourceTiff(form);
    renderer.SetBackground(true);
    for (int page = 1; page <= 3; ++page) {
        const int sourcePage = page == 2 ? 2 : 1;
        renderer.Elements().AddTextElement({sourcePage, page}, ElementKind::Text, u"SLASHED0_RECT",
                                           StringCommand{.x = 50, .y = 90, .width = 20, .height = 70}.text(), u"", 0);
    }
    // Pages alternate between the frames; each shows its own line only.
    for (const int page : {1, 2, 3}) {
        SCOPED_TRACE(page);
        const PageBitmap bitmap = renderer.RenderPageBitmap(page);
        EXPECT_EQ(blackAt(bitmap, 30, 100.01), page != 2);
        EXPECT_EQ(blackAt(bitmap, 30, 150.01), page == 2);
        EXPECT_FALSE(blackAt(bitmap, 60, 100.01)); // under the white cell
    }
    // Another form put in the file's place, as a tag written over it does, is read afresh once
    // the file is opened again, as the next job does.
    const std::string replacement = linedForm(folder, "replacement.tif", {200, 150});
    std::filesystem::rename(replacement, form);
    EXPECT_TRUE(blackAt(renderer.RenderPageBitmap(1), 30, 100.01));
    renderer.ReleaseSource();
    const PageBitmap replaced = renderer.RenderPageBitmap(1);
    EXPECT_FALSE(blackAt(replaced, 30, 100.01));
    EXPECT_TRUE(blackAt(replaced, 30, 200.01));
}

// A form rewritten in place with its old modification time put back, as "cp -p" does: the same
// file, size and time, yet another form.
TEST_F(PageRendererTest, AFormRewrittenInPlaceWithItsOldTimeIsReadAfresh)
{
    const std::string form = linedForm(folder, "lined.tif", {100, 150});
    const std::string replacement = linedForm(folder, "replacement.tif", {200, 150});
    std::string original = fileBytes(form);
    std::string replacing = fileBytes(replacement);
    // Bytes after a TIFF's last directory are not read: padding makes the sizes equal.
    const std::size_t size = std::max(original.size(), replacing.size());
    original.resize(size, '\0');
    replacing.resize(size, '\0');
    std::ofstream(form, std::ios::binary | std::ios::trunc) << original;

    renderer.SetSourceTiff(form);
    renderer.SetBackground(true);
    renderer.Elements().AddTextElement({1, 1}, ElementKind::Text, u"SLASHED0_RECT",
                                       StringCommand{.x = 50, .y = 90, .width = 20, .height = 20}.text(), u"", 0);
    EXPECT_TRUE(blackAt(renderer.RenderPageBitmap(1), 30, 100.01));
    renderer.ReleaseSource();

    struct stat before;
    ASSERT_EQ(::stat(form.c_str(), &before), 0);
    std::ofstream(form, std::ios::binary | std::ios::in | std::ios::out) << replacing;
    const timespec times[2] = {before.st_atim, before.st_mtim};
    ASSERT_EQ(::utimensat(AT_FDCWD, form.c_str(), times, 0), 0);
    struct stat after;
    ASSERT_EQ(::stat(form.c_str(), &after), 0);
    ASSERT_EQ(after.st_ino, before.st_ino);
    ASSERT_EQ(after.st_size, before.st_size);
    ASSERT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);

    const PageBitmap replaced = renderer.RenderPageBitmap(1);
    EXPECT_FALSE(blackAt(replaced, 30, 100.01));
    EXPECT_TRUE(blackAt(replaced, 30, 200.01));
}

// A symbol that leaves the page image would be lost from it: the page fails instead of being
// written without it. The top-row symbol is about 48 mm wide and 25 mm high.
TEST_F(PageRendererTest, ASymbolOffThePageImageFailsThePage)
{
    struct Case {
        const char* name;
        double x;
        double y;
        std::u16string pageTransform;
        bool fails;
    };
    const Case cases[] = {
        {"in the top row", 103, 262, u"", false},
        {"at the right edge", 200, 262, u"", true},
        {"below the foot", 103, 290, u"", true},
        {"above the head", 103, -1, u"", true},
        // A page transform still in force moves it off the page.
        {"moved off by a page transform", 103, 262, u"translate:0,30", true},
        {"turned within the page", 103, 262, u"scale:1;turn:90;translate:0,-297", false},
    };
    for (const Case& c : cases) {
        renderer.Elements().clear();
        if (!c.pageTransform.empty())
            renderer.Elements().AddTransformElement({0, 1}, c.pageTransform);
        renderer.Elements().AddBarcodeElement({0, 1}, u"DATA 1234567890", u"/M4|/R28|/OH", barcodeCommand(c.x, c.y),
                                              u"scale:1.5,3.5");
        if (c.fails) {
            const std::string report = utf8(errorReport([&] { renderer.RenderPageBitmap(1); }));
            EXPECT_NE(report.find("выходит за пределы страницы 1"), std::string::npos) << c.name << ": " << report;
        } else {
            EXPECT_GT(inkIn(renderer.RenderPageBitmap(1), 0, 0, 210, 297), 0) << c.name;
        }
    }
}

TEST_F(PageRendererTest, OverflowIsAnErrorUnlessFallingBack)
{
    const std::u16string text(200, u'Ж');
    addText(1, text, {.x = 20, .y = 40, .width = 30, .height = 5});
    const std::string report = utf8(errorReport([&] { renderer.RenderPageBitmap(1); }));
    const std::string shown = WideText::toUtf8(std::u16string(125, u'Ж')) + "...";
    EXPECT_NE(report.find("Данные '" + shown + "' (длина 200) 1 страницы документа невозможно разместить в "
                          "прямоугольном поле 20 + 30 мм и 40 + 5 мм на 1 странице формы form.tif."),
              std::string::npos)
        << report;
    EXPECT_NE(report.find("0xC0020062"), std::string::npos);

    renderer.SetFallbackOnOverflow(true);
    const PageBitmap page = renderer.RenderPageBitmap(1);
    EXPECT_GT(inkIn(page, 20, 40, 30, 5), 0);
    EXPECT_EQ(inkIn(page, 0, 0, 210, 39.9), 0);
    EXPECT_EQ(inkIn(page, 0, 45.1, 210, 250), 0);
}

TEST_F(PageRendererTest, ShortOverflowShowsTheWholeText)
{
    addText(1, u"ДЛИННОЕ ЗНАЧЕНИЕ", {.x = 20, .y = 40, .width = 5, .height = 5});
    const std::string report = utf8(errorReport([&] { renderer.RenderPageBitmap(1); }));
    // The text as the cell holds it: blanks become no-break spaces.
    EXPECT_NE(report.find("Данные 'ДЛИННОЕ\u00A0ЗНАЧЕНИЕ' (длина 16)"), std::string::npos) << report;
}

TEST_F(PageRendererTest, LongTextsOverflowAsTheirKindSays)
{
    const std::u16string text(200, u'Ж');
    addText(1, text, {.x = 20, .y = 40, .width = 30, .height = 5}, ElementKind::LongText);
    EXPECT_GT(inkIn(renderer.RenderPageBitmap(1), 20, 40, 30, 5), 0);
    addText(2, text, {.x = 20, .y = 40, .width = 30, .height = 5}, ElementKind::StrictLongText);
    EXPECT_NE(utf8(errorReport([&] { renderer.RenderPageBitmap(2); })).find("0xC0020062"), std::string::npos);
}

TEST_F(PageRendererTest, TextBlockFlowsOverItsLines)
{
    // Two cells one under the other join into a block; its text does not fit the first line.
    addText(1, u"АБВГДЕЖЗИКЛМНОПРСТУФ", {.x = 20, .y = 100, .width = 40, .height = 6});
    addText(1, u"ХЦЧШЩЭЮЯ", {.x = 20, .y = 106, .width = 40, .height = 6});
    renderer.Elements().MergeTextLines();
    ASSERT_EQ(renderer.Elements().elements().begin()->second.kind, ElementKind::TextBlockHead);
    const PageBitmap page = renderer.RenderPageBitmap(1);
    const InkBox first = inkBox(page, 19, 99, 42, 6);
    const InkBox second = inkBox(page, 19, 106, 42, 6);
    ASSERT_FALSE(first.empty);
    ASSERT_FALSE(second.empty);
    EXPECT_GT(first.right, 55);
    EXPECT_EQ(inkIn(page, 0, 112.1, 210, 100), 0);
}

TEST_F(PageRendererTest, StoppedRendererDrawsNothing)
{
    addSamplePage(1);
    renderer.Stop();
    EXPECT_EQ(inkIn(renderer.RenderPageBitmap(1), 0, 0, 210, 297), 0);
    renderer.ResetStop();
    EXPECT_GT(inkIn(renderer.RenderPageBitmap(1), 0, 0, 210, 297), 0);
}

TEST_F(PageRendererTest, StopEndsTheJobBetweenPages)
{
    addSamplePage(1);
    addSamplePage(2);
    for (const std::string name : {"pages.tif", "pages.pdf", "folder"}) {
        const std::string path = folder.file(name);
        if (name == "folder")
            std::filesystem::create_directory(path);
        renderer.OpenOutput(path);
        renderer.SetPageTotal(2);
        EXPECT_TRUE(renderer.WritePage(1)) << name;
        renderer.Stop();
        EXPECT_FALSE(renderer.WritePage(2)) << name;
        renderer.AbortOutput();
        renderer.ResetStop();
        EXPECT_EQ(renderer.outputMode(), OutputMode::None);
        // A folder, too, receives the whole document or nothing.
        if (name == "folder") {
            EXPECT_TRUE(filesIn(path).empty());
        } else {
            EXPECT_FALSE(std::filesystem::exists(path)) << name;
        }
    }
}

struct OutputCase {
    std::string name;
    std::string path;
    bool folder;
};

class PageRendererOutputTest : public PageRendererTest, public testing::WithParamInterface<OutputCase> {};

TEST_P(PageRendererOutputTest, WritesEveryPageWithVersionText)
{
    const OutputCase& c = GetParam();
    addSamplePage(1);
    addSamplePage(2);
    const std::string path = folder.file(c.path);
    if (c.folder)
        std::filesystem::create_directory(path);
    renderer.OpenOutput(path);
    renderer.SetPageTotal(2);
    ASSERT_TRUE(renderer.WritePage(1));
    ASSERT_TRUE(renderer.WritePage(2));
    renderer.CloseOutput();

    std::vector<std::string> tiffs;
    if (c.folder) {
        EXPECT_EQ(filesIn(path), (std::vector<std::string>{"000001.tif", "000002.tif"}));
        tiffs = {path + "/000001.tif", path + "/000002.tif"};
    } else if (c.path.ends_with(".tif")) {
        tiffs = {path};
    } else {
        EXPECT_EQ(runCommand("qpdf --check '" + path + "'").status, 0);
        EXPECT_EQ(pdfPageCount(path), 2);
    }
    int pageCount = 0;
    for (const std::string& tiff : tiffs) {
        EXPECT_TRUE(tiffinfoAccepts(tiff)) << tiff;
        const std::vector<PageBitmap> decoded = decodeTiff(tiff);
        for (std::size_t page = 0; page < decoded.size(); ++page) {
            ++pageCount;
            EXPECT_EQ(readPdf417(decoded[page], 0, 140, 60, 120).size(), 1u);
            std::string software;
            TiffReadTag(tiff, static_cast<int>(page) + 1, 33432, &software);
            EXPECT_EQ(software, WideText::toCp1251(kVersion));
            std::string written;
            TiffReadTag(tiff, static_cast<int>(page) + 1, 306, &written);
            EXPECT_TRUE(std::regex_match(written, std::regex(R"(\d{4}:\d\d:\d\d \d\d:\d\d:\d\d)"))) << written;
        }
    }
    if (!tiffs.empty()) {
        EXPECT_EQ(pageCount, 2);
    }
}

INSTANTIATE_TEST_SUITE_P(Modes, PageRendererOutputTest,
                         testing::Values(OutputCase{"folder", "pages", true},
                                         OutputCase{"multi_page_tiff", "pages.tif", false},
                                         OutputCase{"pdf", "pages.pdf", false},
                                         OutputCase{"pdf_in_capitals", "PAGES.PDF", false}),
                         [](const testing::TestParamInfo<OutputCase>& info) { return info.param.name; });

TEST_F(PageRendererTest, FailedPageEndsTheOutput)
{
    addSamplePage(1);
    addText(2, std::u16string(200, u'Ж'), {.x = 20, .y = 40, .width = 30, .height = 5});
    const std::string path = folder.file("pages.pdf");
    renderer.OpenOutput(path);
    renderer.SetPageTotal(2);
    ASSERT_TRUE(renderer.WritePage(1));
    EXPECT_NE(utf8(errorReport([&] { renderer.WritePage(2); })).find("0xC0020062"), std::string::npos);
    EXPECT_EQ(renderer.outputMode(), OutputMode::None);
    EXPECT_EQ(filesIn(folder.path().string()), std::vector<std::string>{"form.tif"});
}

TEST_F(PageRendererTest, WritePageImageRendersTheFirstPage)
{
    addSamplePage(2);
    const std::string path = folder.file("preview.png");
    ASSERT_FALSE(renderer.source().loaded());
    renderer.WritePageImage(path, u"png");
    EXPECT_FALSE(renderer.source().loaded());
    const CairoSurface read(cairo_image_surface_create_from_png(path.c_str()));
    ASSERT_EQ(cairo_surface_status(read.get()), CAIRO_STATUS_SUCCESS);
    EXPECT_EQ(cairo_image_surface_get_width(read.get()), 2480);

    renderer.WritePageImage(folder.file("preview.gif"), u"gif");
    std::ifstream gif(folder.file("preview.gif"), std::ios::binary);
    std::string signature(6, '\0');
    gif.read(signature.data(), 6);
    EXPECT_EQ(signature.substr(0, 4), "GIF8");

    const std::string report = utf8(errorReport([&] { renderer.WritePageImage(folder.file("preview.webp"), u"webp"); }));
    EXPECT_NE(report.find("image/webp"), std::string::npos) << report;
    EXPECT_FALSE(std::filesystem::exists(folder.file("preview.webp")));
}

TEST_F(PageRendererTest, PrintedPagesAreVectorPdfPages)
{
    addSamplePage(1);
    addSamplePage(2);
    const std::string path = folder.file("printed.pdf");
    FilePrinterSink printer(path, PrinterProperties{});
    PrintJob job(printer, u"Документ для сдачи", 1);
    renderer.PrintPage(job, 1);
    renderer.PrintPage(job, 2);
    job.EndDoc();
    EXPECT_EQ(runCommand("qpdf --check '" + path + "'").status, 0);
    EXPECT_EQ(pdfPageCount(path), 2);
    // pdftotext gives the cells' no-break spaces as blanks.
    const std::string text = pdfText(path);
    EXPECT_NE(text.find("Иванов Иван Иванович"), std::string::npos) << text;
    EXPECT_NE(text.find("По центру"), std::string::npos) << text;
    EXPECT_NE(text.find("Справа"), std::string::npos) << text;
    EXPECT_NE(text.find("12345"), std::string::npos) << text;
}

TEST_F(PageRendererTest, LayoutQueries)
{
    EXPECT_FALSE(renderer.IsLandscapePage(1));
    EXPECT_FALSE(renderer.source().loaded());
    EXPECT_EQ(renderer.FormName(), u"form.tif");
    EXPECT_EQ(renderer.PageCount(), 2);
    renderer.source().release();
    EXPECT_EQ(renderer.PageCount(), 2);
    EXPECT_FALSE(renderer.source().loaded());

    // 12 pt Courier: 19 characters a line of 50 mm.
    const TextLayout cell = ParseStringCommand(StringCommand{.width = 50, .height = 5, .size = 12}.text());
    EXPECT_EQ(renderer.MeasureTextLines(cell, std::u16string(19, u'x')), 1);
    EXPECT_EQ(renderer.MeasureTextLines(cell, std::u16string(39, u'x')), 3);
    EXPECT_EQ(renderer.MeasureTextLines(cell, u""), 0);

    const TextLayout wide = ParseStringCommand(StringCommand{.width = 100, .height = 10, .size = 14}.text());
    EXPECT_EQ(renderer.MeasureFontSize(cell, u"abc", wide, u"abc"), 12.0f);
    const float shared = renderer.MeasureFontSize(cell, std::u16string(25, u'x'), wide, u"abc");
    EXPECT_LT(shared, 12.0f);
    EXPECT_GE(shared, 8.0f);
    EXPECT_EQ(renderer.MeasureFontSize(cell, u"", wide, u"abc"), 14.0f);
    EXPECT_EQ(renderer.MeasureFontSize(cell, u"", wide, u""), 12.0f);
    EXPECT_EQ(renderer.MeasureFontSize(cell, std::u16string(200, u'x'), wide, u"abc"), 0.0f);
}

TEST_F(PageRendererTest, PageWithoutElementsIsRefused)
{
    EXPECT_NE(utf8(errorReport([&] { renderer.RenderPageBitmap(4); })).find("на странице 4 нет элементов"),
              std::string::npos);
}

} // namespace
