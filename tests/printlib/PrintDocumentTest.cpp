#include "PrintDocument.h"

#include "JobTestSupport.h"
#include "LibraryVersion.h"
#include "RenderTestSupport.h"
#include "TiffFile.h"
#include "TiffTags.h"
#include "ViewProcess.h"
#include "WideText.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <utility>

namespace {

namespace fs = std::filesystem;
using testing::ElementsAre;
using testing::HasSubstr;
using testing::StartsWith;

const std::string kInvalidParameters = "Недопустимые параметры.[-1073610685 (0xC0020043)\\\\0 (0x0)\\TiffTools";

class RecordingProgress : public JobProgress {
public:
    std::vector<std::pair<int, int>> pages;
    void StageReached(JobStage) override {}
    void PagesDone(int done, int total) override { pages.emplace_back(done, total); }
};

// Asks to cancel once it shows the count.
class CancellingView : public ProgressView {
public:
    explicit CancellingView(std::string count) : count_(std::move(count)) {}
    void ShowTitle(std::u16string_view) override {}
    void ShowStatus(std::u16string_view) override {}
    void ShowCount(std::u16string_view count) override { shown_ = WideText::toUtf8(count); }
    bool CancelRequested() override { return shown_ == count_; }
    void Close() override {}

private:
    std::string count_;
    std::string shown_;
};

std::u16string u16(const std::string& text)
{
    return WideText::fromUtf8(text);
}

std::string cancelledReport(const std::string& text)
{
    return text + "[-1073676288 (0xC0010000)\\Операция была отменена пользователем.\\1223 (0x4C7)\\TiffTools (строка: ";
}

class PrintDocumentTest : public testing::Test {
protected:
    void init(int pages = 2, double dpi = 100, const std::string& software = formSoftware(u"3.3.0.2"))
    {
        form = versionedForm(folder, pages, dpi, software);
        document.Init(u16(form));
    }

    void build(const std::u16string& xml, const std::string& output, std::u16string_view selection = {},
               JobProgress* progress = nullptr)
    {
        NoJobProgress none;
        const std::u16string path = u16(output);
        document.BuildDocument({xml, path, selection, 0}, progress ? *progress : none);
    }

    ScratchFolder folder;
    std::string form;
    CPrintDocument document;
};

TEST_F(PrintDocumentTest, BuildsTheSelectedSheetsIntoEachKindOfOutput)
{
    init();
    const std::u16string xml = dataDocumentXml({{1}, {2}, {1}});
    const std::string software = WideText::toCp1251(LibraryVersion::SoftwareText());
    for (const std::string name : {"pages", "pages.tif", "pages.PDF"}) {
        SCOPED_TRACE(name);
        const std::string output = folder.file(name);
        if (name == "pages")
            fs::create_directory(output);
        RecordingProgress progress;
        build(xml, output, u"3,1", &progress);
        EXPECT_THAT(progress.pages, ElementsAre(std::pair{0, 2}, std::pair{1, 2}));

        std::vector<std::string> tiffs;
        if (name == "pages") {
            EXPECT_THAT(filesIn(output), ElementsAre("000001.tif", "000002.tif"));
            tiffs = {output + "/000001.tif", output + "/000002.tif"};
        } else if (name == "pages.tif") {
            EXPECT_EQ(decodeTiff(output).size(), 2u);
            tiffs = {output};
        } else {
            EXPECT_EQ(pdfPageCount(output), 2);
            EXPECT_EQ(runCommand("qpdf --check '" + output + "'").status, 0);
        }
        for (const std::string& tiff : tiffs) {
            EXPECT_TRUE(tiffinfoAccepts(tiff));
            std::string stamped;
            TiffReadTag(tiff, 1, 33432, &stamped);
            EXPECT_EQ(stamped, software);
        }
    }
    EXPECT_EQ(document.GetNumberPages(), 2) << "the form stays usable";
}

TEST_F(PrintDocumentTest, ABuiltPageCarriesTheSheetsBarcodes)
{
    init(1, 300);
    const std::string output = folder.file("page.tif");
    build(dataDocumentXml({{1, u"500100732259", u"Петров"}}), output);
    const std::vector<PageBitmap> pages = decodeTiff(output);
    ASSERT_EQ(pages.size(), 1u);
    const std::vector<std::string> symbols = readPdf417(pages[0], 0, 0, 210, 297);
    const std::string guid = WideText::toUtf8(sheetGuid(1));
    EXPECT_THAT(symbols, testing::Contains(guid)) << "the header symbol";
    EXPECT_THAT(symbols, testing::Contains(
                             testing::AllOf(StartsWith(WideText::toUtf8(kTestKnd) + WideText::toUtf8(kTestVersion) + guid),
                                            HasSubstr("|500100732259|"))))
        << "the data block";
    // The form is shrunk beside the left block column to leave room for the top block row.
    const double scale = 261.0 / 297;
    EXPECT_GT(inkIn(pages[0], 25 + 40 * scale, 40 * scale, 60 * scale, 6 * scale), 0) << "the INN in its cells";
}

TEST_F(PrintDocumentTest, APreviewIsOneSheetAsAnImage)
{
    init();
    const std::u16string xml = dataDocumentXml({{1}, {2}});
    const std::string output = folder.file("preview.png");
    document.BuildPage(xml, u16(output), 2, u"png");
    std::ifstream file(output, std::ios::binary);
    std::string signature(8, '\0');
    file.read(signature.data(), 8);
    EXPECT_EQ(signature, "\x89PNG\r\n\x1a\n");

    for (int sheet : {0, 3})
        EXPECT_THAT(oneLineReport([&] { document.BuildPage(xml, u16(output), sheet, u"png"); }),
                    StartsWith(kInvalidParameters))
            << sheet;
}

TEST_F(PrintDocumentTest, BadJobsAreRefusedWithoutOutput)
{
    init();
    const std::u16string xml = dataDocumentXml({{1}, {2}});
    const std::string output = folder.file("out.pdf");
    struct Case {
        const char* name;
        std::u16string data;
        std::string output;
        std::u16string selection;
        std::string report;
    };
    const Case cases[] = {
        {"empty data", u"", output, u"", kInvalidParameters},
        {"empty output", xml, "", u"", kInvalidParameters},
        {"no such data file", u"/nonexistent/data.xml", output, u"",
         "Недопустимые параметры. Файл не найден: /nonexistent/data.xml[-1073610685 (0xC0020043)"},
        {"no sheet selected", xml, output, u"5-7", "Отсутствуют данные.[-1073676288 (0xC0010000)"},
        {"sheet on a missing form page", dataDocumentXml({{3}}), output, u"", "В tif-файле"},
    };
    for (const Case& c : cases) {
        EXPECT_THAT(oneLineReport([&] { build(c.data, c.output, c.selection); }), StartsWith(c.report)) << c.name;
        EXPECT_FALSE(fs::exists(output)) << c.name;
    }
}

// Data the page would cut off is lost while the build looks whole: such a field is refused as a
// value too long for its field is, and nothing is written.
TEST_F(PrintDocumentTest, AFieldThatLeavesThePageIsRefusedWithoutOutput)
{
    init(1);
    const std::string output = folder.file("out.tif");
    struct Case {
        const char* name;
        int left;
        int top;
        int width;
        int height;
        const char* print;
        std::string refusal; // empty: built
    };
    const std::string cut = "Данные 'ТЕКСТ ЗА КРАЕМ' (длина 14) 1 страницы документа невозможно разместить в "
                            "прямоугольном поле ";
    const std::string where = " на 1 странице формы form.tif. Поле NOTE выходит за пределы страницы 210 × 297 мм."
                              "[-1073610654 (0xC0020062)\\\\0 (0x0)\\TifOperation (строка: ";
    const Case cases[] = {
        {"inside", 150, 40, 55, 6, "t", ""},
        {"up to the corner", 155, 291, 55, 6, "t", ""},
        {"past the right edge", 190, 40, 40, 6, "t", cut + "190 + 40 мм и 40 + 6 мм" + where},
        {"past the bottom", 40, 292, 60, 10, "t", cut + "40 + 60 мм и 292 + 10 мм" + where},
        {"wholly off the page", 250, 40, 60, 6, "t", cut + "250 + 60 мм и 40 + 6 мм" + where},
        {"in cells past the right edge", 180, 40, 75, 6, "15", cut + "180 + 75 мм и 40 + 6 мм" + where},
        {"not drawn, off the page", 250, 40, 60, 6, "0", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::u16string xml =
            u"<DOCUMENT knd=\"1151020\" version=\"5.01\"><SHEET pageNumber=\"1\" code=\"1\" guid=\"" + sheetGuid(1) +
            u"\"><NOTE left=\"" + WideText::decimal(c.left) + u"\" top=\"" + WideText::decimal(c.top) +
            u"\" width=\"" + WideText::decimal(c.width) + u"\" height=\"" + WideText::decimal(c.height) +
            u"\" print=\"" + u16(c.print) + u"\" incBarCode=\"1\">ТЕКСТ ЗА КРАЕМ</NOTE></SHEET></DOCUMENT>";
        const std::string report = oneLineReport([&] { build(xml, output); });
        if (c.refusal.empty()) {
            EXPECT_EQ(report, "nothing raised");
            EXPECT_EQ(decodeTiff(output).size(), 1u);
            fs::remove(output);
        } else {
            EXPECT_EQ(report.substr(0, c.refusal.size()), c.refusal);
            EXPECT_THAT(folder.fileNames(), ElementsAre("form.tif"));
        }
    }
}

TEST_F(PrintDocumentTest, ACancelledBuildLeavesNoFileAndTheNextBuildWorks)
{
    init();
    const std::u16string xml = dataDocumentXml({{1}, {2}, {1}});
    const std::u16string output = u16(folder.file("pages.tif"));
    const auto buildWithProgress = [&](ProgressView& view) {
        document.ResetCancel();
        CViewProcess(JobMode::WriteImages, view, [&] { document.Cancel(); }).Run([&](JobProgress& progress) {
            document.BuildDocument({xml, output, u"", 0}, progress);
        });
    };
    CancellingView cancelling("1 из 3");
    EXPECT_THAT(oneLineReport([&] { buildWithProgress(cancelling); }), StartsWith(cancelledReport("Запись прервана.")));
    EXPECT_THAT(folder.fileNames(), ElementsAre("form.tif"));

    HeadlessProgressView headless;
    buildWithProgress(headless);
    EXPECT_EQ(decodeTiff(folder.file("pages.tif")).size(), 3u);
}

// A data document of one sheet on form page `pageNumber` whose fields are not printed but all go
// into its barcode.
std::u16string barcodeOnlyXml(int pageNumber, const std::vector<std::u16string>& values)
{
    std::u16string xml = u"<?xml version=\"1.0\"?>\n<DOCUMENT knd=\"" + std::u16string(kTestKnd) + u"\" version=\"" +
                         std::u16string(kTestVersion) + u"\">\n<SHEET pageNumber=\"" + WideText::decimal(pageNumber) +
                         u"\" code=\"1\" guid=\"" + sheetGuid(1) + u"\">";
    for (std::size_t index = 0; index < values.size(); ++index) {
        const std::u16string name = u"F" + WideText::decimal(static_cast<int>(index));
        xml += u"<" + name + u" left=\"0\" top=\"0\" width=\"0\" height=\"0\" print=\"0\" incBarCode=\"1\">" +
               values[index] + u"</" + name + u">";
    }
    return xml + u"</SHEET>\n</DOCUMENT>\n";
}

struct Box {
    double left;
    double top;
    double right;
    double bottom;

    bool holds(const FoundSymbol& s) const
    {
        return s.left >= left && s.top >= top && s.right <= right && s.bottom <= bottom;
    }
    bool meets(const FoundSymbol& s) const
    {
        return s.left < right && s.right > left && s.top < bottom && s.bottom > top;
    }
};

bool overlap(const FoundSymbol& a, const FoundSymbol& b)
{
    return Box{a.left, a.top, a.right, a.bottom}.meets(b);
}

// Where a page's symbols must land, worked out by hand from the default image transforms: the
// form shrunk by s = 261 / 297 and moved right by 25 mm (portrait), or moved by 36 and 25 mm
// (landscape), and the landscape page's closing transform, which turns the portrait places
// (x, y) into (297 - y, x).
struct PlacementCase {
    std::string name;
    bool landscape;
    std::vector<std::u16string> values;
};

void PrintTo(const PlacementCase& c, std::ostream* out)
{
    *out << c.name;
}

std::vector<PlacementCase> placementCases()
{
    std::vector<std::u16string> fields;
    for (int index = 0; index < 110; ++index)
        fields.push_back(u"Поле " + WideText::decimal(index) + u" 7701234567");
    // Letters and digits in turn make the symbols widest for their characters.
    std::u16string mixed;
    for (int index = 0; index < 230; ++index)
        mixed += u"Ж1";
    return {{"portrait", false, fields},
            {"landscape", true, fields},
            {"portrait_mixed", false, {mixed}},
            {"landscape_mixed", true, {mixed}}};
}

class Placement : public testing::TestWithParam<PlacementCase> {};

TEST_P(Placement, EverySymbolLiesInAFreeStripOffTheFormAndReadsBack)
{
    const PlacementCase& c = GetParam();
    ScratchFolder folder;
    const std::string software = formSoftware(u"3.3.0.2");
    writeFixtureTiff(folder.file("form.tif"), {{PageBitmap(2480, 3508, 300, 300), FixtureCompression::Group4, software},
                                               {PageBitmap(3508, 2480, 300, 300), FixtureCompression::Group4, software}});
    CPrintDocument document;
    document.Init(u16(folder.file("form.tif")));
    const std::string output = folder.file("page.tif");
    NoJobProgress none;
    document.BuildDocument({barcodeOnlyXml(c.landscape ? 2 : 1, c.values), u16(output), u"", 0}, none);
    const std::vector<PageBitmap> pages = decodeTiff(output);
    ASSERT_EQ(pages.size(), 1u);
    const PageBitmap& page = pages[0];

    const double s = 261.0 / 297;
    const Box sheet = c.landscape ? Box{0, 0, 297, 210} : Box{0, 0, 210, 297};
    const Box form = c.landscape ? Box{36, 25, 36 + 297 * s, 25 + 210 * s} : Box{25, 0, 25 + 210 * s, 297 * s};
    // The top block row and the left block column of a portrait page.
    const std::vector<Box> strips = c.landscape
        ? std::vector<Box>{{0, 0, 36, 210}, {0, 0, 297, 25}}
        : std::vector<Box>{{0, 297 * s, 210, 297}, {0, 0, 25, 297}};
    // The header symbol keeps its place in the form's margin: the top 20 mm of a portrait form,
    // which the landscape page turns to its right side.
    const Box formPrint = c.landscape ? Box{36, 25, 36 + 277 * s, 25 + 210 * s} : Box{25, 20 * s, 25 + 210 * s, 297 * s};
    const auto portraitCross = [&](double x, double y) {
        return c.landscape ? std::pair{297 - y - 2.5, x + 2.5} : std::pair{x + 2.5, y + 2.5};
    };
    const std::vector<std::pair<double, double>> crosses = {portraitCross(12, 20), portraitCross(12, 139),
                                                            portraitCross(93, 275), portraitCross(186, 275)};

    // A whole-page read misses symbols among several: each symbol found is painted white on a
    // copy of the page, and the copy read again until nothing more is found.
    std::vector<FoundSymbol> symbols;
    PageBitmap unread = page;
    while (true) {
        const std::size_t before = symbols.size();
        for (const FoundSymbol& found : findPdf417(unread, 0, 0, sheet.right, sheet.bottom)) {
            if (std::any_of(symbols.begin(), symbols.end(), [&](const FoundSymbol& s) { return s.bytes == found.bytes; }))
                continue;
            symbols.push_back(found);
            const auto pixel = [&](double millimetres) { return static_cast<int>(millimetres * 300 / 25.4); };
            for (int y = std::max(pixel(found.top - 1), 0); y < std::min(pixel(found.bottom + 1), unread.height); ++y)
                for (int x = std::max(pixel(found.left - 1), 0); x < std::min(pixel(found.right + 1), unread.width); ++x)
                    unread.setBlack(x, y, false);
        }
        if (symbols.size() == before)
            break;
    }
    const std::string guid = WideText::toUtf8(sheetGuid(1));
    const std::string identity = WideText::toUtf8(kTestKnd) + WideText::toUtf8(kTestVersion);
    int blockCount = 0;
    int blocksFound = 0;
    bool headerFound = false;
    for (std::size_t index = 0; index < symbols.size(); ++index) {
        const FoundSymbol& symbol = symbols[index];
        SCOPED_TRACE(symbol.bytes.substr(0, 60) + " at " + std::to_string(symbol.left) + ", " +
                     std::to_string(symbol.top) + " - " + std::to_string(symbol.right) + ", " +
                     std::to_string(symbol.bottom));
        EXPECT_TRUE(sheet.holds(symbol)) << "on the page";
        if (symbol.bytes == guid) {
            headerFound = true;
            EXPECT_FALSE(formPrint.meets(symbol)) << "the header symbol stays in the form's margin";
        } else {
            ++blocksFound;
            EXPECT_TRUE(strips[0].holds(symbol) || strips[1].holds(symbol)) << "in a free strip";
            EXPECT_FALSE(form.meets(symbol)) << "off the form";
            if (symbol.bytes.starts_with(identity + guid + "11"))
                blockCount = symbol.bytes[identity.size() + guid.size() + 2] - '0';
        }
        for (const auto& [x, y] : crosses)
            EXPECT_FALSE(x >= symbol.left && x <= symbol.right && y >= symbol.top && y <= symbol.bottom)
                << "no cross over a symbol";
        for (std::size_t other = index + 1; other < symbols.size(); ++other)
            EXPECT_FALSE(overlap(symbol, symbols[other])) << "overlaps " << symbols[other].bytes.substr(0, 60);
    }
    EXPECT_TRUE(headerFound);
    EXPECT_GE(blockCount, 1) << "the first block reads back";
    EXPECT_EQ(blocksFound, blockCount) << "every block reads back";
    for (const auto& [x, y] : crosses)
        EXPECT_TRUE(blackAt(page, x, y)) << "a cross at " << x << ", " << y;
}

INSTANTIATE_TEST_SUITE_P(Sheets, Placement, testing::ValuesIn(placementCases()),
                         [](const testing::TestParamInfo<PlacementCase>& info) { return info.param.name; });

// A folder that holds an earlier build of three sheets: a build that fails at its second sheet
// leaves it as it was, and a build of one sheet leaves that one page alone.
TEST_F(PrintDocumentTest, AFolderReceivesOneWholeDocument)
{
    init(2, 300);
    const std::string output = folder.file("pages");
    fs::create_directory(output);
    build(dataDocumentXml({{1}, {2}, {1}}), output);
    const auto contents = [&] {
        std::vector<std::string> files;
        // A digest keeps a failure's message short.
        for (const std::string& name : filesIn(output))
            files.push_back(name + ":" + std::to_string(std::hash<std::string>{}(fileBytes(output + "/" + name))));
        return files;
    };
    const std::vector<std::string> earlier = contents();
    ASSERT_EQ(earlier.size(), 3u);

    // Sheet 2's number needs more than the two lines its field has.
    const std::u16string failing =
        dataDocumentXml({{1, u"500100732259", u"Петров"}, {2, std::u16string(300, u'5')}});
    EXPECT_THAT(oneLineReport([&] { build(failing, output); }), StartsWith("Данные '5555"));
    EXPECT_EQ(contents(), earlier);

    build(dataDocumentXml({{1, u"500100732259", u"Петров"}}), output);
    ASSERT_THAT(filesIn(output), ElementsAre("000001.tif"));
    const std::vector<PageBitmap> pages = decodeTiff(output + "/000001.tif");
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_THAT(readPdf417(pages[0], 0, 0, 210, 297), testing::Contains(HasSubstr("|500100732259|")))
        << "the new sheet, not the earlier one";
}

class PrintingTest : public PrintDocumentTest {
protected:
    PrintingTest() : printer(folder.file("printed.pdf"), PrinterProperties{}) {}

    FilePrinterSink printer;
};

TEST_F(PrintingTest, TheDocumentGoesToThePrinterAsOneJob)
{
    init();
    struct Case {
        std::u16string caption;
        int copies;
        int scale;
        std::string title;
        int printedCopies;
    };
    const Case cases[] = {
        {u"", 0, 0, "Документ для сдачи", 1},
        {u"Декларация 3-НДФЛ", 7, 150, "Декларация 3-НДФЛ", 7},
        {u"", 250, 50, "Документ для сдачи", 100},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title + " " + std::to_string(c.copies));
        fs::remove(folder.file("printed.pdf"));
        RecordingProgress progress;
        const std::u16string xml = dataDocumentXml({{1}, {2}, {2}}, c.caption);
        document.PrintDocument({xml, u"нечет", c.copies, c.scale}, printer, progress);
        EXPECT_EQ(pdfPageCount(folder.file("printed.pdf")), 2);
        EXPECT_EQ(WideText::toUtf8(printer.lastTitle()), c.title);
        EXPECT_EQ(printer.lastCopies(), c.printedCopies);
        EXPECT_THAT(progress.pages, ElementsAre(std::pair{0, 2}, std::pair{1, 2}));
    }
}

TEST_F(PrintingTest, BlankFormsArePagesOfTheForm)
{
    init(3);
    NoJobProgress none;
    document.PrintBlank({{}, u"нечет", 1, 100}, printer, none);
    EXPECT_EQ(pdfPageCount(folder.file("printed.pdf")), 2);
    EXPECT_EQ(WideText::toUtf8(printer.lastTitle()), "Бланки документа для сдачи");

    EXPECT_THAT(oneLineReport([&] { document.PrintBlank({{}, u"4-9", 1, 100}, printer, none); }),
                StartsWith("Отсутствуют данные."));
}

TEST_F(PrintingTest, ACancelledPrintSendsNothing)
{
    init();
    CancellingView view("1 из 2");
    const std::u16string xml = dataDocumentXml({{1}, {2}});
    EXPECT_THAT(oneLineReport([&] {
                    CViewProcess(JobMode::PrintDocument, view, [&] { document.Cancel(); }).Run([&](JobProgress& progress) {
                        document.PrintDocument({xml, u"", 1, 100}, printer, progress);
                    });
                }),
                StartsWith(cancelledReport("Печать прервана.")));
    EXPECT_FALSE(fs::exists(folder.file("printed.pdf")));
}

// The first page of a printed PDF as poppler renders it at 300 dpi, one bit a pixel, inside a
// white border of `border` millimetres, so that a symbol at the sheet's very edge still has the
// quiet zone the decoder looks for.
PageBitmap printedPage(const ScratchFolder& folder, const std::string& pdf, double border)
{
    const std::string stem = folder.file("printed-page");
    EXPECT_EQ(runCommand("pdftoppm -r 300 -mono -f 1 -l 1 -singlefile '" + pdf + "' '" + stem + "'").status, 0);
    std::ifstream file(stem + ".pbm", std::ios::binary);
    std::string magic;
    int width = 0;
    int height = 0;
    file >> magic >> width >> height;
    file.get();
    const std::string bits{std::istreambuf_iterator<char>(file), {}};
    EXPECT_EQ(magic, "P4");
    const std::size_t stride = (static_cast<std::size_t>(width) + 7) / 8;
    EXPECT_EQ(bits.size(), stride * static_cast<std::size_t>(height));
    const int pad = static_cast<int>(border * 300 / 25.4);
    PageBitmap page(width + 2 * pad, height + 2 * pad, 300, 300);
    for (int y = 0; y < height && bits.size() == stride * static_cast<std::size_t>(height); ++y)
        for (int x = 0; x < width; ++x)
            if ((static_cast<uint8_t>(bits[static_cast<std::size_t>(y) * stride + static_cast<std::size_t>(x / 8)]) >>
                 (7 - x % 8)) & 1)
                page.setBlack(x + pad, y + pad);
    return page;
}

// On printers that print from the sheet's edge (the file sink, CUPS printers that report no
// margins) the margin correction moved the header symbol 1 mm above the sheet, cutting its top
// rows off. Every printer now gets the whole symbol on the sheet, as tall as where no correction
// is needed.
TEST_F(PrintingTest, TheHeaderSymbolStaysWhollyOnTheSheet)
{
    init(1, 300);
    const std::string guid = WideText::toUtf8(sheetGuid(1));
    const double border = 5;
    struct Case {
        const char* name;
        int offset; // dots at 600 dpi, both ways
    };
    const Case cases[] = {{"5 mm margins", 118}, {"no margins", 0}, {"0.5 mm margins", 12}, {"2 mm margins", 48}};
    double fullHeight = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PrinterProperties properties;
        properties.physicalOffsetX = properties.physicalOffsetY = c.offset;
        const std::string path = folder.file(std::string(c.name) + ".pdf");
        FilePrinterSink sheetPrinter(path, properties);
        NoJobProgress none;
        document.PrintDocument({dataDocumentXml({{1, u"500100732259", u"Петров"}}), u"", 1, 100}, sheetPrinter, none);
        const PageBitmap page = printedPage(folder, path, border);
        std::optional<FoundSymbol> header;
        for (const FoundSymbol& symbol : findPdf417(page, 0, 0, 210 + 2 * border, 40 + border))
            if (symbol.bytes == guid)
                header = symbol;
        ASSERT_TRUE(header) << "the header symbol reads back";
        const double top = header->top - border;
        const double height = header->bottom - header->top;
        EXPECT_GE(top, -0.1) << "on the sheet";
        // Nothing is printed above the sheet's top where the symbol stands.
        EXPECT_EQ(inkIn(page, header->left, 0, header->right - header->left, border - 0.1), 0);
        if (fullHeight == 0)
            fullHeight = height;
        EXPECT_NEAR(height, fullHeight, 0.3) << "the whole symbol";
    }
}

TEST_F(PrintDocumentTest, TagsAreWrittenIntoACopyOfTheForm)
{
    init();
    const std::u16string output = u16(folder.file("tagged.tif"));
    const auto rawItem = [&](uint32_t tag) {
        TiffFile file(WideText::toUtf8(output), "r");
        uint32_t count = 0;
        void* data = nullptr;
        return TIFFGetField(file.handle(), tag, &count, &data) ? std::string(static_cast<const char*>(data), count)
                                                               : std::string("missing");
    };
    const auto value = [&](int tag) {
        std::string bytes;
        TiffReadTag(WideText::toUtf8(output), 1, tag, &bytes);
        return bytes;
    };

    // Up to one item's length a byte value is stored as it is; longer, packed.
    const std::u16string oneItem(60000, u'Ж');
    document.SetTag(output, u"все", 50100, oneItem, 0);
    EXPECT_EQ(rawItem(50100).size(), 60000u);
    EXPECT_EQ(value(50100), WideText::toCp1251(oneItem));

    const std::u16string longer(150000, u'Ж');
    document.SetTag(output, u"1", 50200, longer, 0);
    EXPECT_EQ(rawItem(50200).substr(0, 3), "ZIp");
    EXPECT_EQ(value(50200), WideText::toCp1251(longer));
    EXPECT_EQ(value(305), WideText::toCp1251(LibraryVersion::SoftwareText()));

    document.SetTag(output, u"1", 50300, u"абвгд", 3);
    EXPECT_EQ(value(50300), WideText::toCp1251(u"абв"));
    document.SetTag(output, u"1", 270, u"Описание", 0);
    EXPECT_EQ(value(270), WideText::toCp1251(u"Описание"));

    for (int length : {-1, 3, 9})
        EXPECT_THAT(oneLineReport([&] { document.SetTag(output, u"1", 270, u"Описание", length); }),
                    StartsWith("Не верный размер строки"))
            << length;
    EXPECT_THAT(oneLineReport([&] { document.SetTag(output, u"1", 50400, u"абв", 4); }),
                StartsWith("Не верный размер строки"));
}

TEST_F(PrintDocumentTest, NothingWorksBeforeABlankFormIsNamed)
{
    NoJobProgress none;
    FilePrinterSink printer(folder.file("printed.pdf"), PrinterProperties{});
    const std::u16string xml = dataDocumentXml({{1}});
    const std::u16string output = u16(folder.file("out.tif"));
    const std::vector<std::pair<const char*, std::function<void()>>> calls = {
        {"pages", [&] { document.GetNumberPages(); }},
        {"tag size", [&] { document.GetTagSize(1, 305); }},
        {"tag", [&] { document.GetTag(1, 305); }},
        {"set tag", [&] { document.SetTag(output, u"1", 270, u"x", 0); }},
        {"version", [&] { document.CheckTemplateVersion(); }},
        {"build", [&] { document.BuildDocument({xml, output, u"", 0}, none); }},
        {"preview", [&] { document.BuildPage(xml, output, 1, u"png"); }},
        {"print", [&] { document.PrintDocument({xml, u"", 1, 100}, printer, none); }},
        {"blank", [&] { document.PrintBlank({{}, u"", 1, 100}, printer, none); }},
        {"source", [&] { document.SetSourceTiff(u16(form)); }},
    };
    for (const bool withRenderer : {false, true}) {
        if (withRenderer)
            document.Init(u"");
        for (const auto& [name, call] : calls) {
            if (withRenderer && std::string(name) == "source")
                continue;
            EXPECT_THAT(oneLineReport(call), StartsWith(kInvalidParameters)) << name << " " << withRenderer;
        }
    }
    form = versionedForm(folder, 1, 100);
    document.SetSourceTiff(u16(form));
    EXPECT_EQ(document.GetNumberPages(), 1);
    document.Free();
    EXPECT_FALSE(document.hasRenderer());
    EXPECT_THAT(oneLineReport([&] { document.GetNumberPages(); }), StartsWith(kInvalidParameters));
}

TEST_F(PrintDocumentTest, TheFormIsCheckedWhenItIsUsed)
{
    document.Init(u16(folder.file("missing.tif")));
    EXPECT_TRUE(document.initialised());
    EXPECT_THAT(oneLineReport([&] { document.GetNumberPages(); }), StartsWith("Файл не найден: "));
    EXPECT_THAT(oneLineReport([&] { document.SetSourceTiff(u16(folder.file("other.tif"))); }),
                StartsWith("Файл не найден: "));

    const std::string newer = versionedForm(folder, 1, 100, formSoftware(u"4.0.0"), "newer.tif");
    document.SetSourceTiff(u16(newer));
    EXPECT_THAT(oneLineReport([&] { document.CheckTemplateVersion(); }),
                StartsWith("Шаблон (файл: '" + newer + "') для печати требует обновления пакета «Мирдал» с версии "
                           "3.3.2 до версии не менее 4.0.0."));
}

} // namespace
