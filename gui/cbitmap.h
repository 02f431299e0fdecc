// A picture of the module's artwork, loaded by its numeric resource id and
// shared by reference count: the editor and the frame hold the background,
// each control holds the bitmaps it draws.
#pragma once

#include "gui/crect.h"
#include "gui/creference_counter.h"
#include "gui/pixel_buffer.h"

class CDrawContext;

class CBitmap : public CReferenceCounter {
public:
    // An empty bitmap (0 x 0, draws nothing) when the module has no such
    // resource or it cannot be read.
    explicit CBitmap(long resourceId);
    explicit CBitmap(PixelBuffer picture);

    CCoord getWidth() const { return pixels->width(); }
    CCoord getHeight() const { return pixels->height(); }
    long getResourceId() const { return resourceId; }
    bool isLoaded() const { return !pixels->empty(); }
    const PixelBuffer& getPixels() const { return *pixels; }

    // Draws the part starting at offset into rect.
    void draw(CDrawContext* context, const CRect& rect, const CPoint& offset = CPoint()) const;
    // The same, leaving the bitmap's pure white (255, 255, 255) pixels undrawn.
    void drawTransparent(CDrawContext* context, const CRect& rect, const CPoint& offset = CPoint()) const;

private:
    long resourceId = 0;
    PixelBuffer ownPixels;  // a picture made in memory, or the empty one
    // The module's decoded artwork, shared by every bitmap of that id, or
    // ownPixels.
    const PixelBuffer* pixels = &ownPixels;
};
