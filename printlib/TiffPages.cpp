#include "TiffPages.h"

#include "ErrorTexts.h"
#include "SSError.h"
#include "WideText.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <sys/stat.h>

namespace {

constexpr int kSource = SSError::kSourceTifOperation;
// An A4 page at 1200 dots per inch has 140 million pixels; a frame far beyond any form page is
// refused before its pixels are allocated.
constexpr uint64_t kMaxFramePixels = uint64_t{1} << 28;

std::u16string fromUtf8(const std::string& text)
{
    return WideText::fromUtf8(text);
}

[[noreturn]] void raiseDetail(int line, std::u16string detail)
{
    SSError::CPrgError(kSource, line, SSError::kErrDetailOnly).addDetail(detail).raise();
}

[[noreturn]] void raiseMissingPage(const std::string& path, int page, int line)
{
    raiseDetail(line, u"В tif-файле " + fromUtf8(path) + u" отсутсвует страница " + WideText::decimal(page));
}

double dotsPerInch(TIFF* tiff, uint32_t tag)
{
    float resolution = 0;
    if (!TIFFGetField(tiff, tag, &resolution))
        return 0;
    uint16_t unit = RESUNIT_INCH;
    TIFFGetField(tiff, TIFFTAG_RESOLUTIONUNIT, &unit);
    return unit == RESUNIT_CENTIMETER ? resolution * 2.54 : resolution;
}

// The leading integer of a text as the C run time reads it; 0 when there is none.
int64_t leadingNumber(std::u16string_view text)
{
    text = WideText::trimmed(text);
    bool negative = false;
    if (!text.empty() && (text.front() == u'-' || text.front() == u'+')) {
        negative = text.front() == u'-';
        text.remove_prefix(1);
    }
    int64_t value = 0;
    for (char16_t c : text) {
        if (c < u'0' || c > u'9')
            break;
        value = std::min<int64_t>(value * 10 + (c - u'0'), INT32_MAX);
    }
    return negative ? -value : value;
}

std::u16string lowerCase(std::u16string_view text)
{
    std::u16string lower(text);
    for (char16_t& c : lower) {
        if ((c >= u'A' && c <= u'Z') || (c >= u'А' && c <= u'Я'))
            c = static_cast<char16_t>(c + 0x20);
        else if (c == u'Ё')
            c = u'ё';
    }
    return lower;
}

bool itemSelects(int page, std::u16string_view item)
{
    item = WideText::trimmed(item);
    const std::size_t dash = item.find(u'-');
    if (dash != std::u16string_view::npos) {
        const int64_t from = leadingNumber(item.substr(0, dash));
        const int64_t to = leadingNumber(item.substr(dash + 1));
        return from != 0 && to != 0 && from <= page && page <= to;
    }
    const std::u16string word = lowerCase(item);
    if (word == u"чет" || word == u"четный")
        return page % 2 == 0;
    if (word == u"нечет" || word == u"нечетный")
        return page % 2 == 1;
    return leadingNumber(item) == page;
}

} // namespace

void raiseCannotOpenTiff(const TiffFile& file, int line)
{
    // "Не удалось создать объект из файла '%s' (код: %d)"
    std::u16string text(ErrorTexts::load(ErrorTexts::kCannotCreateObject).value_or(u"'%s' (%d)"));
    WideText::replaceAll(text, u"%s", fromUtf8(file.path()));
    WideText::replaceAll(text, u"%d", WideText::decimal(file.systemError()));
    raiseDetail(line, text + u" " + fromUtf8(file.message()));
}

int countFrames(const TiffFile& file, int line)
{
    const tdir_t frames = TIFFNumberOfDirectories(file.handle());
    if (frames == 0)
        SSError::CPrgError(kSource, line, SSError::kErrUnsupportedTiff)
            .addDetail(u"в файле " + fromUtf8(file.path()) + u" нет ни одной страницы")
            .raise();
    return static_cast<int>(frames);
}

void selectFrame(const TiffFile& file, int page, int line)
{
    if (!TIFFSetDirectory(file.handle(), static_cast<tdir_t>(page - 1)))
        raiseDetail(line, u"Не удалось выбрать страницу в TIF файле: " + WideText::decimal(page) + u" (" +
                              fromUtf8(file.message()) + u")");
}

FrameInfo readFrameInfo(const TiffFile& file, int page)
{
    TIFF* tiff = file.handle();
    uint32_t width = 0;
    uint32_t height = 0;
    TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &width);
    TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &height);
    FrameInfo info{static_cast<int>(width), static_cast<int>(height), dotsPerInch(tiff, TIFFTAG_XRESOLUTION),
                   dotsPerInch(tiff, TIFFTAG_YRESOLUTION)};
    // A zero resolution (or one written with a zero denominator) would give the page no size.
    if (!(info.xDpi > 0 && info.yDpi > 0 && std::isfinite(info.xDpi) && std::isfinite(info.yDpi)))
        SSError::CPrgError(kSource, __LINE__, SSError::kErrUnsupportedTiff)
            .addDetail(u"у страницы " + WideText::decimal(page) + u" файла " + fromUtf8(file.path()) +
                       u" нет разрешения")
            .raise();
    if (width == 0 || height == 0 || width > INT32_MAX || height > INT32_MAX)
        SSError::CPrgError(kSource, __LINE__, SSError::kErrUnsupportedTiff)
            .addDetail(u"размер страницы " + WideText::decimal(page) + u" файла " + fromUtf8(file.path()))
            .raise();
    return info;
}

void SourceTiff::SetSourceTiff(const std::string& path)
{
    struct stat status;
    if (::stat(path.c_str(), &status) != 0 || S_ISDIR(status.st_mode))
        SSError::CPrgError(kSource, __LINE__, SSError::kErrFileNotFound).addDetail(std::string_view(path)).raise();
    const bool wasLoaded = loaded();
    release();
    path_ = path;
    if (wasLoaded)
        TiffLoadSource();
}

void SourceTiff::TiffLoadSource()
{
    if (loaded())
        return;
    auto image = std::make_unique<TiffFile>(path_, "r");
    if (!image->handle())
        raiseCannotOpenTiff(*image, __LINE__);
    frameCount_ = countFrames(*image, __LINE__);
    struct stat status;
    if (::fstat(TIFFFileno(image->handle()), &status) == 0)
        version_ = {status.st_dev, status.st_ino, status.st_size,
                    int64_t{status.st_mtim.tv_sec} * 1'000'000'000 + status.st_mtim.tv_nsec,
                    int64_t{status.st_ctim.tv_sec} * 1'000'000'000 + status.st_ctim.tv_nsec};
    image_ = std::move(image);
}

std::string SourceTiff::formName() const
{
    const std::size_t separator = path_.find_last_of("/\\");
    return separator == std::string::npos ? path_ : path_.substr(separator + 1);
}

int SourceTiff::PageCount()
{
    TiffLoadSource();
    return frameCount_;
}

FrameInfo SourceTiff::SelectPage(int page)
{
    TiffLoadSource();
    if (page < 1 || page > frameCount_)
        raiseMissingPage(path_, page, __LINE__);
    selectFrame(*image_, page, __LINE__);
    return readFrameInfo(*image_, page);
}

void SourceTiff::checkFrameSize(int page, const FrameInfo& info) const
{
    const auto width = static_cast<uint32_t>(info.width);
    const auto height = static_cast<uint32_t>(info.height);
    if (uint64_t{width} * height > kMaxFramePixels)
        SSError::CPrgError(kSource, __LINE__, SSError::kErrUnsupportedTiff)
            .addDetail(u"страница " + WideText::decimal(page) + u" файла " + fromUtf8(path_) + u" размером " +
                       WideText::decimal(width) + u" x " + WideText::decimal(height) + u" точек")
            .raise();
}

[[noreturn]] void SourceTiff::raiseUnreadable(int page, int line) const
{
    SSError::CPrgError(kSource, line, SSError::kErrUnsupportedTiff)
        .addDetail(u"страница " + WideText::decimal(page) + u" файла " + fromUtf8(path_) + u": " +
                   fromUtf8(image_->message()))
        .raise();
}

FrameImage SourceTiff::ReadFrame(int page)
{
    FrameImage frame{SelectPage(page), {}};
    checkFrameSize(page, frame.info);
    const auto width = static_cast<uint32_t>(frame.info.width);
    const auto height = static_cast<uint32_t>(frame.info.height);
    frame.pixels.resize(static_cast<std::size_t>(width) * height);
    if (!TIFFReadRGBAImageOriented(image_->handle(), width, height, frame.pixels.data(), ORIENTATION_TOPLEFT, 0))
        raiseUnreadable(page, __LINE__);
    // libtiff packs pixels as 0xAABBGGRR.
    for (uint32_t& pixel : frame.pixels)
        pixel = (pixel & 0xFF00FF00u) | ((pixel & 0xFFu) << 16) | ((pixel >> 16) & 0xFFu);
    return frame;
}

std::optional<PageBitmap> SourceTiff::ReadBilevelFrame(int page)
{
    const FrameInfo info = SelectPage(page);
    checkFrameSize(page, info);
    TIFF* tiff = image_->handle();
    uint16_t bits = 1;
    uint16_t samples = 1;
    uint16_t photometric = 0;
    uint16_t orientation = ORIENTATION_TOPLEFT;
    TIFFGetFieldDefaulted(tiff, TIFFTAG_BITSPERSAMPLE, &bits);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_SAMPLESPERPIXEL, &samples);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_ORIENTATION, &orientation);
    const bool bilevel = TIFFGetField(tiff, TIFFTAG_PHOTOMETRIC, &photometric) &&
                         (photometric == PHOTOMETRIC_MINISWHITE || photometric == PHOTOMETRIC_MINISBLACK);
    if (bits != 1 || samples != 1 || orientation != ORIENTATION_TOPLEFT || !bilevel || TIFFIsTiled(tiff))
        return std::nullopt;
    PageBitmap frame(info.width, info.height, info.xDpi, info.yDpi);
    const auto lineBytes = static_cast<std::size_t>(TIFFScanlineSize(tiff));
    if (lineBytes < (static_cast<std::size_t>(info.width) + 7) / 8 || lineBytes > frame.stride)
        return std::nullopt;
    for (int y = 0; y < info.height; ++y) {
        uint8_t* row = frame.row(y);
        if (TIFFReadScanline(tiff, row, static_cast<uint32_t>(y), 0) < 0)
            raiseUnreadable(page, __LINE__);
        if (photometric == PHOTOMETRIC_MINISBLACK)
            for (std::size_t i = 0; i < lineBytes; ++i)
                row[i] = static_cast<uint8_t>(~row[i]);
    }
    return frame;
}

bool PageSelected(int page, std::u16string_view selection)
{
    if (selection.find(u"все") != std::u16string_view::npos)
        return true;
    while (true) {
        const std::size_t comma = selection.find(u',');
        if (itemSelects(page, selection.substr(0, comma)))
            return true;
        if (comma == std::u16string_view::npos)
            return false;
        selection.remove_prefix(comma + 1);
    }
}
