// The committed glyph table holds together as the drawing code reads it.
#include <string>

#include <gtest/gtest.h>

#include "gui/glyph_font.h"

namespace {

const GlyphFont& font = kSmallFontGlyphs;

// Every picture lies inside the coverage, has ink on each of its four edges
// (centring measures ink, so a blank edge would pull text aside) and stays
// within the line, so a box of line height shows it whole.
TEST(SmallFontGlyphs, PicturesAreInsideTheCoverageCutToInkAndWithinTheLine) {
    for (int character = kFirstGlyphCharacter; character <= kLastGlyphCharacter; ++character) {
        SCOPED_TRACE(std::string("character '") + static_cast<char>(character) + "'");
        const Glyph& glyph = glyphFor(font, static_cast<char>(character));
        EXPECT_GT(glyph.advance, 0);
        if (character == ' ') {
            EXPECT_EQ(glyph.width * glyph.height, 0);
            continue;
        }
        ASSERT_GT(glyph.width * glyph.height, 0);
        ASSERT_LE(glyph.offset + glyph.width * glyph.height, font.coverageSize);
        const auto at = [&](int column, int row) { return font.coverage[glyph.offset + row * glyph.width + column]; };
        int top = 0, bottom = 0, left = 0, right = 0;
        for (int column = 0; column < glyph.width; ++column) {
            top += at(column, 0);
            bottom += at(column, glyph.height - 1);
        }
        for (int row = 0; row < glyph.height; ++row) {
            left += at(0, row);
            right += at(glyph.width - 1, row);
        }
        EXPECT_TRUE(top > 0 && bottom > 0 && left > 0 && right > 0);
        EXPECT_LE(glyph.top, font.ascent);
        EXPECT_LE(glyph.height - glyph.top, font.descent);
    }
}

// Read-outs change digit by digit; with one advance for all figures a
// number's width, and so its place in the box, stays put.
TEST(SmallFontGlyphs, FiguresShareOneAdvanceAndCapitalHeightIsThatOfH) {
    for (char digit = '1'; digit <= '9'; ++digit) {
        EXPECT_EQ(glyphFor(font, digit).advance, glyphFor(font, '0').advance) << digit;
    }
    EXPECT_EQ(font.capHeight, glyphFor(font, 'H').top);
    EXPECT_EQ(font.capHeight, 8);
    EXPECT_EQ(font.ascent + font.descent, 13);
}

}  // namespace
