// Helpers shared by the engine tests: audio runs, block splits and the
// gate's expected gains.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <random>
#include <vector>

#include "tests/support/plugin_host.h"

// Cuts a stream of total samples into blocks of 1..4096 samples, sizes drawn
// from seed, and hands each block's start and length to processBlock.
template <class ProcessBlock>
void inRandomBlocks(std::size_t total, unsigned seed, ProcessBlock processBlock) {
    std::mt19937 sizes(seed);
    std::uniform_int_distribution<std::size_t> blockSize(1, 4096);
    for (std::size_t begin = 0; begin < total;) {
        const std::size_t count = std::min(blockSize(sizes), total - begin);
        processBlock(begin, count);
        begin += count;
    }
}

inline std::vector<float> noise(std::size_t count, unsigned seed = 7) {
    std::mt19937 generator(seed);
    std::uniform_real_distribution<float> distribution(-1.0f, 1.0f);
    std::vector<float> samples(count);
    for (float& sample : samples) sample = distribution(generator);
    return samples;
}

// Lengths of the runs of exact zeros and of non-zero samples, in order. With
// Depth 0 and a constant non-zero input the closed phases are the zero runs
// (every ramp gain, even the one a hair below 0, is non-zero).
inline std::vector<std::size_t> runLengths(const std::vector<float>& output) {
    std::vector<std::size_t> runs;
    for (std::size_t i = 0; i < output.size(); ++i) {
        if (i == 0 || (output[i] == 0.0f) != (output[i - 1] == 0.0f))
            runs.push_back(1);
        else
            ++runs.back();
    }
    return runs;
}

// Ramp gain for counter c: depth + (1 - s c)(1 - depth) in double with
// s = 1/20 rounded to float, then rounded to float.
inline float expectedRampGain(float depth, int count) {
    const double step = static_cast<float>(1.0 / 20);
    return static_cast<float>(depth + (1.0 - step * count) * (1.0 - static_cast<double>(depth)));
}

// The gains of both outputs for every sample of a stream whose phases have
// the given lengths, the first one closed. Every listed phase is complete (a
// cut open phase would need its closing ramp), and open phases must be at
// least 41 samples long. A gain of exactly 1 means "the input itself".
struct GateGains {
    std::vector<float> first;
    std::vector<float> second;
    std::vector<bool> closed;
};

inline GateGains expectedGateGains(float depth, const std::vector<int>& phaseLengths) {
    GateGains gains;
    bool closed = true;
    for (int length : phaseLengths) {
        for (int k = 1; k <= length; ++k) {
            float first = 1.0f;
            float second = 1.0f;
            if (closed) {
                first = second = depth;
            } else if (k <= 18) {
                first = expectedRampGain(depth, 21 - k);
                second = expectedRampGain(depth, 20 - k);
            } else if (k == 19) {
                first = expectedRampGain(depth, 2);
            } else if (k >= length - 20) {
                first = expectedRampGain(depth, k - (length - 21));
                second = expectedRampGain(depth, k - (length - 22));
            }
            gains.first.push_back(first);
            gains.second.push_back(second);
            gains.closed.push_back(closed);
        }
        closed = !closed;
    }
    return gains;
}
