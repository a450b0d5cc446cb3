#include "TiffFrameCopy.h"

#include "SSError.h"
#include "WideText.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <sys/stat.h>
#include <vector>

namespace {

constexpr int kSource = SSError::kSourceTifOperation;

enum class Form { Uint16, Uint32, Float, Uint16Pair };

struct CoreTag {
    uint32_t tag;
    Form form;
};

// The directory fields libtiff keeps outside its custom list. Compression comes before the
// fields of its codec (fax options, predictor), which exist only once it is set.
constexpr std::array<CoreTag, 28> kCoreTags = {{
    {TIFFTAG_SUBFILETYPE, Form::Uint32},      {TIFFTAG_IMAGEWIDTH, Form::Uint32},
    {TIFFTAG_IMAGELENGTH, Form::Uint32},      {TIFFTAG_BITSPERSAMPLE, Form::Uint16},
    {TIFFTAG_SAMPLESPERPIXEL, Form::Uint16},  {TIFFTAG_COMPRESSION, Form::Uint16},
    {TIFFTAG_PHOTOMETRIC, Form::Uint16},      {TIFFTAG_THRESHHOLDING, Form::Uint16},
    {TIFFTAG_FILLORDER, Form::Uint16},        {TIFFTAG_ORIENTATION, Form::Uint16},
    {TIFFTAG_MINSAMPLEVALUE, Form::Uint16},   {TIFFTAG_MAXSAMPLEVALUE, Form::Uint16},
    {TIFFTAG_PLANARCONFIG, Form::Uint16},     {TIFFTAG_RESOLUTIONUNIT, Form::Uint16},
    {TIFFTAG_SAMPLEFORMAT, Form::Uint16},     {TIFFTAG_XRESOLUTION, Form::Float},
    {TIFFTAG_YRESOLUTION, Form::Float},       {TIFFTAG_XPOSITION, Form::Float},
    {TIFFTAG_YPOSITION, Form::Float},         {TIFFTAG_ROWSPERSTRIP, Form::Uint32},
    {TIFFTAG_TILEWIDTH, Form::Uint32},        {TIFFTAG_TILELENGTH, Form::Uint32},
    {TIFFTAG_PAGENUMBER, Form::Uint16Pair},   {TIFFTAG_YCBCRSUBSAMPLING, Form::Uint16Pair},
    {TIFFTAG_HALFTONEHINTS, Form::Uint16Pair},
    {TIFFTAG_GROUP3OPTIONS, Form::Uint32},    {TIFFTAG_GROUP4OPTIONS, Form::Uint32},
    {TIFFTAG_PREDICTOR, Form::Uint16},
}};

// Tags copied by other means, or that point into the source file and cannot be copied as values.
constexpr std::array<uint32_t, 11> kNotCopiedAsValues = {
    TIFFTAG_STRIPOFFSETS, TIFFTAG_STRIPBYTECOUNTS, TIFFTAG_TILEOFFSETS, TIFFTAG_TILEBYTECOUNTS,
    TIFFTAG_SUBIFD,       TIFFTAG_EXIFIFD,         TIFFTAG_GPSIFD,      TIFFTAG_INTEROPERABILITYIFD,
    TIFFTAG_COLORMAP,     TIFFTAG_EXTRASAMPLES,    TIFFTAG_JPEGTABLES,
};

bool isCoreTag(uint32_t tag)
{
    return std::any_of(kCoreTags.begin(), kCoreTags.end(), [tag](const CoreTag& core) { return core.tag == tag; });
}

// Names the page of the source; `reporting` is the handle whose libtiff message tells why.
[[noreturn]] void raiseUnsupported(const TiffFile& source, const TiffFile& reporting, int page, int line,
                                   std::u16string_view what)
{
    SSError::CPrgError(kSource, line, SSError::kErrUnsupportedTiff)
        .addDetail(std::u16string(what) + u", страница " + WideText::decimal(page) + u" файла " +
                   WideText::fromUtf8(source.path()) +
                   (reporting.message().empty() ? u"" : u" (" + WideText::fromUtf8(reporting.message()) + u")"))
        .raise();
}

bool copyCoreTag(TIFF* in, TIFF* out, const CoreTag& core)
{
    // Codec fields exist only for their compression.
    if (!TIFFFindField(in, core.tag, TIFF_ANY))
        return true;
    switch (core.form) {
    case Form::Uint16: {
        uint16_t value;
        return !TIFFGetField(in, core.tag, &value) || TIFFSetField(out, core.tag, value);
    }
    case Form::Uint32: {
        uint32_t value;
        return !TIFFGetField(in, core.tag, &value) || TIFFSetField(out, core.tag, value);
    }
    case Form::Float: {
        float value;
        return !TIFFGetField(in, core.tag, &value) || TIFFSetField(out, core.tag, static_cast<double>(value));
    }
    case Form::Uint16Pair: {
        uint16_t first;
        uint16_t second;
        return !TIFFGetField(in, core.tag, &first, &second) || TIFFSetField(out, core.tag, first, second);
    }
    }
    return false;
}

bool copyArrayTags(TIFF* in, TIFF* out)
{
    uint16_t bitsPerSample = 1;
    TIFFGetFieldDefaulted(in, TIFFTAG_BITSPERSAMPLE, &bitsPerSample);
    uint16_t* red;
    uint16_t* green;
    uint16_t* blue;
    if (bitsPerSample <= 16 && TIFFGetField(in, TIFFTAG_COLORMAP, &red, &green, &blue) &&
        !TIFFSetField(out, TIFFTAG_COLORMAP, red, green, blue))
        return false;
    uint16_t extraCount;
    uint16_t* extra;
    if (TIFFGetField(in, TIFFTAG_EXTRASAMPLES, &extraCount, &extra) &&
        !TIFFSetField(out, TIFFTAG_EXTRASAMPLES, extraCount, extra))
        return false;
    uint32_t tablesSize;
    void* tables;
    if (TIFFGetField(in, TIFFTAG_JPEGTABLES, &tablesSize, &tables) &&
        !TIFFSetField(out, TIFFTAG_JPEGTABLES, tablesSize, tables))
        return false;
    return true;
}

// Makes the output know a field the source knows (unknown tags are known there as anonymous).
bool ensureField(TIFF* out, const TIFFField* field, std::vector<std::string>& names)
{
    const uint32_t tag = TIFFFieldTag(field);
    if (TIFFFindField(out, tag, TIFF_ANY))
        return true;
    names.emplace_back(TIFFFieldName(field));
    const TIFFFieldInfo info{tag,
                             static_cast<short>(TIFFFieldReadCount(field)),
                             static_cast<short>(TIFFFieldWriteCount(field)),
                             TIFFFieldDataType(field),
                             FIELD_CUSTOM,
                             1,
                             static_cast<unsigned char>(TIFFFieldPassCount(field)),
                             names.back().data()};
    return TIFFMergeFieldInfo(out, &info, 1) == 0;
}

bool copyCustomTag(TIFF* in, TIFF* out, const TIFFField* field)
{
    const uint32_t tag = TIFFFieldTag(field);
    const TIFFDataType type = TIFFFieldDataType(field);
    if (TIFFFieldPassCount(field)) {
        void* data = nullptr;
        if (TIFFFieldSetGetCountSize(field) == 4) {
            uint32_t count = 0;
            return !TIFFGetField(in, tag, &count, &data) || TIFFSetField(out, tag, count, data);
        }
        uint16_t count = 0;
        return !TIFFGetField(in, tag, &count, &data) || TIFFSetField(out, tag, static_cast<int>(count), data);
    }
    if (type == TIFF_ASCII) {
        char* text = nullptr;
        return !TIFFGetField(in, tag, &text) || TIFFSetField(out, tag, text);
    }
    if (TIFFFieldReadCount(field) != 1) {
        void* data = nullptr;
        return !TIFFGetField(in, tag, &data) || TIFFSetField(out, tag, data);
    }
    // One value: its C type follows the size libtiff stores it in.
    const int size = TIFFFieldSetGetSize(field);
    const bool real = type == TIFF_FLOAT || type == TIFF_DOUBLE || type == TIFF_RATIONAL || type == TIFF_SRATIONAL;
    if (real && size == 4) {
        float value;
        return !TIFFGetField(in, tag, &value) || TIFFSetField(out, tag, static_cast<double>(value));
    }
    if (real && size == 8) {
        double value;
        return !TIFFGetField(in, tag, &value) || TIFFSetField(out, tag, value);
    }
    switch (size) {
    case 1: {
        uint8_t value;
        return !TIFFGetField(in, tag, &value) || TIFFSetField(out, tag, static_cast<int>(value));
    }
    case 2: {
        uint16_t value;
        return !TIFFGetField(in, tag, &value) || TIFFSetField(out, tag, static_cast<int>(value));
    }
    case 4: {
        uint32_t value;
        return !TIFFGetField(in, tag, &value) || TIFFSetField(out, tag, value);
    }
    case 8: {
        uint64_t value;
        return !TIFFGetField(in, tag, &value) || TIFFSetField(out, tag, value);
    }
    }
    return false;
}

} // namespace

void CopyFrameTags(const TiffFile& in, TiffFile& out, int page)
{
    TIFF* source = in.handle();
    TIFF* target = out.handle();
    for (const CoreTag& core : kCoreTags)
        if (!copyCoreTag(source, target, core))
            raiseUnsupported(in, out, page, __LINE__, u"тег " + WideText::decimal(core.tag));
    if (!copyArrayTags(source, target))
        raiseUnsupported(in, out, page, __LINE__, u"палитра или дополнительные каналы");

    std::vector<std::string> names;
    const int count = TIFFGetTagListCount(source);
    for (int index = 0; index < count; ++index) {
        const uint32_t tag = TIFFGetTagListEntry(source, index);
        const TIFFField* field = TIFFFieldWithTag(source, tag);
        if (!field || isCoreTag(tag) ||
            std::find(kNotCopiedAsValues.begin(), kNotCopiedAsValues.end(), tag) != kNotCopiedAsValues.end() ||
            TIFFFieldDataType(field) == TIFF_IFD || TIFFFieldDataType(field) == TIFF_IFD8)
            continue;
        if (!ensureField(target, field, names) || !copyCustomTag(source, target, field))
            raiseUnsupported(in, out, page, __LINE__, u"тег " + WideText::decimal(tag));
    }
}

void CopyFrameData(const TiffFile& in, TiffFile& out, int page, const std::string& targetPath)
{
    TIFF* source = in.handle();
    TIFF* target = out.handle();
    const bool tiled = TIFFIsTiled(source);
    const uint32_t pieces = tiled ? TIFFNumberOfTiles(source) : TIFFNumberOfStrips(source);
    // A damaged byte count must not make us allocate more than the file could hold.
    struct stat file;
    const uint64_t fileSize = ::fstat(TIFFFileno(source), &file) == 0 ? static_cast<uint64_t>(file.st_size) : 0;
    std::vector<uint8_t> buffer;
    for (uint32_t piece = 0; piece < pieces; ++piece) {
        const uint64_t size = TIFFGetStrileByteCount(source, piece);
        if (size == 0 || size > fileSize || size > static_cast<uint64_t>(INT32_MAX))
            raiseUnsupported(in, in, page, __LINE__, u"размер блока данных");
        buffer.resize(size);
        const auto expected = static_cast<tmsize_t>(size);
        const tmsize_t read = tiled ? TIFFReadRawTile(source, piece, buffer.data(), expected)
                                    : TIFFReadRawStrip(source, piece, buffer.data(), expected);
        if (read != expected)
            raiseUnsupported(in, in, page, __LINE__, u"блок данных");
        errno = 0;
        const tmsize_t written = tiled ? TIFFWriteRawTile(target, piece, buffer.data(), expected)
                                       : TIFFWriteRawStrip(target, piece, buffer.data(), expected);
        if (written != expected)
            raiseTiffWriteError(out, targetPath, __LINE__);
    }
}
