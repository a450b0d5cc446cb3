#pragma once

// Copies the current frame of one TIFF into the frame being written to another without decoding
// it: its tags (standard, private and unknown ones alike) and its compressed strips or tiles as
// they stand, so that pixels and compression stay exactly those of the source.

#include "TiffFile.h"

#include <string>

// Copies the tags; the caller may change them before CopyFrameData. A frame that cannot be
// written again (a compression libtiff cannot write) is an unsupported-TIFF error naming it.
void CopyFrameTags(const TiffFile& in, TiffFile& out, int page);
// Copies the compressed data. A read failure is an unsupported-TIFF error naming the page; a
// write failure the write error naming `targetPath`.
void CopyFrameData(const TiffFile& in, TiffFile& out, int page, const std::string& targetPath);
