#pragma once

// The library's one document object. It owns the page renderer from initialisation to release,
// knows the blank-form TIFF whose pages are the background of every page, reads and writes that
// file's tags, and runs the jobs: the page images of a data document into a folder of TIFF
// files, a multi-page TIFF or a PDF; one page as a preview image; the data document or the blank
// forms on a printer. Cancel, called from another thread, stops a job before its next page and
// its drawing before the next element; the job then fails with the cancel error.

#include "JobProgress.h"
#include "PageLayout.h"
#include "PageRenderer.h"
#include "PrinterSink.h"

#include <atomic>
#include <memory>
#include <string>
#include <string_view>

class DataDocument;

class CPrintDocument {
public:
    // Creates the renderer and records the blank form's path, which is not checked until the
    // file is used.
    void Init(std::u16string_view sourceTiffPath);
    void Free();
    bool hasRenderer() const { return renderer_ != nullptr; }
    // The renderer exists and a blank form is named. Everything below but SetSourceTiff needs it
    // and raises 0xC0020043 without it.
    bool initialised() const { return renderer_ != nullptr && !sourcePath_.empty(); }

    // Names another blank form; it must exist (0xC002000E). Needs the renderer only.
    void SetSourceTiff(std::u16string_view path);
    int GetNumberPages();

    // The length of the tag's value on page `page` (from 1) of the blank form, and the value.
    std::size_t GetTagSize(int page, int tag) const;
    std::u16string GetTag(int page, int tag) const;
    // Writes a copy of the blank form to `outputPath` with the tag set on the selected pages,
    // and the library's software text in tag 305. The value is stored in cp1251: its first
    // `length` characters, all of it for 0; a text tag takes the whole value or nothing (a length
    // that is negative or longer than the value raises 0xC0020001). A chained byte value longer
    // than one item (60000 bytes) is packed.
    void SetTag(std::u16string_view outputPath, std::u16string_view selection, int tag, std::u16string_view value,
                int length);

    // Refuses a blank form made for a newer library (see LibraryVersion.h).
    void CheckTemplateVersion() const;
    void ResetCancel();
    // Safe to call from any thread while a job runs.
    void Cancel();

    struct BuildRequest {
        // The data document's XML, or the path of its file.
        std::u16string_view data;
        std::u16string_view outputPath;
        // Empty selects every sheet.
        std::u16string_view selection;
        // Per cent; 0 or below fits the form beside the barcode blocks.
        int scale = 0;
    };
    // Writes the selected sheets (see PageOutput.h for the kinds of output). Empty data or an
    // empty output path raise 0xC0020043; a cancelled build leaves no PDF or multi-page TIFF and
    // raises "Запись прервана.".
    void BuildDocument(const BuildRequest& request, JobProgress& progress);
    // Writes sheet `sheetNumber` (from 1) as one image of the type (see PageImageFile.h).
    void BuildPage(std::u16string_view data, std::u16string_view outputPath, int sheetNumber,
                   std::u16string_view imageType);

    struct PrintRequest {
        // The data document; not used for blank forms.
        std::u16string_view data;
        // Sheets of the document, or pages of the blank form; empty selects all.
        std::u16string_view selection;
        // Held within 1..100.
        int copies = 1;
        // Per cent; outside 1..100 it is 100.
        int scale = 100;
    };
    // A cancelled print job sends nothing to the printer and raises "Печать прервана.".
    void PrintDocument(const PrintRequest& request, PrinterSink& printer, JobProgress& progress);
    void PrintBlank(const PrintRequest& request, PrinterSink& printer, JobProgress& progress);

private:
    void requireInitialised() const;
    // The renderer with the recorded blank form set in it.
    PageRenderer& sourcedRenderer();
    void layoutSheet(const DataDocument& document, int sheet, PageRenderer& renderer) const;
    void print(PrintKind kind, const PrintRequest& request, PrinterSink& printer, JobProgress& progress);

    std::unique_ptr<PageRenderer> renderer_;
    std::u16string sourcePath_;
    PageLayout layout_;
    std::atomic<bool> cancel_ = false;
};
