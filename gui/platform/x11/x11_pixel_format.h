// How a TrueColor visual packs red, green and blue into one pixel value, and
// our 0xFFRRGGBB pixels turned into it.
#pragma once

#include "gui/ccolor.h"

class X11PixelFormat {
public:
    X11PixelFormat(unsigned long redMask, unsigned long greenMask, unsigned long blueMask);

    // Our pixels are already in this format: 8 bits each, red above green
    // above blue (the 24- and 32-bit visuals of every common server).
    bool isNative() const;
    // The visual's value for this colour: each 8-bit channel scaled to the
    // width of its mask, rounded to nearest.
    unsigned long valueOf(Pixel pixel) const;

private:
    struct Channel {
        int shift = 0;          // position of the mask's lowest bit
        unsigned long max = 0;  // the mask shifted down
    };
    static Channel channelOf(unsigned long mask);
    static unsigned long scaled(unsigned int value8, const Channel& channel);

    Channel red_, green_, blue_;
};
