// When the fuzz target holds the plug-in's output to account.
//
// Every gain the gate applies is Depth itself or a ramp value between
// Depth - 0.1 (1 - Depth) and 1, so for Depth in [0, 1] each gain lies in
// [-0.1, 1]. The speeds, Change Rate, Random, the sample rate and the block
// size decide only when the gate switches, never a gain. Hence the rule:
//
//   the input block is all finite and Depth, as getParameter reports it just
//   before processReplacing, lies in [0, 1]
//   => every sample of both outputs is finite, and none is larger in
//      magnitude than the largest input sample.
//
// No other condition: any sample rate (NaN, infinite, zero, negative), any
// block size setting, any speeds and any program. Outside the rule (a
// non-finite input sample, Depth NaN or outside [0, 1]) the output may be
// anything but the call must still be safe.
#pragma once

#include <cstddef>

struct OutputRule {
    // Taken before the call: whether the rule applies, and the bound.
    static OutputRule before(const float* input, std::size_t frames, float depth);

    // Fails the run when an output sample breaks the rule.
    void check(const float* output, std::size_t frames, const char* which) const;

    bool applies = false;
    float largestInput = 0.0f;
};
