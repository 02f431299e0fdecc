// A window's client area as pixels (0xFFRRGGBB, rows top to bottom), taken
// two ways: as the window draws itself for PrintWindow (WM_PRINTCLIENT), and
// as the screen shows it (what its WM_PAINT put there).
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

struct WindowCapture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    bool operator==(const WindowCapture& other) const {
        return width == other.width && height == other.height && pixels == other.pixels;
    }
    bool operator!=(const WindowCapture& other) const { return !(*this == other); }
    // Pixels that differ; every pixel when the sizes differ.
    int differingPixels(const WindowCapture& other) const;
};

// Every pixel starts as kUnpaintedPixel, so a window that draws nothing is
// seen as such.
constexpr std::uint32_t kUnpaintedPixel = 0xFFFF00FFu;

WindowCapture capturePrinted(HWND window);
WindowCapture captureShown(HWND window);

// A 32-bit top-down BMP file; false when it cannot be written.
bool writeBmp(const std::string& path, const WindowCapture& capture);
