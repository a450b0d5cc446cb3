#include "LayoutCommands.h"

#include "DrawCommandParser.h"
#include "EngineText.h"
#include "SSError.h"
#include "WideText.h"

#include <algorithm>

namespace LayoutCommands {

namespace {

constexpr std::size_t kShownDataLength = 128;
constexpr std::size_t kCutDataLength = 125;

std::u16string one(double value)
{
    return EngineText::fixed(value, 1);
}

std::u16string number(int value)
{
    return WideText::decimal(value);
}

std::u16string styleFields(const TextStyle& style)
{
    return u" " + std::u16string(kFieldFont) + u";" + one(style.fontSize) + u";;" + number(style.fontStyle) + u"; " +
        number(style.alignment) + u";" + number(style.lineAlignment) + u";" + number(kWholeLines) + u";;";
}

std::u16string rectFields(const Rect& rect)
{
    return u"STRING;" + one(rect.x) + u";" + one(rect.y) + u";" + one(rect.width) + u";" + one(rect.height) + u";";
}

} // namespace

std::u16string stringCommand(const Rect& rect, const TextStyle& style, std::u16string_view tabStops)
{
    return rectFields(rect) + u" ;;" + styleFields(style) + std::u16string(tabStops);
}

std::u16string clippedStringCommand(const Rect& rect, double clipWidth, double clipHeight, const TextStyle& style)
{
    return rectFields(rect) + u" " + EngineText::fixed(clipWidth, 0) + u";" + EngineText::fixed(clipHeight, 0) + u";" +
        styleFields(style);
}

std::u16string barcodeCommand(double x, double y)
{
    return u"BARCODE;" + one(x) + u";" + one(y) + u";";
}

std::u16string crossCommand(double x, double y)
{
    return u"CROSS;" + one(x) + u";" + one(y) + u";5.0;5.0;0.5;";
}

std::u16string cellTabStops(int cells)
{
    std::u16string stops;
    for (int cell = 0; cell < std::min<int>(cells, static_cast<int>(kMaxTabStops)); ++cell)
        stops += u"5,";
    return stops;
}

void raiseDoesNotFit(std::u16string_view data, const Overflow& where, int line)
{
    const std::u16string shown = data.size() <= kShownDataLength
        ? std::u16string(data)
        : std::u16string(data.substr(0, kCutDataLength)) + u"...";
    SSError::CPrgError error(SSError::kSourceTifOperation, line, SSError::kErrFieldDoesNotFit);
    error.addDetail(shown)
        .addDetail(data.size())
        .addDetail(where.sheet)
        .addDetail(where.left)
        .addDetail(where.width)
        .addDetail(where.top)
        .addDetail(where.height)
        .addDetail(where.formPage)
        .addDetail(where.formName);
    if (!where.reason.empty())
        error.addDetail(where.reason);
    error.raise();
}

} // namespace LayoutCommands
