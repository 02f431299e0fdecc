#include "gui/cdrawcontext.h"

#include "gui/glyph_font.h"
#include "gui/text_drawing.h"

namespace {

constexpr Pixel kPureWhite = 0xFFFFFFu;  // colour bits only

}  // namespace

CDrawContext::CDrawContext(PixelBuffer& targetBuffer) : target(targetBuffer), clipRect(targetBuffer.bounds()) {}

void CDrawContext::setClipRect(const CRect& clip) {
    clipRect = clip;
    clipRect.bound(target.bounds());
}

void CDrawContext::fillRect(const CRect& rect) {
    CRect area = rect;
    area.bound(clipRect);
    const Pixel colour = pixelOf(fillColor);
    for (int y = area.top; y < area.bottom; ++y) {
        Pixel* row = target.row(y);
        for (int x = area.left; x < area.right; ++x) row[x] = colour;
    }
}

void CDrawContext::drawRect(const CRect& rect) {
    if (rect.isEmpty()) return;
    const CColor savedFill = fillColor;
    fillColor = frameColor;
    fillRect(CRect(rect.left, rect.top, rect.right, rect.top + 1));
    fillRect(CRect(rect.left, rect.bottom - 1, rect.right, rect.bottom));
    fillRect(CRect(rect.left, rect.top, rect.left + 1, rect.bottom));
    fillRect(CRect(rect.right - 1, rect.top, rect.right, rect.bottom));
    fillColor = savedFill;
}

void CDrawContext::drawString(const char* text, const CRect& box) {
    CRect area = box;
    area.bound(clipRect);
    if (text == nullptr || area.isEmpty()) return;
    // The glyphs are placed by the whole box; only what falls inside the clip
    // is written.
    drawCentredText(target, box, clipRect, text, fontColor, kSmallFontGlyphs);
}

void CDrawContext::drawPixels(const PixelBuffer& source, const CRect& destination, const CPoint& sourceOffset,
                              bool skipWhite) {
    // The part of destination that has source pixels behind it and is inside
    // the clip.
    CRect area = destination;
    area.bound(CRect(destination.left - sourceOffset.h, destination.top - sourceOffset.v,
                     destination.left - sourceOffset.h + source.width(),
                     destination.top - sourceOffset.v + source.height()));
    area.bound(clipRect);
    for (int y = area.top; y < area.bottom; ++y) {
        const Pixel* from = source.row(y - destination.top + sourceOffset.v);
        Pixel* to = target.row(y);
        for (int x = area.left; x < area.right; ++x) {
            const Pixel pixel = from[x - destination.left + sourceOffset.h];
            if (skipWhite && (pixel & kPureWhite) == kPureWhite) continue;
            to[x] = pixel;
        }
    }
}
