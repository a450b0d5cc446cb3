// Feeds arbitrary data and option texts to the PDF417 encoder as a barcode element hands them
// over: a bad option raises the library's error, data that does not fit is refused, and any
// symbol made has the size its shape and options call for.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
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
    bool fits = false;
    try {
        Pdf417Refusal refusal;
        fits = CheckPdf417Fits(arguments, refusal);
        check(fits || refusal.code == SSError::kErr0xC008000B);
    } catch (const SSError::CError&) {
        return 0; // a bad option
    }
    try {
        BuildPdf417Symbol(symbol);
    } catch (const SSError::CError&) {
        check(!fits);
        return 0;
    }
    check(fits);
    const Pdf417Bitmap& bitmap = symbol.bitmap;
    check(bitmap.width > 0 && bitmap.height > 0 && bitmap.stride % 4 == 0 && bitmap.stride * 8 >= bitmap.width);
    check(bitmap.bits.size() == static_cast<std::size_t>(bitmap.stride) * static_cast<std::size_t>(bitmap.height));
    return 0;
}
