#include "TiffTags.h"

#include "ErrorTexts.h"
#include "SSError.h"
#include "TempFile.h"
#include "TiffFile.h"
#include "TiffFrameCopy.h"
#include "TiffPages.h"
#include "WideText.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <optional>
#include <vector>
#include <zlib.h>

namespace {

constexpr int kSource = SSError::kSourceTifOperation;

constexpr std::array<int, 11> kWritableTags = {269, 270, 285, 305, 306, 800, 33432, 50100, 50200, 50300, 50400};
constexpr std::array<int, 18> kReadableTags = {269,   270,   285,   305,   306,   800, 33432, 50100, 50200,
                                               50300, 50400, 256,   257,   258,   259, 277,   282,   283};
constexpr std::size_t kPackedHeadSize = 7;

bool isChained(int tag)
{
    return std::find(std::begin(TiffTag::kChainBases), std::end(TiffTag::kChainBases), static_cast<uint32_t>(tag)) !=
           std::end(TiffTag::kChainBases);
}

std::u16string tagList(const int* tags, std::size_t count)
{
    std::u16string list;
    for (std::size_t index = 0; index < count; ++index)
        list += (index ? u", " : u"") + WideText::decimal(tags[index]);
    return list;
}

[[noreturn]] void raiseInvalid(int line, std::u16string detail)
{
    SSError::CPrgError(kSource, line, SSError::kErrInvalidParametersDetail).addDetail(detail).raise();
}

[[noreturn]] void raiseDetail(int line, std::u16string detail)
{
    SSError::CPrgError(kSource, line, SSError::kErrDetailOnly).addDetail(detail).raise();
}

void requireZlib(int line)
{
    if (zlibVersion()[0] != '1')
        raiseDetail(line, u"incompatible zlib version");
}

bool isPackedHead(std::string_view item)
{
    return item.size() == kPackedHeadSize && item[0] == 'Z' && item[1] == 'I' && (item[2] == 'p' || item[2] == 'P');
}

uint32_t packedLength(std::string_view head)
{
    uint32_t length = 0;
    for (int index = 6; index >= 3; --index)
        length = (length << 8) | static_cast<uint8_t>(head[index]);
    return length;
}

std::optional<std::string_view> chainItem(TIFF* tiff, uint32_t tag)
{
    uint32_t count = 0;
    void* data = nullptr;
    if (!TIFFGetField(tiff, tag, &count, &data))
        return std::nullopt;
    return std::string_view(static_cast<const char*>(data), count);
}

std::string joinItems(TIFF* tiff, uint32_t first, uint32_t end)
{
    std::string joined;
    for (uint32_t tag = first; tag < end; ++tag) {
        const std::optional<std::string_view> item = chainItem(tiff, tag);
        if (!item)
            break;
        joined += *item;
    }
    return joined;
}

std::string unpack(const std::string& packed, std::size_t length)
{
    requireZlib(__LINE__);
    std::string value(length, '\0');
    uLongf produced = static_cast<uLongf>(length);
    int result = uncompress(reinterpret_cast<Bytef*>(value.data()), &produced,
                            reinterpret_cast<const Bytef*>(packed.data()), static_cast<uLong>(packed.size()));
    // The head's length must be exactly what the stream holds.
    if (result == Z_OK && produced != length)
        result = Z_DATA_ERROR;
    if (result != Z_OK)
        raiseDetail(__LINE__, u"Ошибка при распаковки данных: " + WideText::decimal(result));
    return value;
}

std::size_t readChained(TIFF* tiff, uint32_t base, std::string* value)
{
    const uint32_t end = base + TiffTag::kChainLength;
    const std::optional<std::string_view> head = chainItem(tiff, base);
    if (!head) {
        if (value)
            value->clear();
        return 0;
    }
    // A packed value always continues in the next item; an unpacked one of seven bytes does not.
    if (isPackedHead(*head) && chainItem(tiff, base + 1)) {
        const uint32_t length = packedLength(*head);
        if (length > TiffTags::kMaxUnpackedLength)
            raiseDetail(__LINE__, u"Ошибка при распаковки данных: " + WideText::decimal(Z_DATA_ERROR));
        if (value)
            *value = unpack(joinItems(tiff, base + 1, end), length);
        return length;
    }
    std::string joined = joinItems(tiff, base, end);
    if (!joined.empty() && joined.back() == '\0')
        joined.pop_back();
    if (value)
        *value = std::move(joined);
    return value ? value->size() : joined.size();
}

std::string compressionName(uint16_t compression)
{
    switch (compression) {
    case 1: return "none";
    case 2: return "CCITT modified Huffman RLE";
    case 3: return "CCITT Group 3 fax encoding";
    case 4: return "CCITT Group 4 fax encoding";
    case 5: return "Lempel-Ziv  & Welch encoding";
    case 6: return "JPEG encoding";
    }
    return "encoding: " + std::to_string(compression);
}

// The value of a text or number tag as text; nothing when the page lacks the tag.
std::optional<std::string> readPlainTag(TIFF* tiff, int tag, int page, const std::string& path)
{
    switch (tag) {
    case TIFFTAG_IMAGEWIDTH:
    case TIFFTAG_IMAGELENGTH: {
        uint32_t number = 0;
        if (!TIFFGetField(tiff, tag, &number))
            return std::nullopt;
        return std::to_string(number);
    }
    case TIFFTAG_BITSPERSAMPLE:
    case TIFFTAG_SAMPLESPERPIXEL:
    case TIFFTAG_COMPRESSION: {
        uint16_t number = 0;
        if (!TIFFGetField(tiff, tag, &number))
            return std::nullopt;
        return tag == TIFFTAG_COMPRESSION ? compressionName(number) : std::to_string(number);
    }
    case TIFFTAG_XRESOLUTION:
    case TIFFTAG_YRESOLUTION: {
        float resolution = 0;
        if (!TIFFGetField(tiff, tag, &resolution))
            return std::nullopt;
        // A zero denominator reads as 0 here; either way the page has no usable resolution.
        if (!(resolution >= 1) || resolution > static_cast<float>(INT32_MAX))
            SSError::CPrgError(kSource, __LINE__, SSError::kErrUnsupportedTiff)
                .addDetail(u"у страницы " + WideText::decimal(page) + u" файла " + WideText::fromUtf8(path) +
                           u" нет разрешения")
                .raise();
        return std::to_string(static_cast<int32_t>(resolution));
    }
    default: {
        char* text = nullptr;
        if (!TIFFGetField(tiff, tag, &text) || !text)
            return std::nullopt;
        return std::string(text);
    }
    }
}

// The items of a chained value as they are stored, from item T on.
std::vector<std::string> chainItems(std::string_view value, bool pack)
{
    std::string stored;
    std::vector<std::string> items;
    if (pack) {
        if (value.size() > TiffTags::kMaxUnpackedLength)
            SSError::CPrgError(kSource, __LINE__, SSError::kErrWrongStringSize).raise();
        requireZlib(__LINE__);
        uLongf packedSize = compressBound(static_cast<uLong>(value.size()));
        stored.resize(packedSize);
        const int result = compress2(reinterpret_cast<Bytef*>(stored.data()), &packedSize,
                                     reinterpret_cast<const Bytef*>(value.data()), static_cast<uLong>(value.size()),
                                     Z_DEFAULT_COMPRESSION);
        if (result != Z_OK)
            raiseDetail(__LINE__, u"Ошибка при упаковки данных: " + WideText::decimal(result));
        stored.resize(packedSize);
        std::string head = "ZIp";
        for (int shift = 0; shift < 32; shift += 8)
            head += static_cast<char>((value.size() >> shift) & 0xFF);
        items.push_back(std::move(head));
    } else {
        // The closing zero lets a reader tell the value's end, as for text tags.
        stored.assign(value);
        stored += '\0';
    }
    if (stored.size() > TiffTags::kChainCapacity)
        SSError::CPrgError(kSource, __LINE__, SSError::kErrWrongStringSize).raise();
    for (std::size_t at = 0; at < stored.size(); at += TiffTags::kChainItemSize)
        items.push_back(stored.substr(at, TiffTags::kChainItemSize));
    return items;
}

std::string textValue(std::string_view value)
{
    if (value.size() > TiffTags::kMaxTextLength || value.find('\0') != std::string_view::npos)
        SSError::CPrgError(kSource, __LINE__, SSError::kErrWrongStringSize).raise();
    return std::string(value);
}

struct PreparedValue {
    std::string text;               // text tags
    std::vector<std::string> items; // chained byte tags
};

bool setPreparedValue(TIFF* tiff, int tag, const PreparedValue& prepared)
{
    if (!isChained(tag))
        return TIFFSetField(tiff, static_cast<uint32_t>(tag), prepared.text.c_str()) == 1;
    const auto base = static_cast<uint32_t>(tag);
    // Items of a longer earlier value must not survive behind the new one.
    for (uint32_t item = 0; item < TiffTag::kChainLength; ++item)
        TIFFUnsetField(tiff, base + item);
    for (std::size_t index = 0; index < prepared.items.size(); ++index) {
        const std::string& item = prepared.items[index];
        if (!TIFFSetField(tiff, base + static_cast<uint32_t>(index), static_cast<uint32_t>(item.size()), item.data()))
            return false;
    }
    return true;
}

std::string outputMode(TIFF* source)
{
    std::string mode = "w";
    mode += TIFFIsBigEndian(source) ? 'b' : 'l';
    if (TIFFIsBigTIFF(source))
        mode += '8';
    return mode;
}

} // namespace

bool TiffTags::isReadable(int tag)
{
    return std::find(kReadableTags.begin(), kReadableTags.end(), tag) != kReadableTags.end();
}

bool TiffTags::isWritable(int tag)
{
    return std::find(kWritableTags.begin(), kWritableTags.end(), tag) != kWritableTags.end();
}

std::size_t TiffReadTag(const std::string& path, int page, int tag, std::string* value)
{
    if (!TiffTags::isReadable(tag))
        raiseInvalid(__LINE__, u"Допустимые теги: " + tagList(kReadableTags.data(), kReadableTags.size()));
    TiffFile file(path, "r");
    if (!file.handle())
        raiseCannotOpenTiff(file, __LINE__);
    const int frames = countFrames(file, __LINE__);
    if (page < 1 || page > frames)
        raiseInvalid(__LINE__, u"Номер страницы " + WideText::decimal(page) + u" превышает общее количество " +
                                   WideText::decimal(frames));
    selectFrame(file, page, __LINE__);

    if (isChained(tag))
        return readChained(file.handle(), static_cast<uint32_t>(tag), value);
    std::optional<std::string> text = readPlainTag(file.handle(), tag, page, path);
    const std::size_t length = text ? text->size() : 0;
    if (value)
        *value = text ? std::move(*text) : std::string();
    return length;
}

void TiffWriteTag(const TagWrite& write)
{
    if (!TiffTags::isWritable(write.tag))
        raiseInvalid(__LINE__,
                     u"Поддерживаемые номера тегов: " + tagList(kWritableTags.data(), kWritableTags.size()));
    PreparedValue prepared;
    if (isChained(write.tag))
        prepared.items = chainItems(write.value, write.pack);
    else
        prepared.text = textValue(write.value);
    const bool stampSoftware = !write.softwareText.empty() && write.tag != TIFFTAG_SOFTWARE;

    TiffFile source(write.sourcePath, "r");
    if (!source.handle())
        raiseCannotOpenTiff(source, __LINE__);
    const int frames = countFrames(source, __LINE__);
    // A copy with no page changed would be reported as a tag written; the builds refuse such a
    // selection the same way, from the document's source.
    bool anySelected = false;
    for (int page = 1; page <= frames && !anySelected; ++page)
        anySelected = PageSelected(page, write.pageSelection);
    if (!anySelected)
        SSError::CPrgError(SSError::kSourceDocument, __LINE__, SSError::kErrDetailOnly)
            .addDetail(ErrorTexts::load(ErrorTexts::kNoData).value_or(u""))
            .raise();
    TempFile output(write.outputPath);
    TiffFile copy(output.fd(), write.outputPath, outputMode(source.handle()).c_str());
    if (!copy.handle())
        raiseTiffWriteError(copy, write.outputPath, __LINE__);

    for (int page = 1; page <= frames; ++page) {
        selectFrame(source, page, __LINE__);
        CopyFrameTags(source, copy, page);
        if (PageSelected(page, write.pageSelection)) {
            if (!setPreparedValue(copy.handle(), write.tag, prepared) ||
                (stampSoftware && !TIFFSetField(copy.handle(), TIFFTAG_SOFTWARE, write.softwareText.c_str())))
                raiseDetail(__LINE__, u"Не удалось записать тег " + WideText::decimal(write.tag) + u": " +
                                          WideText::fromUtf8(copy.message()));
        }
        CopyFrameData(source, copy, page, write.outputPath);
        errno = 0;
        if (!TIFFWriteDirectory(copy.handle()))
            raiseTiffWriteError(copy, write.outputPath, __LINE__);
    }
    errno = 0;
    if (!copy.close())
        raiseTiffWriteError(copy, write.outputPath, __LINE__);
    output.commit();
}
