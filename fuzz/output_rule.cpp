#include "fuzz/output_rule.h"

#include <cmath>

#include "fuzz/fuzz_failure.h"

OutputRule OutputRule::before(const float* input, std::size_t frames, float depth) {
    OutputRule rule;
    if (!(depth >= 0.0f && depth <= 1.0f)) return rule;
    for (std::size_t i = 0; i < frames; ++i) {
        if (!std::isfinite(input[i])) return rule;
        rule.largestInput = std::fmax(rule.largestInput, std::fabs(input[i]));
    }
    rule.applies = true;
    return rule;
}

void OutputRule::check(const float* output, std::size_t frames, const char* which) const {
    if (!applies) return;
    for (std::size_t i = 0; i < frames; ++i) {
        if (!std::isfinite(output[i]))
            fuzzFailure("%s output sample %zu is %g from finite input with Depth in [0, 1]", which, i,
                        static_cast<double>(output[i]));
        if (std::fabs(output[i]) > largestInput)
            fuzzFailure("%s output sample %zu is %g, beyond the largest input magnitude %g", which, i,
                        static_cast<double>(output[i]), static_cast<double>(largestInput));
    }
}
