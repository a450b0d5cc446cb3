#include "Pdf417DecoderSupport.h"

#define ZX_USE_UTF8
#include <ZXing/ReadBarcode.h>

#include <cstdint>
#include <vector>

DecodedSymbol decodeSymbol(const Pdf417Bitmap& bitmap, int wide, int high)
{
    constexpr int QuietZone = 12;
    const int width = bitmap.width * wide + 2 * QuietZone;
    const int height = bitmap.height * high + 2 * QuietZone;
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width) * height, 0xFF);
    for (int y = 0; y < bitmap.height * high; ++y)
        for (int x = 0; x < bitmap.width * wide; ++x)
            if (!bitmap.pixel(x / wide, y / high))
                pixels[static_cast<std::size_t>(y + QuietZone) * width + x + QuietZone] = 0;

    ZXing::DecodeHints hints;
    hints.setFormats(ZXing::BarcodeFormat::PDF417);
    hints.setTryHarder(true);
    const ZXing::Result result =
        ZXing::ReadBarcode(ZXing::ImageView(pixels.data(), width, height, ZXing::ImageFormat::Lum), hints);
    if (!result.isValid())
        return {false, {}, {}, result.error().msg()};
    const ZXing::ByteArray& bytes = result.bytes();
    return {true, std::string(bytes.begin(), bytes.end()), result.ecLevel(), {}};
}
