// The bitmaps compiled into the module: a table generated at build time from
// resources/oscinda.rc and the .bmp files it names.
#pragma once

#include <cstddef>

struct EmbeddedBitmap {
    int id;
    const unsigned char* data;  // packed DIB: the .bmp without its file header
    std::size_t size;
};

extern const EmbeddedBitmap kEmbeddedBitmaps[];
extern const std::size_t kEmbeddedBitmapCount;
