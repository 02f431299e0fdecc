// Draws the editor's read-outs as the plug-in draws them, enlarged, into a
// PNG file for people to judge the glyph table by eye:
//
//     render_text_sample OUTPUT.png [SCALE]
//
// Top: read-outs as the editor shows them, in 32 x 14 boxes; below: every
// printable character.
#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "gui/pixel_buffer.h"
#include "gui/text_drawing.h"

namespace {

constexpr CColor kBackdrop{24, 24, 24, 0};
constexpr CColor kBoxColour{51, 51, 51, 0};
constexpr CColor kTextColour{204, 204, 204, 0};

void drawBox(PixelBuffer& picture, const CRect& box, const char* text) {
    CRect inside = box;
    inside.bound(picture.bounds());
    for (int y = inside.top; y < inside.bottom; ++y) {
        for (int x = inside.left; x < inside.right; ++x) picture.at(x, y) = pixelOf(kBoxColour);
    }
    drawCentredText(picture, box, text, kTextColour, kSmallFontGlyphs);
}

PixelBuffer samplePicture() {
    const char* const readOuts[] = {"100", "2.000", "20.00", "15.1", "7.59", "Huge!"};
    const char* const alphabet[] = {" !\"#$%&'()*+,-./0123456789:;<=>?", "@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_",
                                    "`abcdefghijklmnopqrstuvwxyz{|}~", "Depth Speed Change Rate 0.25 1.5 s"};
    constexpr int kMargin = 4;
    constexpr int kBoxWidth = 32;
    constexpr int kBoxHeight = 14;
    constexpr int kLineWidth = 240;
    PixelBuffer picture(kMargin + kLineWidth + kMargin, kMargin + 5 * (kBoxHeight + kMargin), pixelOf(kBackdrop));
    int x = kMargin;
    for (const char* text : readOuts) {
        drawBox(picture, CRect(x, kMargin, x + kBoxWidth, kMargin + kBoxHeight), text);
        x += kBoxWidth + kMargin;
    }
    int y = kMargin + kBoxHeight + kMargin;
    for (const char* text : alphabet) {
        drawBox(picture, CRect(kMargin, y, kMargin + kLineWidth, y + kBoxHeight), text);
        y += kBoxHeight + kMargin;
    }
    return picture;
}

bool writePng(const PixelBuffer& picture, int scale, const char* path) {
    FILE* file = std::fopen(path, "wb");
    if (file == nullptr) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    bool written = false;
    if (info != nullptr && setjmp(png_jmpbuf(png)) == 0) {
        const int width = picture.width() * scale;
        png_init_io(png, file);
        png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(picture.height() * scale), 8,
                     PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_write_info(png, info);
        std::vector<png_byte> row(static_cast<std::size_t>(width) * 3);
        for (int y = 0; y < picture.height() * scale; ++y) {
            for (int x = 0; x < width; ++x) {
                const Pixel pixel = picture.at(x / scale, y / scale);
                const std::size_t at = static_cast<std::size_t>(x) * 3;
                row[at] = redOf(pixel);
                row[at + 1] = greenOf(pixel);
                row[at + 2] = blueOf(pixel);
            }
            png_write_row(png, row.data());
        }
        png_write_end(png, nullptr);
        written = true;
    }
    png_destroy_write_struct(&png, &info);
    return std::fclose(file) == 0 && written;
}

}  // namespace

int main(int argc, char** argv) {
    const int scale = argc == 3 ? std::atoi(argv[2]) : 8;
    if (argc < 2 || argc > 3 || scale < 1 || scale > 32) {
        std::fprintf(stderr, "usage: render_text_sample OUTPUT.png [SCALE 1..32, default 8]\n");
        return 2;
    }
    if (!writePng(samplePicture(), scale, argv[1])) {
        std::fprintf(stderr, "render_text_sample: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
