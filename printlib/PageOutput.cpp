#include "PageOutput.h"

#include "SSError.h"

#include <charconv>
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

std::string inFolder(const std::string& folder, const std::string& name)
{
    return !folder.empty() && folder.back() == '/' ? folder + name : folder + "/" + name;
}

// The page files of an earlier document in the folder, numbered past `pageCount`: only names
// this output gives, so that a "7.tif" or "0000001.tif" of the caller's own is left alone.
std::vector<std::filesystem::path> earlierPages(const std::string& folder, int pageCount)
{
    std::vector<std::filesystem::path> pages;
    std::error_code error;
    std::filesystem::directory_iterator listing(folder, error);
    if (error)
        SSError::CPrgError(kSource, __LINE__, SSError::kErrFileWrite)
            .setSystemError(error.value())
            .addDetail(std::string_view(folder))
            .raise();
    for (const auto& entry : listing) {
        const std::string name = entry.path().filename().string();
        const std::size_t dot = name.find('.');
        int number = 0;
        const char* digitsEnd = name.data() + (dot == std::string::npos ? name.size() : dot);
        const auto [end, failure] = std::from_chars(name.data(), digitsEnd, number);
        if (failure == std::errc() && end == digitsEnd && number > pageCount && folderPageName(number) == name &&
            !entry.is_directory(error))
            pages.push_back(entry.path());
    }
    return pages;
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
        folderPages_.push_back(file.finishAside());
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
        else if (mode_ == OutputMode::Folder)
            commitFolder();
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

void PageOutput::commitFolder()
{
    for (const std::unique_ptr<TempFile>& page : folderPages_)
        page->commit();
    const int pageCount = static_cast<int>(folderPages_.size());
    for (const std::filesystem::path& stale : earlierPages(path_, pageCount)) {
        std::error_code error;
        if (!std::filesystem::remove(stale, error) && error)
            SSError::CPrgError(kSource, __LINE__, SSError::kErrFileWrite)
                .setSystemError(error.value())
                .addDetail(std::string_view(stale.string()))
                .raise();
    }
}

void PageOutput::reset()
{
    // Pages not committed are removed with their temporary files.
    folderPages_.clear();
    tiff_.reset();
    pdf_.reset();
    mode_ = OutputMode::None;
    path_.clear();
    counter_ = 0;
}
