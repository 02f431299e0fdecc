// One line of text from a glyph font into a pixel buffer.
#pragma once

#include "gui/ccolor.h"
#include "gui/crect.h"
#include "gui/glyph_font.h"
#include "gui/pixel_buffer.h"

// The pen's travel over text: the sum of its glyphs' advances, in pixels.
// Null text is 0 wide.
int textWidth(const GlyphFont& font, const char* text);

// Draws text in colour, centred in box, clipped to box and to target, and
// blended by coverage over what target already holds. Horizontally the ink
// is centred (the extra pixel of an odd margin goes right); vertically the
// capital height is, so the baseline stays put whatever the text (the extra
// pixel goes below). Null text or text without ink draws nothing.
void drawCentredText(PixelBuffer& target, const CRect& box, const char* text, const CColor& colour,
                     const GlyphFont& font);
// The same, writing only the pixels inside area as well.
void drawCentredText(PixelBuffer& target, const CRect& box, const CRect& area, const char* text, const CColor& colour,
                     const GlyphFont& font);
