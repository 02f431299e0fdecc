// White-box access to one ADelay for tests whose subject is the state itself
// (the sweep's position and length, the gate's counters, the generator).
#pragma once

#include <cstdint>

#include "engine/adelay.h"

class ADelayProbe {
public:
    explicit ADelayProbe(ADelay& probed) : effect(probed) {}

    float nextPeriod(float slowPeriod, float fastPeriod) { return effect.nextPeriod(slowPeriod, fastPeriod); }

    VstInt32 changeLength() const { return effect.changeLength; }
    VstInt32 changePosition() const { return effect.changePosition; }
    bool sweepRising() const { return effect.sweepRising; }
    VstInt32 halfPeriodLeft() const { return effect.halfPeriodLeft; }
    bool closedPhase() const { return effect.closedPhase; }
    float changeTime() const { return effect.changeTime.load(); }
    const ProgramRecord& program(VstInt32 index) const { return effect.programs[index]; }

    // The gate's own state and phase change, for a loop kept outside the
    // effect that must run exactly as the effect's would.
    struct GateState {
        bool& closedPhase;
        VstInt32& halfPeriodLeft;
        VstInt32& rampUpCount;
        VstInt32& rampDownCount;
    };
    GateState gateState() {
        return {effect.closedPhase, effect.halfPeriodLeft, effect.rampUpCount, effect.rampDownCount};
    }
    void beginPhase(bool closed) { effect.beginPhase(closed); }
    float depth() const { return effect.depth.load(std::memory_order_relaxed); }

    // Ends the current change: the next sweep call turns.
    void endChange() { effect.changePosition = effect.changeLength; }
    void setChangePosition(VstInt32 position) { effect.changePosition = position; }

    // The seam for random draws: tests choose the seed instead of the clock.
    void seed(std::uint32_t value) { effect.randomGenerator.seed(value); }
    std::uint32_t generatorState() const { return effect.randomGenerator.currentState(); }

private:
    ADelay& effect;
};
