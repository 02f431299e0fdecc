#include "gui/cbitmap.h"

#include <utility>

#include "gui/bitmap_resources.h"
#include "gui/cdrawcontext.h"
#include "gui/dib_decoder.h"

CBitmap::CBitmap(long id) : resourceId(id) {
    const ResourceBytes resource = findBitmapResource(static_cast<int>(id));
    if (resource.data == nullptr || !decodeDib(resource.data, resource.size, pixels)) pixels = PixelBuffer();
}

CBitmap::CBitmap(PixelBuffer picture) : pixels(std::move(picture)) {}

void CBitmap::draw(CDrawContext* context, const CRect& rect, const CPoint& offset) const {
    if (context != nullptr) context->drawPixels(pixels, rect, offset, false);
}

void CBitmap::drawTransparent(CDrawContext* context, const CRect& rect, const CPoint& offset) const {
    if (context != nullptr) context->drawPixels(pixels, rect, offset, true);
}
