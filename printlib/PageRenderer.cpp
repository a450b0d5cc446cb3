#include "PageRenderer.h"

#include "ElementDrawing.h"
#include "ElementText.h"
#include "ErrorTexts.h"
#include "FontFitting.h"
#include "PageImageFile.h"
#include "PageRaster.h"
#include "Pdf417.h"
#include "PrinterSink.h"
#include "SSError.h"
#include "TextDrawing.h"
#include "WideText.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <ctime>
#include <utility>

namespace {

constexpr int kSource = SSError::kRendererSourceOffset + SSError::kSourceTifOperation;
// Texts of long-text cells longer than this get the long-text fitting.
constexpr std::size_t kLongTextLength = 60;
constexpr float kFallbackFontSize = 8;
constexpr double kMeasuringDpi = 300;
// The overflow message shows a text of up to 128 characters whole, a longer one cut to 125.
constexpr std::size_t kShownTextLength = 128;
constexpr std::size_t kCutTextLength = 125;

// "%g"-like: the shortest text that reads back as the same float.
std::u16string number(float value)
{
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    return std::u16string(text, end);
}

std::u16string shownText(std::u16string_view text)
{
    if (text.size() <= kShownTextLength)
        return std::u16string(text);
    return std::u16string(text.substr(0, kCutTextLength)) + u"...";
}

TextLayout withRectangle(TextLayout layout, float x, float y, float width, float height)
{
    layout.x = layout.originX = x;
    layout.y = layout.originY = y;
    layout.width = width;
    layout.height = height;
    return layout;
}

// Ends the use of a source TIFF that a call loaded for itself.
class SourceLoadedForCall {
public:
    explicit SourceLoadedForCall(SourceTiff& source) : source_(source), wasLoaded_(source.loaded())
    {
        source_.TiffLoadSource();
    }
    ~SourceLoadedForCall()
    {
        if (!wasLoaded_)
            source_.release();
    }
    SourceLoadedForCall(const SourceLoadedForCall&) = delete;
    SourceLoadedForCall& operator=(const SourceLoadedForCall&) = delete;

private:
    SourceTiff& source_;
    bool wasLoaded_;
};

void checkDrawable(const RenderElement& element)
{
    if (!isDrawable(element.matrix))
        SSError::CPrgError(kSource, __LINE__, SSError::kErrInvalidParametersDetail)
            .addDetail(u"преобразование '" + element.transformText + u"' элемента " +
                       WideText::decimal(element.order) + u" страницы " + WideText::decimal(element.page) +
                       u" вырождено")
            .raise();
}

} // namespace

void PageRenderer::SetSourceTiff(const std::string& path)
{
    forgetFrames();
    source_.SetSourceTiff(path);
}

void PageRenderer::ReleaseSource()
{
    releaseDrawingImages();
    source_.release();
}

int PageRenderer::PageCount()
{
    const SourceLoadedForCall loaded(source_);
    return source_.PageCount();
}

void PageRenderer::DrawPage(const PageCanvas& canvas, int page)
{
    cairo_t* cr = canvas.cr;
    cairo_set_matrix(cr, &canvas.pageMatrix);
    useWhite(cr);
    cairo_paint(cr);
    useBlack(cr);
    if (background_) {
        RenderElement background;
        background.page = page;
        background.sourcePage = sourcePageOf(page);
        background.kind = ElementKind::PageImage;
        DrawPageImage(canvas, background);
    }
    DrawPageElements(canvas, page);
    checkCairo(cr, __LINE__);
}

void PageRenderer::DrawPageElements(const PageCanvas& canvas, int page)
{
    const auto elements = elements_.elementsOfPage(page);
    for (auto it = elements.begin(); it != elements.end(); ++it) {
        if (stop_)
            return;
        const RenderElement& element = it->second;
        switch (element.kind) {
        case ElementKind::Barcode:
            drawBarcode(canvas, element);
            break;
        case ElementKind::PageImage:
            DrawPageImage(canvas, element);
            break;
        case ElementKind::Transform:
            if (!element.transformText.empty()) {
                checkDrawable(element);
                setWorldTransform(canvas, element.matrix);
            }
            break;
        case ElementKind::Cross:
            drawCross(canvas, element);
            break;
        case ElementKind::TextBlockHead: {
            std::vector<const RenderElement*> lines;
            for (auto line = std::next(it); line != elements.end() && line->second.kind == ElementKind::TextBlockLine;
                 ++line)
                lines.push_back(&line->second);
            DrawTextBlock(canvas, element, lines);
            break;
        }
        case ElementKind::TextBlockLine:
            break;
        case ElementKind::Text:
        case ElementKind::LongText:
        case ElementKind::StrictLongText:
            DrawTextElement(canvas, element);
            break;
        }
    }
}

PageRenderer::Origin PageRenderer::enterElementFrame(cairo_t* cr, const RenderElement& element, double x,
                                                     double y) const
{
    if (element.transformText.empty())
        return {x, y};
    checkDrawable(element);
    cairo_translate(cr, x, y);
    const cairo_matrix_t matrix = toCairoMatrix(element.matrix);
    cairo_transform(cr, &matrix);
    return {0, 0};
}

void PageRenderer::DrawTextElement(const PageCanvas& canvas, const RenderElement& element)
{
    const TextLayout layout = ParseStringCommand(element.command);
    const std::u16string text = NormalizeText(element.text);
    if (const CellMark mark = cellMarkOf(text); mark != CellMark::None) {
        CairoStateGuard state(canvas.cr);
        const Origin origin = enterElementFrame(canvas.cr, element, layout.originX, layout.originY);
        if (layout.isClipped()) {
            cairo_rectangle(canvas.cr, origin.x, origin.y, layout.clipWidth, layout.clipHeight);
            cairo_clip(canvas.cr);
        }
        drawCellMark(canvas.cr, mark, origin.x, origin.y, layout.width, layout.height);
        return;
    }
    const float size = fittedSize(element.kind, text, layout, canvas.dpi, {element.sourcePage, element.page});
    drawTextPart(canvas, element, layout, text, size);
}

void PageRenderer::drawTextPart(const PageCanvas& canvas, const RenderElement& element, const TextLayout& layout,
                                std::u16string_view text, float size)
{
    cairo_t* cr = canvas.cr;
    CairoStateGuard state(cr);
    const Origin origin = enterElementFrame(cr, element, layout.originX, layout.originY);
    if (layout.isClipped()) {
        cairo_rectangle(cr, origin.x, origin.y, layout.clipWidth, layout.clipHeight);
        cairo_clip(cr);
    }
    {
        const CairoStateGuard white(cr);
        useWhite(cr);
        cairo_rectangle(cr, origin.x, origin.y, layout.width, layout.height);
        cairo_fill(cr);
    }
    drawTextInRectangle(cr, layout, origin.x, origin.y, text, size, canvas.dpi);
}

float PageRenderer::fittedSize(ElementKind kind, std::u16string_view text, const TextLayout& layout, double dpi,
                               ElementPlace place) const
{
    const bool longText = (kind == ElementKind::LongText || kind == ElementKind::StrictLongText) &&
                          text.size() > kLongTextLength;
    float size = longText ? FitLongTextSize(text, layout, dpi, kind == ElementKind::StrictLongText)
                          : FitFontSize(text, layout, dpi);
    if (size == 0 && fallbackOnOverflow_)
        size = kFallbackFontSize;
    if (size == 0)
        raiseOverflow(text, layout, place, __LINE__);
    return size;
}

void PageRenderer::raiseOverflow(std::u16string_view text, const TextLayout& layout, ElementPlace place,
                                 int line) const
{
    // "Данные '%' (длина %) % страницы документа невозможно разместить в прямоугольном поле % + % мм
    // и % + % мм на % странице формы %."
    SSError::CPrgError(kSource, line, SSError::kErrFieldDoesNotFit)
        .addDetail(shownText(text))
        .addDetail(text.size())
        .addDetail(place.page)
        .addDetail(number(layout.x))
        .addDetail(number(layout.width))
        .addDetail(number(layout.y))
        .addDetail(number(layout.height))
        .addDetail(place.sourcePage)
        .addDetail(std::string_view(source_.formName()))
        .raise();
}

void PageRenderer::DrawTextBlock(const PageCanvas& canvas, const RenderElement& head,
                                 const std::vector<const RenderElement*>& lines)
{
    // The head's command holds the whole block's rectangle; its own line ends where the next
    // line begins.
    const TextLayout block = ParseStringCommand(head.command);
    float firstHeight = block.height;
    if (!lines.empty()) {
        const TextLayout next = ParseStringCommand(lines.front()->command);
        const float gap = next.y - block.y;
        firstHeight = gap > 0 && gap < block.height ? gap : next.height;
    }
    std::vector<std::pair<const RenderElement*, TextLayout>> parts;
    parts.emplace_back(&head, withRectangle(block, block.x, block.y, block.width, firstHeight));
    for (const RenderElement* line : lines)
        parts.emplace_back(line, ParseStringCommand(line->command));

    const std::u16string text = NormalizeText(head.text);
    std::u16string_view rest = text;
    for (std::size_t index = 0; index < parts.size(); ++index) {
        const auto& [element, layout] = parts[index];
        if (index + 1 == parts.size()) {
            const float size = fittedSize(head.kind, rest, layout, canvas.dpi, {head.sourcePage, head.page});
            drawTextPart(canvas, *element, layout, rest, size);
            break;
        }
        // Each line but the last takes what fits of the rest at the size the search settles on.
        const float size = fitSizeForCount(rest.size(), layout, canvas.dpi, OnOverflow::Lowest);
        std::size_t taken = std::min(rest.size(), MeasureText(layout, size, canvas.dpi).characters());
        if (taken > 0 && taken < rest.size() && rest[taken - 1] >= 0xD800 && rest[taken - 1] <= 0xDBFF)
            --taken;
        drawTextPart(canvas, *element, layout, rest.substr(0, taken), size);
        rest.remove_prefix(taken);
    }
}

void PageRenderer::drawBarcode(const PageCanvas& canvas, const RenderElement& element)
{
    const BarcodePlace place = parseBarcodeCommand(element.command);
    Pdf417Symbol symbol;
    Pdf417SetData(symbol, element.text);
    Pdf417SetOptions(symbol, element.options);
    BuildPdf417Symbol(symbol);
    const CairoSurface image = symbolSurface(symbol.bitmap, element.text, drawsInk(canvas.cr));
    // At its own resolution: one module of size 1 is 0.254 mm before the element's transform.
    const double width = symbol.bitmap.width * 25.4 / symbol.resolution;
    const double height = symbol.bitmap.height * 25.4 / symbol.resolution;
    CairoStateGuard state(canvas.cr);
    const Origin origin = enterElementFrame(canvas.cr, element, place.x, place.y);
    checkSymbolOnPage(canvas.cr, element, origin.x, origin.y, width, height);
    drawImage(canvas.cr, image.get(), symbol.bitmap.width, symbol.bitmap.height, origin.x, origin.y, width, height);
}

// A symbol that leaves a page image cannot be read, and its data would be lost while the page
// is written as if whole: the page fails instead. Printed pages are not checked here: their
// places follow the printer's margins.
void PageRenderer::checkSymbolOnPage(cairo_t* cr, const RenderElement& element, double x, double y, double width,
                                     double height) const
{
    if (cairo_surface_get_type(cairo_get_target(cr)) != CAIRO_SURFACE_TYPE_IMAGE)
        return;
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
    {
        // The page's extent in device space, where no page-level clip is set.
        CairoStateGuard device(cr);
        cairo_identity_matrix(cr);
        cairo_clip_extents(cr, &left, &top, &right, &bottom);
    }
    // Half a device pixel of rounding is allowed at each edge.
    constexpr double kSlack = 0.5;
    const std::pair<double, double> corners[] = {{x, y}, {x + width, y}, {x, y + height}, {x + width, y + height}};
    for (const auto& [cornerX, cornerY] : corners) {
        double deviceX = cornerX;
        double deviceY = cornerY;
        cairo_user_to_device(cr, &deviceX, &deviceY);
        if (deviceX < left - kSlack || deviceX > right + kSlack || deviceY < top - kSlack ||
            deviceY > bottom + kSlack)
            SSError::CPrgError(kSource, __LINE__, SSError::kErrInvalidParametersDetail)
                .addDetail(u"символ PDF417 (" + element.command + u") выходит за пределы страницы " +
                           WideText::decimal(element.page))
                .raise();
    }
}

void PageRenderer::DrawPageImage(const PageCanvas& canvas, const RenderElement& element)
{
    const ImagePlace place = parsePageImageCommand(element.command);
    const KeptFrame& frame = keptFrame(element.sourcePage);
    const FrameInfo& info = frame.info;
    double width = place.width;
    double height = place.height;
    if (width == 0 && height == 0) {
        width = info.width * 25.4 / info.xDpi;
        height = info.height * 25.4 / info.yDpi;
    }
    CairoStateGuard state(canvas.cr);
    const Origin origin = enterElementFrame(canvas.cr, element, place.x, place.y);
    // A page's drawing sets no clip outside an element's own frame.
    if (drawInkStretched(canvas.cr, frame.ink, origin.x, origin.y, width, height))
        return;
    cairo_surface_t* image = frameImage(canvas.cr, element.sourcePage, frame);
    drawImage(canvas.cr, image, info.width, info.height, origin.x, origin.y, width, height);
}

void PageRenderer::drawCross(const PageCanvas& canvas, const RenderElement& element)
{
    const CrossLayout cross = parseCrossCommand(element.command);
    CairoStateGuard state(canvas.cr);
    const Origin origin = enterElementFrame(canvas.cr, element, cross.x, cross.y);
    DrawCross(canvas.cr, cross, origin.x, origin.y);
}

int PageRenderer::sourcePageOf(int page) const
{
    const auto elements = elements_.elementsOfPage(page);
    if (elements.empty())
        SSError::CPrgError(kSource, __LINE__, SSError::kErrInvalidParametersDetail)
            .addDetail(u"на странице " + WideText::decimal(page) + u" нет элементов")
            .raise();
    return elements.begin()->second.sourcePage;
}

const PageRenderer::KeptFrame& PageRenderer::keptFrame(int sourcePage)
{
    source_.TiffLoadSource();
    if (source_.version() != framesVersion_) {
        forgetFrames();
        framesVersion_ = source_.version();
    }
    if (const auto kept = frames_.find(sourcePage); kept != frames_.end())
        return kept->second;
    const FrameInfo info = source_.SelectPage(sourcePage);
    checkDrawableSize(info, sourcePage, source_.path());
    return frames_.emplace(sourcePage, KeptFrame{info, frameInk(source_, sourcePage)}).first->second;
}

cairo_surface_t* PageRenderer::frameImage(cairo_t* cr, int sourcePage, const KeptFrame& frame)
{
    const bool ink = drawsInk(cr);
    const bool ready = frameImage_ && drawnFrame_ == sourcePage &&
                       (cairo_image_surface_get_format(frameImage_.get()) == CAIRO_FORMAT_A8) == ink;
    if (ready)
        return frameImage_.get();
    drawnFrame_ = 0;
    if (!ink) {
        frameImage_ = colourSurface(frame.ink);
    } else {
        const bool fits = frameImage_ && cairo_image_surface_get_format(frameImage_.get()) == CAIRO_FORMAT_A8 &&
                          cairo_image_surface_get_width(frameImage_.get()) == frame.info.width &&
                          cairo_image_surface_get_height(frameImage_.get()) == frame.info.height;
        if (!fits)
            frameImage_ = newInkSurface(frame.info.width, frame.info.height);
        paintInk(frame.ink, frameImage_.get());
    }
    drawnFrame_ = sourcePage;
    return frameImage_.get();
}

cairo_surface_t* PageRenderer::pageSurface(const FrameInfo& info)
{
    if (!page_ || cairo_image_surface_get_width(page_.get()) != info.width ||
        cairo_image_surface_get_height(page_.get()) != info.height)
        page_ = newInkSurface(info.width, info.height);
    return page_.get();
}

void PageRenderer::releaseDrawingImages()
{
    page_.reset();
    frameImage_.reset();
    drawnFrame_ = 0;
}

void PageRenderer::forgetFrames()
{
    frameImage_.reset();
    drawnFrame_ = 0;
    frames_.clear();
    framesVersion_ = {};
}

PageBitmap PageRenderer::RenderPageBitmap(int page)
{
    const int sourcePage = sourcePageOf(page);
    const FrameInfo info = source_.SelectPage(sourcePage);
    checkDrawableSize(info, sourcePage, source_.path());
    cairo_surface_t* surface = pageSurface(info);
    const CairoContext cr(cairo_create(surface));
    checkCairo(cr.get(), __LINE__);
    drawForOneBit(cr.get());

    PageCanvas canvas;
    canvas.cr = cr.get();
    canvas.dpi = info.yDpi;
    cairo_matrix_init_scale(&canvas.pageMatrix, info.xDpi / 25.4, info.yDpi / 25.4);
    DrawPage(canvas, page);
    return ToOneBit(surface, info.xDpi, info.yDpi);
}

void PageRenderer::PrintPage(PrintJob& document, int page)
{
    const PageCanvas canvas = document.StartPage();
    {
        CairoStateGuard state(canvas.cr);
        DrawPage(canvas, page);
    }
    document.EndPage();
}

void PageRenderer::OpenOutput(const std::string& path)
{
    output_.open(path);
    try {
        source_.TiffLoadSource();
    } catch (...) {
        AbortOutput();
        throw;
    }
}

bool PageRenderer::WritePage(int page)
{
    if (stop_)
        return false;
    try {
        const PageBitmap bitmap = RenderPageBitmap(page);
        if (stop_)
            return false;
        output_.write(bitmap, stamp());
    } catch (...) {
        AbortOutput();
        throw;
    }
    return true;
}

void PageRenderer::CloseOutput()
{
    releaseDrawingImages();
    output_.close();
}

void PageRenderer::AbortOutput()
{
    releaseDrawingImages();
    output_.abort();
}

void PageRenderer::WritePageImage(const std::string& path, std::u16string_view imageType)
{
    if (!hasImageEncoder(imageType))
        SSError::CPrgError(kSource, __LINE__, SSError::kErr0xC0080003).addDetail(imageMimeType(imageType)).raise();
    if (elements_.empty())
        SSError::CPrgError(kSource, __LINE__, SSError::kErrDetailOnly)
            .addDetail(ErrorTexts::load(ErrorTexts::kNoData).value_or(u""))
            .raise();
    const SourceLoadedForCall loaded(source_);
    const PageBitmap bitmap = RenderPageBitmap(elements_.elements().begin()->second.page);
    releaseDrawingImages();
    writePageImageFile(path, imageType, bitmap, stamp());
}

bool PageRenderer::IsLandscapePage(int sourcePage)
{
    const SourceLoadedForCall loaded(source_);
    const FrameInfo frame = source_.SelectPage(sourcePage);
    return frame.width > frame.height;
}

std::u16string PageRenderer::FormName()
{
    return WideText::fromUtf8(source_.formName());
}

int PageRenderer::MeasureTextLines(const TextLayout& layout, std::u16string_view text)
{
    const std::size_t count = countedCharacters(NormalizeText(text), layout, true);
    if (count == 0)
        return 0;
    TextLayout unlimited = layout;
    unlimited.height = 0;
    const std::size_t perLine = MeasureText(unlimited, layout.fontSize, kMeasuringDpi).perLine;
    if (perLine == 0)
        return INT32_MAX;
    return static_cast<int>(std::min<std::size_t>((count + perLine - 1) / perLine, INT32_MAX));
}

float PageRenderer::MeasureFontSize(const TextLayout& first, std::u16string_view firstText,
                                    const TextLayout& second, std::u16string_view secondText)
{
    float common = std::min(first.fontSize, second.fontSize);
    bool measured = false;
    for (const auto& [layout, text] : {std::pair{&first, firstText}, std::pair{&second, secondText}}) {
        if (text.empty())
            continue;
        const float size = FitFontSize(NormalizeText(text), *layout, kMeasuringDpi);
        if (size == 0)
            return 0;
        common = measured ? std::min(common, size) : size;
        measured = true;
    }
    return common;
}

PageStamp PageRenderer::stamp() const
{
    if (versionText_.empty())
        return {};
    return {WideText::toCp1251(versionText_), pageDateTime(std::time(nullptr))};
}
