#include "PrintDocument.h"

#include "DataDocument.h"
#include "ErrorTexts.h"
#include "LibraryVersion.h"
#include "SSError.h"
#include "TiffTags.h"
#include "WideText.h"

#include <algorithm>
#include <optional>

namespace {

constexpr int kSource = SSError::kSourceDocument;
// A job lays out one page at a time on this page of the renderer's table.
constexpr int kTablePage = 1;
constexpr int kSoftwareTag = 305;
constexpr int kMaxCopies = 100;
constexpr int kFullScale = 100;

[[noreturn]] void raiseInvalidParameters(int line)
{
    SSError::CPrgError(kSource, line, SSError::kErrInvalidParameters).raise();
}

[[noreturn]] void raiseText(int line, int id)
{
    SSError::CPrgError(kSource, line, SSError::kErrDetailOnly)
        .addDetail(ErrorTexts::load(id).value_or(u""))
        .raise();
}

// "Запись прервана." or "Печать прервана.", with the system error of a cancelled operation.
[[noreturn]] void raiseCancelled(int line, int id)
{
    SSError::CPrgError(kSource, line, SSError::kErrDetailOnly)
        .setSystemError(SSError::kSystemErrorCancelled)
        .addDetail(ErrorTexts::load(id).value_or(u""))
        .raise();
}

std::u16string_view allWhenEmpty(std::u16string_view selection)
{
    return selection.empty() ? u"все" : selection;
}

bool isChainedTag(int tag)
{
    return std::ranges::find(TiffTag::kChainBases, static_cast<uint32_t>(tag)) != std::end(TiffTag::kChainBases);
}

// Every job leaves the renderer with an empty table and the blank form closed, so that the next
// job, or a tag written over the form meanwhile, finds the file as it is then.
class JobScope {
public:
    explicit JobScope(PageRenderer& renderer) : renderer_(renderer) {}
    ~JobScope()
    {
        renderer_.Elements().clear();
        renderer_.ReleaseSource();
    }
    JobScope(const JobScope&) = delete;
    JobScope& operator=(const JobScope&) = delete;

private:
    PageRenderer& renderer_;
};

} // namespace

void CPrintDocument::Init(std::u16string_view sourceTiffPath)
{
    renderer_ = std::make_unique<PageRenderer>();
    renderer_->SetVersionText(LibraryVersion::SoftwareText());
    sourcePath_ = sourceTiffPath;
    cancel_ = false;
}

void CPrintDocument::Free()
{
    renderer_.reset();
    sourcePath_.clear();
}

void CPrintDocument::requireInitialised() const
{
    if (!initialised())
        raiseInvalidParameters(__LINE__);
}

PageRenderer& CPrintDocument::sourcedRenderer()
{
    requireInitialised();
    const std::string path = WideText::toUtf8(sourcePath_);
    if (renderer_->source().path() != path)
        renderer_->SetSourceTiff(path);
    return *renderer_;
}

void CPrintDocument::SetSourceTiff(std::u16string_view path)
{
    if (!renderer_)
        raiseInvalidParameters(__LINE__);
    renderer_->SetSourceTiff(WideText::toUtf8(path));
    sourcePath_ = path;
}

int CPrintDocument::GetNumberPages()
{
    return sourcedRenderer().PageCount();
}

std::size_t CPrintDocument::GetTagSize(int page, int tag) const
{
    requireInitialised();
    return TiffReadTag(WideText::toUtf8(sourcePath_), page, tag, nullptr);
}

std::u16string CPrintDocument::GetTag(int page, int tag) const
{
    requireInitialised();
    std::string value;
    TiffReadTag(WideText::toUtf8(sourcePath_), page, tag, &value);
    return WideText::fromCp1251(value);
}

void CPrintDocument::SetTag(std::u16string_view outputPath, std::u16string_view selection, int tag,
                            std::u16string_view value, int length)
{
    requireInitialised();
    std::string bytes = WideText::toCp1251(value);
    const auto size = static_cast<int64_t>(bytes.size());
    if (length < 0 || length > size || (!isChainedTag(tag) && length != 0 && length != size))
        SSError::CPrgError(kSource, __LINE__, SSError::kErrWrongStringSize).raise();
    if (length != 0)
        bytes.resize(static_cast<std::size_t>(length));
    TagWrite write;
    write.sourcePath = WideText::toUtf8(sourcePath_);
    write.outputPath = WideText::toUtf8(outputPath);
    write.pageSelection = selection;
    write.tag = tag;
    write.value = bytes;
    write.pack = isChainedTag(tag) && bytes.size() > TiffTags::kChainItemSize;
    write.softwareText = WideText::toCp1251(LibraryVersion::SoftwareText());
    TiffWriteTag(write);
}

void CPrintDocument::CheckTemplateVersion() const
{
    requireInitialised();
    std::string software;
    TiffReadTag(WideText::toUtf8(sourcePath_), 1, kSoftwareTag, &software);
    LibraryVersion::CheckTemplateVersion(WideText::fromCp1251(software), sourcePath_);
}

void CPrintDocument::ResetCancel()
{
    cancel_ = false;
    if (renderer_)
        renderer_->ResetStop();
}

void CPrintDocument::Cancel()
{
    cancel_ = true;
    if (renderer_)
        renderer_->Stop();
}

void CPrintDocument::layoutSheet(const DataDocument& document, int sheet, PageRenderer& renderer) const
{
    renderer.Elements().clear();
    layout_.LayoutSheet(document.header(), document.ReadSheet(sheet), renderer, kTablePage);
}

void CPrintDocument::BuildDocument(const BuildRequest& request, JobProgress& progress)
{
    if (request.data.empty() || request.outputPath.empty())
        raiseInvalidParameters(__LINE__);
    PageRenderer& renderer = sourcedRenderer();
    const JobScope scope(renderer);
    layout_.UseImageTransforms(request.scale);
    DataDocument document;
    document.LoadData(request.data);
    PageSelection sheets = document.SelectSheets(allWhenEmpty(request.selection));

    renderer.SetVersionText(LibraryVersion::SoftwareText());
    renderer.OpenOutput(WideText::toUtf8(request.outputPath));
    try {
        renderer.SetPageTotal(sheets.total());
        for (; !sheets.atEnd() && !cancel_; sheets.advance()) {
            progress.PagesDone(sheets.done(), sheets.total());
            layoutSheet(document, sheets.current(), renderer);
            if (!renderer.WritePage(kTablePage))
                break;
        }
        if (!sheets.atEnd())
            raiseCancelled(__LINE__, ErrorTexts::kWritingCancelled);
        renderer.CloseOutput();
    } catch (...) {
        renderer.AbortOutput();
        throw;
    }
}

void CPrintDocument::BuildPage(std::u16string_view data, std::u16string_view outputPath, int sheetNumber,
                               std::u16string_view imageType)
{
    if (data.empty() || outputPath.empty())
        raiseInvalidParameters(__LINE__);
    PageRenderer& renderer = sourcedRenderer();
    const JobScope scope(renderer);
    layout_.UseImageTransforms(0);
    DataDocument document;
    document.LoadData(data);
    if (sheetNumber < 1 || sheetNumber > document.SheetCount())
        raiseInvalidParameters(__LINE__);
    renderer.SetVersionText(LibraryVersion::SoftwareText());
    layoutSheet(document, sheetNumber, renderer);
    renderer.WritePageImage(WideText::toUtf8(outputPath), imageType);
}

void CPrintDocument::PrintDocument(const PrintRequest& request, PrinterSink& printer, JobProgress& progress)
{
    print(PrintKind::Document, request, printer, progress);
}

void CPrintDocument::PrintBlank(const PrintRequest& request, PrinterSink& printer, JobProgress& progress)
{
    print(PrintKind::BlankForms, request, printer, progress);
}

void CPrintDocument::print(PrintKind kind, const PrintRequest& request, PrinterSink& printer, JobProgress& progress)
{
    const int scale = request.scale >= 1 && request.scale <= kFullScale ? request.scale : kFullScale;
    const int copies = std::clamp(request.copies, 1, kMaxCopies);
    PageRenderer& renderer = sourcedRenderer();
    const JobScope scope(renderer);

    DataDocument document;
    std::optional<PageSelection> pages;
    std::u16string title;
    if (kind == PrintKind::Document) {
        document.LoadData(request.data);
        pages = document.SelectSheets(allWhenEmpty(request.selection));
        title = document.header().jobTitle;
    } else {
        pages.emplace(allWhenEmpty(request.selection), renderer.PageCount());
        if (pages->total() == 0)
            raiseText(__LINE__, ErrorTexts::kNoData);
        title = ErrorTexts::load(ErrorTexts::kBlankJobTitle).value_or(u"");
    }

    const PrinterProperties properties = printer.properties();
    layout_.UsePrintTransforms(scale,
                               {properties.xDpi, properties.yDpi, properties.physicalOffsetX,
                                properties.physicalOffsetY},
                               kind);
    PrintJob job(printer, title, copies);
    for (; !pages->atEnd() && !cancel_; pages->advance()) {
        progress.PagesDone(pages->done(), pages->total());
        if (kind == PrintKind::Document) {
            layoutSheet(document, pages->current(), renderer);
        } else {
            renderer.Elements().clear();
            layout_.LayoutBlankPage(pages->current(), renderer, kTablePage);
        }
        renderer.PrintPage(job, kTablePage);
    }
    // A page whose drawing the cancel cut short must not be printed either.
    if (cancel_) {
        job.AbortDoc();
        raiseCancelled(__LINE__, ErrorTexts::kPrintCancelled);
    }
    job.EndDoc();
}
