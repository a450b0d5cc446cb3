#include "PageImageFile.h"

#include "CairoHandles.h"
#include "SSError.h"
#include "TempFile.h"
#include "WideText.h"

#include <gif_lib.h>
#include <jpeglib.h>

#include <array>
#include <bit>
#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace {

constexpr int kSource = SSError::kRendererSourceOffset + SSError::kSourceTifOperation;

std::u16string lowerCase(std::u16string_view text)
{
    std::u16string lower(text);
    for (char16_t& c : lower)
        c = WideText::lowerAscii(c);
    return lower;
}

// ---- PNG

// Cairo writes an A1 image as a 1-bit grey PNG, a set bit white; its A1 pixels are packed from
// the least significant bit of each byte on a little-endian platform.
static_assert(std::endian::native == std::endian::little);
std::array<uint8_t, 256> whiteBitsReversed()
{
    std::array<uint8_t, 256> table{};
    for (int byte = 0; byte < 256; ++byte) {
        uint8_t reversed = 0;
        for (int bit = 0; bit < 8; ++bit)
            if (byte & (1 << bit))
                reversed |= static_cast<uint8_t>(0x80 >> bit);
        table[static_cast<std::size_t>(byte)] = static_cast<uint8_t>(~reversed);
    }
    return table;
}

cairo_status_t appendBytes(void* bytes, const unsigned char* data, unsigned int length)
{
    try {
        static_cast<std::string*>(bytes)->append(reinterpret_cast<const char*>(data), length);
    } catch (const std::bad_alloc&) {
        return CAIRO_STATUS_NO_MEMORY;
    }
    return CAIRO_STATUS_SUCCESS;
}

std::string encodePng(const PageBitmap& page)
{
    static const std::array<uint8_t, 256> kTable = whiteBitsReversed();
    CairoSurface image(cairo_image_surface_create(CAIRO_FORMAT_A1, page.width, page.height));
    checkCairo(image.get(), __LINE__);
    cairo_surface_flush(image.get());
    unsigned char* data = cairo_image_surface_get_data(image.get());
    const auto stride = static_cast<std::size_t>(cairo_image_surface_get_stride(image.get()));
    const std::size_t rowBytes = (static_cast<std::size_t>(page.width) + 7) / 8;
    for (int y = 0; y < page.height; ++y) {
        const uint8_t* bits = page.row(y);
        unsigned char* row = data + stride * static_cast<std::size_t>(y);
        for (std::size_t i = 0; i < rowBytes; ++i)
            row[i] = kTable[bits[i]];
    }
    cairo_surface_mark_dirty(image.get());
    std::string png;
    if (const cairo_status_t status = cairo_surface_write_to_png_stream(image.get(), appendBytes, &png);
        status != CAIRO_STATUS_SUCCESS)
        raiseCairoError(status, __LINE__);
    return png;
}

// ---- BMP

void putLittleEndian(std::string& bytes, uint32_t value, int size)
{
    for (int i = 0; i < size; ++i)
        bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
}

uint32_t pixelsPerMetre(double dpi)
{
    return static_cast<uint32_t>(std::lround(dpi / 0.0254));
}

std::string encodeBmp(const PageBitmap& page)
{
    constexpr uint32_t kHeadersAndPalette = 14 + 40 + 8;
    // Rows are padded to 32 bits in both; BMP stores the bottom row first.
    const auto imageSize = static_cast<uint32_t>(page.stride * static_cast<std::size_t>(page.height));
    std::string bmp = "BM";
    putLittleEndian(bmp, kHeadersAndPalette + imageSize, 4);
    putLittleEndian(bmp, 0, 4);
    putLittleEndian(bmp, kHeadersAndPalette, 4);
    putLittleEndian(bmp, 40, 4);
    putLittleEndian(bmp, static_cast<uint32_t>(page.width), 4);
    putLittleEndian(bmp, static_cast<uint32_t>(page.height), 4);
    putLittleEndian(bmp, 1, 2);  // planes
    putLittleEndian(bmp, 1, 2);  // bits per pixel
    putLittleEndian(bmp, 0, 4);  // no compression
    putLittleEndian(bmp, imageSize, 4);
    putLittleEndian(bmp, pixelsPerMetre(page.xDpi), 4);
    putLittleEndian(bmp, pixelsPerMetre(page.yDpi), 4);
    putLittleEndian(bmp, 2, 4);  // colours used
    putLittleEndian(bmp, 2, 4);  // colours important
    putLittleEndian(bmp, 0xFFFFFF, 4); // index 0 white
    putLittleEndian(bmp, 0x000000, 4); // index 1 black, as a set bit of the page is
    bmp.reserve(bmp.size() + imageSize);
    for (int y = page.height - 1; y >= 0; --y)
        bmp.append(reinterpret_cast<const char*>(page.row(y)), page.stride);
    return bmp;
}

// ---- JPEG

struct JpegFailure {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void onJpegError(j_common_ptr info)
{
    auto* failure = reinterpret_cast<JpegFailure*>(info->err);
    info->err->format_message(info, failure->message);
    std::longjmp(failure->jump, 1);
}

// libjpeg reports failures by a long jump, so no C++ object with a destructor lives in this
// function; the row buffer is the caller's. The JPEG lands in a buffer libjpeg allocates.
bool compressJpeg(const PageBitmap& page, unsigned char* row, unsigned char** jpeg, unsigned long* size,
                  JpegFailure& failure)
{
    jpeg_compress_struct info;
    info.err = jpeg_std_error(&failure.manager);
    failure.manager.error_exit = onJpegError;
    if (setjmp(failure.jump)) {
        jpeg_destroy_compress(&info);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, jpeg, size);
    info.image_width = static_cast<JDIMENSION>(page.width);
    info.image_height = static_cast<JDIMENSION>(page.height);
    info.input_components = 1;
    info.in_color_space = JCS_GRAYSCALE;
    jpeg_set_defaults(&info);
    info.density_unit = 1; // dots per inch
    info.X_density = static_cast<UINT16>(std::lround(page.xDpi));
    info.Y_density = static_cast<UINT16>(std::lround(page.yDpi));
    jpeg_start_compress(&info, TRUE);
    for (int y = 0; y < page.height; ++y) {
        for (int x = 0; x < page.width; ++x)
            row[x] = page.isBlack(x, y) ? 0 : 255;
        JSAMPROW rows[] = {row};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

std::string encodeJpeg(const PageBitmap& page)
{
    std::vector<unsigned char> row(static_cast<std::size_t>(page.width));
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    JpegFailure failure{};
    const bool compressed = compressJpeg(page, row.data(), &buffer, &size, failure);
    const std::unique_ptr<unsigned char, decltype(&std::free)> owned(buffer, &std::free);
    if (!compressed)
        SSError::CPrgError(kSource, __LINE__, SSError::kErrGdiPlus)
            .addDetail(u"JPEG: " + WideText::fromUtf8(failure.message))
            .raise();
    return std::string(reinterpret_cast<const char*>(buffer), size);
}

// ---- GIF

int appendGifBytes(GifFileType* gif, const GifByteType* data, int length)
{
    try {
        static_cast<std::string*>(gif->UserData)->append(reinterpret_cast<const char*>(data),
                                                         static_cast<std::size_t>(length));
    } catch (const std::bad_alloc&) {
        return 0;
    }
    return length;
}

[[noreturn]] void raiseGifError(int error, int line)
{
    const char* text = GifErrorString(error);
    SSError::CPrgError(kSource, line, SSError::kErrGdiPlus)
        .addDetail(u"GIF: " + WideText::fromUtf8(text ? text : "") + u" (" + WideText::decimal(error) + u")")
        .raise();
}

struct GifCloser {
    void operator()(GifFileType* gif) const
    {
        int ignored = 0;
        EGifCloseFile(gif, &ignored);
    }
};

struct ColourMapFree {
    void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};

// A 1-bit page as a GIF of two colours, index 0 white and 1 black, as a set bit of the page is.
// GIF keeps no resolution.
std::string encodeGif(const PageBitmap& page)
{
    const GifColorType colours[] = {{255, 255, 255}, {0, 0, 0}};
    const std::unique_ptr<ColorMapObject, ColourMapFree> map(GifMakeMapObject(2, colours));
    if (!map)
        raiseGifError(E_GIF_ERR_NOT_ENOUGH_MEM, __LINE__);
    std::string gif;
    int error = 0;
    std::unique_ptr<GifFileType, GifCloser> file(EGifOpen(&gif, appendGifBytes, &error));
    if (!file)
        raiseGifError(error, __LINE__);
    if (EGifPutScreenDesc(file.get(), page.width, page.height, 1, 0, map.get()) == GIF_ERROR ||
        EGifPutImageDesc(file.get(), 0, 0, page.width, page.height, false, nullptr) == GIF_ERROR)
        raiseGifError(file->Error, __LINE__);
    std::vector<GifPixelType> row(static_cast<std::size_t>(page.width));
    for (int y = 0; y < page.height; ++y) {
        for (int x = 0; x < page.width; ++x)
            row[static_cast<std::size_t>(x)] = page.isBlack(x, y) ? 1 : 0;
        if (EGifPutLine(file.get(), row.data(), page.width) == GIF_ERROR)
            raiseGifError(file->Error, __LINE__);
    }
    // Closing writes the trailer.
    if (EGifCloseFile(file.release(), &error) == GIF_ERROR)
        raiseGifError(error, __LINE__);
    return gif;
}

void writeBytes(const std::string& path, const std::string& bytes)
{
    TempFile file(path);
    file.write(bytes.data(), bytes.size());
    file.commit();
}

} // namespace

std::u16string imageMimeType(std::u16string_view type)
{
    const std::u16string lower = lowerCase(type);
    return lower.starts_with(u"image/") ? std::u16string(type) : u"image/" + std::u16string(type);
}

std::optional<std::u16string> previewImageType(std::u16string_view type)
{
    std::u16string name = lowerCase(type);
    if (name == u"tif")
        name = u"tiff";
    else if (name == u"jpg")
        name = u"jpeg";
    for (std::u16string_view known : {u"bmp", u"jpeg", u"gif", u"tiff", u"png"})
        if (name == known)
            return name;
    return std::nullopt;
}

bool hasImageEncoder(std::u16string_view type)
{
    const std::u16string mimeType = lowerCase(imageMimeType(type));
    return mimeType == u"image/png" || mimeType == u"image/bmp" || mimeType == u"image/jpeg" ||
           mimeType == u"image/gif" || mimeType == u"image/tiff";
}

void writePageImageFile(const std::string& path, std::u16string_view type, const PageBitmap& page,
                        const PageStamp& stamp)
{
    const std::u16string mimeType = imageMimeType(type);
    if (!hasImageEncoder(mimeType))
        SSError::CPrgError(kSource, __LINE__, SSError::kErr0xC0080003).addDetail(mimeType).raise();
    const std::u16string lower = lowerCase(mimeType);
    if (lower == u"image/png") {
        writeBytes(path, encodePng(page));
    } else if (lower == u"image/bmp") {
        writeBytes(path, encodeBmp(page));
    } else if (lower == u"image/jpeg") {
        writeBytes(path, encodeJpeg(page));
    } else if (lower == u"image/gif") {
        writeBytes(path, encodeGif(page));
    } else {
        TiffPageWriter file(path);
        file.addPage(page, stamp);
        file.finish();
    }
}
