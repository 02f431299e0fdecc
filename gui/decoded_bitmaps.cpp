#include "gui/decoded_bitmaps.h"

#include <atomic>
#include <new>

#include "gui/bitmap_resources.h"
#include "gui/dib_decoder.h"

namespace {

// Resource ids kept; the artwork uses 1 to 5.
constexpr int kCachedIds = 16;

// One slot per id: the first thread to decode a picture publishes it, a
// thread that decoded it at the same time drops its own copy. No lock, so
// the Windows builds' thread model needs nothing more. The pictures go when
// the module is unloaded (no instance exists by then).
struct DecodedPictures {
    std::atomic<const PixelBuffer*> slots[kCachedIds] = {};
    ~DecodedPictures() {
        for (std::atomic<const PixelBuffer*>& slot : slots) delete slot.exchange(nullptr);
    }
};
DecodedPictures decodedPictures;

const PixelBuffer* decode(int id) {
    const ResourceBytes resource = findBitmapResource(id);
    if (resource.data == nullptr) return nullptr;
    auto* picture = new (std::nothrow) PixelBuffer;
    if (picture == nullptr) return nullptr;
    if (!decodeDib(resource.data, resource.size, *picture)) {
        delete picture;
        return nullptr;
    }
    return picture;
}

}  // namespace

const PixelBuffer* decodedBitmapResource(int id) {
    if (id < 0 || id >= kCachedIds) return nullptr;
    std::atomic<const PixelBuffer*>& slot = decodedPictures.slots[id];
    if (const PixelBuffer* known = slot.load(std::memory_order_acquire)) return known;
    const PixelBuffer* fresh = decode(id);
    if (fresh == nullptr) return nullptr;
    const PixelBuffer* expected = nullptr;
    if (slot.compare_exchange_strong(expected, fresh, std::memory_order_acq_rel)) return fresh;
    delete fresh;
    return expected;
}
