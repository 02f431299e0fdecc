#include "gui/platform/x11/x11_pixel_format.h"

X11PixelFormat::X11PixelFormat(unsigned long redMask, unsigned long greenMask, unsigned long blueMask)
    : red_(channelOf(redMask)), green_(channelOf(greenMask)), blue_(channelOf(blueMask)) {}

bool X11PixelFormat::isNative() const {
    return red_.shift == 16 && red_.max == 0xff && green_.shift == 8 && green_.max == 0xff && blue_.shift == 0 &&
           blue_.max == 0xff;
}

unsigned long X11PixelFormat::valueOf(Pixel pixel) const {
    return (scaled(redOf(pixel), red_) << red_.shift) | (scaled(greenOf(pixel), green_) << green_.shift) |
           (scaled(blueOf(pixel), blue_) << blue_.shift);
}

X11PixelFormat::Channel X11PixelFormat::channelOf(unsigned long mask) {
    Channel channel;
    if (mask == 0) return channel;
    while ((mask & 1ul) == 0) {
        mask >>= 1;
        ++channel.shift;
    }
    channel.max = mask;
    return channel;
}

unsigned long X11PixelFormat::scaled(unsigned int value8, const Channel& channel) {
    return (value8 * channel.max + 127ul) / 255ul;
}
