#include "editor/readout_converters.h"

#include <cstdio>
#include <limits>

#include "host/saturating_cast.h"
#include "host/value_text.h"

namespace {

// The read-outs' buffers hold far more; these are the texts' own lengths.
constexpr VstInt32 kSpeedChars = 5;
constexpr VstInt32 kChangeTimeChars = 4;
constexpr int kDepthBufferSize = 12;  // "-2147483648" and the terminator

}  // namespace

void depthToText(float value, char* text) {
    if (text == nullptr) return;
    // Truncated, not rounded: Depth 0.07 (just over 0.07 as a float) is 92.
    const VstInt32 percent = truncateToInt32(100.0 - 100.0 * static_cast<double>(value));
    std::snprintf(text, kDepthBufferSize, "%d", static_cast<int>(percent));
}

void speedToText(float value, char* text) {
    if (text == nullptr) return;
    // 1 / 0 is infinite, which the number text shows as its overflow text.
    const float rate =
        value == 0.0f ? std::numeric_limits<float>::infinity() : static_cast<float>(1.0 / static_cast<double>(value));
    floatToText(rate, text, kSpeedChars);
}

void changeTimeToText(float value, char* text) {
    if (text == nullptr) return;
    const auto seconds = static_cast<float>((1.0 - static_cast<double>(value)) * 15.0 + 0.1);
    floatToText(seconds, text, kChangeTimeChars);
}
