#pragma once

// Reading and writing tags of the pages of a TIFF. Values are byte strings: texts in cp1251, as
// the exported functions convert them. A value of one of the chained byte tags (50100, 50200,
// 50300, 50400) is kept in up to 99 items of 60000 bytes, T, T + 1, ...; packed, item T holds the
// head "ZIp" and the unpacked length (32-bit little-endian) and the zlib stream follows from
// T + 1. Unpacked values end with a zero byte that is not part of the value.

#include <cstddef>
#include <string>
#include <string_view>

namespace TiffTags {
inline constexpr std::size_t kChainItemSize = 60000;
inline constexpr std::size_t kChainCapacity = 99 * kChainItemSize;
inline constexpr std::size_t kMaxTextLength = 30000;
// The longest value a packed chain may stand for; it bounds what a read unpacks.
inline constexpr std::size_t kMaxUnpackedLength = 64 * 1024 * 1024;

bool isReadable(int tag);
bool isWritable(int tag);
} // namespace TiffTags

// Reads `tag` of page `page` (1-based) of the TIFF at `path` and returns the value's length; with
// `value` given, stores the value: texts and chained byte values as their bytes, numbers in
// decimal, the compression by name. A tag the page does not carry has length 0. Without `value`
// a packed value's length is taken from its head, without unpacking.
std::size_t TiffReadTag(const std::string& path, int page, int tag, std::string* value);

struct TagWrite {
    std::string sourcePath;
    std::string outputPath;
    std::u16string pageSelection;
    int tag = 0;
    std::string_view value;
    // Chained byte tags only: store the value packed with zlib.
    bool pack = false;
    // Also written as tag 305 on the selected pages, unless tag 305 itself is written; empty: not.
    std::string softwareText;
};

// Writes a copy of the source TIFF to the output path with the tag set on the selected pages.
// The output may be the source itself: the copy replaces it only when it is complete.
void TiffWriteTag(const TagWrite& write);
