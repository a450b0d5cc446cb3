#pragma once

// Page images in memory: the Cairo image a page is drawn on, source frames as Cairo images, and
// the conversion of a drawn page to the 1-bit page bitmap that is written.

#include "CairoHandles.h"
#include "PageBitmap.h"
#include "TiffPages.h"

#include <cstdint>
#include <string>

// The largest page image drawn: Cairo's limit per side, and a pixel count that keeps a page's
// working image and its source frame within about 1 GB.
inline constexpr int kMaxPageSide = 32767;
inline constexpr int64_t kMaxPagePixels = int64_t{1} << 27;

// An unsupported-TIFF error naming the page of the file when its frame is larger than that.
void checkDrawableSize(const FrameInfo& frame, int page, const std::string& path);

// Sets the context up for a page that becomes 1 bit per pixel: shapes and glyphs are drawn with
// whole pixels, without grey edges.
void drawForOneBit(cairo_t* cr);

// A white page image of the frame's pixel size.
CairoSurface newPageSurface(const FrameInfo& frame);

// A frame of the source TIFF as an opaque image; transparent parts show white.
CairoSurface frameSurface(const FrameImage& frame);

// Every pixel that is not white becomes black. A pixel is white when it still is with 5 bits
// per colour, so that the faint edges of drawn shapes count as ink.
PageBitmap ToOneBit(cairo_surface_t* page, double xDpi, double yDpi);
