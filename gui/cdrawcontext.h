// Software drawing into a pixel buffer: fills, one-pixel frames, bitmap blits
// (opaque, or skipping pure white) and centred antialiased text. Everything is
// clipped to the clip rectangle, which never leaves the buffer.
#pragma once

#include "gui/ccolor.h"
#include "gui/cfont.h"
#include "gui/crect.h"
#include "gui/pixel_buffer.h"

class CDrawContext {
public:
    explicit CDrawContext(PixelBuffer& target);

    void setClipRect(const CRect& clip);
    const CRect& getClipRect() const { return clipRect; }

    void setFillColor(const CColor& colour) { fillColor = colour; }
    void setFrameColor(const CColor& colour) { frameColor = colour; }
    void setFontColor(const CColor& colour) { fontColor = colour; }
    void setFont(CFont font) { currentFont = font; }
    CFont getFont() const { return currentFont; }

    void fillRect(const CRect& rect);
    // A one-pixel outline along the inside of rect.
    void drawRect(const CRect& rect);
    // text centred in box, in the font colour.
    void drawString(const char* text, const CRect& box);
    // Copies source pixels, starting at sourceOffset, into destination. With
    // skipWhite, pixels of pure white (255, 255, 255) are left undrawn.
    void drawPixels(const PixelBuffer& source, const CRect& destination, const CPoint& sourceOffset, bool skipWhite);

private:
    PixelBuffer& target;
    CRect clipRect;
    CColor fillColor = kWhiteCColor;
    CColor frameColor = kBlackCColor;
    CColor fontColor = kBlackCColor;
    CFont currentFont = kSystemFont;
};
