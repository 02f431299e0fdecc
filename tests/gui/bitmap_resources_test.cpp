// The artwork compiled into the module: every bitmap the editor asks for is
// there in the format it expects, and the pictures keep the promises the
// editor's drawing relies on (colour keys, button frames, where the panel
// ends).
#include "gui/bitmap_resources.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <set>
#include <thread>
#include <vector>

#include "gui/cbitmap.h"
#include "gui/decoded_bitmaps.h"
#include "gui/dib_decoder.h"

namespace {

std::uint32_t headerField(const ResourceBytes& bytes, std::size_t at, std::size_t width) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < width; ++i) value |= static_cast<std::uint32_t>(bytes.data[at + i]) << (8 * i);
    return value;
}

PixelBuffer decoded(int id) {
    const ResourceBytes bytes = findBitmapResource(id);
    PixelBuffer picture;
    EXPECT_TRUE(decodeDib(bytes.data, bytes.size, picture)) << "bitmap " << id;
    return picture;
}

struct ArtworkRow {
    const char* name;
    int id;
    int width;
    int height;
    unsigned bitCount;
    unsigned coloursUsed;
    friend void PrintTo(const ArtworkRow& row, std::ostream* out) { *out << row.name; }
};

class ArtworkFormatTest : public testing::TestWithParam<ArtworkRow> {};

TEST_P(ArtworkFormatTest, IsFoundWithItsSizeAndDepth) {
    const ArtworkRow& row = GetParam();
    const ResourceBytes bytes = findBitmapResource(row.id);
    ASSERT_NE(bytes.data, nullptr);
    ASSERT_GE(bytes.size, 40u);
    EXPECT_EQ(headerField(bytes, 0, 4), 40u);  // BITMAPINFOHEADER
    EXPECT_EQ(headerField(bytes, 4, 4), static_cast<std::uint32_t>(row.width));
    EXPECT_EQ(headerField(bytes, 8, 4), static_cast<std::uint32_t>(row.height));  // positive: bottom-up
    EXPECT_EQ(headerField(bytes, 14, 2), row.bitCount);
    EXPECT_EQ(headerField(bytes, 16, 4), 0u);  // BI_RGB
    EXPECT_EQ(headerField(bytes, 32, 4), row.coloursUsed);

    // Nothing before or after the rows: the packed DIB a resource holds.
    const std::size_t stride = (static_cast<std::size_t>(row.width) * row.bitCount + 31) / 32 * 4;
    EXPECT_EQ(bytes.size, 40 + row.coloursUsed * 4 + stride * static_cast<std::size_t>(row.height));

    const PixelBuffer picture = decoded(row.id);
    EXPECT_EQ(picture.width(), row.width);
    EXPECT_EQ(picture.height(), row.height);
}

INSTANTIATE_TEST_SUITE_P(Table, ArtworkFormatTest,
                         testing::Values(ArtworkRow{"handle", kHandleBitmapId, 14, 12, 4, 16},
                                         ArtworkRow{"background", kBackgroundBitmapId, 462, 355, 24, 0},
                                         ArtworkRow{"groove", kGrooveBitmapId, 16, 160, 4, 16},
                                         ArtworkRow{"digits", kDigitsBitmapId, 7, 190, 4, 3},
                                         ArtworkRow{"on_off", kOnOffBitmapId, 30, 30, 24, 0}),
                         [](const testing::TestParamInfo<ArtworkRow>& instance) { return instance.param.name; });

TEST(BitmapResourcesTest, OtherIdsAreNotFound) {
    for (int id : {0, 6, -1, 1000, INT_MIN, INT_MAX}) {
        const ResourceBytes bytes = findBitmapResource(id);
        EXPECT_EQ(bytes.data, nullptr) << id;
        EXPECT_EQ(bytes.size, 0u) << id;
    }
}

constexpr Pixel kColourKey = pixelOf(255, 255, 255);

// The handle is drawn with pure white left out: only its four corners may
// be white, so the cap looks round and never has holes.
TEST(ArtworkTest, HandleIsWhiteOnlyAtItsCorners) {
    const PixelBuffer handle = decoded(kHandleBitmapId);
    ASSERT_FALSE(handle.empty());
    const int right = handle.width() - 1;
    const int bottom = handle.height() - 1;
    for (int y = 0; y <= bottom; ++y) {
        for (int x = 0; x <= right; ++x) {
            const bool corner = (x == 0 || x == right) && (y == 0 || y == bottom);
            EXPECT_EQ(handle.at(x, y) == kColourKey, corner) << x << "," << y;
        }
    }
}

constexpr Pixel kButtonGrey = pixelOf(126, 126, 126);
constexpr int kFrameHeight = 15;

bool isYellow(Pixel pixel) { return redOf(pixel) > 200 && greenOf(pixel) > 170 && blueOf(pixel) < 80; }
bool isLightGrey(Pixel pixel) {
    return redOf(pixel) > 180 && redOf(pixel) == greenOf(pixel) && greenOf(pixel) == blueOf(pixel);
}

struct FrameLook {
    int greyPixels = 0;
    int yellowPixels = 0;
    int lightGreyPixels = 0;
    bool greyEdges = true;
};

FrameLook lookAtFrame(const PixelBuffer& button, int frame) {
    FrameLook look;
    for (int y = 0; y < kFrameHeight; ++y) {
        for (int x = 0; x < button.width(); ++x) {
            const Pixel pixel = button.at(x, frame * kFrameHeight + y);
            look.greyPixels += pixel == kButtonGrey;
            look.yellowPixels += isYellow(pixel);
            look.lightGreyPixels += isLightGrey(pixel);
            const bool edge = x == 0 || y == 0 || x == button.width() - 1 || y == kFrameHeight - 1;
            if (edge && pixel != kButtonGrey) look.greyEdges = false;
        }
    }
    return look;
}

TEST(ArtworkTest, ButtonFramesAreOnAboveOffOnTheSameGrey) {
    const PixelBuffer button = decoded(kOnOffBitmapId);
    ASSERT_EQ(button.height(), 2 * kFrameHeight);
    const FrameLook on = lookAtFrame(button, 0);
    const FrameLook off = lookAtFrame(button, 1);

    EXPECT_TRUE(on.greyEdges);
    EXPECT_TRUE(off.greyEdges);
    EXPECT_GT(on.greyPixels, 30 * kFrameHeight / 2);
    EXPECT_GT(off.greyPixels, 30 * kFrameHeight / 2);
    EXPECT_GT(on.yellowPixels, 10);  // yellow lettering
    EXPECT_EQ(on.lightGreyPixels, 0);
    EXPECT_GT(off.lightGreyPixels, 10);  // light grey lettering
    EXPECT_EQ(off.yellowPixels, 0);
    // OFF has a letter more than ON.
    EXPECT_GT(30 * kFrameHeight - off.greyPixels, 30 * kFrameHeight - on.greyPixels);
}

constexpr int kDigitHeight = 19;

// Ten seven-segment cells in three colours; each digit distinct, and every
// segment lit in 8 (so no digit lights a pixel 8 leaves dark).
TEST(ArtworkTest, DigitStripHoldsTenDistinctDigits) {
    const PixelBuffer strip = decoded(kDigitsBitmapId);
    ASSERT_EQ(strip.height(), 10 * kDigitHeight);
    const Pixel black = pixelOf(0, 0, 0);
    std::set<Pixel> colours;
    std::vector<std::vector<bool>> lit(10);
    for (int digit = 0; digit < 10; ++digit) {
        for (int y = 0; y < kDigitHeight; ++y) {
            for (int x = 0; x < strip.width(); ++x) {
                const Pixel pixel = strip.at(x, digit * kDigitHeight + y);
                colours.insert(pixel);
                lit[static_cast<std::size_t>(digit)].push_back(redOf(pixel) > 200);
            }
        }
    }
    ASSERT_EQ(colours.size(), 3u);
    EXPECT_EQ(*colours.begin(), black);
    for (Pixel colour : colours) EXPECT_EQ(greenOf(colour), blueOf(colour));  // reds on black only
    EXPECT_EQ(std::set<std::vector<bool>>(lit.begin(), lit.end()).size(), 10u);
    for (std::size_t digit = 0; digit < 10; ++digit) {
        for (std::size_t i = 0; i < lit[digit].size(); ++i) {
            EXPECT_TRUE(!lit[digit][i] || lit[8][i]) << "digit " << digit << " pixel " << i;
        }
    }
}

bool isPanelGreen(Pixel pixel) { return greenOf(pixel) > redOf(pixel) + 20 && greenOf(pixel) > blueOf(pixel) + 20; }

// The green panel ends above the row of the Random button and its labels.
TEST(ArtworkTest, BackgroundRowOfTheButtonIsOffThePanel) {
    const PixelBuffer background = decoded(kBackgroundBitmapId);
    ASSERT_EQ(background.height(), 355);
    for (int y = 336; y < background.height(); ++y) {
        for (int x = 0; x < background.width(); ++x) {
            EXPECT_FALSE(isPanelGreen(background.at(x, y))) << x << "," << y;
        }
    }
    EXPECT_TRUE(isPanelGreen(background.at(110, 150)));  // between the first two sliders
}

// Labels are painted under each read-out box, centred on it.
TEST(ArtworkTest, LabelsSitCentredUnderEachReadout) {
    const PixelBuffer background = decoded(kBackgroundBitmapId);
    ASSERT_FALSE(background.empty());
    for (int left : {60, 136, 212, 288}) {
        const int right = left + 32;
        int inkLeft = INT_MAX;
        int inkRight = INT_MIN;
        for (int y = 266; y < 300; ++y) {
            for (int x = left - 20; x < right + 20; ++x) {
                const Pixel pixel = background.at(x, y);
                if (redOf(pixel) + greenOf(pixel) + blueOf(pixel) < 180) {
                    inkLeft = std::min(inkLeft, x);
                    inkRight = std::max(inkRight, x + 1);
                }
            }
        }
        ASSERT_LT(inkLeft, inkRight) << "no label under the read-out at " << left;
        EXPECT_NEAR(inkLeft + inkRight, left + right, 4) << "read-out at " << left;
    }
}

// Every bitmap of an id draws from one picture, decoded once, whichever
// threads ask first; what it holds is what the resource says.
TEST(DecodedBitmaps, OnePictureServesEveryBitmapOfAnId) {
    const PixelBuffer* seen[4] = {};
    std::vector<std::thread> threads;
    for (const PixelBuffer*& picture : seen)
        threads.emplace_back([&picture] { picture = &CBitmap(kBackgroundBitmapId).getPixels(); });
    for (std::thread& thread : threads) thread.join();
    for (const PixelBuffer* picture : seen) EXPECT_EQ(picture, seen[0]);
    EXPECT_EQ(decodedBitmapResource(kBackgroundBitmapId), seen[0]);
    EXPECT_TRUE(*seen[0] == decoded(kBackgroundBitmapId));
}

TEST(DecodedBitmaps, UnknownIdsGiveAnEmptyBitmap) {
    for (long id : {0L, 6L, -1L, 15L, 16L, 100000L, LONG_MAX, LONG_MIN}) {
        const CBitmap bitmap(id);
        EXPECT_FALSE(bitmap.isLoaded()) << id;
        EXPECT_EQ(bitmap.getWidth(), 0) << id;
    }
}

}  // namespace
