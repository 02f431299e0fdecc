#include "gui/dib_decoder.h"

#include <cstdint>
#include <utility>

namespace {

constexpr std::size_t kInfoHeaderSize = 40;  // BITMAPINFOHEADER; later versions only add fields after it
constexpr std::uint32_t kBiRgb = 0;

std::uint16_t readU16(const unsigned char* at) { return static_cast<std::uint16_t>(at[0] | (at[1] << 8)); }

std::uint32_t readU32(const unsigned char* at) {
    return static_cast<std::uint32_t>(at[0]) | (static_cast<std::uint32_t>(at[1]) << 8) |
           (static_cast<std::uint32_t>(at[2]) << 16) | (static_cast<std::uint32_t>(at[3]) << 24);
}

std::int32_t readS32(const unsigned char* at) {
    // Two's complement without relying on an implementation-defined cast.
    const std::uint32_t raw = readU32(at);
    return raw < 0x80000000u ? static_cast<std::int32_t>(raw) : -static_cast<std::int32_t>(~raw) - 1;
}

struct DibLayout {
    int width = 0;
    int height = 0;
    bool topDown = false;
    unsigned bitCount = 0;
    std::size_t paletteOffset = 0;
    std::size_t paletteEntries = 0;
    std::size_t pixelOffset = 0;
    std::size_t stride = 0;
};

bool readLayout(const unsigned char* data, std::size_t size, DibLayout& layout) {
    if (data == nullptr || size < kInfoHeaderSize) return false;
    const std::uint32_t headerSize = readU32(data);
    if (headerSize < kInfoHeaderSize || headerSize > size) return false;

    const std::int32_t width = readS32(data + 4);
    const std::int32_t height = readS32(data + 8);
    if (width <= 0 || width > kMaxDibSide) return false;
    if (height == 0 || height < -kMaxDibSide || height > kMaxDibSide) return false;
    if (readU16(data + 12) != 1) return false;  // planes
    const unsigned bitCount = readU16(data + 14);
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24) return false;
    if (readU32(data + 16) != kBiRgb) return false;

    // A paletted picture has biClrUsed entries, or all 2^bits when it is 0;
    // a 24-bit one may still carry biClrUsed entries as a hint, skipped.
    const std::uint32_t coloursUsed = readU32(data + 32);
    std::size_t paletteEntries = coloursUsed;
    if (bitCount <= 8) {
        const std::size_t full = std::size_t{1} << bitCount;
        if (coloursUsed > full) return false;
        if (coloursUsed == 0) paletteEntries = full;
    } else if (coloursUsed > 256) {
        return false;
    }

    layout.width = width;
    layout.height = height < 0 ? -height : height;
    layout.topDown = height < 0;
    layout.bitCount = bitCount;
    layout.paletteOffset = headerSize;
    layout.paletteEntries = paletteEntries;
    layout.pixelOffset = layout.paletteOffset + paletteEntries * 4;
    // Every row starts on a 4-byte boundary.
    layout.stride = (static_cast<std::size_t>(width) * bitCount + 31) / 32 * 4;
    if (layout.pixelOffset > size) return false;
    return layout.stride * static_cast<std::size_t>(layout.height) <= size - layout.pixelOffset;
}

// The palette index of pixel x in a row of 1, 4 or 8 bits, most significant
// bits first.
unsigned paletteIndex(const unsigned char* row, int x, unsigned bitCount) {
    const std::size_t bit = static_cast<std::size_t>(x) * bitCount;
    const unsigned shift = 8u - bitCount - static_cast<unsigned>(bit % 8);
    return (row[bit / 8] >> shift) & ((1u << bitCount) - 1u);
}

}  // namespace

bool decodeDib(const unsigned char* data, std::size_t size, PixelBuffer& out) {
    DibLayout layout;
    if (!readLayout(data, size, layout)) return false;

    PixelBuffer picture(layout.width, layout.height);
    const unsigned char* palette = data + layout.paletteOffset;
    for (int y = 0; y < layout.height; ++y) {
        const int storedRow = layout.topDown ? y : layout.height - 1 - y;
        const unsigned char* source = data + layout.pixelOffset + static_cast<std::size_t>(storedRow) * layout.stride;
        Pixel* target = picture.row(y);
        for (int x = 0; x < layout.width; ++x) {
            const unsigned char* bgr = nullptr;
            if (layout.bitCount == 24) {
                bgr = source + static_cast<std::size_t>(x) * 3;
            } else {
                const unsigned index = paletteIndex(source, x, layout.bitCount);
                if (index >= layout.paletteEntries) return false;
                bgr = palette + static_cast<std::size_t>(index) * 4;
            }
            target[x] = pixelOf(bgr[2], bgr[1], bgr[0]);
        }
    }
    out = std::move(picture);
    return true;
}
