#include "tests/windows/window_capture.h"

#include <cstdio>

namespace {

// A memory device context over a 32-bit top-down DIB section of the
// window's client size, filled with kUnpaintedPixel.
class CaptureSurface {
public:
    explicit CaptureSurface(HWND window) {
        RECT client{};
        GetClientRect(window, &client);
        width = client.right - client.left;
        height = client.bottom - client.top;
        if (width <= 0 || height <= 0) return;
        BITMAPINFO format{};
        format.bmiHeader.biSize = sizeof format.bmiHeader;
        format.bmiHeader.biWidth = width;
        format.bmiHeader.biHeight = -height;
        format.bmiHeader.biPlanes = 1;
        format.bmiHeader.biBitCount = 32;
        format.bmiHeader.biCompression = BI_RGB;
        dc = CreateCompatibleDC(nullptr);
        section = CreateDIBSection(dc, &format, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
        if (section == nullptr) return;
        previous = SelectObject(dc, section);
        for (int i = 0; i < width * height; ++i) bits[i] = kUnpaintedPixel;
    }
    ~CaptureSurface() {
        if (previous != nullptr) SelectObject(dc, previous);
        if (section != nullptr) DeleteObject(section);
        if (dc != nullptr) DeleteDC(dc);
    }
    CaptureSurface(const CaptureSurface&) = delete;
    CaptureSurface& operator=(const CaptureSurface&) = delete;

    bool ready() const { return section != nullptr; }
    HDC context() const { return dc; }

    WindowCapture pixels() const {
        WindowCapture capture;
        if (!ready()) return capture;
        GdiFlush();
        capture.width = width;
        capture.height = height;
        // The fourth byte of a 32-bit DIB means nothing: pixels are opaque.
        for (int i = 0; i < width * height; ++i) capture.pixels.push_back(0xFF000000u | (bits[i] & 0xFFFFFFu));
        return capture;
    }

    int width = 0;
    int height = 0;

private:
    HDC dc = nullptr;
    HBITMAP section = nullptr;
    HGDIOBJ previous = nullptr;
    std::uint32_t* bits = nullptr;
};

void putLittleEndian(std::FILE* file, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) std::fputc(static_cast<int>((value >> (8 * i)) & 0xFFu), file);
}

}  // namespace

int WindowCapture::differingPixels(const WindowCapture& other) const {
    if (width != other.width || height != other.height) return width * height;
    int differing = 0;
    for (std::size_t i = 0; i < pixels.size(); ++i) differing += pixels[i] != other.pixels[i];
    return differing;
}

WindowCapture capturePrinted(HWND window) {
    CaptureSurface surface(window);
    if (!surface.ready()) return {};
    if (!PrintWindow(window, surface.context(), PW_CLIENTONLY)) return {};
    return surface.pixels();
}

WindowCapture captureShown(HWND window) {
    CaptureSurface surface(window);
    if (!surface.ready()) return {};
    HDC shown = GetDC(window);
    const BOOL copied = BitBlt(surface.context(), 0, 0, surface.width, surface.height, shown, 0, 0, SRCCOPY);
    ReleaseDC(window, shown);
    return copied ? surface.pixels() : WindowCapture{};
}

bool writeBmp(const std::string& path, const WindowCapture& capture) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    const auto pixelBytes = static_cast<std::uint32_t>(capture.pixels.size() * 4);
    std::fputs("BM", file);
    putLittleEndian(file, 14 + 40 + pixelBytes, 4);
    putLittleEndian(file, 0, 4);
    putLittleEndian(file, 14 + 40, 4);
    putLittleEndian(file, 40, 4);
    putLittleEndian(file, static_cast<std::uint32_t>(capture.width), 4);
    putLittleEndian(file, static_cast<std::uint32_t>(-capture.height), 4);  // top-down
    putLittleEndian(file, 1, 2);
    putLittleEndian(file, 32, 2);
    putLittleEndian(file, 0, 4);  // BI_RGB
    putLittleEndian(file, pixelBytes, 4);
    putLittleEndian(file, 2835, 4);  // 72 dpi
    putLittleEndian(file, 2835, 4);
    putLittleEndian(file, 0, 4);
    putLittleEndian(file, 0, 4);
    for (std::uint32_t pixel : capture.pixels) putLittleEndian(file, pixel, 4);
    const bool written = std::ferror(file) == 0;
    return std::fclose(file) == 0 && written;
}
