#include "FieldLayout.h"

#include "EngineText.h"
#include "LayoutCommands.h"
#include "LetterCase.h"
#include "PageGeometry.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

using LayoutCommands::Rect;
using LayoutCommands::TextStyle;

namespace {

constexpr double kCellWidth = 5;
// Texts in fields lower than this are centred vertically.
constexpr double kLowField = 8;

constexpr int kKindUpperCase = 1;
constexpr int kKindCheckBox = 4;
constexpr int kKindText = 5;
constexpr int kKindNumber = 11;

constexpr std::u16string_view kBlankCell = u"SLASHED0_RECT";
constexpr std::u16string_view kDashedCell = u"SLASHED2_RECT";
constexpr std::u16string_view kDashedLines = u"SLASHED3_RECT";

// The field's rectangle in its own frame: rotated fields are drawn in a rectangle turned about
// their top-left corner, by the transform that goes with every element of the field.
class FieldFrame {
public:
    explicit FieldFrame(const DataField& field) : left_(field.left), top_(field.top)
    {
        const std::u16string width = EngineText::fixed(-field.width, 1);
        const std::u16string height = EngineText::fixed(-field.height, 1);
        switch (field.rotate) {
        case 90:
            width_ = field.height;
            height_ = field.width;
            transform_ = u"turn:90;translate:0," + width;
            break;
        case 180:
            width_ = field.width;
            height_ = field.height;
            transform_ = u"turn:180;translate:" + width + u"," + height;
            break;
        case 270:
            width_ = field.height;
            height_ = field.width;
            transform_ = u"turn:270;translate:" + height + u",0";
            break;
        default:
            width_ = field.width;
            height_ = field.height;
        }
    }

    double width() const { return width_; }
    double height() const { return height_; }

    struct Placed {
        Rect rect;
        std::u16string transform;
    };

    // A part of the field from `offset` mm on, `width` wide, over its whole height.
    Placed part(double offset, double width) const
    {
        if (transform_.empty())
            return {{left_ + offset, top_, width, height_}, {}};
        std::u16string transform = transform_;
        if (offset != 0)
            transform += u";translate:" + EngineText::fixed(offset, 1) + u",0";
        return {{left_, top_, width, height_}, transform};
    }

    Placed whole() const { return part(0, width_); }

private:
    double left_;
    double top_;
    double width_ = 0;
    double height_ = 0;
    std::u16string transform_;
};

class FieldWriter {
public:
    FieldWriter(const DataField& field, const FieldPage& page, LayoutRenderer& renderer, int order)
        : field_(field), page_(page), renderer_(renderer), frame_(field), order_(order)
    {
    }

    int write();

private:
    TextStyle textStyle(int alignment) const
    {
        return {LayoutCommands::kFieldFontSize, 0, alignment, frame_.height() < kLowField ? 1 : 0};
    }
    TextStyle fieldStyle() const { return textStyle(static_cast<int>(field_.alignment)); }

    void addText(const FieldFrame::Placed& at, std::u16string_view text, const TextStyle& style,
                 std::u16string_view tabStops = {}, ElementKind kind = ElementKind::Text)
    {
        renderer_.Elements().AddTextElement(page_.place, kind, text,
                                            LayoutCommands::stringCommand(at.rect, style, tabStops), at.transform, 0,
                                            order_++);
    }

    void addMark(std::u16string_view mark) { addText(frame_.whole(), mark, fieldStyle()); }

    // One character per 5 mm cell: the characters joined by tabs with a tab stop every cell.
    void addCells(const FieldFrame::Placed& at, std::u16string_view text, int cells, const TextStyle& style)
    {
        std::u16string tabbed;
        for (char16_t c : text) {
            if (!tabbed.empty())
                tabbed += u'\t';
            tabbed += c;
        }
        addText(at, tabbed, style, LayoutCommands::cellTabStops(cells));
    }

    std::u16string_view emptyMark() const
    {
        if (page_.noLine)
            return kBlankCell;
        return field_.kind == kKindUpperCase || field_.kind == kKindText ? kDashedLines : kDashedCell;
    }

    void writeCheckBox();
    void writeNumber(std::u16string_view value);
    void writeLongText(std::u16string_view value);

    [[noreturn]] void raiseDoesNotFit(int line, std::u16string reason = {}) const
    {
        LayoutCommands::raiseDoesNotFit(field_.value,
                                        {page_.sheet, field_.left, field_.width, field_.top, field_.height,
                                         page_.formPage, renderer_.FormName(), std::move(reason)},
                                        line);
    }

    void checkOnPage() const;

    const DataField& field_;
    const FieldPage& page_;
    LayoutRenderer& renderer_;
    FieldFrame frame_;
    int order_;
};

int FieldWriter::write()
{
    checkOnPage();
    if (field_.kind == kKindCheckBox) {
        writeCheckBox();
        return order_;
    }
    const std::u16string value = field_.kind == kKindUpperCase ? LetterCase::upper(field_.value) : field_.value;
    const bool number = field_.kind == kKindNumber && field_.cells > 0;
    if (value.empty() || (number && value == u".")) {
        addMark(emptyMark());
    } else if (number) {
        writeNumber(value);
    } else if (field_.cells == DataField::kFreeText) {
        addText(frame_.whole(), value, fieldStyle());
    } else if (value.size() <= static_cast<std::size_t>(field_.cells)) {
        addCells(frame_.whole(), value, field_.cells, fieldStyle());
    } else {
        writeLongText(value);
    }
    return order_;
}

// The field's rectangle is where it lies on the form page, turned or not.
void FieldWriter::checkOnPage() const
{
    const double pageWidth = page_.landscape ? kPageHeight : kPageWidth;
    const double pageHeight = page_.landscape ? kPageWidth : kPageHeight;
    if (static_cast<double>(field_.left) + field_.width <= pageWidth &&
        static_cast<double>(field_.top) + field_.height <= pageHeight)
        return;
    const std::u16string name = field_.name.empty() ? u"" : field_.name + u" ";
    raiseDoesNotFit(__LINE__, u"Поле " + name + u"выходит за пределы страницы " + EngineText::fixed(pageWidth, 0) +
                                  u" × " + EngineText::fixed(pageHeight, 0) + u" мм.");
}

// The mark whites out the box (and dashes it on lined forms); a set box then gets its "V".
void FieldWriter::writeCheckBox()
{
    addMark(page_.noLine ? kBlankCell : kDashedCell);
    if (field_.checked)
        addText(frame_.whole(), u"V", TextStyle{LayoutCommands::kFieldFontSize, 0, 1, 1});
}

// The integer part fills the cells before the point, the fraction the `digits` cells after it;
// the point sits in the gap of 1 to 3 mm between them, which is where the field's width goes
// beyond its 5 mm cells.
void FieldWriter::writeNumber(std::u16string_view value)
{
    const int cells = field_.cells;
    const int digits = std::clamp(field_.digits, 0, cells);
    const int integerCells = cells - digits;
    const std::size_t point = value.find(u'.');
    const std::u16string_view integerPart = value.substr(0, point);
    const std::u16string_view fraction = point == std::u16string_view::npos ? u"" : value.substr(point + 1);
    const double gap = frame_.width() - kCellWidth * cells;
    const int widthLeftOver = (static_cast<int>(frame_.width()) - 1) % 5;

    if (value.size() > static_cast<std::size_t>(cells) || widthLeftOver > 2 ||
        integerPart.size() > static_cast<std::size_t>(integerCells) ||
        fraction.size() > static_cast<std::size_t>(digits) || (digits > 0 && gap < 1))
        raiseDoesNotFit(__LINE__);

    const FieldFrame::Placed integerAt = frame_.part(0, kCellWidth * integerCells);
    const FieldFrame::Placed pointAt = frame_.part(kCellWidth * integerCells, gap);
    const FieldFrame::Placed fractionAt = frame_.part(kCellWidth * integerCells + gap, kCellWidth * digits);
    TextStyle integerStyle = fieldStyle();
    TextStyle fractionStyle = textStyle(0);

    // Both parts of the number are written at one size.
    const float size = renderer_.MeasureFontSize(
        ParseStringCommand(LayoutCommands::stringCommand(integerAt.rect, integerStyle)), integerPart,
        ParseStringCommand(LayoutCommands::stringCommand(fractionAt.rect, fractionStyle)), fraction);
    if (!(size > 0))
        raiseDoesNotFit(__LINE__);
    // Rounded down, so that the written size is one that fits.
    const double written = std::floor(static_cast<double>(size) * 10) / 10;
    integerStyle.fontSize = std::min(written, LayoutCommands::kFieldFontSize);
    fractionStyle.fontSize = integerStyle.fontSize;
    TextStyle pointStyle = textStyle(1);
    pointStyle.fontSize = integerStyle.fontSize;

    addMark(kBlankCell);
    if (!integerPart.empty())
        addCells(integerAt, integerPart, integerCells, integerStyle);
    if (digits > 0)
        addText(pointAt, u".", pointStyle);
    if (!fraction.empty())
        addCells(fractionAt, fraction, digits, fractionStyle);
}

// A value longer than its cells is written over them as free text, the cells whited out: on
// one line as a long text, whose fitting shrinks it to the line, or on two lines; a value that
// needs more lines even at the smallest size does not fit.
void FieldWriter::writeLongText(std::u16string_view value)
{
    const FieldFrame::Placed at = frame_.whole();
    TextStyle smallest = fieldStyle();
    smallest.fontSize = LayoutCommands::kSmallestFontSize;
    const int lines =
        renderer_.MeasureTextLines(ParseStringCommand(LayoutCommands::stringCommand(at.rect, smallest)), value);
    if (lines > 2)
        raiseDoesNotFit(__LINE__);
    addMark(kBlankCell);
    addText(at, value, fieldStyle(), {}, lines <= 1 ? ElementKind::LongText : ElementKind::Text);
}

bool isFieldDrawn(const DataField& field)
{
    return field.cells != 0 && field.left >= 0 && field.top >= 0 && field.width > 0 && field.height > 0;
}

} // namespace

int LayoutField(const DataField& field, const FieldPage& page, LayoutRenderer& renderer, int order)
{
    if (!isFieldDrawn(field))
        return order;
    return FieldWriter(field, page, renderer, order).write();
}
