#include "tests/tools/png_file.h"

#include <png.h>

#include <stdexcept>

PngPicture readPng(const std::string& path) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file(&image, path.c_str()) == 0)
        throw std::runtime_error("cannot read PNG " + path + ": " + image.message);
    image.format = PNG_FORMAT_RGB;
    std::vector<png_byte> rgb(PNG_IMAGE_SIZE(image));
    if (png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr) == 0)
        throw std::runtime_error("cannot decode PNG " + path + ": " + image.message);
    PngPicture picture;
    picture.width = static_cast<int>(image.width);
    picture.height = static_cast<int>(image.height);
    for (std::size_t i = 0; i + 2 < rgb.size(); i += 3)
        picture.pixels.push_back(static_cast<std::uint32_t>(rgb[i]) << 16 |
                                 static_cast<std::uint32_t>(rgb[i + 1]) << 8 | rgb[i + 2]);
    return picture;
}
