#include "TiffPageWriter.h"

#include "G4Encoder.h"
#include "SSError.h"
#include "WideText.h"

#include <cerrno>
#include <utility>

namespace {

constexpr int kSource = SSError::kSourceTifOperation;
// Page tags hold at most 99 characters.
constexpr std::size_t kMaxStampLength = 99;

} // namespace

std::string pageDateTime(std::time_t time)
{
    std::tm local;
    char text[64];
    if (!localtime_r(&time, &local) || std::strftime(text, sizeof text, "%Y:%m:%d %H:%M:%S", &local) == 0)
        return "Invalid DateTime";
    return text;
}

TiffPageWriter::TiffPageWriter(const std::string& path, const std::string& standsFor)
    : file_(std::make_unique<TempFile>(path, standsFor))
{
    tiff_ = std::make_unique<TiffFile>(file_->fd(), file_->targetPath(), "w");
    if (!tiff_->handle())
        raiseTiffWriteError(*tiff_, file_->targetPath(), __LINE__);
}

void TiffPageWriter::addPage(const PageBitmap& page, const PageStamp& stamp)
{
    const int index = pagesWritten_ + 1;
    if (!page.isWritable())
        SSError::CPrgError(kSource, __LINE__, SSError::kErrInvalidParametersDetail)
            .addDetail(u"размер или разрешение страницы " + WideText::decimal(index))
            .raise();
    TIFF* tiff = tiff_->handle();
    TIFFSetField(tiff, TIFFTAG_SUBFILETYPE, FILETYPE_PAGE);
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, static_cast<uint32_t>(page.width));
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, static_cast<uint32_t>(page.height));
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 1);
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, 1);
    TIFFSetField(tiff, TIFFTAG_COMPRESSION, COMPRESSION_CCITTFAX4);
    // The bitmap's 1 is black.
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISWHITE);
    TIFFSetField(tiff, TIFFTAG_FILLORDER, FILLORDER_MSB2LSB);
    TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, static_cast<uint32_t>(page.height));
    TIFFSetField(tiff, TIFFTAG_XRESOLUTION, page.xDpi);
    TIFFSetField(tiff, TIFFTAG_YRESOLUTION, page.yDpi);
    TIFFSetField(tiff, TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH);
    if (!stamp.software.empty())
        TIFFSetField(tiff, TIFFTAG_COPYRIGHT, stamp.software.substr(0, kMaxStampLength).c_str());
    if (!stamp.dateTime.empty())
        TIFFSetField(tiff, TIFFTAG_DATETIME, stamp.dateTime.substr(0, kMaxStampLength).c_str());

    std::vector<uint8_t> strip = EncodeG4(page);
    errno = 0;
    const auto size = static_cast<tmsize_t>(strip.size());
    if (TIFFWriteRawStrip(tiff, 0, strip.data(), size) != size || !TIFFWriteDirectory(tiff))
        raiseTiffWriteError(*tiff_, file_->targetPath(), __LINE__);
    ++pagesWritten_;
}

void TiffPageWriter::finish(FolderSync sync)
{
    closeTiff();
    file_->commit(sync);
}

std::unique_ptr<TempFile> TiffPageWriter::finishAside()
{
    closeTiff();
    file_->seal();
    return std::move(file_);
}

void TiffPageWriter::closeTiff()
{
    if (pagesWritten_ == 0)
        SSError::CPrgError(kSource, __LINE__, SSError::kErrInvalidParametersDetail)
            .addDetail(u"нет страниц для записи")
            .raise();
    errno = 0;
    if (!tiff_->close())
        raiseTiffWriteError(*tiff_, file_->targetPath(), __LINE__);
}
