// The one conversion from a gate period to a phase length, shared by the
// gate (which counts the phase down) and the sweep (which adds it to its
// position), so the two always agree.
#pragma once

#include <cstdint>

#include "host/saturating_cast.h"

// Half of trunc(sampleRate * period) in samples, rounded toward zero.
// Saturates where a plain conversion would be undefined (NaN, infinities,
// huge periods or rates) and never goes below 0: a phase of length 0 or 1
// already lasts exactly one sample, and a negative one would move the sweep
// backwards.
inline std::int32_t halfPeriodSamples(float sampleRate, float period) {
    const std::int32_t samples = truncateToInt32(static_cast<double>(sampleRate) * static_cast<double>(period));
    const std::int32_t half = samples / 2;
    return half > 0 ? half : 0;
}

// A change length in samples, kept at least one sample so the sweep's step
// (a division by it) stays defined whatever the rate or change time.
inline std::int32_t atLeastOneSample(std::int32_t samples) { return samples > 1 ? samples : 1; }
