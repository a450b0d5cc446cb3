#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

enum class Pdf417SegmentKind { Text, Numeric, Byte };

// A stretch of the data coded in one compaction mode.
struct Pdf417Segment {
    Pdf417SegmentKind kind;
    std::size_t start;
    std::size_t length;

    friend bool operator==(const Pdf417Segment&, const Pdf417Segment&) = default;
};

// Cuts the data (code page 1251 bytes) into consecutive segments that cover it all.
std::vector<Pdf417Segment> SegmentText(std::string_view data);
