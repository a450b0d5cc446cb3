#pragma once

// Font sizes of text cells: how many characters a cell holds at a size, and the largest size at
// which a text fits its cell. A text is measured as if each of its characters were as wide as
// the font's no-break space, which is exact for the monospaced font of the form's fields.

#include "DrawCommandParser.h"

#include <cstddef>
#include <string_view>

// StringFormatFlags of the draw commands that the renderer honours.
namespace TextFormatFlag {
inline constexpr int kNoWrap = 0x1000;
inline constexpr int kLineLimit = 0x2000; // only whole lines are shown
inline constexpr int kNoClip = 0x4000;    // text may reach outside its rectangle
} // namespace TextFormatFlag

// Lengths that differ by less than this (millimetres) are equal when a line is filled, so that
// the drawing breaks a line exactly where the measuring did.
inline constexpr double kLayoutTolerance = 1e-6;

// The em of a font size in millimetres. Units are GDI+ Unit values: 0 world and 6 millimetre,
// 1 display and 2 pixel (of the target's resolution `dpi`), 3 point, 4 inch, 5 document (1/300
// inch); any other unit counts as point.
double fontEmMillimetres(double size, int unit, double dpi);

// Lines of a rectangle and characters of a line at a font size. A rectangle of width 0 does not
// wrap and one of height 0 takes any number of lines.
struct TextCapacity {
    std::size_t perLine = 0;
    std::size_t lines = 0;

    std::size_t characters() const;
    bool holds(std::size_t count) const { return count == 0 || characters() >= count; }
};

TextCapacity MeasureText(const TextLayout& layout, float size, double dpi);

// Characters of a text that count for fitting: every UTF-16 unit, except TABs when the layout
// places them at tab stops and `tabsAtStops` is asked for.
std::size_t countedCharacters(std::u16string_view text, const TextLayout& layout, bool tabsAtStops);

enum class OnOverflow { Zero, Lowest };

// The largest size from the layout's size down to min(size, 8) at which `count` characters fit,
// found to 0.1; when they fit at none, 0 or the lowest size tried, as asked.
float fitSizeForCount(std::size_t count, const TextLayout& layout, double dpi, OnOverflow onOverflow);

// A text cell's size; 0 when the text does not fit down to size 8.
float FitFontSize(std::u16string_view text, const TextLayout& layout, double dpi);
// The size of a long text (over 60 characters); a text that does not fit gets 0 when `strict`,
// else the lowest size tried.
float FitLongTextSize(std::u16string_view text, const TextLayout& layout, double dpi, bool strict);
