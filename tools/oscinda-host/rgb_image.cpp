#include "tools/oscinda-host/rgb_image.h"

#include <png.h>

#include <unistd.h>
#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>

#include "tools/oscinda-host/tool_error.h"

namespace {

// libpng's own handlers print; the tool reports one line of its own.
void onPngError(png_structp png, png_const_charp /*message*/) { png_longjmp(png, 1); }
void onPngWarning(png_structp /*png*/, png_const_charp /*message*/) {}

// libpng reports errors by longjmp back here; nothing with a destructor may
// live between the setjmp and the calls that can fail.
bool encode(std::FILE* file, const RgbImage& image, png_bytep* rows) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, onPngError, onPngWarning);
    if (png == nullptr) return false;
    png_infop info = png_create_info_struct(png);
    if (info == nullptr) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png)) != 0) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(image.width), static_cast<png_uint_32>(image.height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_write_image(png, rows);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

void writePng(int descriptor, const RgbImage& image, const std::string& name) {
    std::FILE* file = fdopen(descriptor, "wb");
    if (file == nullptr) {
        close(descriptor);
        throw ToolError("cannot write '" + name + "': " + std::strerror(errno));
    }
    std::vector<png_bytep> rows(static_cast<std::size_t>(image.height));
    for (int y = 0; y < image.height; ++y)
        rows[static_cast<std::size_t>(y)] = const_cast<png_bytep>(image.rgb.data()) +
                                            static_cast<std::size_t>(y) * static_cast<std::size_t>(image.width) * 3;
    const bool encoded = image.width > 0 && image.height > 0 && encode(file, image, rows.data());
    const bool flushed = std::fflush(file) == 0 && std::ferror(file) == 0;
    const int error = errno;
    const bool closed = std::fclose(file) == 0;
    if (!encoded || !flushed || !closed)
        throw ToolError("cannot write '" + name + "': " + (encoded ? std::strerror(error) : "PNG encoding failed"));
}
