#include "tests/support/png_file.h"

#include <vector>

#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image.h>
#include <stb/stb_image_write.h>

bool writePng(const std::string& path, const PixelBuffer& pixels) {
    std::vector<unsigned char> rgb;
    rgb.reserve(static_cast<std::size_t>(pixels.width()) * static_cast<std::size_t>(pixels.height()) * 3);
    for (int y = 0; y < pixels.height(); ++y)
        for (int x = 0; x < pixels.width(); ++x) {
            const Pixel pixel = pixels.at(x, y);
            rgb.insert(rgb.end(), {redOf(pixel), greenOf(pixel), blueOf(pixel)});
        }
    return stbi_write_png(path.c_str(), pixels.width(), pixels.height(), 3, rgb.data(), pixels.width() * 3) != 0;
}

bool readPng(const std::string& path, PixelBuffer& pixels) {
    int width = 0, height = 0, channels = 0;
    unsigned char* data = stbi_load(path.c_str(), &width, &height, &channels, 3);
    if (data == nullptr) return false;
    pixels = PixelBuffer(width, height);
    const unsigned char* from = data;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x, from += 3) pixels.at(x, y) = pixelOf(from[0], from[1], from[2]);
    stbi_image_free(data);
    return true;
}
