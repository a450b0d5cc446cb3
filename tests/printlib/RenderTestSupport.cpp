#include "RenderTestSupport.h"

#include "PageRaster.h"
#include "WideText.h"

#define ZX_USE_UTF8
#include <ZXing/ReadBarcode.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>

namespace {

std::string decimal(double value)
{
    char text[32];
    return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
}

int pixelOf(double millimetres, double dpi)
{
    return static_cast<int>(std::floor(millimetres * dpi / 25.4));
}

struct PixelRect {
    int left;
    int top;
    int right;
    int bottom;
};

PixelRect pixelsOf(const PageBitmap& page, double x, double y, double width, double height)
{
    return {std::clamp(pixelOf(x, page.xDpi), 0, page.width), std::clamp(pixelOf(y, page.yDpi), 0, page.height),
            std::clamp(pixelOf(x + width, page.xDpi), 0, page.width),
            std::clamp(pixelOf(y + height, page.yDpi), 0, page.height)};
}

// Decodes the PDF417 symbols inside rect of the page, read as black on white.
ZXing::Results pdf417SymbolsIn(const PageBitmap& page, const PixelRect& rect)
{
    const int columns = rect.right - rect.left;
    const int rows = rect.bottom - rect.top;
    std::vector<uint8_t> luminance(static_cast<std::size_t>(columns) * rows, 0xFF);
    for (int row = 0; row < rows; ++row)
        for (int column = 0; column < columns; ++column)
            if (page.isBlack(rect.left + column, rect.top + row))
                luminance[static_cast<std::size_t>(row) * columns + column] = 0;
    ZXing::DecodeHints hints;
    hints.setFormats(ZXing::BarcodeFormat::PDF417);
    hints.setTryHarder(true);
    hints.setTryRotate(true);
    return ZXing::ReadBarcodes(ZXing::ImageView(luminance.data(), columns, rows, ZXing::ImageFormat::Lum), hints);
}

} // namespace

std::string blankForm(const ScratchFolder& folder, int pages, int width, int height, double dpi)
{
    std::vector<FixturePage> frames;
    for (int page = 0; page < pages; ++page)
        frames.push_back({PageBitmap(width, height, dpi, dpi), FixtureCompression::Group4, {}});
    const std::string path = folder.file("form.tif");
    writeFixtureTiff(path, frames);
    return path;
}

std::u16string StringCommand::text() const
{
    const auto clip = [](double value) { return value == 0 ? std::string(" ") : decimal(value); };
    const std::string command = "STRING;" + decimal(x) + ";" + decimal(y) + ";" + decimal(width) + ";" +
                                decimal(height) + ";" + clip(clipWidth) + ";" + clip(clipHeight) + "; " + font + ";" +
                                decimal(size) + ";;" + std::to_string(style) + "; " + std::to_string(alignment) +
                                ";" + std::to_string(lineAlignment) + ";" + std::to_string(flags) + ";;" + tabStops;
    return WideText::fromUtf8(command);
}

std::u16string crossCommand(double x, double y, double width, double height, double pen)
{
    return WideText::fromUtf8("CROSS;" + decimal(x) + ";" + decimal(y) + ";" + decimal(width) + ";" +
                              decimal(height) + ";" + decimal(pen) + ";");
}

std::u16string barcodeCommand(double x, double y)
{
    return WideText::fromUtf8("BARCODE;" + decimal(x) + ";" + decimal(y) + ";");
}

TestCanvas::TestCanvas(double widthMm, double heightMm, double dpi)
    : dpi_(dpi), surface_(cairo_image_surface_create(CAIRO_FORMAT_RGB24, pixelOf(widthMm, dpi),
                                                     pixelOf(heightMm, dpi))),
      cr_(cairo_create(surface_.get()))
{
    canvas_.cr = cr_.get();
    canvas_.dpi = dpi;
    cairo_matrix_init_scale(&canvas_.pageMatrix, dpi / 25.4, dpi / 25.4);
    drawForOneBit(cr_.get());
    cairo_set_matrix(cr_.get(), &canvas_.pageMatrix);
    cairo_set_source_rgb(cr_.get(), 1, 1, 1);
    cairo_paint(cr_.get());
    cairo_set_source_rgb(cr_.get(), 0, 0, 0);
}

PageBitmap TestCanvas::oneBit() const
{
    return ToOneBit(surface_.get(), dpi_, dpi_);
}

int inkIn(const PageBitmap& page, double x, double y, double width, double height)
{
    const PixelRect rect = pixelsOf(page, x, y, width, height);
    int ink = 0;
    for (int row = rect.top; row < rect.bottom; ++row)
        for (int column = rect.left; column < rect.right; ++column)
            ink += page.isBlack(column, row);
    return ink;
}

bool blackAt(const PageBitmap& page, double x, double y)
{
    const int column = pixelOf(x, page.xDpi);
    const int row = pixelOf(y, page.yDpi);
    return column >= 0 && row >= 0 && column < page.width && row < page.height && page.isBlack(column, row);
}

InkBox inkBox(const PageBitmap& page, double x, double y, double width, double height)
{
    const PixelRect rect = pixelsOf(page, x, y, width, height);
    int left = rect.right;
    int top = rect.bottom;
    int right = rect.left - 1;
    int bottom = rect.top - 1;
    for (int row = rect.top; row < rect.bottom; ++row)
        for (int column = rect.left; column < rect.right; ++column)
            if (page.isBlack(column, row)) {
                left = std::min(left, column);
                right = std::max(right, column);
                top = std::min(top, row);
                bottom = std::max(bottom, row);
            }
    if (right < left)
        return {};
    const double perPixelX = 25.4 / page.xDpi;
    const double perPixelY = 25.4 / page.yDpi;
    return {left * perPixelX, top * perPixelY, (right + 1) * perPixelX, (bottom + 1) * perPixelY, false};
}

std::vector<double> inkRows(const PageBitmap& page, double x, double top, double bottom)
{
    const int column = pixelOf(x, page.xDpi);
    const int first = std::clamp(pixelOf(top, page.yDpi), 0, page.height);
    const int last = std::clamp(pixelOf(bottom, page.yDpi), 0, page.height);
    std::vector<double> rows;
    int runStart = -1;
    for (int row = first; row <= last; ++row) {
        const bool black = row < last && page.isBlack(column, row);
        if (black && runStart < 0)
            runStart = row;
        if (!black && runStart >= 0) {
            rows.push_back((runStart + row) / 2.0 * 25.4 / page.yDpi);
            runStart = -1;
        }
    }
    return rows;
}

std::vector<std::string> readPdf417(const PageBitmap& page, double x, double y, double width, double height)
{
    std::vector<std::string> symbols;
    for (const ZXing::Result& result : pdf417SymbolsIn(page, pixelsOf(page, x, y, width, height))) {
        const ZXing::ByteArray& bytes = result.bytes();
        symbols.emplace_back(bytes.begin(), bytes.end());
    }
    return symbols;
}

std::vector<FoundSymbol> findPdf417(const PageBitmap& page, double x, double y, double width, double height)
{
    const PixelRect rect = pixelsOf(page, x, y, width, height);
    std::vector<FoundSymbol> symbols;
    for (const ZXing::Result& result : pdf417SymbolsIn(page, rect)) {
        const ZXing::ByteArray& bytes = result.bytes();
        FoundSymbol symbol{std::string(bytes.begin(), bytes.end()), 1e9, 1e9, -1e9, -1e9};
        for (const ZXing::PointI& corner : result.position()) {
            const int pixelX = rect.left + corner.x;
            const int pixelY = rect.top + corner.y;
            symbol.left = std::min(symbol.left, pixelX * 25.4 / page.xDpi);
            symbol.right = std::max(symbol.right, (pixelX + 1) * 25.4 / page.xDpi);
            symbol.top = std::min(symbol.top, pixelY * 25.4 / page.yDpi);
            symbol.bottom = std::max(symbol.bottom, (pixelY + 1) * 25.4 / page.yDpi);
        }
        symbols.push_back(std::move(symbol));
    }
    return symbols;
}

std::vector<std::string> filesIn(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string pdfText(const std::string& path)
{
    return runCommand("pdftotext -q '" + path + "' -").output;
}

int pdfPageCount(const std::string& path)
{
    const CommandResult info = runCommand("pdfinfo '" + path + "'");
    const std::size_t at = info.output.find("Pages:");
    if (info.status != 0 || at == std::string::npos)
        return -1;
    std::size_t digits = info.output.find_first_of("0123456789", at);
    int count = -1;
    std::from_chars(info.output.data() + digits, info.output.data() + info.output.size(), count);
    return count;
}
