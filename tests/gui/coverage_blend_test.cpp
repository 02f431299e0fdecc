// Laying a colour over a pixel by coverage, checked over every input.
#include <cstdint>
#include <cstdlib>

#include <gtest/gtest.h>

#include "gui/coverage_blend.h"

namespace {

// All 2^24 combinations: the ends are exact, the result stays between the
// two colours, moves towards the colour above as coverage grows, and is the
// nearest integer to the exact mix.
TEST(CoverageBlend, EveryChannelValueAndCoverage) {
    int faults = 0;
    for (int below = 0; below < 256 && faults < 10; ++below) {
        for (int above = 0; above < 256 && faults < 10; ++above) {
            int previous = below;
            for (int coverage = 0; coverage < 256; ++coverage) {
                const int mixed = blendChannel(static_cast<std::uint8_t>(below), static_cast<std::uint8_t>(above),
                                               static_cast<std::uint8_t>(coverage));
                const int exactTimes255 = below * (255 - coverage) + above * coverage;
                const bool nearest = std::abs(mixed * 255 - exactTimes255) <= 127;
                const bool monotonic = above >= below ? mixed >= previous : mixed <= previous;
                if (!nearest || !monotonic) {
                    ADD_FAILURE() << "below " << below << ", above " << above << ", coverage " << coverage << " gives "
                                  << mixed;
                    ++faults;
                }
                previous = mixed;
            }
            EXPECT_EQ(blendChannel(static_cast<std::uint8_t>(below), static_cast<std::uint8_t>(above), 0), below);
            EXPECT_EQ(blendChannel(static_cast<std::uint8_t>(below), static_cast<std::uint8_t>(above), 255), above);
        }
    }
}

TEST(CoverageBlend, ChannelsMixApartAndTheResultIsOpaque) {
    const Pixel below = 0x00102030u;  // fourth byte clear, as a pixel never drawn
    const Pixel above = pixelOf(250, 20, 0);
    EXPECT_EQ(blendPixel(below, above, 255), above);
    EXPECT_EQ(blendPixel(below, above, 0), pixelOf(0x10, 0x20, 0x30));
    EXPECT_EQ(blendPixel(below, above, 128), pixelOf(133, 26, 24));
}

}  // namespace
