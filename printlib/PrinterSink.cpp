#include "PrinterSink.h"

#include "ErrorTexts.h"
#include "SSError.h"
#include "TempFile.h"
#include "WideText.h"

#include <cairo-pdf.h>

#include <cmath>

namespace {

constexpr int kSource = SSError::kRendererSourceOffset + SSError::kSourceTifOperation;
constexpr double kPointsPerMillimetre = 72 / 25.4;

bool usable(const PrinterProperties& properties)
{
    const auto positiveLength = [](double length) { return std::isfinite(length) && length > 0; };
    return properties.xDpi > 0 && properties.yDpi > 0 && positiveLength(properties.paperWidth) &&
           positiveLength(properties.paperHeight);
}

[[noreturn]] void raiseJobState(int line, std::u16string_view detail)
{
    SSError::CPrgError(kSource, line, SSError::kErrInvalidParametersDetail).addDetail(detail).raise();
}

} // namespace

FilePrinterSink::FilePrinterSink(std::string path, PrinterProperties properties)
    : path_(std::move(path)), properties_(properties)
{
}

void FilePrinterSink::submit(std::string_view document, std::u16string_view title, int copies)
{
    TempFile file(path_);
    file.write(document.data(), document.size());
    file.commit();
    lastTitle_ = title;
    lastCopies_ = copies;
}

PrintJob::PrintJob(PrinterSink& printer, std::u16string title, int copies)
    : printer_(printer), properties_(printer.properties()), title_(std::move(title)), copies_(copies)
{
    if (!usable(properties_))
        SSError::CPrgError(kSource, __LINE__, SSError::kErrPrinterProperties)
            .addDetail(u"разрешение или размер бумаги")
            .raise();
    surface_.reset(cairo_pdf_surface_create_for_stream(append, &document_,
                                                       properties_.paperWidth * kPointsPerMillimetre,
                                                       properties_.paperHeight * kPointsPerMillimetre));
    checkCairo(surface_.get(), __LINE__);
    cairo_pdf_surface_set_metadata(surface_.get(), CAIRO_PDF_METADATA_TITLE, WideText::toUtf8(title_).c_str());
    cr_.reset(cairo_create(surface_.get()));
    checkCairo(cr_.get(), __LINE__);
}

PrintJob::~PrintJob()
{
    // A document that was neither ended nor aborted is dropped unprinted; finishing the surface
    // here only writes into the discarded buffer.
    cr_.reset();
    surface_.reset();
}

PageCanvas PrintJob::StartPage()
{
    if (pageOpen_ || ended_)
        raiseJobState(__LINE__, u"страница задания печати уже начата или задание завершено");
    pageOpen_ = true;
    PageCanvas canvas;
    canvas.cr = cr_.get();
    canvas.dpi = properties_.yDpi;
    cairo_matrix_init_scale(&canvas.pageMatrix, kPointsPerMillimetre, kPointsPerMillimetre);
    cairo_matrix_translate(&canvas.pageMatrix, properties_.physicalOffsetX * 25.4 / properties_.xDpi,
                           properties_.physicalOffsetY * 25.4 / properties_.yDpi);
    cairo_set_matrix(cr_.get(), &canvas.pageMatrix);
    return canvas;
}

void PrintJob::EndPage()
{
    if (!pageOpen_)
        raiseJobState(__LINE__, u"страница задания печати не начата");
    pageOpen_ = false;
    cairo_show_page(cr_.get());
    checkCairo(cr_.get(), __LINE__);
    ++pages_;
}

void PrintJob::EndDoc()
{
    if (pageOpen_ || ended_)
        raiseJobState(__LINE__, u"страница задания печати не завершена или задание завершено");
    ended_ = true;
    if (pages_ == 0)
        SSError::CPrgError(kSource, __LINE__, SSError::kErrDetailOnly)
            .addDetail(ErrorTexts::load(ErrorTexts::kNoData).value_or(u""))
            .raise();
    cr_.reset();
    cairo_surface_finish(surface_.get());
    checkCairo(surface_.get(), __LINE__);
    printer_.submit(document_, title_, copies_);
}

void PrintJob::AbortDoc()
{
    ended_ = true;
    pageOpen_ = false;
    cr_.reset();
    surface_.reset();
    document_.clear();
}

cairo_status_t PrintJob::append(void* document, const unsigned char* data, unsigned int length)
{
    try {
        static_cast<std::string*>(document)->append(reinterpret_cast<const char*>(data), length);
    } catch (const std::bad_alloc&) {
        return CAIRO_STATUS_NO_MEMORY;
    }
    return CAIRO_STATUS_SUCCESS;
}
