// The effect's construction, in the order the gate and the sweep rely on, and
// its identity answers.
#include "engine/adelay.h"

#include <ctime>
#include <new>

#include "engine/oscinda_identity.h"
#include "engine/phase_length.h"
#include "host/text_copy.h"

namespace {

constexpr auto kRelaxed = std::memory_order_relaxed;

// Change length in seconds before the first change ends.
constexpr double kFirstChangeSeconds = 10.0;

}  // namespace

ADelay* ADelay::create(audioMasterCallback hostCallback) {
    ADelay* effect = new (std::nothrow) ADelay(hostCallback);
    if (effect != nullptr && effect->programs == nullptr) {
        delete effect;
        return nullptr;
    }
    return effect;
}

ADelay::ADelay(audioMasterCallback hostCallback) : AudioEffectX(hostCallback, kNumOscindaPrograms, kNumOscindaParams) {
    programs = new (std::nothrow) ProgramRecord[kNumOscindaPrograms];
    if (programs == nullptr) return;  // create() discards the object

    // Gate and sweep start closed and rising (member initialisers); the first
    // change lasts 10 s at the rate held now, whatever Change Rate says.
    changeLength =
        atLeastOneSample(truncateToInt32(static_cast<double>(sampleRate.load(kRelaxed)) * kFirstChangeSeconds));
    changePosition = 0;

    // Both speeds are still 0 here, so this first period is 0 and the first
    // closed phase lasts a single sample.
    halfPeriodLeft =
        halfPeriodSamples(sampleRate.load(kRelaxed), nextPeriod(speed.load(kRelaxed), maxSpeed.load(kRelaxed)));

    randomGenerator.seed(static_cast<std::uint32_t>(std::time(nullptr)));

    setProgram(0);

    setNumInputs(1);
    setNumOutputs(2);
    setUniqueID(kOscindaUniqueId);
}

ADelay::~ADelay() { delete[] programs; }

bool ADelay::getEffectName(char* name) {
    copyIntoBuffer(name, kOscindaEffectName, kVstMaxEffectNameLen);
    return true;
}

bool ADelay::getVendorString(char* text) {
    copyIntoBuffer(text, kOscindaVendorString, kVstMaxVendorStrLen);
    return true;
}

bool ADelay::getProductString(char* text) {
    copyIntoBuffer(text, kOscindaProductString, kVstMaxProductStrLen);
    return true;
}

VstInt32 ADelay::getVendorVersion() { return kOscindaVendorVersion; }
VstInt32 ADelay::getVstVersion() { return kOscindaVstVersion; }
VstInt32 ADelay::getPlugCategory() { return kPlugCategEffect; }
