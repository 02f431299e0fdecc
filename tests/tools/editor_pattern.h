// The picture the editor test plug-in paints: rectangles in painting order,
// the later on top. Shared by the plug-in and the tests that check its
// pixels, so both sides mean the same picture.
#pragma once

#include <cmath>
#include <cstdint>
#include <vector>

namespace editor_pattern {

constexpr int kWidth = 301;
constexpr int kHeight = 203;

struct Block {
    int x, y, width, height;
    std::uint32_t rgb;  // 0xRRGGBB
};

// `level` (0..1, the plug-in's parameter) sets the length of the bar.
inline std::vector<Block> blocks(float level) {
    std::vector<Block> result = {{0, 0, kWidth, kHeight, 0x204060}};
    const std::uint32_t bands[] = {0xff0000, 0x00ff00, 0x0000ff, 0xffffff, 0x000000, 0xffff00, 0x00ffff, 0xff00ff};
    constexpr int kBands = 8;
    for (int i = 0; i < kBands; ++i) {
        const int left = i * kWidth / kBands;
        const int right = (i + 1) * kWidth / kBands;
        result.push_back({left, 0, right - left, 40, bands[i]});
    }
    for (int cell = 0; cell < 15; ++cell)  // a row of small squares, one pixel apart
        result.push_back({10 + cell * 7, 60, 6, 6, cell % 2 == 0 ? 0x808080u : 0x123456u});
    const int bar = static_cast<int>(std::lround(static_cast<double>(level) * kWidth));
    if (bar > 0) result.push_back({0, 100, bar, 40, 0xf0c030});
    result.push_back({kWidth - 1, 0, 1, kHeight, 0xfe7f01});  // the last column: a clipped editor shows
    result.push_back({0, kHeight - 1, kWidth, 1, 0x01fe7f});  // and the last row
    return result;
}

inline std::uint32_t colourAt(const std::vector<Block>& picture, int x, int y) {
    std::uint32_t colour = 0;
    for (const Block& block : picture)
        if (x >= block.x && x < block.x + block.width && y >= block.y && y < block.y + block.height) colour = block.rgb;
    return colour;
}

}  // namespace editor_pattern
