// The input signal of one processed block, as the fuzz input describes it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "fuzz/host_operation.h"

struct BlockSignal {
    SignalShape shape = SignalShape::kSilence;
    float amplitude = 0.0f;
    std::uint8_t seed = 0;
    float special = 0.0f;      // the one sample kSpecial puts in the noise
    std::size_t position = 0;  // where the impulse or the special sample goes

    // Fills samples (already sized to the block) with this signal.
    void fill(std::vector<float>& samples) const {
        std::uint32_t state = 0x9E3779B9u ^ seed;
        for (float& sample : samples) {
            switch (shape) {
            case SignalShape::kSilence:
            case SignalShape::kImpulse: sample = 0.0f; break;
            case SignalShape::kConstant: sample = amplitude; break;
            case SignalShape::kNoise:
            case SignalShape::kSpecial: {
                // xorshift32: uniform in [-1, 1) at 24-bit resolution.
                state ^= state << 13;
                state ^= state >> 17;
                state ^= state << 5;
                const float unit = static_cast<float>(state >> 8) / 8388608.0f - 1.0f;
                sample = unit * amplitude;
                break;
            }
            }
        }
        if (samples.empty()) return;
        if (shape == SignalShape::kImpulse) samples[position % samples.size()] = amplitude;
        if (shape == SignalShape::kSpecial) samples[position % samples.size()] = special;
    }
};
