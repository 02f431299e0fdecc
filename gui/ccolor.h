// A colour as red, green, blue and a fourth byte that drawing ignores: every
// colour is drawn opaque.
#pragma once

#include <cstdint>

struct CColor {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    std::uint8_t alpha = 0;

    constexpr bool operator==(const CColor& other) const {
        return red == other.red && green == other.green && blue == other.blue;
    }
    constexpr bool operator!=(const CColor& other) const { return !(*this == other); }
};

// A 32-bit pixel as every pixel buffer holds it: 0xFFRRGGBB. In memory on a
// little-endian machine that is B, G, R, 0xFF, the layout of a Windows 32-bit
// DIB and of an X11 TrueColor image, so both show a buffer as it is.
using Pixel = std::uint32_t;

constexpr Pixel pixelOf(const CColor& colour) {
    return 0xFF000000u | (static_cast<Pixel>(colour.red) << 16) | (static_cast<Pixel>(colour.green) << 8) |
           static_cast<Pixel>(colour.blue);
}
constexpr Pixel pixelOf(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return pixelOf(CColor{red, green, blue, 0});
}
constexpr std::uint8_t redOf(Pixel pixel) { return static_cast<std::uint8_t>(pixel >> 16); }
constexpr std::uint8_t greenOf(Pixel pixel) { return static_cast<std::uint8_t>(pixel >> 8); }
constexpr std::uint8_t blueOf(Pixel pixel) { return static_cast<std::uint8_t>(pixel); }

constexpr CColor kWhiteCColor{255, 255, 255, 0};
constexpr CColor kBlackCColor{0, 0, 0, 0};
