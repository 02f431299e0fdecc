// The gate's work on whole runs of samples: a closed run (Depth times the
// input into both outputs), an open run (the input copied) and a ramp (a gain
// per sample), written as loops the compiler turns into vector code.
//
// The outputs must come out as the plain per-sample rules make them, whatever
// buffers the host shares: per sample the closed value is computed before
// either output is stored, and in an open phase the first output is stored
// before the second reads the input, so with the input also the first output
// the second output scales what the first stored. Where no buffer is shared,
// one pass writes both outputs through restrict pointers. Where the input is
// one of the outputs, a closed run still takes one pass (each value computed,
// then stored to both), while an open run takes two, the first output's
// before the second's. Buffers that overlap without being the same are left
// to the caller (a sample at a time keeps the rules there).
#pragma once

#include <cstdint>

#include "host/aeffect.h"

namespace gate_runs {

inline bool overlap(const float* a, const float* b, VstInt32 count) {
    const auto start = reinterpret_cast<std::uintptr_t>(a);
    const auto other = reinterpret_cast<std::uintptr_t>(b);
    const auto bytes = static_cast<std::uintptr_t>(count) * sizeof(float);
    return start < other + bytes && other < start + bytes;
}

// One block's three buffers and how they are shared.
class GateBuffers {
public:
    GateBuffers(const float* in, float* first, float* second, VstInt32 count)
        : GateBuffers(in, first, second, overlap(in, first, count), overlap(in, second, count),
                      overlap(first, second, count)) {}

    // Some buffers overlap without being the same buffer.
    bool partlyShared() const { return partlyShared_; }

    // Closed: depth times the input into both outputs.
    void closed(VstInt32 at, VstInt32 count, float depth) const;

    // Open: each output is the input times its gains, or the input itself
    // where its gains are null.
    void open(VstInt32 at, VstInt32 count, const float* firstGains, const float* secondGains) const;

private:
    GateBuffers(const float* in, float* first, float* second, bool inFirst, bool inSecond, bool firstSecond)
        : in_(in),
          first_(first),
          second_(second),
          separate_(!inFirst && !inSecond && !firstSecond),
          partlyShared_((inFirst && in != first) || (inSecond && in != second) || (firstSecond && first != second)) {}

    const float* in_;
    float* first_;
    float* second_;
    bool separate_;
    bool partlyShared_;
};

}  // namespace gate_runs
