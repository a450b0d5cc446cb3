#include "FontFitting.h"

#include "FontFiles.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr std::size_t kUnlimited = std::numeric_limits<std::size_t>::max();
constexpr float kSmallestSearchedSize = 8;
constexpr float kSearchPrecision = 0.1f;
// The largest em tried, in millimetres: larger than any page, and still a glyph that can be
// drawn as a bitmap.
constexpr double kLargestEm = 350;

// How many times `part` fits into `whole`: 0 for a negative whole, unlimited for whole 0.
std::size_t timesWithin(double whole, double part, bool wholeOnly)
{
    if (whole == 0)
        return kUnlimited;
    if (!(whole > 0) || !(part > 0))
        return 0;
    const double times = wholeOnly ? std::floor((whole + kLayoutTolerance) / part)
                                   : std::ceil((whole - kLayoutTolerance) / part);
    return times >= static_cast<double>(kUnlimited) ? kUnlimited : static_cast<std::size_t>(times);
}

} // namespace

double fontEmMillimetres(double size, int unit, double dpi)
{
    switch (unit) {
    case 0:
    case 6:
        return size;
    case 1:
    case 2:
        return dpi > 0 ? size * 25.4 / dpi : 0;
    case 4:
        return size * 25.4;
    case 5:
        return size * 25.4 / 300;
    default:
        return size * 25.4 / 72;
    }
}

std::size_t TextCapacity::characters() const
{
    if (perLine != 0 && lines > kUnlimited / perLine)
        return kUnlimited;
    return perLine * lines;
}

TextCapacity MeasureText(const TextLayout& layout, float size, double dpi)
{
    const double em = fontEmMillimetres(size, layout.unit, dpi);
    if (!(em > 0) || !std::isfinite(em))
        return {};
    const FontFace& face = fontFaceFor(layout.fontName, layout.style & 1, layout.style & 2);
    const double cell = face.glyph(U'\u00A0').advance * em;
    const double line = face.metrics().lineSpacing * em;
    TextCapacity capacity;
    capacity.perLine = layout.formatFlags & TextFormatFlag::kNoWrap && layout.width >= 0
                           ? kUnlimited
                           : timesWithin(layout.width, cell, true);
    capacity.lines = timesWithin(layout.height, line, layout.formatFlags & TextFormatFlag::kLineLimit);
    return capacity;
}

std::size_t countedCharacters(std::u16string_view text, const TextLayout& layout, bool tabsAtStops)
{
    if (!tabsAtStops || layout.tabStops.empty())
        return text.size();
    return text.size() - static_cast<std::size_t>(std::count(text.begin(), text.end(), u'\t'));
}

float fitSizeForCount(std::size_t count, const TextLayout& layout, double dpi, OnOverflow onOverflow)
{
    const double unitEm = fontEmMillimetres(1, layout.unit, dpi);
    if (!(layout.fontSize > 0) || !std::isfinite(layout.fontSize) || !(unitEm > 0))
        return 0;
    float high = std::min(layout.fontSize, static_cast<float>(kLargestEm / unitEm));
    const auto fits = [&](float size) { return MeasureText(layout, size, dpi).holds(count); };
    if (fits(high))
        return high;
    float low = std::min(high, kSmallestSearchedSize);
    while (high - low > kSearchPrecision) {
        const float middle = (high + low) / 2;
        (fits(middle) ? low : high) = middle;
    }
    return fits(low) || onOverflow == OnOverflow::Lowest ? low : 0;
}

float FitFontSize(std::u16string_view text, const TextLayout& layout, double dpi)
{
    return fitSizeForCount(countedCharacters(text, layout, true), layout, dpi, OnOverflow::Zero);
}

float FitLongTextSize(std::u16string_view text, const TextLayout& layout, double dpi, bool strict)
{
    return fitSizeForCount(countedCharacters(text, layout, false), layout, dpi,
                           strict ? OnOverflow::Zero : OnOverflow::Lowest);
}
