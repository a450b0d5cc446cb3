#pragma once

// The PDF417 encoder as the renderer and the document engine use it.

#include "Pdf417Options.h"
#include "Pdf417Painter.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

// Resolution of every symbol bitmap, in dots per inch.
inline constexpr float Pdf417Resolution = 100;

// One barcode element's symbol.
struct Pdf417Symbol {
    std::u16string dataText;   // "-" followed by the element's text
    std::u16string optionText; // such as "/M4|/R21|/OV|"
    Pdf417Bitmap bitmap;       // bars are 0 bits, spaces 1 bits
    float resolution = Pdf417Resolution;
};

void Pdf417SetData(Pdf417Symbol& symbol, std::u16string_view text);
// A "|" is appended when the text does not end with one.
void Pdf417SetOptions(Pdf417Symbol& symbol, std::u16string_view optionText);

// Encodes the symbol's data with its options into its bitmap. Raises 0xC0020050 for a bad
// option and 0xC008000B when the data does not fit into a symbol.
void BuildPdf417Symbol(Pdf417Symbol& symbol);

// The symbol bitmap for an argument list (see SplitPdf417Options); raises as BuildPdf417Symbol.
Pdf417Bitmap EncodePdf417(std::span<const std::u16string> arguments);

// Columns and rows of a symbol, without its start, stop and row-indicator patterns.
struct Pdf417Shape {
    int columns = 0;
    int rows = 0;
};

// The shape the data of the argument list takes with its options, without painting it;
// nothing when the data does not fit into a symbol. A bad option raises 0xC0020050.
std::optional<Pdf417Shape> MeasurePdf417(std::span<const std::u16string> arguments);
