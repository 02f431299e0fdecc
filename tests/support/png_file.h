// Pixel buffers to and from PNG files, for reference pictures and for
// looking at what a test drew.
#pragma once

#include <string>

#include "gui/pixel_buffer.h"

bool writePng(const std::string& path, const PixelBuffer& pixels);
// Fills pixels (opaque, 0xFFRRGGBB) from an RGB or RGBA file; false when the
// file cannot be read.
bool readPng(const std::string& path, PixelBuffer& pixels);
