// What a validator demands of the audio: finite output for finite input.
// This effect promises more, and the suite holds it to that: while Depth
// lies in [0, 1] every gain lies in [-0.1, 1], so no output sample is larger
// in magnitude than the input sample it came from.
#pragma once

#include <cmath>
#include <cstddef>
#include <string>
#include <vector>

// Empty when every output sample of block [begin, begin + count) is finite
// and no larger than its input sample; otherwise what went wrong where.
inline std::string gateBoundBroken(const std::vector<float>& input, const std::vector<float>& output, std::size_t begin,
                                   std::size_t count) {
    for (std::size_t i = begin; i < begin + count; ++i) {
        if (!std::isfinite(output[i]) || std::fabs(output[i]) > std::fabs(input[i]))
            return "sample " + std::to_string(i) + ": input " + std::to_string(input[i]) + ", output " +
                   std::to_string(output[i]);
    }
    return std::string();
}

inline std::vector<float> validatorNoise(std::size_t count, unsigned seed) {
    std::vector<float> samples(count);
    unsigned state = seed * 2654435761u + 1u;
    for (float& sample : samples) {
        state = state * 1664525u + 1013904223u;
        sample = static_cast<float>(state >> 8) / 8388608.0f - 1.0f;
    }
    return samples;
}
