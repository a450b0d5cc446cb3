#include "PdfWriter.h"

#include "G4Encoder.h"
#include "SSError.h"

#include <charconv>
#include <cmath>

namespace {

constexpr int kObjectsPerPage = 6;
constexpr int kFirstPageObject = 4;
constexpr uint32_t kInfoObject = 1;
constexpr uint32_t kCatalogObject = 2;
constexpr uint32_t kPagesObject = 3;
constexpr std::size_t kBufferLimit = 1 << 20;

std::string number(int64_t value)
{
    char text[24];
    return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
}

std::string reference(int64_t object)
{
    return number(object) + " 0 R";
}

// "%010lu": the cross-reference table's fixed-width offsets.
std::string paddedOffset(uint64_t offset)
{
    std::string digits = number(static_cast<int64_t>(offset));
    return std::string(digits.size() < 10 ? 10 - digits.size() : 0, '0') + digits;
}

[[noreturn]] void raiseInvalid(int line, std::string_view detail)
{
    SSError::CPrgError(SSError::kSourceTifOperation, line, SSError::kErrInvalidParametersDetail)
        .addDetail(detail)
        .raise();
}

// Whole dots per inch; a page without a resolution has no size in points.
int64_t wholeDpi(double dpi, int page, int line)
{
    const int64_t rounded = std::isfinite(dpi) ? std::llround(dpi) : 0;
    if (rounded <= 0)
        raiseInvalid(line, "разрешение страницы " + number(page) + " PDF-файла равно " + number(rounded));
    return rounded;
}

} // namespace

PdfWriter::PdfWriter(const std::string& path, int pageCount)
    : file_(std::make_unique<TempFile>(path)), pageCount_(pageCount)
{
    if (pageCount < 1)
        raiseInvalid(__LINE__, "число страниц PDF-файла " + number(pageCount));
    objectOffsets_.reserve(static_cast<std::size_t>(kObjectsPerPage) * pageCount + kFirstPageObject);
}

void PdfWriter::BeginPdf()
{
    putLine("%PDF-1.2");

    startObject();
    putLine("<<");
    for (const char* key : {"/Creator", "/CreationDate", "/Author", "/Producer", "/Title", "/Subject", "/Keywords"}) {
        put(key);
        putLine(" ()");
    }
    putLine(">>");
    putLine("endobj");

    startObject();
    putLine("<<");
    putLine("/Type /Catalog");
    putLine("/Pages " + reference(kPagesObject));
    putLine(">>");
    putLine("endobj");

    startObject();
    putLine("<<");
    putLine("/Type /Pages");
    std::string kids = "/Kids [";
    for (int page = 0; page < pageCount_; ++page)
        kids += reference(kFirstPageObject + kObjectsPerPage * page) + " ";
    putLine(kids + "]");
    putLine("/Count " + number(pageCount_));
    putLine("/MediaBox [0 0 0 0]");
    putLine(">>");
    putLine("endobj");
}

void PdfWriter::AddPage(const PageBitmap& page)
{
    const int index = pagesWritten_ + 1;
    if (index > pageCount_)
        raiseInvalid(__LINE__, "страница " + number(index) + " сверх объявленных " + number(pageCount_));
    if (!page.isWritable())
        raiseInvalid(__LINE__, "размер или разрешение страницы " + number(index));
    const int64_t first = kFirstPageObject + kObjectsPerPage * pagesWritten_;
    const int64_t widthPoints = int64_t{page.width} * 72 / wholeDpi(page.xDpi, index, __LINE__);
    const int64_t heightPoints = int64_t{page.height} * 72 / wholeDpi(page.yDpi, index, __LINE__);
    const std::string imageName = "/Im" + number(index);
    const std::string size = number(widthPoints) + " " + number(heightPoints);

    startObject();
    putLine("<<");
    putLine("/Type /Page");
    putLine("/Parent " + reference(kPagesObject));
    putLine("/MediaBox [0 0 " + size + "]");
    putLine("/Resources");
    putLine("<<");
    putLine("/XObject << " + imageName + " " + reference(first + 3) + " >>");
    putLine("/ProcSet " + reference(first + 2) + " ");
    putLine(">>");
    putLine("/Contents [" + reference(first + 1) + "]");
    putLine(">>");
    putLine("endobj");

    const std::string content = "q\r" + number(widthPoints) + " 0 0 " + number(heightPoints) + " 0 0 cm\r" +
                                imageName + " Do\r" + "Q\r";
    startObject();
    putLine("<<");
    // The content's last carriage return is the end of line before "endstream".
    putLine("/Length " + number(static_cast<int64_t>(content.size()) - 1));
    putLine(">>");
    put("stream\r\n");
    put(content);
    putLine("endstream");
    putLine("endobj");

    startObject();
    putLine("[ /PDF /ImageI ]");
    putLine("endobj");

    const std::vector<uint8_t> image = EncodeG4(page);
    startObject();
    putLine("<<");
    putLine("/Type /XObject");
    putLine("/Subtype /Image");
    putLine("/Name " + imageName);
    putLine("/Filter /CCITTFaxDecode");
    putLine("/DecodeParms << /K -1 /Columns " + number(page.width) + " /Rows " + number(page.height) + " >>");
    putLine("/ColorSpace " + reference(first + 5));
    putLine("/Width " + number(page.width));
    putLine("/Height " + number(page.height));
    putLine("/BitsPerComponent 1");
    putLine("/Length " + reference(first + 4));
    putLine(">>");
    put("stream\r\n");
    flush();
    file_->write(image.data(), image.size());
    offset_ += image.size();
    put("\r");
    putLine("endstream");
    putLine("endobj");

    startObject();
    putLine(number(static_cast<int64_t>(image.size())));
    putLine("endobj");

    startObject();
    put("/DeviceGray\r");
    putLine("endobj");

    ++pagesWritten_;
}

void PdfWriter::FinishPdf()
{
    if (pagesWritten_ != pageCount_)
        raiseInvalid(__LINE__, "записано страниц " + number(pagesWritten_) + " из " + number(pageCount_));
    const uint64_t xrefOffset = offset_;
    const int64_t entries = static_cast<int64_t>(objectOffsets_.size()) + 1;
    putLine("xref");
    putLine("0 " + number(entries));
    putLine("0000000000 65535 f ");
    for (uint64_t objectOffset : objectOffsets_)
        putLine(paddedOffset(objectOffset) + " 00000 n ");
    putLine("trailer");
    putLine("<<");
    putLine("/Size " + number(entries));
    putLine("/Root " + reference(kCatalogObject));
    putLine("/Info " + reference(kInfoObject));
    putLine(">>");
    putLine("startxref");
    putLine(number(static_cast<int64_t>(xrefOffset)));
    putLine("%%EOF");
    flush();
    file_->commit();
}

void PdfWriter::startObject()
{
    objectOffsets_.push_back(offset_);
    putLine(number(static_cast<int64_t>(objectOffsets_.size())) + " 0 obj");
}

void PdfWriter::put(std::string_view text)
{
    buffer_ += text;
    offset_ += text.size();
    if (buffer_.size() >= kBufferLimit)
        flush();
}

void PdfWriter::putLine(std::string_view text)
{
    put(text);
    put("\r");
}

void PdfWriter::flush()
{
    file_->write(buffer_.data(), buffer_.size());
    buffer_.clear();
}
