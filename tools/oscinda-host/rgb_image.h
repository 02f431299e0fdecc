// A picture as three bytes a pixel (red, green, blue), rows top to bottom.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;
};

// Writes `image` as PNG to `descriptor` (taken over and closed); `name` is
// the file's name for messages. Throws ToolError when writing fails.
void writePng(int descriptor, const RgbImage& image, const std::string& name);
