// Windows captures of the editor next to the Linux render: compares a
// capture with a reference picture, and writes a capture as PNG to look at.
//
//   editor_capture compare REFERENCE.png CAPTURE.bmp OUTPUT.png
//   editor_capture png CAPTURE.bmp OUTPUT.png
//
// compare exits with 0 when every pixel is the same, 1 (one line saying how
// many differ and where the first is) otherwise, and writes the capture to
// OUTPUT.png in both cases. Any file that cannot be read or written: 2.
#include <cstdio>
#include <cstring>
#include <string>

#include "tests/support/png_file.h"

namespace {

// stb_image, behind readPng, reads BMP files as well.
bool readPicture(const char* path, PixelBuffer& pixels) {
    if (readPng(path, pixels)) return true;
    std::fprintf(stderr, "editor_capture: cannot read %s\n", path);
    return false;
}

bool writePicture(const char* path, const PixelBuffer& pixels) {
    if (writePng(path, pixels)) return true;
    std::fprintf(stderr, "editor_capture: cannot write %s\n", path);
    return false;
}

int compare(const char* referencePath, const char* capturePath, const char* outputPath) {
    PixelBuffer reference, capture;
    if (!readPicture(referencePath, reference) || !readPicture(capturePath, capture)) return 2;
    if (!writePicture(outputPath, capture)) return 2;
    if (capture.width() != reference.width() || capture.height() != reference.height()) {
        std::printf("%s: %d x %d, the reference %d x %d\n", capturePath, capture.width(), capture.height(),
                    reference.width(), reference.height());
        return 1;
    }
    int differing = 0;
    int firstX = -1, firstY = -1;
    for (int y = 0; y < capture.height(); ++y)
        for (int x = 0; x < capture.width(); ++x) {
            if (capture.at(x, y) == reference.at(x, y)) continue;
            if (differing++ == 0) {
                firstX = x;
                firstY = y;
            }
        }
    if (differing == 0) {
        std::printf("%s: identical to %s (%d x %d)\n", capturePath, referencePath, capture.width(), capture.height());
        return 0;
    }
    std::printf("%s: %d pixels differ from %s, the first at (%d, %d): %06X, expected %06X\n", capturePath, differing,
                referencePath, firstX, firstY, capture.at(firstX, firstY) & 0xFFFFFFu,
                reference.at(firstX, firstY) & 0xFFFFFFu);
    return 1;
}

int convert(const char* capturePath, const char* outputPath) {
    PixelBuffer capture;
    if (!readPicture(capturePath, capture)) return 2;
    return writePicture(outputPath, capture) ? 0 : 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 5 && std::strcmp(argv[1], "compare") == 0) return compare(argv[2], argv[3], argv[4]);
    if (argc == 4 && std::strcmp(argv[1], "png") == 0) return convert(argv[2], argv[3]);
    std::fprintf(stderr,
                 "usage: editor_capture compare REFERENCE.png CAPTURE.bmp OUTPUT.png\n"
                 "       editor_capture png CAPTURE.bmp OUTPUT.png\n");
    return 2;
}
