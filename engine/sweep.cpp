// The rate sweep: each phase's period glides in a straight line, measured in
// scheduled samples, from one period setting to the other over one change,
// then turns back. All arithmetic is double, rounded to float where marked.
#include <cstdint>
#include <limits>

#include "engine/adelay.h"
#include "engine/phase_length.h"

namespace {
constexpr auto kRelaxed = std::memory_order_relaxed;
}

float ADelay::nextPeriod(float slowPeriod, float fastPeriod) {
    // Taken from the arguments at every call, so a moved setting is heard at
    // the next phase at the same relative position.
    const double difference = static_cast<double>(slowPeriod) - static_cast<double>(fastPeriod);
    double step = difference / changeLength;

    // The end of a change is noticed only here, so the phase that overshoots
    // it has already run in full; the overshoot is dropped.
    if (changePosition >= changeLength) {
        sweepRising = !sweepRising;
        changePosition = 0;
        VstInt32 length =
            truncateToInt32(static_cast<double>(getSampleRate()) * static_cast<double>(changeTime.load(kRelaxed)));
        if (randomChange.load(kRelaxed)) {
            // Keeps between half (draw 0) and all (draw 32767) of the change.
            const int draw = randomGenerator.next();
            length = truncateToInt32((draw / static_cast<double>(RandomGenerator::kMaximum) + 1.0) * length * 0.5);
        }
        changeLength = atLeastOneSample(length);
        step = difference / changeLength;
    }

    const float offset = static_cast<float>(step * changePosition);
    const float period = sweepRising ? static_cast<float>(static_cast<double>(fastPeriod) + offset)
                                     : static_cast<float>(static_cast<double>(slowPeriod) - offset);

    // The position counts exactly the phase lengths the gate derives from
    // the periods; it sticks at the top instead of wrapping, which ends the
    // change at the next call.
    const std::int64_t position =
        static_cast<std::int64_t>(changePosition) + halfPeriodSamples(getSampleRate(), period);
    constexpr std::int64_t kMaxPosition = std::numeric_limits<VstInt32>::max();
    changePosition = static_cast<VstInt32>(position < kMaxPosition ? position : kMaxPosition);
    return period;
}
