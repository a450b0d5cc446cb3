#pragma once

// Printing: a print job collects its pages, drawn as vectors, into one PDF document and hands it
// to a printer when it ends; a cancelled job sends nothing. The printer behind the PrinterSink
// interface is a CUPS queue (CupsPrinter) or a file (FilePrinterSink).

#include "CairoHandles.h"
#include "PageCanvas.h"

#include <string>
#include <string_view>

// What page layout needs to know of a printer.
struct PrinterProperties {
    // Dots per inch.
    int xDpi = 600;
    int yDpi = 600;
    // The printable area's top-left corner, in dots from the paper's; drawing starts there.
    int physicalOffsetX = 0;
    int physicalOffsetY = 0;
    // Millimetres.
    double paperWidth = 210;
    double paperHeight = 297;
};

class PrinterSink {
public:
    virtual ~PrinterSink() = default;

    virtual PrinterProperties properties() const = 0;
    // Prints `copies` copies of a finished job, a PDF document; a failure raises.
    virtual void submit(std::string_view document, std::u16string_view title, int copies) = 0;
};

// A printer that writes each job's document to a file, replacing the file of the job before.
class FilePrinterSink : public PrinterSink {
public:
    FilePrinterSink(std::string path, PrinterProperties properties);

    PrinterProperties properties() const override { return properties_; }
    void submit(std::string_view document, std::u16string_view title, int copies) override;

    const std::u16string& lastTitle() const { return lastTitle_; }
    int lastCopies() const { return lastCopies_; }

private:
    std::string path_;
    PrinterProperties properties_;
    std::u16string lastTitle_;
    int lastCopies_ = 0;
};

class PrintJob {
public:
    // A job for the printer; its pages have the printer's paper size. Properties without a
    // resolution or paper size raise the printer-properties error.
    PrintJob(PrinterSink& printer, std::u16string title, int copies);
    ~PrintJob();
    PrintJob(const PrintJob&) = delete;
    PrintJob& operator=(const PrintJob&) = delete;

    // A new page, in millimetres from the printable area's top-left corner.
    PageCanvas StartPage();
    void EndPage();
    // Sends the job to the printer; a job without pages is refused.
    void EndDoc();
    // Drops the job; nothing is printed.
    void AbortDoc();

    int pageCount() const { return pages_; }

private:
    static cairo_status_t append(void* document, const unsigned char* data, unsigned int length);

    PrinterSink& printer_;
    PrinterProperties properties_;
    std::u16string title_;
    int copies_;
    std::string document_;
    CairoSurface surface_;
    CairoContext cr_;
    int pages_ = 0;
    bool pageOpen_ = false;
    bool ended_ = false;
};
