// Reads a PNG file back as 0xRRGGBB pixels, for checking pictures the tool
// wrote.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct PngPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // rows top to bottom
    std::uint32_t at(int x, int y) const {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)];
    }
};

// Throws std::runtime_error if the file is no PNG.
PngPicture readPng(const std::string& path);
