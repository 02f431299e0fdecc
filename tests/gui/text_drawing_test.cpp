// Centred text in a pixel buffer: where the ink lands, what it leaves alone,
// and the exact colours it writes.
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "gui/coverage_blend.h"
#include "gui/text_drawing.h"

namespace {

// No drawing writes this pixel: everything drawn is opaque.
constexpr Pixel kSentinel = 0x12345678u;
constexpr CColor kReadOutBox{51, 51, 51, 0};
constexpr CColor kReadOutText{204, 204, 204, 0};

// A font small enough to reason about by hand: 'A' is 3 x 2 pixels with full,
// partial and empty coverage, standing on the capital line; '?' is one full
// pixel; ' ' is blank.
constexpr std::uint8_t kTestCoverage[] = {
    255, 128, 0,  // 'A', upper row
    0,   255, 1,  // 'A', lower row
    255,          // '?'
};
constexpr int kTestCapHeight = 4;

GlyphFont makeTestFont() {
    GlyphFont font{3, 1, kTestCapHeight, {}, kTestCoverage, static_cast<std::uint32_t>(sizeof kTestCoverage)};
    font.glyphs['A' - kFirstGlyphCharacter] = Glyph{0, 3, 2, 0, kTestCapHeight, 4};
    font.glyphs['?' - kFirstGlyphCharacter] = Glyph{6, 1, 1, 0, 1, 2};
    font.glyphs[' ' - kFirstGlyphCharacter] = Glyph{0, 0, 0, 0, 0, 3};
    return font;
}
const GlyphFont kTestFont = makeTestFont();

// The smallest rectangle holding every pixel of area that is not background.
CRect inkBounds(const PixelBuffer& buffer, const CRect& area, Pixel background) {
    CRect bounds;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            if (buffer.at(x, y) != background) bounds.unite(CRect(x, y, x + 1, y + 1));
        }
    }
    return bounds;
}

void fill(PixelBuffer& buffer, const CRect& area, const CColor& colour) {
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) buffer.at(x, y) = pixelOf(colour);
    }
}

// --- Centring with the editor's font -------------------------------------

struct CentringRow {
    const char* name;
    const char* text;
    int boxWidth;
    int boxHeight;
    bool descends;  // ink below the baseline: only the top margin is fixed
    friend void PrintTo(const CentringRow& row, std::ostream* out) { *out << row.name; }
};

class CentringTest : public testing::TestWithParam<CentringRow> {};

// Ink margins left and right differ by at most one pixel (the extra one on
// the right); the capital line sits half the free height below the top, so
// the baseline does not move with descenders.
TEST_P(CentringTest, InkSitsInTheMiddleOfTheBox) {
    const CentringRow& row = GetParam();
    constexpr int kAround = 8;
    PixelBuffer buffer(row.boxWidth + 2 * kAround, row.boxHeight + 2 * kAround, kSentinel);
    const CRect box(kAround, kAround, kAround + row.boxWidth, kAround + row.boxHeight);
    fill(buffer, box, kReadOutBox);

    drawCentredText(buffer, box, row.text, kReadOutText, kSmallFontGlyphs);

    const CRect ink = inkBounds(buffer, box, pixelOf(kReadOutBox));
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_EQ(inkBounds(buffer, buffer.bounds(), kSentinel), box) << "ink outside the box";
    const int left = ink.left - box.left;
    const int right = box.right - ink.right;
    EXPECT_TRUE(right == left || right == left + 1) << "left " << left << ", right " << right;
    const int top = ink.top - box.top;
    EXPECT_EQ(top, (row.boxHeight - kSmallFontGlyphs.capHeight) / 2);
    if (!row.descends) {
        const int bottom = box.bottom - ink.bottom;
        EXPECT_TRUE(bottom == top || bottom == top + 1) << "top " << top << ", bottom " << bottom;
    }
}

INSTANTIATE_TEST_SUITE_P(Table, CentringTest,
                         testing::Values(CentringRow{"read_out_100", "100", 32, 14, false},
                                         CentringRow{"read_out_2_000", "2.000", 32, 14, false},
                                         CentringRow{"read_out_20_00", "20.00", 32, 14, false},
                                         CentringRow{"read_out_15_1", "15.1", 32, 14, false},
                                         CentringRow{"read_out_7_59", "7.59", 32, 14, false},
                                         CentringRow{"read_out_huge", "Huge!", 32, 14, true},
                                         CentringRow{"odd_free_space", "100", 33, 15, false},
                                         CentringRow{"large_box", "15.1", 120, 41, false},
                                         CentringRow{"leading_and_trailing_spaces", "  1  ", 32, 14, false},
                                         CentringRow{"descender_in_large_box", "gig", 50, 30, true}),
                         [](const testing::TestParamInfo<CentringRow>& entry) { return entry.param.name; });

// --- Clipping -------------------------------------------------------------

struct ClipRow {
    const char* name;
    CRect box;
    bool draws;  // some ink lands inside the buffer
    friend void PrintTo(const ClipRow& row, std::ostream* out) { *out << row.name; }
};

class ClippingTest : public testing::TestWithParam<ClipRow> {};

TEST_P(ClippingTest, WritesOnlyInsideTheBoxAndTheBuffer) {
    const ClipRow& row = GetParam();
    PixelBuffer buffer(40, 20, kSentinel);

    drawCentredText(buffer, row.box, "Huge! 2.000", kReadOutText, kSmallFontGlyphs);

    CRect allowed = row.box;
    allowed.bound(buffer.bounds());
    bool drew = false;
    for (int y = 0; y < buffer.height(); ++y) {
        for (int x = 0; x < buffer.width(); ++x) {
            if (buffer.at(x, y) == kSentinel) continue;
            drew = true;
            EXPECT_TRUE(allowed.pointInside(CPoint(x, y))) << "wrote (" << x << ", " << y << ")";
        }
    }
    EXPECT_EQ(drew, row.draws);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ClippingTest,
    testing::Values(ClipRow{"text_wider_than_box", CRect(12, 4, 28, 16), true},
                    ClipRow{"box_lower_than_text", CRect(10, 8, 30, 12), true},
                    ClipRow{"box_over_left_edge", CRect(-30, 3, 20, 17), true},
                    ClipRow{"box_over_top_left_corner", CRect(-20, -9, 30, 5), true},
                    ClipRow{"box_over_bottom_right_corner", CRect(15, 12, 65, 26), true},
                    ClipRow{"box_around_buffer", CRect(-100, -100, 140, 120), true},
                    ClipRow{"box_beside_buffer", CRect(40, 0, 90, 20), false},
                    ClipRow{"box_above_buffer", CRect(0, -14, 40, 0), false},
                    ClipRow{"box_reversed", CRect(36, 17, 4, 3), false},
                    ClipRow{"box_at_largest_coordinates", CRect(INT_MAX - 50, INT_MAX - 14, INT_MAX, INT_MAX), false},
                    ClipRow{"box_at_smallest_coordinates", CRect(INT_MIN, INT_MIN, INT_MIN + 50, INT_MIN + 14), false},
                    ClipRow{"box_over_whole_coordinate_range", CRect(INT_MIN, INT_MIN, INT_MAX, INT_MAX), true}),
    [](const testing::TestParamInfo<ClipRow>& entry) { return entry.param.name; });

// A redraw of part of a box: the text is placed by the whole box, and only
// the pixels inside the area are written, the same as a full draw there.
TEST(TextDrawing, AreaClipWritesTheSamePixelsOnlyInsideTheArea) {
    const CRect box(0, 0, 32, 14);
    const CRect area(10, 3, 20, 9);
    PixelBuffer whole(32, 14, kSentinel);
    PixelBuffer part(32, 14, kSentinel);
    drawCentredText(whole, box, "20.00", kReadOutText, kSmallFontGlyphs);
    drawCentredText(part, box, area, "20.00", kReadOutText, kSmallFontGlyphs);
    int inkInside = 0;
    for (int y = 0; y < 14; ++y)
        for (int x = 0; x < 32; ++x) {
            if (area.pointInside({x, y})) {
                EXPECT_EQ(part.at(x, y), whole.at(x, y)) << x << ", " << y;
                inkInside += part.at(x, y) != kSentinel;
            } else {
                EXPECT_EQ(part.at(x, y), kSentinel) << x << ", " << y;
            }
        }
    EXPECT_GT(inkInside, 0);
}

TEST(TextDrawing, EmptyBufferIsLeftAlone) {
    PixelBuffer buffer;
    drawCentredText(buffer, CRect(0, 0, 32, 14), "100", kReadOutText, kSmallFontGlyphs);
    EXPECT_TRUE(buffer.empty());
}

// --- Placement and colours, with the hand-made font -----------------------

struct PlacementRow {
    const char* name;
    CRect box;
    CPoint glyphOrigin;  // where the top-left of 'A' lands
    friend void PrintTo(const PlacementRow& row, std::ostream* out) { *out << row.name; }
};

class PlacementTest : public testing::TestWithParam<PlacementRow> {};

// Every pixel of the glyph that falls in the box carries its coverage: full
// ink is the text colour exactly, none leaves the pixel untouched; nothing
// else in the buffer changes.
TEST_P(PlacementTest, GlyphLandsWhereTheRoundingRulePutsIt) {
    const PlacementRow& row = GetParam();
    PixelBuffer buffer(24, 24, kSentinel);
    const CColor colour{204, 17, 250, 0};

    drawCentredText(buffer, row.box, "A", colour, kTestFont);

    for (int y = 0; y < buffer.height(); ++y) {
        for (int x = 0; x < buffer.width(); ++x) {
            const int column = x - row.glyphOrigin.h;
            const int glyphRow = y - row.glyphOrigin.v;
            const bool inGlyph = column >= 0 && column < 3 && glyphRow >= 0 && glyphRow < 2;
            const std::uint8_t coverage = inGlyph ? kTestCoverage[glyphRow * 3 + column] : 0;
            Pixel expected = kSentinel;
            if (coverage == 255 && row.box.pointInside(CPoint(x, y))) {
                expected = pixelOf(colour);
            } else if (coverage != 0 && row.box.pointInside(CPoint(x, y))) {
                expected = blendPixel(kSentinel, pixelOf(colour), coverage);
            }
            EXPECT_EQ(buffer.at(x, y), expected) << "at (" << x << ", " << y << ")";
        }
    }
}

// 'A' is 3 wide and its capital line 4 high.
INSTANTIATE_TEST_SUITE_P(Table, PlacementTest,
                         testing::Values(PlacementRow{"even_free_space", CRect(5, 5, 16, 15), CPoint(9, 8)},
                                         PlacementRow{"odd_width_extra_pixel_right", CRect(5, 5, 17, 15), CPoint(9, 8)},
                                         PlacementRow{"odd_height_extra_pixel_below", CRect(5, 5, 16, 16),
                                                      CPoint(9, 8)},
                                         PlacementRow{"box_narrower_than_glyph", CRect(10, 10, 12, 16), CPoint(9, 11)},
                                         PlacementRow{"box_lower_than_capital", CRect(10, 10, 13, 13), CPoint(10, 9)}),
                         [](const testing::TestParamInfo<PlacementRow>& entry) { return entry.param.name; });

TEST(TextDrawing, PartialCoverageBlendsOverWhatIsThere) {
    PixelBuffer buffer(11, 10, pixelOf(kReadOutBox));
    drawCentredText(buffer, buffer.bounds(), "A", kReadOutText, kTestFont);
    // 'A' at (4, 3): coverage 128 at (5, 3), 1 at (6, 4).
    EXPECT_EQ(buffer.at(4, 3), pixelOf(kReadOutText));
    EXPECT_EQ(buffer.at(5, 3), pixelOf(128, 128, 128));
    EXPECT_EQ(buffer.at(6, 4), pixelOf(52, 52, 52));
    EXPECT_EQ(buffer.at(6, 3), pixelOf(kReadOutBox));
}

// --- Texts that draw nothing, and characters outside the table ------------

struct BlankRow {
    const char* name;
    const char* text;
    friend void PrintTo(const BlankRow& row, std::ostream* out) { *out << row.name; }
};

class BlankTextTest : public testing::TestWithParam<BlankRow> {};

TEST_P(BlankTextTest, LeavesTheBufferAsItWas) {
    PixelBuffer buffer(40, 20, kSentinel);
    const PixelBuffer before = buffer;
    drawCentredText(buffer, CRect(4, 3, 36, 17), GetParam().text, kReadOutText, kSmallFontGlyphs);
    EXPECT_EQ(buffer, before);
}

INSTANTIATE_TEST_SUITE_P(Table, BlankTextTest,
                         testing::Values(BlankRow{"null", nullptr}, BlankRow{"empty", ""}, BlankRow{"spaces", "    "}),
                         [](const testing::TestParamInfo<BlankRow>& entry) { return entry.param.name; });

struct StrayRow {
    const char* name;
    const char* text;
    const char* drawnAs;
    friend void PrintTo(const StrayRow& row, std::ostream* out) { *out << row.name; }
};

class StrayCharacterTest : public testing::TestWithParam<StrayRow> {};

TEST_P(StrayCharacterTest, DrawsAndMeasuresAsQuestionMarks) {
    const StrayRow& row = GetParam();
    PixelBuffer stray(40, 20, kSentinel);
    PixelBuffer plain(40, 20, kSentinel);
    drawCentredText(stray, CRect(4, 3, 36, 17), row.text, kReadOutText, kSmallFontGlyphs);
    drawCentredText(plain, CRect(4, 3, 36, 17), row.drawnAs, kReadOutText, kSmallFontGlyphs);
    EXPECT_EQ(stray, plain);
    EXPECT_EQ(textWidth(kSmallFontGlyphs, row.text), textWidth(kSmallFontGlyphs, row.drawnAs));
}

INSTANTIATE_TEST_SUITE_P(Table, StrayCharacterTest,
                         testing::Values(StrayRow{"control_character", "1\x01", "1?"},
                                         StrayRow{"tab_and_newline", "\t5\n", "?5?"}, StrayRow{"delete", "\x7f", "?"},
                                         StrayRow{"byte_above_127",
                                                  "\xff"
                                                  "0",
                                                  "?0"},
                                         StrayRow{"utf8_micro_sign", "5\xc2\xb5s", "5??s"}),
                         [](const testing::TestParamInfo<StrayRow>& entry) { return entry.param.name; });

// --- Widths ---------------------------------------------------------------

struct WidthRow {
    const char* name;
    const char* text;
    int width;
    friend void PrintTo(const WidthRow& row, std::ostream* out) { *out << row.name; }
};

class TextWidthTest : public testing::TestWithParam<WidthRow> {};

TEST_P(TextWidthTest, SumsTheAdvances) { EXPECT_EQ(textWidth(kSmallFontGlyphs, GetParam().text), GetParam().width); }

// Figures are all 6 pixels wide, '.' 3 and '!' 2: every read-out fits a
// 32-pixel box.
INSTANTIATE_TEST_SUITE_P(Table, TextWidthTest,
                         testing::Values(WidthRow{"null", nullptr, 0}, WidthRow{"empty", "", 0},
                                         WidthRow{"one_hundred", "100", 18}, WidthRow{"two", "2.000", 27},
                                         WidthRow{"twenty", "20.00", 27}, WidthRow{"fifteen", "15.1", 21},
                                         WidthRow{"huge", "Huge!", 27}, WidthRow{"spaces", "   ", 9}),
                         [](const testing::TestParamInfo<WidthRow>& entry) { return entry.param.name; });

TEST(TextWidth, CountsEveryCharacterOfTheHandMadeFont) {
    EXPECT_EQ(textWidth(kTestFont, "A A"), 11);
    EXPECT_EQ(textWidth(kTestFont, "A\x01"), 6);
}

}  // namespace
