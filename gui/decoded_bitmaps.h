// The module's bitmaps, decoded once and kept for the module's life: every
// editor of every instance draws from the same pictures, so creating an
// instance or opening its window decodes nothing again.
#pragma once

#include "gui/pixel_buffer.h"

// The decoded picture of bitmap resource id, or null when the module has no
// such bitmap or it cannot be read. Safe from any thread; the picture never
// changes and never goes away.
const PixelBuffer* decodedBitmapResource(int id);
