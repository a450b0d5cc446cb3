#pragma once

// The draw commands of the element table: a keyword and fields separated by ";", e.g.
// "STRING;10.0;20.0;50.0;5.0; ;; Courier New;12.0;;0; 0;1;8192;;". Fields are trimmed, an empty
// or unreadable field keeps its default, numbers use "." whatever the locale, lengths are
// millimetres.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct TextLayout {
    float x = 0;
    float y = 0;
    float width = 0;
    float height = 0;
    // The origin of the element's transform: the rectangle's top-left corner.
    float originX = 0;
    float originY = 0;
    // Drawing is clipped to this size at the origin when either is not 0.
    float clipWidth = 0;
    float clipHeight = 0;
    std::u16string fontName = u"Arial";
    // The largest size the fitting tries.
    float fontSize = 10;
    int unit = 3;          // point
    int style = 0;         // bits: 1 bold, 2 italic, 4 underline, 8 strikeout
    int alignment = 0;     // 0 near, 1 centre, 2 far
    int lineAlignment = 0; // the same, vertically
    int formatFlags = 0;   // 8192: whole lines only
    int trimming = 4;      // ellipsis at a word
    std::vector<float> tabStops;

    bool isClipped() const { return clipWidth != 0 || clipHeight != 0; }
};

inline constexpr std::size_t kMaxTabStops = 100;

// "STRING": x, y, width, height, clip width, clip height, font, size, unit, style, alignment,
// vertical alignment, format flags, trimming, tab stops ("," separated).
TextLayout ParseStringCommand(std::u16string_view command);

struct CrossLayout {
    float x = 0;
    float y = 0;
    float width = 5;
    float height = 5;
    float penWidth = 0.5f;
};

// "CROSS": x, y, width, height, pen width.
CrossLayout parseCrossCommand(std::u16string_view command);

struct BarcodePlace {
    float x = 0;
    float y = 0;
};

// "BARCODE": x and y of the symbol's top-left corner.
BarcodePlace parseBarcodeCommand(std::u16string_view command);

struct ImagePlace {
    float x = 0;
    float y = 0;
    // Both 0: the frame's natural size.
    float width = 0;
    float height = 0;
};

// Page image: x, y, width, height.
ImagePlace parsePageImageCommand(std::u16string_view command);

// The fields after the keyword, untrimmed; empty fields are kept.
std::vector<std::u16string_view> commandFields(std::u16string_view command);

// Numbers separated by ",", as "%f,%f,..." reads them in the "C" locale: up to the first that does
// not read or is not finite, at most `maxCount`.
std::vector<float> readFloatList(std::u16string_view list, std::size_t maxCount = SIZE_MAX);
