#include "gui/cbitmap.h"

#include <utility>

#include "gui/cdrawcontext.h"
#include "gui/decoded_bitmaps.h"

CBitmap::CBitmap(long id) : resourceId(id) {
    // Ids far outside the artwork's small numbers name no bitmap.
    const int smallId = id >= 0 && id < 0x10000 ? static_cast<int>(id) : -1;
    if (const PixelBuffer* decoded = decodedBitmapResource(smallId)) pixels = decoded;
}

CBitmap::CBitmap(PixelBuffer picture) : ownPixels(std::move(picture)) {}

void CBitmap::draw(CDrawContext* context, const CRect& rect, const CPoint& offset) const {
    if (context != nullptr) context->drawPixels(*pixels, rect, offset, false);
}

void CBitmap::drawTransparent(CDrawContext* context, const CRect& rect, const CPoint& offset) const {
    if (context != nullptr) context->drawPixels(*pixels, rect, offset, true);
}
