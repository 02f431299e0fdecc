// A font as the editor draws it: printable ASCII rasterised ahead of time
// into 8-bit coverage and compiled in, so every build of the plug-in draws
// the same pixels and none loads a font library inside the host.
#pragma once

#include <cstdint>

// One character's picture and where it sits against the pen. Its coverage is
// height rows of width bytes, top row first, 0 (no ink) to 255 (full ink).
struct Glyph {
    std::uint32_t offset;  // first byte in GlyphFont::coverage
    std::uint8_t width;
    std::uint8_t height;
    std::int8_t left;      // pen to the picture's first column
    std::int8_t top;       // baseline up to the picture's first row
    std::uint8_t advance;  // whole pixels the pen moves on
};

constexpr int kFirstGlyphCharacter = ' ';
constexpr int kLastGlyphCharacter = '~';
constexpr int kGlyphCount = kLastGlyphCharacter - kFirstGlyphCharacter + 1;

struct GlyphFont {
    int ascent;     // baseline up to the top of the line
    int descent;    // baseline down to the bottom of the line
    int capHeight;  // baseline up to the top of 'H': text is centred on it
    Glyph glyphs[kGlyphCount];
    const std::uint8_t* coverage;
    std::uint32_t coverageSize;  // bytes in coverage
};

// The glyph drawn for a character. Anything outside ' '..'~' (control
// characters, bytes of UTF-8 sequences) draws as '?', so a stray byte shows
// instead of vanishing.
inline const Glyph& glyphFor(const GlyphFont& font, char character) {
    const int code = static_cast<unsigned char>(character);
    const bool printable = code >= kFirstGlyphCharacter && code <= kLastGlyphCharacter;
    return font.glyphs[(printable ? code : '?') - kFirstGlyphCharacter];
}

// Liberation Sans Regular (Arial's metrics) at 11 pixels: the widget font
// kNormalFontSmall.
extern const GlyphFont kSmallFontGlyphs;
