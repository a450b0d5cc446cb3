// The library's exported functions. Each runs its work in the call frame, which turns every
// failure into 0 and the one-line report in the last-error text. One document object serves
// every call; a lock keeps calls from several threads from meeting in it.

#include "ORVEXPDOCe.h"

#include "CallFrame.h"
#include "CupsPrinter.h"
#include "LibraryVersion.h"
#include "Md5.h"
#include "PageImageFile.h"
#include "PrintDocument.h"
#include "ProgressWindow.h"
#include "SSError.h"
#include "ViewProcess.h"
#include "WideText.h"

#include <algorithm>
#include <atomic>
#include <climits>
#include <cstdlib>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

using CallFrame::OnEntry;
using CallFrame::raiseInvalidParameters;

namespace {

enum Md5Mode : int32_t { kDigestText = 0, kDigestFile = 1 };

std::mutex documentMutex;
// The thread inside the document, so that a call from that same thread fails instead of
// deadlocking: while a job's progress window is up, the caller's own event handlers run on it.
std::atomic<std::thread::id> documentOwner;

class DocumentLock {
public:
    explicit DocumentLock(int line)
    {
        if (documentOwner.load() == std::this_thread::get_id())
            SSError::CPrgError(SSError::kSourceExports, line, SSError::kErrInvalidParametersDetail)
                .addDetail(u"задание библиотеки ещё выполняется")
                .raise();
        documentMutex.lock();
        documentOwner.store(std::this_thread::get_id());
    }
    ~DocumentLock()
    {
        documentOwner.store(std::thread::id());
        documentMutex.unlock();
    }
    DocumentLock(const DocumentLock&) = delete;
    DocumentLock& operator=(const DocumentLock&) = delete;
};

CPrintDocument& document()
{
    static CPrintDocument printDocument;
    return printDocument;
}

std::u16string_view textOf(const char16_t* text)
{
    return text != nullptr ? std::u16string_view(text) : std::u16string_view();
}

std::u16string_view textOf(const ORVEXPDOCDataW& data)
{
    return data.text != nullptr && data.length > 0
               ? std::u16string_view(data.text, static_cast<std::size_t>(data.length))
               : std::u16string_view();
}

CPrintDocument& initialisedDocument(int line)
{
    if (!document().initialised())
        raiseInvalidParameters(line);
    return document();
}

// The printer of that name; the test hook ORVEXPDOC_PRINT_SINK diverts every job to a file.
std::unique_ptr<PrinterSink> openPrinter(std::u16string_view name)
{
    if (const char* sink = std::getenv("ORVEXPDOC_PRINT_SINK"); sink != nullptr && *sink != '\0')
        return std::make_unique<FilePrinterSink>(sink, PrinterProperties{});
    return CupsPrinter::open(name);
}

// On the calling thread, or, with progress, on a worker thread while the calling thread waits.
// The progress window is the plugin's in a Qt GUI application; elsewhere the job runs unseen.
void runJob(JobMode mode, int32_t showProgress, intptr_t ownerWindow,
            const std::function<void(JobProgress&)>& job)
{
    if (showProgress == 0) {
        NoJobProgress progress;
        job(progress);
        return;
    }
    const std::unique_ptr<ProgressView> window = OpenProgressWindow(ownerWindow);
    HeadlessProgressView headless;
    CViewProcess(mode, window ? *window : headless, [] { document().Cancel(); }).Run(job);
}

} // namespace

extern "C" {

int32_t InitORVEXPDOCW(const char16_t* sourceTiffPath)
{
    return CallFrame::run(OnEntry::ClearLastError, [&] {
        if (sourceTiffPath == nullptr)
            raiseInvalidParameters(__LINE__);
        const DocumentLock lock(__LINE__);
        document().Init(textOf(sourceTiffPath));
        return 1;
    });
}

int32_t FreeORVEXPDOC(void)
{
    return CallFrame::run(OnEntry::KeepLastError, [&] {
        const DocumentLock lock(__LINE__);
        document().Free();
        return 1;
    });
}

int32_t ORVEXPDOCVersion(char16_t* buffer, int32_t* size)
{
    return CallFrame::run(OnEntry::KeepLastError, [&] {
        if (size == nullptr)
            raiseInvalidParameters(__LINE__);
        CallFrame::copyTextOut(LibraryVersion::kVersion, buffer, size);
        return 1;
    });
}

int32_t GetLastErrorORVEXPDOCW(char16_t* buffer, int32_t* size)
{
    return CallFrame::run(OnEntry::KeepLastError, [&] {
        if (size == nullptr)
            raiseInvalidParameters(__LINE__);
        CallFrame::copyTextOut(CallFrame::lastError(), buffer, size);
        return 1;
    });
}

int32_t IsErrorORVEXPDOC(int32_t* length)
{
    const auto textLength = static_cast<int32_t>(CallFrame::lastErrorLength());
    if (length != nullptr)
        *length = textLength;
    return textLength != 0 ? 1 : 0;
}

int32_t ClearErrorORVEXPDOC(void)
{
    CallFrame::clearLastError();
    return 1;
}

int32_t SetSourceTiffW(const char16_t* sourceTiffPath)
{
    return CallFrame::run(OnEntry::ClearLastError, [&] {
        const DocumentLock lock(__LINE__);
        if (!document().hasRenderer() || textOf(sourceTiffPath).empty())
            raiseInvalidParameters(__LINE__);
        document().SetSourceTiff(textOf(sourceTiffPath));
        return 1;
    });
}

int32_t SetTagW(const char16_t* outputPath, const char16_t* pageSelection, int32_t tagId, const char16_t* value,
                int32_t valueLength)
{
    return CallFrame::run(OnEntry::ClearLastError, [&] {
        const DocumentLock lock(__LINE__);
        CPrintDocument& printDocument = initialisedDocument(__LINE__);
        if (textOf(outputPath).empty() || textOf(pageSelection).empty() || value == nullptr)
            raiseInvalidParameters(__LINE__);
        printDocument.SetTag(textOf(outputPath), textOf(pageSelection), tagId, textOf(value), valueLength);
        return 1;
    });
}

int32_t GetTagW(int32_t pageNumber, int32_t tagId, char16_t* buffer, int32_t* size)
{
    return CallFrame::run(OnEntry::ClearLastError, [&] {
        const DocumentLock lock(__LINE__);
        CPrintDocument& printDocument = initialisedDocument(__LINE__);
        if (pageNumber == 0 || size == nullptr)
            raiseInvalidParameters(__LINE__);
        const std::u16string value = printDocument.GetTag(pageNumber, tagId);
        const int32_t capacity = *size;
        CallFrame::copyTextOut(value, buffer, size);
        // Unlike the other copies, capacity 0 still gets its terminating zero: an empty string.
        if (buffer != nullptr && capacity == 0)
            buffer[0] = u'\0';
        return 1;
    });
}

int32_t GetSizeTagValue(int32_t pageNumber, int32_t tagId)
{
    return CallFrame::run(OnEntry::ClearLastError, [&] {
        const DocumentLock lock(__LINE__);
        CPrintDocument& printDocument = initialisedDocument(__LINE__);
        if (pageNumber == 0)
            raiseInvalidParameters(__LINE__);
        return static_cast<int32_t>(std::min<std::size_t>(printDocument.GetTagSize(pageNumber, tagId), INT32_MAX));
    });
}

int32_t GetNumberPages(void)
{
    return CallFrame::run(OnEntry::ClearLastError, [&] {
        const DocumentLock lock(__LINE__);
        return static_cast<int32_t>(initialisedDocument(__LINE__).GetNumberPages());
    });
}

int32_t BuildPDocumentW(ORVEXPDOCDataW data, const char16_t* outputPath, const char16_t* pageSelection,
                        int32_t scale, int32_t showProgress, intptr_t ownerWindow)
{
    return CallFrame::run(OnEntry::KeepLastError, [&] {
        const DocumentLock lock(__LINE__);
        CPrintDocument& printDocument = initialisedDocument(__LINE__);
        printDocument.CheckTemplateVersion();
        printDocument.ResetCancel();
        const CPrintDocument::BuildRequest request{textOf(data), textOf(outputPath), textOf(pageSelection), scale};
        runJob(JobMode::WriteImages, showProgress, ownerWindow,
               [&](JobProgress& progress) { printDocument.BuildDocument(request, progress); });
        return 1;
    });
}

int32_t BuildVPageW(ORVEXPDOCDataW data, const char16_t* outputPath, int32_t sheetNumber, const char16_t* imageType)
{
    return CallFrame::run(OnEntry::KeepLastError, [&] {
        const DocumentLock lock(__LINE__);
        CPrintDocument& printDocument = initialisedDocument(__LINE__);
        const std::optional<std::u16string> type = previewImageType(textOf(imageType));
        if (!type)
            raiseInvalidParameters(__LINE__);
        printDocument.CheckTemplateVersion();
        // A cancel of an earlier job must not cut this page short.
        printDocument.ResetCancel();
        printDocument.BuildPage(textOf(data), textOf(outputPath), sheetNumber, *type);
        return 1;
    });
}

int32_t PrintDocumentW(ORVEXPDOCDataW data, const char16_t* printerName, const char16_t* pageSelection,
                       int32_t copies, int32_t scale, int32_t showProgress, intptr_t ownerWindow)
{
    return CallFrame::run(OnEntry::KeepLastError, [&] {
        const DocumentLock lock(__LINE__);
        CPrintDocument& printDocument = initialisedDocument(__LINE__);
        printDocument.CheckTemplateVersion();
        printDocument.ResetCancel();
        if (textOf(data).empty())
            raiseInvalidParameters(__LINE__);
        const std::unique_ptr<PrinterSink> printer = openPrinter(textOf(printerName));
        const CPrintDocument::PrintRequest request{textOf(data), textOf(pageSelection), copies, scale};
        runJob(JobMode::PrintDocument, showProgress, ownerWindow,
               [&](JobProgress& progress) { printDocument.PrintDocument(request, *printer, progress); });
        return 1;
    });
}

int32_t PrintBlankW(const char16_t* printerName, const char16_t* pageSelection, int32_t copies, int32_t scale,
                    int32_t showProgress, intptr_t ownerWindow)
{
    return CallFrame::run(OnEntry::KeepLastError, [&] {
        const DocumentLock lock(__LINE__);
        CPrintDocument& printDocument = initialisedDocument(__LINE__);
        printDocument.ResetCancel();
        const std::unique_ptr<PrinterSink> printer = openPrinter(textOf(printerName));
        const CPrintDocument::PrintRequest request{{}, textOf(pageSelection), copies, scale};
        runJob(JobMode::PrintBlankForms, showProgress, ownerWindow,
               [&](JobProgress& progress) { printDocument.PrintBlank(request, *printer, progress); });
        return 1;
    });
}

int32_t MD5HashW(const char16_t* text, int32_t mode, char16_t* output)
{
    return CallFrame::run(OnEntry::ClearLastError, [&] {
        const std::u16string_view argument = textOf(text);
        if (argument.empty() || (mode != kDigestText && mode != kDigestFile) || output == nullptr)
            raiseInvalidParameters(__LINE__);
        const Md5::Digest digest = mode == kDigestFile
                                       ? Md5::ofFile(WideText::toUtf8(argument), SSError::kSourceExports)
                                       : Md5::ofText(argument);
        const std::u16string hex = Md5::hex(digest);
        std::copy(hex.begin(), hex.end(), output);
        return 1;
    });
}

} // extern "C"
