// Laying a colour over a pixel with 8-bit coverage, in integers only, so
// every target computes the same bits. Coverage 255 gives the colour exactly
// and coverage 0 the pixel exactly; between them each channel is rounded to
// the nearest value.
#pragma once

#include <cstdint>

#include "gui/ccolor.h"

constexpr std::uint8_t blendChannel(std::uint8_t below, std::uint8_t above, std::uint8_t coverage) {
    const unsigned mixed = below * (255u - coverage) + above * unsigned{coverage};
    return static_cast<std::uint8_t>((mixed + 127u) / 255u);
}

// The result is opaque whatever the fourth byte below was.
constexpr Pixel blendPixel(Pixel below, Pixel above, std::uint8_t coverage) {
    return pixelOf(blendChannel(redOf(below), redOf(above), coverage),
                   blendChannel(greenOf(below), greenOf(above), coverage),
                   blendChannel(blueOf(below), blueOf(above), coverage));
}
