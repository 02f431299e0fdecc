// The gains of the gate's ramps for one Depth, computed when Depth moves and
// read as runs of consecutive counts, rising (the closing ramp) or falling
// (the opening ramp), so a ramp is a product of two arrays.
#pragma once

#include <cstdint>
#include <cstring>

#include "host/aeffect.h"

// Ramp length in samples: the opening counter's restart value.
constexpr VstInt32 kRampLength = 20;
// Gain step per ramp sample, 1/20 rounded to float (slightly above 0.05).
constexpr float kRampStep = static_cast<float>(1.0 / kRampLength);
// The closing ramp runs while at most this many samples of the phase are
// left. A number of its own, not the ramp length.
constexpr VstInt32 kClosingThreshold = 20;

// Ramp gain for counter value count: depth at count 20 (a hair below),
// rising by (1 - depth) / 20 per step as the counter falls. Double, then
// rounded to float before it multiplies the sample.
inline float rampGain(float depth, VstInt32 count) {
    const double d = depth;
    return static_cast<float>(d + (1.0 - static_cast<double>(kRampStep) * count) * (1.0 - d));
}

class RampGains {
public:
    // The highest count a ramp reads: the opening counter starts at 20; the
    // closing one starts at 1 and its second output reads one step ahead
    // through at most 21 samples (those with 20 down to 0 samples left).
    static constexpr VstInt32 kHighestCount = kClosingThreshold + 2;

    // Makes the table hold the gains of depth (compared bit for bit, so a
    // NaN depth is computed once too).
    void prepare(float depth) {
        std::uint32_t bits = 0;
        std::memcpy(&bits, &depth, sizeof bits);
        if (valid_ && bits == depthBits_) return;
        for (VstInt32 count = 0; count <= kHighestCount; ++count) {
            const float gain = rampGain(depth, count);
            rising_[count] = gain;
            falling_[kHighestCount - count] = gain;
        }
        depthBits_ = bits;
        valid_ = true;
    }

    // Gains of count, count + 1, ... up to kHighestCount.
    const float* rising(VstInt32 count) const { return rising_ + count; }
    // Gains of count, count - 1, ... down to 0.
    const float* falling(VstInt32 count) const { return falling_ + (kHighestCount - count); }

private:
    float rising_[kHighestCount + 1] = {};
    float falling_[kHighestCount + 1] = {};
    std::uint32_t depthBits_ = 0;
    bool valid_ = false;
};
