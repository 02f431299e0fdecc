#include "gui/text_drawing.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "gui/coverage_blend.h"

namespace {

// Layout runs in 64 bits: a box may lie anywhere an int reaches and a text
// may be long, and neither may overflow.
using Wide = std::int64_t;

Wide floorHalf(Wide value) { return value >= 0 ? value / 2 : -((-value + 1) / 2); }

// The columns that hold ink, relative to the pen's start; empty when
// right <= left.
struct InkSpan {
    Wide left = std::numeric_limits<Wide>::max();
    Wide right = std::numeric_limits<Wide>::min();
};

InkSpan inkSpan(const GlyphFont& font, const char* text) {
    InkSpan span;
    Wide pen = 0;
    for (const char* character = text; *character != '\0'; ++character) {
        const Glyph& glyph = glyphFor(font, *character);
        if (glyph.width > 0 && glyph.height > 0) {
            span.left = std::min(span.left, pen + glyph.left);
            span.right = std::max(span.right, pen + glyph.left + glyph.width);
        }
        pen += glyph.advance;
    }
    return span;
}

void drawGlyph(PixelBuffer& target, const CRect& clip, const Glyph& glyph, Wide x, Wide y, Pixel ink,
               const std::uint8_t* coverage) {
    const Wide firstColumn = std::max<Wide>(x, clip.left);
    const Wide endColumn = std::min<Wide>(x + glyph.width, clip.right);
    const Wide firstRow = std::max<Wide>(y, clip.top);
    const Wide endRow = std::min<Wide>(y + glyph.height, clip.bottom);
    for (Wide row = firstRow; row < endRow; ++row) {
        const std::uint8_t* source = coverage + glyph.offset + (row - y) * glyph.width;
        Pixel* destination = target.row(static_cast<int>(row));
        for (Wide column = firstColumn; column < endColumn; ++column) {
            const std::uint8_t amount = source[column - x];
            if (amount == 0) continue;
            Pixel& pixel = destination[column];
            pixel = blendPixel(pixel, ink, amount);
        }
    }
}

// A glyph whose coverage lies outside the table is skipped rather than read.
bool coverageInside(const GlyphFont& font, const Glyph& glyph) {
    const std::uint64_t end = std::uint64_t{glyph.offset} + std::uint64_t{glyph.width} * glyph.height;
    return font.coverage != nullptr && end <= font.coverageSize;
}

}  // namespace

int textWidth(const GlyphFont& font, const char* text) {
    if (text == nullptr) return 0;
    Wide width = 0;
    for (const char* character = text; *character != '\0'; ++character) {
        width += glyphFor(font, *character).advance;
    }
    return static_cast<int>(std::min<Wide>(width, std::numeric_limits<int>::max()));
}

void drawCentredText(PixelBuffer& target, const CRect& box, const char* text, const CColor& colour,
                     const GlyphFont& font) {
    drawCentredText(target, box, box, text, colour, font);
}

void drawCentredText(PixelBuffer& target, const CRect& box, const CRect& area, const char* text, const CColor& colour,
                     const GlyphFont& font) {
    if (text == nullptr) return;
    CRect clip = box;
    clip.bound(area);
    clip.bound(target.bounds());
    if (clip.isEmpty()) return;
    const InkSpan ink = inkSpan(font, text);
    if (ink.right <= ink.left) return;

    const Wide boxWidth = Wide{box.right} - box.left;
    const Wide boxHeight = Wide{box.bottom} - box.top;
    const Wide penStart = box.left + floorHalf(boxWidth - (ink.right - ink.left)) - ink.left;
    const Wide baseline = box.top + floorHalf(boxHeight - font.capHeight) + font.capHeight;

    const Pixel inkPixel = pixelOf(colour);
    Wide pen = penStart;
    for (const char* character = text; *character != '\0'; ++character) {
        const Glyph& glyph = glyphFor(font, *character);
        const Wide x = pen + glyph.left;
        pen += glyph.advance;
        if (x >= clip.right || x + glyph.width <= clip.left) continue;
        if (!coverageInside(font, glyph)) continue;
        drawGlyph(target, clip, glyph, x, baseline - glyph.top, inkPixel, font.coverage);
    }
}
