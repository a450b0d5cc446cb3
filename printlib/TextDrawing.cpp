#include "TextDrawing.h"

#include "CairoHandles.h"
#include "FontFiles.h"
#include "FontFitting.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace {

constexpr char32_t kEllipsis = U'\u2026';
// Without tab stops a TAB moves to the next multiple of this many no-break spaces.
constexpr double kDefaultTabCells = 8;

// StringTrimming values that end a cut line with an ellipsis; the others cut it as it broke.
constexpr int kTrimEllipsisCharacter = 3;
constexpr int kTrimEllipsisWord = 4;
constexpr int kTrimEllipsisPath = 5;

std::u32string codePoints(std::u16string_view text)
{
    std::u32string points;
    points.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            points += static_cast<char32_t>(0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00));
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            points += U'\uFFFD';
        } else {
            points += c;
        }
    }
    return points;
}

bool isBlank(char32_t c)
{
    return c == U' ' || c == U'\t';
}

// A range [begin, end) of the text's code points shown as one line.
struct Line {
    std::size_t begin;
    std::size_t end;
    bool ellipsis = false;
};

class LineSetter {
public:
    LineSetter(const TextLayout& layout, const FontFace& face, double em) : face_(face), em_(em)
    {
        double position = 0;
        for (float interval : layout.tabStops) {
            position += interval;
            stops_.push_back(position);
        }
        repeat_ = layout.tabStops.empty() ? kDefaultTabCells * cellWidth() : layout.tabStops.back();
    }

    double cellWidth() const { return face_.glyph(U'\u00A0').advance * em_; }

    // The width a character takes at `position` from the line's start.
    double advance(char32_t c, double position) const
    {
        if (c == U'\t')
            return nextTabStop(position) - position;
        if (c < U' ')
            return 0;
        return face_.glyph(c).advance * em_;
    }

    // Where each character of [begin, end) starts, and the line's width without trailing blanks.
    double place(const std::u32string& text, std::size_t begin, std::size_t end, std::vector<double>* starts) const
    {
        double position = 0;
        double width = 0;
        for (std::size_t i = begin; i < end; ++i) {
            if (starts)
                starts->push_back(position);
            position += advance(text[i], position);
            if (!isBlank(text[i]))
                width = position;
        }
        return width;
    }

private:
    double nextTabStop(double position) const
    {
        for (double stop : stops_)
            if (stop > position + kLayoutTolerance)
                return stop;
        const double last = stops_.empty() ? 0 : stops_.back();
        if (!(repeat_ > 0))
            return position + cellWidth();
        return last + (std::floor((position - last + kLayoutTolerance) / repeat_) + 1) * repeat_;
    }

    const FontFace& face_;
    double em_;
    std::vector<double> stops_;
    double repeat_;
};

// Breaks the text into lines no wider than `width` (0: no limit); blanks at a line's end hang
// past it. A line breaks after its last blank when it has one, else before the character that
// does not fit; every line holds at least one character.
std::vector<Line> breakLines(const std::u32string& text, const LineSetter& setter, double width)
{
    std::vector<Line> lines;
    std::size_t begin = 0;
    while (begin <= text.size()) {
        const std::size_t paragraphEnd = std::min(text.find(U'\n', begin), text.size());
        std::size_t lineBegin = begin;
        do {
            double position = 0;
            std::size_t breakAfterBlank = 0;
            std::size_t end = lineBegin;
            for (; end < paragraphEnd; ++end) {
                const double advance = setter.advance(text[end], position);
                if (width > 0 && end > lineBegin && !isBlank(text[end]) &&
                    position + advance > width + kLayoutTolerance)
                    break;
                position += advance;
                if (isBlank(text[end]))
                    breakAfterBlank = end + 1;
            }
            if (end < paragraphEnd && breakAfterBlank > lineBegin)
                end = breakAfterBlank;
            lines.push_back({lineBegin, end});
            lineBegin = end;
        } while (lineBegin < paragraphEnd);
        begin = paragraphEnd + 1;
    }
    return lines;
}

// Cuts the line so that it and an ellipsis fit the width (at a blank when `atWord` and the line
// has one).
Line withEllipsis(const std::u32string& text, Line line, const LineSetter& setter, double width, bool atWord)
{
    const double ellipsis = setter.advance(kEllipsis, 0);
    std::size_t end = line.begin;
    std::size_t lastBlank = line.begin;
    double position = 0;
    for (std::size_t i = line.begin; i < text.size() && text[i] != U'\n'; ++i) {
        const double advance = setter.advance(text[i], position);
        if (width > 0 && position + advance + ellipsis > width + kLayoutTolerance)
            break;
        position += advance;
        end = i + 1;
        if (isBlank(text[i]))
            lastBlank = i;
    }
    if (atWord && lastBlank > line.begin)
        end = lastBlank;
    return {line.begin, end, true};
}

void drawLine(cairo_t* cr, const std::u32string& text, const Line& line, const LineSetter& setter,
              const FontFace& face, double x, double baseline)
{
    std::vector<double> starts;
    setter.place(text, line.begin, line.end, &starts);
    std::vector<cairo_glyph_t> glyphs;
    for (std::size_t i = line.begin; i < line.end; ++i) {
        if (text[i] < U' ')
            continue;
        glyphs.push_back({face.glyph(text[i]).index, x + starts[i - line.begin], baseline});
    }
    if (line.ellipsis)
        glyphs.push_back({face.glyph(kEllipsis).index, x + setter.place(text, line.begin, line.end, nullptr),
                          baseline});
    cairo_show_glyphs(cr, glyphs.data(), static_cast<int>(glyphs.size()));
}

} // namespace

void drawTextInRectangle(cairo_t* cr, const TextLayout& layout, double x, double y, std::u16string_view text,
                         float size, double dpi)
{
    const double em = fontEmMillimetres(size, layout.unit, dpi);
    if (!(em > 0) || !std::isfinite(em))
        return;
    const FontFace& face = fontFaceFor(layout.fontName, layout.style & 1, layout.style & 2);
    const FontMetrics& metrics = face.metrics();
    const std::u32string points = codePoints(text);
    const LineSetter setter(layout, face, em);
    const bool wraps = !(layout.formatFlags & TextFormatFlag::kNoWrap);
    std::vector<Line> lines = breakLines(points, setter, wraps ? layout.width : 0);

    const std::size_t shown = MeasureText(layout, size, dpi).lines;
    const bool hidesLines = lines.size() > shown;
    if (hidesLines)
        lines.resize(shown);
    const bool ellipsis = layout.trimming >= kTrimEllipsisCharacter && layout.trimming <= kTrimEllipsisPath;
    for (std::size_t i = 0; i < lines.size() && ellipsis; ++i) {
        const bool last = i + 1 == lines.size();
        const bool tooWide =
            layout.width > 0 && setter.place(points, lines[i].begin, lines[i].end, nullptr) >
                                    layout.width + kLayoutTolerance;
        if ((last && hidesLines) || tooWide)
            lines[i] = withEllipsis(points, lines[i], setter, layout.width, layout.trimming == kTrimEllipsisWord);
    }

    CairoStateGuard state(cr);
    if (!(layout.formatFlags & TextFormatFlag::kNoClip) && layout.width > 0 && layout.height > 0) {
        cairo_rectangle(cr, x, y, layout.width, layout.height);
        cairo_clip(cr);
    }
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_set_font_face(cr, face.cairoFace());
    cairo_set_font_size(cr, em);

    const double lineHeight = metrics.lineSpacing * em;
    const double total = lineHeight * static_cast<double>(lines.size());
    const double free = layout.height - total;
    double top = layout.lineAlignment == 1 ? y + free / 2 : layout.lineAlignment == 2 ? y + free : y;
    for (const Line& line : lines) {
        double width = setter.place(points, line.begin, line.end, nullptr);
        if (line.ellipsis)
            width += setter.advance(kEllipsis, 0);
        const double room = layout.width - width;
        const double left = layout.alignment == 1 ? x + room / 2 : layout.alignment == 2 ? x + room : x;
        const double baseline = top + metrics.ascent * em;
        drawLine(cr, points, line, setter, face, left, baseline);
        if (layout.style & 4) {
            const double thickness = metrics.underlineThickness * em;
            cairo_rectangle(cr, left, baseline + metrics.underlinePosition * em - thickness / 2, width, thickness);
        }
        if (layout.style & 8) {
            const double thickness = metrics.strikeoutThickness * em;
            cairo_rectangle(cr, left, baseline - metrics.strikeoutPosition * em - thickness / 2, width, thickness);
        }
        cairo_fill(cr);
        top += lineHeight;
    }
    checkCairo(cr, __LINE__);
}
