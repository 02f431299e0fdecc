// Reads a packed device-independent bitmap: a BITMAPINFOHEADER, its palette
// and its pixel rows, which is what a Windows bitmap resource holds (a .bmp
// file less its 14-byte file header).
#pragma once

#include <cstddef>

#include "gui/pixel_buffer.h"

// Uncompressed (BI_RGB) 1-, 4-, 8- and 24-bit pictures, rows bottom-up or
// top-down. Fills out and returns true; on any fault (too short, a size
// beyond kMaxDibSide, an index past the palette, another depth or
// compression) returns false and leaves out as it was.
bool decodeDib(const unsigned char* data, std::size_t size, PixelBuffer& out);

// The longest side accepted: far beyond any artwork, small enough that a
// forged header cannot ask for gigabytes.
constexpr int kMaxDibSide = 16384;
