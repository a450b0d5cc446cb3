#pragma once

// Reads symbol bitmaps back with an independent decoder (zxing-cpp).

#include "Pdf417Painter.h"

#include <string>

struct DecodedSymbol {
    bool valid = false;
    std::string bytes;
    std::string errorLevel; // as the decoder reports it: "0" .. "8"
    std::string error;      // the decoder's message when not valid
};

// `bitmap` has its bars as 0 bits, as the encoder hands it to the renderer. Every pixel becomes
// `wide` × `high` image pixels (rows are read best when taller than modules are wide), inside a
// white quiet zone.
DecodedSymbol decodeSymbol(const Pdf417Bitmap& bitmap, int wide, int high);
