// Composes the editor as a user first sees it, from the module's own
// bitmaps: the background, the four grooves with handles at a few
// positions, the read-out boxes and the Random button; writes it as a PNG.
//
//   artwork_preview <picture.png> [on|off]
#include <stb/stb_image_write.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "gui/bitmap_resources.h"
#include "gui/dib_decoder.h"

namespace {

constexpr int kGrooveLefts[] = {65, 141, 217, 293};
constexpr int kGrooveTop = 75;
constexpr int kHandleHighest = 75;  // the handle's top edge at value 1
constexpr int kHandleLowest = 222;  // and at value 0
constexpr float kShownValues[] = {1.0f, 0.7f, 0.35f, 0.0f};
constexpr CRect kReadouts[] = {{60, 250, 92, 264}, {136, 250, 168, 264}, {212, 250, 244, 264}, {288, 250, 320, 264}};
constexpr CPoint kButtonAt{288, 338};
constexpr int kButtonFrameHeight = 15;
constexpr Pixel kReadoutBox = pixelOf(51, 51, 51);
constexpr Pixel kColourKey = pixelOf(255, 255, 255);

bool load(int id, PixelBuffer& picture) {
    const ResourceBytes bytes = findBitmapResource(id);
    if (decodeDib(bytes.data, bytes.size, picture)) return true;
    std::fprintf(stderr, "artwork_preview: bitmap %d is missing or unreadable\n", id);
    return false;
}

// Copies source rows [sourceTop, sourceTop + height) to target at `at`,
// clipped to the target; with keyed, pure white pixels are left out.
void draw(PixelBuffer& target, const PixelBuffer& source, CPoint at, int sourceTop, int height, bool keyed) {
    for (int y = 0; y < height; ++y) {
        const int targetY = at.v + y;
        if (targetY < 0 || targetY >= target.height() || sourceTop + y >= source.height()) continue;
        for (int x = 0; x < source.width(); ++x) {
            const int targetX = at.h + x;
            if (targetX < 0 || targetX >= target.width()) continue;
            const Pixel pixel = source.at(x, sourceTop + y);
            if (!keyed || pixel != kColourKey) target.at(targetX, targetY) = pixel;
        }
    }
}

void fill(PixelBuffer& target, const CRect& box, Pixel colour) {
    for (CCoord y = box.top; y < box.bottom; ++y) {
        for (CCoord x = box.left; x < box.right; ++x) target.at(x, y) = colour;
    }
}

bool writePng(const PixelBuffer& picture, const char* path) {
    std::vector<unsigned char> rgb;
    rgb.reserve(static_cast<std::size_t>(picture.width()) * static_cast<std::size_t>(picture.height()) * 3);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const Pixel pixel = picture.at(x, y);
            rgb.insert(rgb.end(), {redOf(pixel), greenOf(pixel), blueOf(pixel)});
        }
    }
    return stbi_write_png(path, picture.width(), picture.height(), 3, rgb.data(), picture.width() * 3) != 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3 || (argc == 3 && std::strcmp(argv[2], "on") != 0 && std::strcmp(argv[2], "off") != 0)) {
        std::fprintf(stderr, "usage: artwork_preview <picture.png> [on|off]\n");
        return 2;
    }
    const bool randomOn = argc < 3 || std::strcmp(argv[2], "on") == 0;

    PixelBuffer editor, groove, handle, button;
    if (!load(kBackgroundBitmapId, editor) || !load(kGrooveBitmapId, groove) || !load(kHandleBitmapId, handle) ||
        !load(kOnOffBitmapId, button)) {
        return 1;
    }

    for (int slider = 0; slider < 4; ++slider) {
        const int left = kGrooveLefts[slider];
        draw(editor, groove, CPoint(left, kGrooveTop), 0, groove.height(), false);
        const float value = kShownValues[slider];
        const int top = kHandleLowest - static_cast<int>(value * (kHandleLowest - kHandleHighest) + 0.5f);
        draw(editor, handle, CPoint(left + 1, top), 0, handle.height(), true);
        fill(editor, kReadouts[slider], kReadoutBox);
    }
    draw(editor, button, kButtonAt, randomOn ? 0 : kButtonFrameHeight, kButtonFrameHeight, false);

    if (!writePng(editor, argv[1])) {
        std::fprintf(stderr, "artwork_preview: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
