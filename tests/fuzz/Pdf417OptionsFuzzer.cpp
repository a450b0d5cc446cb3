// Feeds arbitrary data and option texts to the PDF417 encoder as a barcode element hands them
// over: a bad option raises the library's error, the measure and the encoder agree on whether
// the data fits, and any symbol made has the size its measured shape and options call for.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

#include "FuzzText.h"
#include "Pdf417.h"
#include "SSError.h"

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

// The options up to the first line feed, the data after it.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    const std::u16string input = fuzzText(data, size);
    const std::size_t lineEnd = std::min(input.find(u'\n'), input.size());
    Pdf417Symbol symbol;
    Pdf417SetOptions(symbol, std::u16string_view(input).substr(0, lineEnd));
    Pdf417SetData(symbol, std::u16string_view(input).substr(std::min(lineEnd + 1, input.size())));

    const Pdf417Arguments arguments = SplitPdf417Options(symbol.dataText, symbol.optionText);
    std::optional<Pdf417Shape> shape;
    std::optional<Pdf417Params> params;
    try {
        shape = MeasurePdf417(arguments);
        params = ParsePdf417Options(arguments);
    } catch (const SSError::CError&) {
        return 0; // a bad option
    }
    try {
        BuildPdf417Symbol(symbol);
    } catch (const SSError::CError& error) {
        check(!shape && error.report().find(u"0xC008000B") != std::u16string::npos);
        return 0;
    }
    check(shape && params);
    const Pdf417Bitmap& bitmap = symbol.bitmap;
    int width = Pdf417RowModules(shape->columns) * params->moduleSize;
    int height = shape->rows * params->moduleSize;
    if (params->orientation == 'V')
        std::swap(width, height);
    check(bitmap.width == width && bitmap.height == height);
    check(bitmap.stride % 4 == 0 && bitmap.stride * 8 >= bitmap.width);
    check(bitmap.bits.size() == static_cast<std::size_t>(bitmap.stride) * static_cast<std::size_t>(bitmap.height));
    return 0;
}
