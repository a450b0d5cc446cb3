#pragma once

// Texts of draw elements: the normalisation every text cell gets, the PDF417 options text, and
// the cell marks a text cell can stand for.

#include <string>
#include <string_view>

// Blanks become no-break spaces and dashes the minus sign, so that a cell's width in characters
// does not depend on which blank or dash the data used; soft hyphens and zero-width spaces go
// (with a TAB right before them).
std::u16string NormalizeText(std::u16string_view text);

// "M4|R21|OV" and "/M4|/R21|/OV" both become "/M4|/R21|/OV".
std::u16string NormalizeBarcodeOptions(std::u16string_view options);

enum class CellMark { None, Slashed, Slashed0, Slashed1, Slashed2, Slashed3 };

// The mark a text stands for ("SLASHED_RECT" ... "SLASHED3_RECT", any case), or None.
CellMark cellMarkOf(std::u16string_view text);
