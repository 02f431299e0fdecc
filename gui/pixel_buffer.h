// A rectangle of 32-bit pixels, rows top to bottom, no padding between rows:
// what every drawing routine writes and every platform puts on screen.
#pragma once

#include <cstddef>
#include <vector>

#include "gui/ccolor.h"
#include "gui/crect.h"

class PixelBuffer {
public:
    PixelBuffer() = default;
    PixelBuffer(int width, int height, Pixel fill = 0xFF000000u)
        : width_(width > 0 ? width : 0),
          height_(height > 0 ? height : 0),
          pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), fill) {}

    int width() const { return width_; }
    int height() const { return height_; }
    CRect bounds() const { return CRect(0, 0, width_, height_); }
    bool empty() const { return pixels_.empty(); }

    // Unchecked: callers clip to bounds() first.
    Pixel& at(int x, int y) { return pixels_[index(x, y)]; }
    Pixel at(int x, int y) const { return pixels_[index(x, y)]; }
    Pixel* row(int y) { return pixels_.data() + index(0, y); }
    const Pixel* row(int y) const { return pixels_.data() + index(0, y); }
    Pixel* data() { return pixels_.data(); }
    const Pixel* data() const { return pixels_.data(); }

    bool operator==(const PixelBuffer& other) const {
        return width_ == other.width_ && height_ == other.height_ && pixels_ == other.pixels_;
    }

private:
    std::size_t index(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x);
    }

    int width_ = 0;
    int height_ = 0;
    std::vector<Pixel> pixels_;
};
