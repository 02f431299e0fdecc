// The gate's run loops. The compiler vectorises them for the SSE2 every
// target has; on 64-bit Linux each also gets an AVX2 version, picked when the
// module loads on a processor that has it. Both compute the same IEEE products
// lane by lane (no fused multiply-add: -ffp-contract=off), so the bits do not
// depend on which one runs.
#include "engine/gate_runs.h"

#include <cstring>

// GCC only, and not under the sanitizers: their run-time starts after the
// version is picked.
#if defined(__x86_64__) && defined(__linux__) && !defined(__clang__) && !defined(__SANITIZE_ADDRESS__) && \
    !defined(__SANITIZE_THREAD__)
#define OSCINDA_VECTOR_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define OSCINDA_VECTOR_CLONES
#endif

namespace gate_runs {

// In an unnamed namespace: a clone set with external linkage would be
// exported from the module whatever its visibility says.
namespace {

OSCINDA_VECTOR_CLONES void scaleInto(float* __restrict out, const float* __restrict in, float gain, VstInt32 count) {
    for (VstInt32 i = 0; i < count; ++i) out[i] = gain * in[i];
}

OSCINDA_VECTOR_CLONES void scaleInPlace(float* samples, float gain, VstInt32 count) {
    for (VstInt32 i = 0; i < count; ++i) samples[i] = gain * samples[i];
}

OSCINDA_VECTOR_CLONES void scaleIntoBoth(float* __restrict first, float* __restrict second, const float* __restrict in,
                                         float gain, VstInt32 count) {
    for (VstInt32 i = 0; i < count; ++i) {
        const float value = gain * in[i];
        first[i] = value;
        second[i] = value;
    }
}

OSCINDA_VECTOR_CLONES void scaleInPlaceAndInto(float* shared, float* __restrict other, float gain, VstInt32 count) {
    for (VstInt32 i = 0; i < count; ++i) {
        const float value = gain * shared[i];
        other[i] = value;
        shared[i] = value;
    }
}

OSCINDA_VECTOR_CLONES void rampInto(float* __restrict out, const float* __restrict in, const float* __restrict gains,
                                    VstInt32 count) {
    for (VstInt32 i = 0; i < count; ++i) out[i] = gains[i] * in[i];
}

OSCINDA_VECTOR_CLONES void rampInPlace(float* samples, const float* __restrict gains, VstInt32 count) {
    for (VstInt32 i = 0; i < count; ++i) samples[i] = gains[i] * samples[i];
}

OSCINDA_VECTOR_CLONES void rampIntoBoth(float* __restrict first, float* __restrict second, const float* __restrict in,
                                        const float* __restrict firstGains, const float* __restrict secondGains,
                                        VstInt32 count) {
    for (VstInt32 i = 0; i < count; ++i) {
        const float sample = in[i];
        first[i] = firstGains[i] * sample;
        second[i] = secondGains[i] * sample;
    }
}

// One output from the input: the same buffer or one apart from it.
void scalePass(float* out, const float* in, float gain, VstInt32 count) {
    if (out == in)
        scaleInPlace(out, gain, count);
    else
        scaleInto(out, in, gain, count);
}

void rampPass(float* out, const float* in, const float* gains, VstInt32 count) {
    if (out == in)
        rampInPlace(out, gains, count);
    else
        rampInto(out, in, gains, count);
}

void copyPass(float* out, const float* in, VstInt32 count) {
    if (out != in) std::memcpy(out, in, static_cast<std::size_t>(count) * sizeof(float));
}

}  // namespace

void GateBuffers::closed(VstInt32 at, VstInt32 count, float depth) const {
    const float* in = in_ + at;
    float* first = first_ + at;
    float* second = second_ + at;
    if (separate_) {
        scaleIntoBoth(first, second, in, depth, count);
    } else if (first == second) {
        scalePass(first, in, depth, count);
    } else if (in == first) {
        // Each value is computed before either output is stored.
        scaleInPlaceAndInto(first, second, depth, count);
    } else {
        scaleInPlaceAndInto(second, first, depth, count);
    }
}

void GateBuffers::open(VstInt32 at, VstInt32 count, const float* firstGains, const float* secondGains) const {
    const float* in = in_ + at;
    float* first = first_ + at;
    float* second = second_ + at;
    if (separate_ && firstGains != nullptr && secondGains != nullptr) {
        rampIntoBoth(first, second, in, firstGains, secondGains, count);
        return;
    }
    // The first output is complete before the second reads the input.
    if (firstGains != nullptr)
        rampPass(first, in, firstGains, count);
    else
        copyPass(first, in, count);
    if (secondGains != nullptr)
        rampPass(second, in, secondGains, count);
    else
        copyPass(second, in, count);
}

}  // namespace gate_runs
