#include "PageBitmap.h"

#include <cmath>

PageBitmap::PageBitmap(int width, int height, double xDpi, double yDpi)
    : width(width), height(height), stride((static_cast<std::size_t>(width) + 31) / 32 * 4), xDpi(xDpi),
      yDpi(yDpi), bits(stride * static_cast<std::size_t>(height), 0)
{
}

void PageBitmap::setBlack(int x, int y, bool black)
{
    uint8_t& byte = row(y)[x >> 3];
    const uint8_t mask = static_cast<uint8_t>(0x80 >> (x & 7));
    byte = black ? (byte | mask) : (byte & ~mask);
}

bool PageBitmap::isWritable() const
{
    return width >= 1 && height >= 1 && stride * 8 >= static_cast<std::size_t>(width) &&
           bits.size() / stride >= static_cast<std::size_t>(height) && std::isfinite(xDpi) && std::isfinite(yDpi) &&
           xDpi > 0 && yDpi > 0;
}
