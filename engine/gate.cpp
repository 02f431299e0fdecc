// The gate: a closed phase at gain `depth`, then an open phase at full level
// entered and left through linear ramps, each phase half a sweep period long.
//
// The rules are per sample. In a closed phase both outputs are depth * x. In
// an open phase the first output takes the gain the counters give (the
// opening ramp while rampUpCount >= 2, then the input itself, then the
// closing ramp once at most 20 samples are left) and steps them; the second
// output makes the same choice with the counters as just left, one ramp step
// ahead. A sample that finds halfPeriodLeft <= 0 ends its phase, and the
// sweep sizes the next one. Any split of a stream into blocks gives the same
// bits.
//
// The loop below applies those rules a run at a time: a whole closed stretch,
// a whole stretch of open input, a whole ramp, each ending at the block's end
// or where the next rule takes over. Within a run the rule is the same for
// every sample, so the run is one tight loop; the state lives in locals for
// the block, and Depth is read once per run.
#include "engine/adelay.h"
#include "engine/gate_runs.h"
#include "engine/phase_length.h"

namespace {

constexpr auto kRelaxed = std::memory_order_relaxed;

// Samples of the phase under way that fit in room, counting the sample that
// ends it: the phase ends after the sample that sees left <= 0.
VstInt32 untilPhaseEnd(VstInt32 left, VstInt32 room) {
    if (left >= room) return room;
    return left <= 0 ? 1 : left + 1;
}

VstInt32 shorter(VstInt32 a, VstInt32 b) { return a < b ? a : b; }

}  // namespace

void ADelay::beginPhase(bool closed) {
    const float period = nextPeriod(speed.load(kRelaxed), maxSpeed.load(kRelaxed));
    halfPeriodLeft = halfPeriodSamples(getSampleRate(), period);
    closedPhase = closed;
    rampUpCount = kRampLength;
    rampDownCount = 1;
}

void ADelay::processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) {
    if (sampleFrames <= 0) return;
    if (inputs == nullptr || outputs == nullptr || inputs[0] == nullptr || outputs[0] == nullptr ||
        outputs[1] == nullptr)
        return;
    const float* in = inputs[0];
    float* first = outputs[0];
    float* second = outputs[1];
    const gate_runs::GateBuffers buffers(in, first, second, sampleFrames);
    if (buffers.partlyShared()) {
        // Buffers offset into each other: a sample at a time keeps the
        // per-sample order of reads and stores.
        for (VstInt32 i = 0; i < sampleFrames; ++i) {
            float* sampleIn[] = {inputs[0] + i};
            float* sampleOut[] = {first + i, second + i};
            ADelay::processReplacing(sampleIn, sampleOut, 1);
        }
        return;
    }

    bool closed = closedPhase;
    VstInt32 left = halfPeriodLeft;
    VstInt32 up = rampUpCount;
    VstInt32 down = rampDownCount;

    for (VstInt32 at = 0; at < sampleFrames;) {
        const VstInt32 room = sampleFrames - at;
        VstInt32 length = 0;
        if (closed) {
            // depth * x in float equals the double product rounded to float:
            // the exact product of two floats fits in a double.
            length = untilPhaseEnd(left, room);
            buffers.closed(at, length, depth.load(kRelaxed));
        } else if (up >= 2) {
            // Opening ramp: the first output at counts up, up - 1, ... The
            // second output reads one count lower, except on the ramp's last
            // sample (count 2), where the counter is spent and the second
            // output already follows what comes next.
            length = shorter(up - 1, untilPhaseEnd(left, room));
            rampGains.prepare(depth.load(kRelaxed));
            const VstInt32 withRamp = length == up - 1 ? length - 1 : length;
            if (withRamp > 0) buffers.open(at, withRamp, rampGains.falling(up), rampGains.falling(up - 1));
            if (withRamp < length) {
                const VstInt32 last = at + withRamp;
                const float* secondGain = left - withRamp > kClosingThreshold ? nullptr : rampGains.rising(down);
                buffers.open(last, 1, rampGains.falling(2), secondGain);
            }
            up -= length;
        } else if (left > kClosingThreshold) {
            // Open: the input itself until the closing ramp is due.
            length = shorter(left - kClosingThreshold, room);
            buffers.open(at, length, nullptr, nullptr);
        } else {
            // Closing ramp: counts down, down + 1, ... to the phase's end.
            length = untilPhaseEnd(left, room);
            rampGains.prepare(depth.load(kRelaxed));
            buffers.open(at, length, rampGains.rising(down), rampGains.rising(down + 1));
            down += length;
        }
        at += length;
        if (left < length) {
            // The run's last sample saw left <= 0: the next phase begins.
            beginPhase(!closed);
            closed = closedPhase;
            left = halfPeriodLeft - 1;
            up = rampUpCount;
            down = rampDownCount;
        } else {
            left -= length;
        }
    }

    closedPhase = closed;
    halfPeriodLeft = left;
    rampUpCount = up;
    rampDownCount = down;
}
