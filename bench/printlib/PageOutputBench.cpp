// Writing 20 pages of 300 dpi A4 bitmaps (2480 x 3508) as one multi-page Group 4 TIFF, as a
// folder of page files and as a PDF, side by side with libtiff's own Group 4 encoder writing the
// same bitmaps line by line.
// Pages are form-like (frames, rulings, digit cells); the noisy variant adds 3 % random black
// pixels, the worst a scanned background could bring. Our writers include the fsync of the
// finished file; the libtiff run does not.

#include "BenchPages.h"
#include "PageBitmap.h"
#include "PageOutput.h"
#include "PdfWriter.h"
#include "TiffPageWriter.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kPages = 20;
constexpr int kWidth = 2480;
constexpr int kHeight = 3508;

PageBitmap formPage(unsigned seed, bool noisy)
{
    PageBitmap page(kWidth, kHeight, 300, 300);
    std::mt19937 random(seed);
    fillBlack(page, 100, 100, kWidth - 200, 4);
    fillBlack(page, 100, kHeight - 104, kWidth - 200, 4);
    fillBlack(page, 100, 100, 4, kHeight - 200);
    fillBlack(page, kWidth - 104, 100, 4, kHeight - 200);
    for (int top = 300; top + 80 < kHeight - 300; top += 120) {
        fillBlack(page, 150, top - 20, kWidth - 300, 2);
        for (int left = 200; left + 50 < kWidth - 200; left += 60) {
            fillBlack(page, left, top, 2, 60);
            fillBlack(page, left + 48, top, 2, 60);
            if (random() % 4 != 0) {
                fillBlack(page, left + 12, top + 10, 24, 4);
                fillBlack(page, left + 32 - static_cast<int>(random() % 20), top + 10, 4, 40);
                fillBlack(page, left + 12, top + 46, 24, 4);
            }
        }
    }
    // A barcode-like block: narrow bars of random widths.
    for (int x = 300; x < 2100;) {
        const int bar = 3 + static_cast<int>(random() % 12);
        if (random() % 2)
            fillBlack(page, x, 3000, bar, 300);
        x += bar;
    }
    if (noisy)
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                if (random() % 100 < 3)
                    page.setBlack(x, y);
    return page;
}

const std::vector<PageBitmap>& pages(bool noisy)
{
    static const std::vector<PageBitmap> sets[2] = {[] {
                                                        std::vector<PageBitmap> set;
                                                        for (unsigned seed = 0; seed < kPages; ++seed)
                                                            set.push_back(formPage(seed, false));
                                                        return set;
                                                    }(),
                                                    [] {
                                                        std::vector<PageBitmap> set;
                                                        for (unsigned seed = 0; seed < kPages; ++seed)
                                                            set.push_back(formPage(seed, true));
                                                        return set;
                                                    }()};
    return sets[noisy ? 1 : 0];
}

std::string outputPath(const char* name)
{
    return (std::filesystem::temp_directory_path() / (std::to_string(getpid()) + "-" + name)).string();
}

void setBytes(benchmark::State& state, const std::string& path)
{
    state.counters["file_kB"] = static_cast<double>(std::filesystem::file_size(path)) / 1024;
    std::filesystem::remove(path);
}

void BM_MultiPageTiff(benchmark::State& state)
{
    const std::vector<PageBitmap>& set = pages(state.range(0) != 0);
    const std::string path = outputPath("pages.tif");
    for (auto _ : state) {
        TiffPageWriter writer(path);
        for (const PageBitmap& page : set)
            writer.addPage(page, {"Benchmark. Version: 1", "2021:12:31 12:00:00"});
        writer.finish();
    }
    setBytes(state, path);
}

void BM_Pdf(benchmark::State& state)
{
    const std::vector<PageBitmap>& set = pages(state.range(0) != 0);
    const std::string path = outputPath("pages.pdf");
    for (auto _ : state) {
        PdfWriter writer(path, kPages);
        writer.BeginPdf();
        for (const PageBitmap& page : set)
            writer.AddPage(page);
        writer.FinishPdf();
    }
    setBytes(state, path);
}

// The same pages as files of a folder, each run replacing the pages of the run before.
void BM_Folder(benchmark::State& state)
{
    const std::vector<PageBitmap>& set = pages(state.range(0) != 0);
    const std::string path = outputPath("pages");
    std::filesystem::create_directory(path);
    for (auto _ : state) {
        PageOutput output;
        output.open(path);
        for (const PageBitmap& page : set)
            output.write(page, {"Benchmark. Version: 1", "2021:12:31 12:00:00"});
        output.close();
    }
    std::uintmax_t bytes = 0;
    for (const auto& entry : std::filesystem::directory_iterator(path))
        bytes += entry.file_size();
    state.counters["file_kB"] = static_cast<double>(bytes) / 1024;
    std::filesystem::remove_all(path);
}

void BM_LibtiffMultiPageTiff(benchmark::State& state)
{
    const std::vector<PageBitmap>& set = pages(state.range(0) != 0);
    const std::string path = outputPath("libtiff.tif");
    for (auto _ : state)
        writeG4WithLibtiff(path, set, "Benchmark. Version: 1");
    setBytes(state, path);
}

} // namespace

BENCHMARK(BM_LibtiffMultiPageTiff)->ArgName("noisy")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MultiPageTiff)->ArgName("noisy")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Folder)->ArgName("noisy")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Pdf)->ArgName("noisy")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
