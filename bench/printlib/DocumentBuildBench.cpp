// Building a declaration through the library's public calls, as the program does: 10 A4 sheets
// at 300 dpi, each with 4 PDF417 symbols, on sheets that alternate between the two pages of a
// blank form, built into one multi-page Group 4 TIFF and into a PDF. Side by side: libtiff's own
// Group 4 encoder writing the 10 page bitmaps that build produced, and our writers writing the
// same bitmaps, so that the write can be told from the drawing. The peak memory of a whole
// build is measured in a child process that does only that build.
//
// Counters: page_s is seconds per page (wall time), barcodes the PDF417 symbols the layout puts on
// the first sheet (its four data blocks and the sheet's guid symbol) and read_back those zxing-cpp
// finds on the first built page (a whole-page read misses some), peak_MB the
// child's VmHWM after building both the TIFF and the PDF, start_MB its VmRSS before.

#include "BenchPages.h"
#include "DataDocument.h"
#include "ORVEXPDOCe.h"
#include "PageBitmap.h"
#include "PageLayout.h"
#include "PageRenderer.h"
#include "PdfWriter.h"
#include "TiffPageWriter.h"
#include "WideText.h"

#include <benchmark/benchmark.h>
#include <tiffio.h>

#define ZX_USE_UTF8
#include <ZXing/ReadBarcode.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kSheets = 10;
constexpr int kFormPages = 2;
constexpr double kDpi = 300;
constexpr int kWidth = 2480;
constexpr int kHeight = 3508;
// Field lines per sheet, two fields each: the data of four small PDF417 blocks.
constexpr int kLines = 30;

class ScratchFolder {
public:
    ScratchFolder()
        : path_(std::filesystem::temp_directory_path() / ("DocumentBuildBench-" + std::to_string(getpid())))
    {
        std::filesystem::create_directories(path_);
    }
    ~ScratchFolder()
    {
        // A child of BM_PeakMemory leaves with _exit and never gets here.
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

const std::filesystem::path& scratchFolder()
{
    static const ScratchFolder folder;
    return folder.path();
}

// A blank form page: frames, rulings, cell rows and some print-like blocks.
PageBitmap formPage(unsigned seed)
{
    PageBitmap page(kWidth, kHeight, kDpi, kDpi);
    std::mt19937 random(seed);
    fillBlack(page, 100, 100, kWidth - 200, 4);
    fillBlack(page, 100, kHeight - 104, kWidth - 200, 4);
    fillBlack(page, 100, 100, 4, kHeight - 200);
    fillBlack(page, kWidth - 104, 100, 4, kHeight - 200);
    for (int top = 700; top + 80 < kHeight - 300; top += 110) {
        fillBlack(page, 150, top - 20, kWidth - 300, 2);
        for (int left = 600; left + 60 < kWidth - 200; left += 59)
            if (random() % 3 != 0) {
                fillBlack(page, left, top, 2, 59);
                fillBlack(page, left + 57, top, 2, 59);
            }
        for (int left = 160; left < 560; left += 14)
            if (random() % 2)
                fillBlack(page, left, top + 20, 10, 24);
    }
    return page;
}

std::string cp1251(std::u16string_view text)
{
    return WideText::toCp1251(text);
}

std::string makeForm()
{
    const std::string path = (scratchFolder() / "form.tif").string();
    const std::string software = cp1251(u"Модуль печати документов со штрих-кодом PDF417. Версия: 3.3.0.2");
    std::vector<PageBitmap> pages;
    for (int index = 0; index < kFormPages; ++index)
        pages.push_back(formPage(static_cast<unsigned>(index + 1)));
    writeG4WithLibtiff(path, pages, software.c_str());
    return path;
}

std::u16string field(const char16_t* name, int left, int top, int width, std::u16string_view print,
                     std::u16string_view value)
{
    return u"<" + std::u16string(name) + u" left=\"" + WideText::decimal(left) + u"\" top=\"" +
           WideText::decimal(top) + u"\" width=\"" + WideText::decimal(width) + u"\" height=\"6\" print=\"" +
           std::u16string(print) + u"\" incBarCode=\"1\">" + std::u16string(value) + u"</" + name + u">";
}

// Ten sheets alternating between form pages 1 and 2, each with barcode data that takes all four
// small PDF417 blocks.
std::u16string dataDocument()
{
    std::u16string xml = u"<?xml version=\"1.0\"?>\n<DOCUMENT knd=\"1151020\" version=\"5.01\">\n";
    for (int sheet = 1; sheet <= kSheets; ++sheet) {
        xml += u"<SHEET pageNumber=\"" + WideText::decimal((sheet - 1) % kFormPages + 1) +
               u"\" code=\"1\" guid=\"0123456789ABCDEF0123456789ABCD" + WideText::decimal(10 + sheet) + u"\">";
        for (int line = 0; line < kLines; ++line) {
            const int top = 60 + line % 24 * 7;
            const int left = line < 24 ? 40 : 120;
            xml += field(u"NUM", left, top, 40, u"12", u"7712345678" + WideText::decimal(10 + line % 90));
            xml += field(u"TXT", left + 42, top, 36, u"t", u"Иванов " + WideText::decimal(sheet * 100 + line));
        }
        xml += u"</SHEET>\n";
    }
    return xml + u"</DOCUMENT>\n";
}

struct Fixture {
    std::string form = makeForm();
    std::u16string data = dataDocument();
};

const Fixture& fixture()
{
    static const Fixture instance;
    return instance;
}

std::u16string lastError()
{
    int32_t size = 0;
    GetLastErrorORVEXPDOCW(nullptr, &size);
    std::u16string text(static_cast<std::size_t>(size) + 1, u'\0');
    GetLastErrorORVEXPDOCW(text.data(), &size);
    text.resize(static_cast<std::size_t>(size));
    return text;
}

// Initialises the library on the fixture's form and builds into `outputPath`; an empty text on
// success, else the library's error.
class Library {
public:
    Library()
    {
        const std::u16string form = WideText::fromUtf8(fixture().form);
        if (!InitORVEXPDOCW(form.c_str()))
            error_ = WideText::toUtf8(lastError());
    }
    ~Library() { FreeORVEXPDOC(); }
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;

    bool build(const std::string& outputPath)
    {
        const std::u16string& data = fixture().data;
        const std::u16string output = WideText::fromUtf8(outputPath);
        if (!error_.empty())
            return false;
        if (!BuildPDocumentW({data.data(), static_cast<int32_t>(data.size())}, output.c_str(), u"", 0, 0, 0))
            error_ = WideText::toUtf8(lastError());
        return error_.empty();
    }
    const std::string& error() const { return error_; }

private:
    std::string error_;
};

std::string outputPath(const char* name)
{
    return (scratchFolder() / name).string();
}

// The pages of a built TIFF as 1-bit bitmaps, black = 1.
std::vector<PageBitmap> readPages(const std::string& path)
{
    std::vector<PageBitmap> pages;
    TIFF* tiff = TIFFOpen(path.c_str(), "r");
    if (!tiff)
        return pages;
    do {
        uint32_t width = 0;
        uint32_t height = 0;
        TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &width);
        TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &height);
        PageBitmap page(static_cast<int>(width), static_cast<int>(height), kDpi, kDpi);
        std::vector<uint8_t> row(static_cast<std::size_t>(TIFFScanlineSize(tiff)));
        for (uint32_t y = 0; y < height; ++y) {
            TIFFReadScanline(tiff, row.data(), y, 0);
            std::memcpy(page.row(static_cast<int>(y)), row.data(), std::min(row.size(), page.stride));
        }
        pages.push_back(std::move(page));
    } while (TIFFReadDirectory(tiff));
    TIFFClose(tiff);
    return pages;
}

const std::vector<PageBitmap>& builtPages()
{
    static const std::vector<PageBitmap> pages = [] {
        Library library;
        const std::string path = outputPath("reference.tif");
        library.build(path);
        return readPages(path);
    }();
    return pages;
}

// The PDF417 symbols the layout puts on the first sheet.
int barcodesOnFirstSheet()
{
    DataDocument document;
    document.LoadData(fixture().data);
    PageLayout layout;
    layout.UseImageTransforms(0);
    PageRenderer renderer;
    renderer.SetSourceTiff(fixture().form);
    layout.LayoutSheet(document.header(), document.ReadSheet(1), renderer, 1);
    int blocks = 0;
    for (const auto& [key, element] : renderer.Elements().elements())
        blocks += element.kind == ElementKind::Barcode ? 1 : 0;
    return blocks;
}

int symbolsOn(const PageBitmap& page)
{
    std::vector<uint8_t> pixels(static_cast<std::size_t>(page.width) * page.height);
    for (int y = 0; y < page.height; ++y)
        for (int x = 0; x < page.width; ++x)
            pixels[static_cast<std::size_t>(y) * page.width + x] = page.isBlack(x, y) ? 0 : 0xFF;
    ZXing::DecodeHints hints;
    hints.setFormats(ZXing::BarcodeFormat::PDF417);
    hints.setTryHarder(true);
    const auto results =
        ZXing::ReadBarcodes(ZXing::ImageView(pixels.data(), page.width, page.height, ZXing::ImageFormat::Lum), hints);
    int valid = 0;
    for (const auto& result : results)
        valid += result.isValid() ? 1 : 0;
    return valid;
}

void setPageCounters(benchmark::State& state)
{
    state.counters["page_s"] =
        benchmark::Counter(kSheets, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void buildInto(benchmark::State& state, const char* name)
{
    Library library;
    const std::string path = outputPath(name);
    for (auto _ : state)
        if (!library.build(path)) {
            state.SkipWithError(library.error().c_str());
            break;
        }
    setPageCounters(state);
}

void BM_BuildTiff(benchmark::State& state)
{
    buildInto(state, "build.tif");
    state.counters["barcodes"] = barcodesOnFirstSheet();
    if (!builtPages().empty())
        state.counters["read_back"] = symbolsOn(builtPages().front());
}

void BM_BuildPdf(benchmark::State& state)
{
    buildInto(state, "build.pdf");
}

// Into a folder of page files, each build replacing the pages of the build before.
void BM_BuildFolder(benchmark::State& state)
{
    std::filesystem::create_directories(outputPath("pages"));
    buildInto(state, "pages");
}

void BM_LibtiffWrite(benchmark::State& state)
{
    const std::vector<PageBitmap>& pages = builtPages();
    const std::string path = outputPath("libtiff.tif");
    for (auto _ : state)
        writeG4WithLibtiff(path, pages, "Benchmark. Version: 1");
    setPageCounters(state);
}

// The write part of a TIFF build: our writer on the same bitmaps (with the fsync of the finished
// file, which the libtiff run does not do).
void BM_TiffWrite(benchmark::State& state)
{
    const std::vector<PageBitmap>& pages = builtPages();
    const std::string path = outputPath("write.tif");
    for (auto _ : state) {
        TiffPageWriter writer(path);
        for (const PageBitmap& page : pages)
            writer.addPage(page, {"Benchmark. Version: 1", "2021:12:31 12:00:00"});
        writer.finish();
    }
    setPageCounters(state);
}

void BM_PdfWrite(benchmark::State& state)
{
    const std::vector<PageBitmap>& pages = builtPages();
    const std::string path = outputPath("write.pdf");
    for (auto _ : state) {
        PdfWriter writer(path, static_cast<int>(pages.size()));
        writer.BeginPdf();
        for (const PageBitmap& page : pages)
            writer.AddPage(page);
        writer.FinishPdf();
    }
    setPageCounters(state);
}

// kB of a line "Name:   1234 kB" of /proc/self/status.
double statusMegabytes(const char* name)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(name, 0) == 0)
            return std::stod(line.substr(std::strlen(name))) / 1024;
    return 0;
}

// A child that has built nothing yet builds the TIFF and the PDF once and reports its memory.
void BM_PeakMemory(benchmark::State& state)
{
    fixture();
    for (auto _ : state) {
        int pipe[2];
        if (::pipe(pipe) != 0) {
            state.SkipWithError("pipe");
            return;
        }
        const pid_t child = fork();
        if (child == 0) {
            double figures[2] = {statusMegabytes("VmRSS:"), 0};
            Library library;
            const bool built = library.build(outputPath("peak.tif")) && library.build(outputPath("peak.pdf"));
            figures[1] = built ? statusMegabytes("VmHWM:") : -1;
            const ssize_t written = write(pipe[1], figures, sizeof figures);
            _exit(written == sizeof figures ? 0 : 1);
        }
        close(pipe[1]);
        double figures[2] = {0, 0};
        const ssize_t got = read(pipe[0], figures, sizeof figures);
        close(pipe[0]);
        int status = 0;
        waitpid(child, &status, 0);
        if (got != sizeof figures || figures[1] < 0) {
            state.SkipWithError("the child's build failed");
            return;
        }
        state.counters["start_MB"] = figures[0];
        state.counters["peak_MB"] = figures[1];
    }
}

} // namespace

// First, so that the child starts from a process that has built nothing.
BENCHMARK(BM_PeakMemory)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_BuildTiff)->Unit(benchmark::kMillisecond)->MinTime(2)->UseRealTime();
BENCHMARK(BM_BuildPdf)->Unit(benchmark::kMillisecond)->MinTime(2)->UseRealTime();
BENCHMARK(BM_BuildFolder)->Unit(benchmark::kMillisecond)->MinTime(2)->UseRealTime();
BENCHMARK(BM_LibtiffWrite)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_TiffWrite)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PdfWrite)->Unit(benchmark::kMillisecond)->UseRealTime();
