#include "PageOutput.h"

#include "SSError.h"

#include <charconv>
#include <filesystem>

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

std::string inFolder(const std::string& folder, const std::string& name)
{
    return !folder.empty() && folder.back() == '/' ? folder + name : folder + "/" + name;
}

} // namespace

std::string folderPageName(int counter)
{
    char digits[16];
    std::string number(digits, std::to_chars(digits, digits + sizeof digits, counter).ptr);
    if (number.size() < 6)
        number.insert(0, 6 - number.size(), '0');
    return number + ".tif";
}

void PageOutput::open(const std::string& path)
{
    abort();
    if (path.empty())
        SSError::CPrgError(kSource, __LINE__, SSError::kErrInvalidParameters).raise();
    std::error_code error;
    if (std::filesystem::is_directory(path, error))
        mode_ = OutputMode::Folder;
    else
        mode_ = endsWithPdf(path) ? OutputMode::Pdf : OutputMode::MultiPageTiff;
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
    case OutputMode::Folder: {
        TiffPageWriter file(inFolder(path_, folderPageName(counter_)));
        file.addPage(page, stamp);
        file.finish();
        ++counter_;
        return;
    }
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
    tiff_.reset();
    pdf_.reset();
    mode_ = OutputMode::None;
    path_.clear();
    counter_ = 0;
}
