#pragma once

// The draw commands the page layout writes for the renderer's element table, and its report of
// data that does not fit the form. Lengths are millimetres; numbers are written with a decimal
// point whatever the locale.

#include <string>
#include <string_view>

namespace LayoutCommands {

inline constexpr std::u16string_view kFieldFont = u"Courier New";
// The largest size tried for a field's text; the renderer fits it down to the cell.
inline constexpr double kFieldFontSize = 18.0;
// The smallest size the renderer's fitting tries.
inline constexpr double kSmallestFontSize = 8.0;
// The flag that keeps whole lines only.
inline constexpr int kWholeLines = 8192;

struct Rect {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;
};

struct TextStyle {
    double fontSize = kFieldFontSize;
    int fontStyle = 0;     // 1 bold
    int alignment = 0;     // 0 left, 1 centre, 2 right
    int lineAlignment = 0; // 0 top, 1 centre, 2 bottom
};

// "STRING;%.1f;%.1f;%.1f;%.1f; ;; Courier New;%.1f;;%d; %d;%d;8192;;" followed by the tab stops.
std::u16string stringCommand(const Rect& rect, const TextStyle& style, std::u16string_view tabStops = {});
// The same with a clip rectangle, its sizes written without decimals.
std::u16string clippedStringCommand(const Rect& rect, double clipWidth, double clipHeight, const TextStyle& style);
// "BARCODE;%.1f;%.1f;"
std::u16string barcodeCommand(double x, double y);
// "CROSS;%.1f;%.1f;5.0;5.0;0.5;"
std::u16string crossCommand(double x, double y);

// Tab stops every 5 mm, one per cell ("5,5,5,"), as many as the renderer reads at most.
std::u16string cellTabStops(int cells);

// Raises 0xC0020062: the data (cut to 128 characters, or its first 125 and "..." when longer)
// and its length, the sheet's number in the document, the rectangle, the form page and the
// source TIFF's name, then the reason when one is given.
struct Overflow {
    int sheet = 0;
    int left = 0;
    int width = 0;
    int top = 0;
    int height = 0;
    int formPage = 0;
    std::u16string formName;
    std::u16string reason;
};
[[noreturn]] void raiseDoesNotFit(std::u16string_view data, const Overflow& where, int line);

} // namespace LayoutCommands
