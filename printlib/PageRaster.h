#pragma once

// Page images in memory: the Cairo image a page is drawn on, source frames as Cairo images and as
// ink, and the conversion of a drawn page to the 1-bit page bitmap that is written.

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
// A white ink image (alpha only, see PageCanvas.h) of the size.
CairoSurface newInkSurface(int width, int height);

// A frame of the source TIFF as an opaque image; transparent parts show white.
CairoSurface frameSurface(const FrameImage& frame);
// The pixels of a frame of the source TIFF that show black on a 1-bit page, as frameSurface and
// ToOneBit would make them. A bilevel frame is read line by line, so that the pixels of the
// whole frame are never held in colour.
PageBitmap frameInk(SourceTiff& source, int page);
// Puts the ink of a 1-bit image into an ink image of the same size, or into an opaque black and
// white one for a colour target.
void paintInk(const PageBitmap& ink, cairo_surface_t* image);
CairoSurface colourSurface(const PageBitmap& ink);

// Draws a 1-bit image stretched over the rectangle (x, y, width, height) of an ink page, nearest
// pixel, replacing what lies under it, as drawImage would draw its ink image; only without
// going through an image of 8 bits per pixel. Needs a context without a clip; returns false,
// drawing nothing, when the context maps the rectangle other than by a scale and a shift.
bool drawInkStretched(cairo_t* cr, const PageBitmap& ink, double x, double y, double width, double height);

// Every pixel that is not white becomes black. In colour, a pixel is white when it still is
// with 5 bits per colour, so that the faint edges of drawn shapes count as ink; on an ink image,
// when black laid over white with its alpha would be white so.
PageBitmap ToOneBit(cairo_surface_t* page, double xDpi, double yDpi);
