// The gate's per-sample loop as the effect ran it before it worked a run at a
// time: every sample walks the rules on its own. Kept as the reference the
// effect's loop must match bit for bit; it runs on an effect's own gate state
// and phase change (and so on its own sweep) through the probe.
#pragma once

#include "engine/adelay.h"
#include "tests/engine/adelay_probe.h"

namespace reference_gate {

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

inline void processReplacing(ADelay& effect, float** inputs, float** outputs, VstInt32 sampleFrames) {
    ADelayProbe probe(effect);
    ADelayProbe::GateState state = probe.gateState();
    bool& closedPhase = state.closedPhase;
    VstInt32& halfPeriodLeft = state.halfPeriodLeft;
    VstInt32& rampUpCount = state.rampUpCount;
    VstInt32& rampDownCount = state.rampDownCount;

    if (sampleFrames <= 0) return;
    if (inputs == nullptr || outputs == nullptr || inputs[0] == nullptr || outputs[0] == nullptr ||
        outputs[1] == nullptr)
        return;
    // Not restrict: the host may hand the same buffer in and out, and the
    // second output then sees what the first stored.
    const float* in = inputs[0];
    float* first = outputs[0];
    float* second = outputs[1];

    for (VstInt32 i = 0; i < sampleFrames; ++i) {
        const float gateDepth = probe.depth();
        if (closedPhase) {
            // depth * x in float equals the double product rounded to float:
            // the exact product of two floats fits in a double.
            const float closedValue = gateDepth * in[i];
            second[i] = closedValue;
            first[i] = closedValue;
            if (halfPeriodLeft <= 0) probe.beginPhase(false);
        } else {
            if (rampUpCount >= 2) {
                first[i] = rampGain(gateDepth, rampUpCount) * in[i];
                --rampUpCount;
            } else if (halfPeriodLeft > kClosingThreshold) {
                first[i] = in[i];
            } else {
                first[i] = rampGain(gateDepth, rampDownCount) * in[i];
                ++rampDownCount;
            }
            // Same choice with the counters as just left: one ramp step ahead.
            if (rampUpCount >= 2)
                second[i] = rampGain(gateDepth, rampUpCount) * in[i];
            else if (halfPeriodLeft > kClosingThreshold)
                second[i] = in[i];
            else
                second[i] = rampGain(gateDepth, rampDownCount) * in[i];
            if (halfPeriodLeft <= 0) probe.beginPhase(true);
        }
        --halfPeriodLeft;
    }
}

}  // namespace reference_gate
