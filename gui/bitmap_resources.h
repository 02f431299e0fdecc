// The module's own bitmaps, found by resource id: on Windows the RT_BITMAP
// resources linked into the DLL, elsewhere the same bytes compiled in.
#pragma once

#include <cstddef>

// The ids resources/oscinda.rc gives the artwork.
constexpr int kHandleBitmapId = 1;      // slider handle, 14 x 12; pure white is not drawn
constexpr int kBackgroundBitmapId = 2;  // the whole panel, 462 x 355: the editor's size
constexpr int kGrooveBitmapId = 3;      // slider groove, 16 x 160
constexpr int kDigitsBitmapId = 4;      // seven-segment digits 0 to 9, 7 x 19 each, stacked
constexpr int kOnOffBitmapId = 5;       // Random button, 30 x 15 ON above 30 x 15 OFF

// A packed DIB (BITMAPINFOHEADER, palette, rows) as decodeDib reads it.
struct ResourceBytes {
    const unsigned char* data;
    std::size_t size;
};

// The bytes of bitmap resource id, or {nullptr, 0} when the module has none.
// They live as long as the module.
ResourceBytes findBitmapResource(int id);
