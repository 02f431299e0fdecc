#include "gui/bitmap_resources.h"
#include "gui/platform/embedded/embedded_bitmaps.h"

ResourceBytes findBitmapResource(int id) {
    for (std::size_t i = 0; i < kEmbeddedBitmapCount; ++i) {
        if (kEmbeddedBitmaps[i].id == id) return {kEmbeddedBitmaps[i].data, kEmbeddedBitmaps[i].size};
    }
    return {nullptr, 0};
}
