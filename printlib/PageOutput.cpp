#include "PageOutput.h"

#include "SSError.h"

#include <filesystem>
#include <system_error>

namespace {

constexpr int kSource = SSError::kRendererSourceOffset + SSError::kSourceTifOperation;

bool endsWithPdf(const std::string& path)
{
    if (path.size() < 4)
        return false;
    std::string extension = path.substr(path.size() - 4);
    for (char& c : extension)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c);
    return extension == ".pdf";
}

} // namespace

void PageOutput::open(const std::string& path)
{
    abort();
    if (path.empty())
        SSError::CPrgError(kSource, __LINE__, SSError::kErrInvalidParameters).raise();
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) {
        folder_ = std::make_unique<OutputFolder>(path);
        mode_ = OutputMode::Folder;
    } else {
        mode_ = endsWithPdf(path) ? OutputMode::Pdf : OutputMode::MultiPageTiff;
    }
    path_ = path;
    counter_ = 1;
}

void PageOutput::write(const PageBitmap& page, const PageStamp& stamp)
{
    switch (mode_) {
    case OutputMode::None:
        SSError::CPrgError(kSource, __LINE__, SSError::kErrInvalidParametersDetail)
            .addDetail(u"вывод страниц не открыт")
            .raise();
    case OutputMode::Folder:
        folder_->write(page, stamp, counter_);
        ++counter_;
        return;
    case OutputMode::MultiPageTiff:
        tiff_ = std::make_unique<TiffPageWriter>(path_);
        mode_ = OutputMode::MultiPageTiffOpen;
        [[fallthrough]];
    case OutputMode::MultiPageTiffOpen:
        tiff_->addPage(page, stamp);
        return;
    case OutputMode::Pdf:
        pdf_ = std::make_unique<PdfWriter>(path_, pageTotal_);
        pdf_->BeginPdf();
        mode_ = OutputMode::PdfOpen;
        [[fallthrough]];
    case OutputMode::PdfOpen:
        pdf_->AddPage(page);
        return;
    }
}

void PageOutput::close()
{
    try {
        if (mode_ == OutputMode::MultiPageTiffOpen)
            tiff_->finish();
        else if (mode_ == OutputMode::PdfOpen)
            pdf_->FinishPdf();
        else if (mode_ == OutputMode::Folder)
            folder_->commit();
    } catch (...) {
        reset();
        throw;
    }
    reset();
}

void PageOutput::abort()
{
    // The writers' temporary files go with them.
    reset();
}

void PageOutput::reset()
{
    // Pages not committed are removed with their temporary files.
    folder_.reset();
    tiff_.reset();
    pdf_.reset();
    mode_ = OutputMode::None;
    path_.clear();
    counter_ = 0;
}
