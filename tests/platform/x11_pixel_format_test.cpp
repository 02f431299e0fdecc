// Our 0xFFRRGGBB pixels in the TrueColor layouts X servers offer.
#include <ostream>
#include <string>

#include <gtest/gtest.h>

#include "gui/platform/x11/x11_pixel_format.h"
#include "tests/support/row_name.h"

namespace {

struct FormatRow {
    std::string name;
    unsigned long redMask, greenMask, blueMask;
    Pixel pixel;
    unsigned long value;
    bool native;
    friend void PrintTo(const FormatRow& row, std::ostream* out) { *out << row.name; }
};

class X11PixelFormatTest : public testing::TestWithParam<FormatRow> {};

TEST_P(X11PixelFormatTest, PacksEachChannelIntoItsMask) {
    const FormatRow& row = GetParam();
    const X11PixelFormat format(row.redMask, row.greenMask, row.blueMask);
    EXPECT_EQ(format.valueOf(row.pixel), row.value);
    EXPECT_EQ(format.isNative(), row.native);
}

INSTANTIATE_TEST_SUITE_P(
    Table, X11PixelFormatTest,
    testing::Values(
        FormatRow{"rgb888_drops_the_alpha_byte", 0xff0000, 0xff00, 0xff, 0xFF123456u, 0x123456, true},
        FormatRow{"bgr888_swaps_red_and_blue", 0xff, 0xff00, 0xff0000, 0xFF123456u, 0x563412, false},
        FormatRow{"rgb565_white", 0xf800, 0x07e0, 0x001f, 0xFFFFFFFFu, 0xffff, false},
        FormatRow{"rgb565_rounds_to_nearest", 0xf800, 0x07e0, 0x001f, pixelOf(13, 7, 13), 0x1000 | 0x40 | 2, false},
        FormatRow{"rgb555_pure_green", 0x7c00, 0x03e0, 0x001f, pixelOf(0, 255, 0), 0x03e0, false},
        FormatRow{"rgb101010_keeps_full_range", 0x3ff00000, 0xffc00, 0x3ff, pixelOf(255, 0, 255), 0x3ff003ff, false},
        FormatRow{"rgb101010_mid_grey", 0x3ff00000, 0xffc00, 0x3ff, pixelOf(128, 128, 128),
                  (514ul << 20) | (514ul << 10) | 514ul, false}),
    rowName<FormatRow>);

}  // namespace
