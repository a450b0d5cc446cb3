#pragma once

// One page bitmap as an image file of a given type: PNG (1-bit grey), BMP (1-bit), JPEG (8-bit
// grey), GIF (two colours) or TIFF (1-bit, CCITT Group 4, with the page's stamp). The file appears at its path only
// when it is complete.

#include "PageBitmap.h"
#include "TiffPageWriter.h"

#include <optional>
#include <string>
#include <string_view>

// "png" and "image/png" both name "image/png".
std::u16string imageMimeType(std::u16string_view type);

// The image type a preview is asked for, as its short name: "tif" is "tiff" and "jpg" is "jpeg",
// in any case; nothing unless it is one of bmp, jpeg, gif, tiff and png.
std::optional<std::u16string> previewImageType(std::u16string_view type);

// Whether pages can be written as that type (short or MIME, any case).
bool hasImageEncoder(std::u16string_view type);

// Writes the page; a type without an encoder raises 0xC0080003 with the MIME type, before
// anything is written.
void writePageImageFile(const std::string& path, std::u16string_view type, const PageBitmap& page,
                        const PageStamp& stamp);
