#include "Pdf417Painter.h"

#include "Pdf417Codewords.h"

#include <algorithm>
#include <utility>

namespace {

void setPixel(std::uint8_t* row, int x) { row[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8)); }

// Appends patterns to a bitmap row, most significant bit first.
class RowWriter {
public:
    explicit RowWriter(std::uint8_t* row) : row_(row) {}

    void write(std::uint32_t pattern, int modules)
    {
        for (int i = modules - 1; i >= 0; --i, ++position_)
            if (pattern >> i & 1)
                setPixel(row_, position_);
    }

private:
    std::uint8_t* row_;
    int position_ = 0;
};

// Left and right row indicators: they carry the row count, the column count and the
// error-correction level, each in the row of the cluster that holds it.
std::pair<int, int> rowIndicators(int row, const Pdf417Fit& fit)
{
    const int base = 30 * (row / 3);
    const int rowsPart = (fit.rows - 1) / 3;
    const int columnsPart = fit.columns - 1;
    const int levelPart = 3 * fit.errorLevel + (fit.rows - 1) % 3;
    switch (row % 3) {
    case 0:
        return {base + rowsPart, base + columnsPart};
    case 1:
        return {base + levelPart, base + rowsPart};
    default:
        return {base + columnsPart, base + levelPart};
    }
}

int paddedStride(int widthBits) { return (widthBits + 31) / 32 * 4; }

Pdf417Bitmap blankBitmap(int width, int height, int stride)
{
    return {width, height, stride, std::vector<std::uint8_t>(static_cast<std::size_t>(stride) * height)};
}

// A bitmap of columns × rows modules of size × size pixels; `isSet(x, y)` tells the module's bit.
template <typename IsSet>
Pdf417Bitmap scaledModules(int columns, int rows, int size, IsSet isSet)
{
    const int width = columns * size;
    Pdf417Bitmap result = blankBitmap(width, rows * size, paddedStride(width));
    for (int y = 0; y < rows; ++y) {
        std::uint8_t* first = &result.bits[static_cast<std::size_t>(y) * size * result.stride];
        for (int x = 0; x < columns; ++x)
            if (isSet(x, y))
                for (int pixel = x * size; pixel < (x + 1) * size; ++pixel)
                    setPixel(first, pixel);
        for (int copy = 1; copy < size; ++copy)
            std::copy(first, first + result.stride, first + static_cast<std::size_t>(copy) * result.stride);
    }
    return result;
}

} // namespace

Pdf417Bitmap PaintSymbol(const Pdf417Fit& fit, std::span<const int> errorCorrection, bool inverted)
{
    const int width = Pdf417RowModules(fit.columns);
    Pdf417Bitmap bitmap = blankBitmap(width, fit.rows, (width - 1) / 8 + 1);
    std::vector<int> codewords = fit.dataCodewords;
    codewords.insert(codewords.end(), errorCorrection.begin(), errorCorrection.end());
    for (int row = 0; row < fit.rows; ++row) {
        const auto& patterns = Pdf417Patterns[row % 3];
        const auto [left, right] = rowIndicators(row, fit);
        RowWriter writer(&bitmap.bits[row * bitmap.stride]);
        writer.write(Pdf417StartPattern, Pdf417StartModules);
        writer.write(patterns[left], Pdf417ModulesPerCodeword);
        for (int column = 0; column < fit.columns; ++column)
            writer.write(patterns[codewords[row * fit.columns + column]], Pdf417ModulesPerCodeword);
        writer.write(patterns[right], Pdf417ModulesPerCodeword);
        writer.write(Pdf417StopPattern, Pdf417StopModules);
    }
    if (inverted)
        for (std::uint8_t& byte : bitmap.bits)
            byte = static_cast<std::uint8_t>(~byte);
    return bitmap;
}

Pdf417Bitmap ScaleSymbolBitmap(const Pdf417Bitmap& modules, int moduleSize, char orientation)
{
    if (orientation == 'V')
        return scaledModules(modules.height, modules.width, moduleSize,
                             [&](int x, int y) { return modules.pixel(y, modules.height - 1 - x); });
    return scaledModules(modules.width, modules.height, moduleSize, [&](int x, int y) { return modules.pixel(x, y); });
}
