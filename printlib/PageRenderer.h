#pragma once

// The page renderer: draws the pages of its element table on page bitmaps for TIFF, PDF and image
// files, or on a printer's pages. Every page takes its pixel size and resolution from a frame of
// the source TIFF (the blank form), which can also be drawn as its background. Lengths on a page
// are millimetres.
//
//     PageRenderer renderer;
//     renderer.SetSourceTiff(formPath);
//     renderer.Elements().AddTextElement({1, 1}, ElementKind::Text, u"Иванов", command, u"", 0);
//     renderer.OpenOutput(outputPath);
//     renderer.SetPageTotal(1);
//     renderer.WritePage(1);
//     renderer.CloseOutput();

#include "CairoHandles.h"
#include "DrawCommandParser.h"
#include "ElementTable.h"
#include "LayoutRenderer.h"
#include "PageBitmap.h"
#include "PageCanvas.h"
#include "PageOutput.h"
#include "TiffPages.h"
#include "TiffPageWriter.h"

#include <atomic>
#include <map>
#include <string>
#include <string_view>
#include <vector>

class PrintJob;

class PageRenderer : public LayoutRenderer {
public:
    ElementTable& Elements() override { return elements_; }
    const ElementTable& Elements() const { return elements_; }

    void SetSourceTiff(const std::string& path);
    SourceTiff& source() { return source_; }
    // Frames of the source TIFF, which is loaded for the call when it is not.
    int PageCount();
    // Closes the source TIFF; the next use opens the file afresh. The frames kept for drawing
    // stay for as long as the file opened then is the same one, so a job sees the file as it
    // is now.
    void ReleaseSource();

    // The text written into tag 33432 of every TIFF page, with the time of writing in tag 306;
    // empty: neither tag is written.
    void SetVersionText(std::u16string text) { versionText_ = std::move(text); }
    const std::u16string& versionText() const { return versionText_; }
    // On: a page's source frame is drawn as its background; off: the page starts white.
    void SetBackground(bool on) { background_ = on; }
    // On: a text that fits its cell at no size down to 8 is drawn at size 8 instead of failing.
    void SetFallbackOnOverflow(bool on) override { fallbackOnOverflow_ = on; }
    bool FallbackOnOverflow() const { return fallbackOnOverflow_; }

    bool IsLandscapePage(int sourcePage) override;
    std::u16string FormName() override;
    // Measured as the fitting measures: each character as wide as a no-break space, TABs at
    // tab stops not counted; a cell narrower than one character never holds the text.
    int MeasureTextLines(const TextLayout& layout, std::u16string_view text) override;
    // Fitted at 300 dots per inch; with both texts empty, the smaller of the layouts' sizes.
    float MeasureFontSize(const TextLayout& first, std::u16string_view firstText, const TextLayout& second,
                          std::u16string_view secondText) override;

    // The stop flag, set from another thread to cancel a job: drawing ends before the next
    // element, and a page cut short is not written.
    void Stop() { stop_ = true; }
    void ResetStop() { stop_ = false; }
    bool stopped() const { return stop_; }

    // Draws the page's elements in order on the canvas.
    void DrawPage(const PageCanvas& canvas, int page);
    // The page drawn on a bitmap of its source frame's size and resolution, 1 bit per pixel.
    PageBitmap RenderPageBitmap(int page);
    // Draws the page as a new page of the print job, in vectors.
    void PrintPage(PrintJob& document, int page);

    // Starts writing pages to the path (see PageOutput) and loads the source TIFF.
    void OpenOutput(const std::string& path);
    // The number of pages the output will get; a PDF needs it before its first page.
    void SetPageTotal(int total) { output_.setPageTotal(total); }
    // Renders the page and writes it. Returns false, writing nothing, when the stop flag is or
    // gets set. A failure ends the output as AbortOutput does.
    bool WritePage(int page);
    void CloseOutput();
    // Ends the output after a failure or a cancel; a PDF or a multi-page TIFF is not left behind.
    void AbortOutput();
    OutputMode outputMode() const { return output_.mode(); }

    // Renders the table's first page and writes it as an image of the type ("png" or
    // "image/png"; see PageImageFile.h). The source TIFF is loaded for the call when it is not.
    void WritePageImage(const std::string& path, std::u16string_view imageType);

private:
    struct Origin {
        double x;
        double y;
    };

    void DrawPageElements(const PageCanvas& canvas, int page);
    void DrawTextElement(const PageCanvas& canvas, const RenderElement& element);
    void DrawTextBlock(const PageCanvas& canvas, const RenderElement& head,
                       const std::vector<const RenderElement*>& lines);
    void drawTextPart(const PageCanvas& canvas, const RenderElement& element, const TextLayout& layout,
                      std::u16string_view text, float size);
    void drawBarcode(const PageCanvas& canvas, const RenderElement& element);
    void DrawPageImage(const PageCanvas& canvas, const RenderElement& element);
    void drawCross(const PageCanvas& canvas, const RenderElement& element);

    // Moves into the element's frame (inside a saved state): with a transform, the element's
    // matrix acts about its origin (x, y). Returns where the origin is drawn.
    Origin enterElementFrame(cairo_t* cr, const RenderElement& element, double x, double y) const;
    void checkSymbolOnPage(cairo_t* cr, const RenderElement& element, double x, double y, double width,
                           double height) const;
    float fittedSize(ElementKind kind, std::u16string_view text, const TextLayout& layout, double dpi,
                     ElementPlace place) const;
    [[noreturn]] void raiseOverflow(std::u16string_view text, const TextLayout& layout, ElementPlace place,
                                    int line) const;
    int sourcePageOf(int page) const;

    struct KeptFrame {
        FrameInfo info;
        PageBitmap ink;
    };
    // The ink of a source frame, decoded once for as long as the source file stays the same
    // version.
    const KeptFrame& keptFrame(int sourcePage);
    // The frame as an image to draw on the canvas's kind of target.
    cairo_surface_t* frameImage(cairo_t* cr, int sourcePage, const KeptFrame& frame);
    // The one ink image pages are drawn on while the output runs, of the frame's size.
    cairo_surface_t* pageSurface(const FrameInfo& info);
    void releaseDrawingImages();
    void forgetFrames();
    PageStamp stamp() const;

    ElementTable elements_;
    SourceTiff source_;
    std::u16string versionText_;
    bool background_ = false;
    bool fallbackOnOverflow_ = false;
    std::atomic<bool> stop_ = false;
    PageOutput output_;

    std::map<int, KeptFrame> frames_;
    FileVersion framesVersion_;
    CairoSurface page_;
    // The ink of frame `drawnFrame_` ready to draw, or the colour image of it for a printer.
    CairoSurface frameImage_;
    int drawnFrame_ = 0;
};
