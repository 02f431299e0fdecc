// The host-facing side of the effect: construction, the six parameters with
// their names, labels and display texts, and the bank of 16 programs.
#include <cstdio>
#include <cstring>
#include <ctime>
#include <new>

#include "engine/adelay.h"
#include "engine/phase_length.h"
#include "gui/aeffguieditor.h"
#include "host/text_copy.h"

namespace {

constexpr auto kRelaxed = std::memory_order_relaxed;

// Shortest gate period in seconds (20 Hz); both speeds are floored here.
constexpr float kSpeedFloor = 0.05f;
// Change length in seconds before the first change ends.
constexpr double kFirstChangeSeconds = 10.0;
// Longest stored program name, without the terminator.
constexpr VstInt32 kProgramNameChars = kVstMaxProgNameLen - 1;
const char* const kDefaultProgramName = "Init";

struct ParameterTexts {
    const char* name;
    const char* label;  // null: no label is written
};

// Two names are longer than the 8 characters the interface promises; they
// are written whole, since hosts offer far larger buffers and a cut name
// ("Maximum ", "Change R") would say less.
const ParameterTexts kParameterTexts[kNumOscindaParams] = {
    {"Depth", "amount"},     {"Speed", "amount"}, {"Maximum Speed", "amount"},
    {"Change Rate", "sec."}, {"Random", nullptr}, {"Ping Pong", nullptr},
};

bool isParameter(VstInt32 index) { return index >= 0 && index < kNumOscindaParams; }
bool isProgram(VstInt32 index) { return index >= 0 && index < kNumOscindaPrograms; }

void writeWhole(char* text, const char* source) { copyText(text, source, static_cast<VstInt32>(std::strlen(source))); }

}  // namespace

AudioEffect* createEffectInstance(audioMasterCallback audioMaster) {
    ADelay* effect = new (std::nothrow) ADelay(audioMaster);
    if (effect != nullptr && effect->programs == nullptr) {
        delete effect;
        return nullptr;
    }
    return effect;
}

ADelay::ADelay(audioMasterCallback audioMaster) : AudioEffectX(audioMaster, kNumOscindaPrograms, kNumOscindaParams) {
    programs = new (std::nothrow) ProgramRecord[kNumOscindaPrograms];
    if (programs == nullptr) return;  // createEffectInstance discards the object

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

void ADelay::setParameter(VstInt32 index, float value) {
    ProgramRecord& current = programs[curProgram.load(kRelaxed)];
    switch (index) {
    case kDepthParam:
        current.depth.store(value, kRelaxed);
        depth.store(value, kRelaxed);
        break;
    case kSpeedParam:
        // The slow end must stay strictly above the fast end; otherwise it
        // takes the program's requested Maximum Speed and the host redraws.
        if (value <= kSpeedFloor) value = kSpeedFloor;
        current.speed.store(value, kRelaxed);
        speed.store(value, kRelaxed);
        if (!(maxSpeed.load(kRelaxed) < value)) {
            speed.store(current.maxSpeed.load(kRelaxed), kRelaxed);
            updateDisplay();
        }
        break;
    case kMaxSpeedParam:
        if (value <= kSpeedFloor) value = kSpeedFloor;
        current.maxSpeed.store(value, kRelaxed);
        maxSpeed.store(value, kRelaxed);
        if (!(speed.load(kRelaxed) > value)) {
            maxSpeed.store(current.speed.load(kRelaxed), kRelaxed);
            updateDisplay();
        }
        break;
    case kChangeRateParam:
        changeRate.store(value, kRelaxed);
        // 1.5 s at 0 to 16.5 s at 1. Out of range values overflow to an
        // infinite time (IEEE rounding), which the sweep saturates.
        changeTime.store(static_cast<float>((static_cast<double>(value) + 0.1) * 15.0), kRelaxed);
        current.changeRate.store(value, kRelaxed);
        break;
    case kRandomParam: {
        const bool on = value >= 0.5f;
        randomChange.store(on, kRelaxed);
        current.random.store(on ? 1.0f : 0.0f, kRelaxed);
        break;
    }
    default:  // Ping Pong and unknown indexes store nothing
        break;
    }
    // The editor is told the requested (floored) value, even where the
    // ordering rule kept another one; it reads the kept value back itself.
    if (auto* guiEditor = dynamic_cast<AEffGUIEditor*>(editor)) guiEditor->setParameter(index, value);
}

float ADelay::getParameter(VstInt32 index) {
    switch (index) {
    case kDepthParam: return depth.load(kRelaxed);
    case kSpeedParam: return speed.load(kRelaxed);
    case kMaxSpeedParam: return maxSpeed.load(kRelaxed);
    case kChangeRateParam: return changeRate.load(kRelaxed);
    case kRandomParam: return randomChange.load(kRelaxed) ? 1.0f : 0.0f;
    default: return 0.0f;
    }
}

void ADelay::getParameterName(VstInt32 index, char* text) {
    if (!isParameter(index) || text == nullptr) return;
    writeWhole(text, kParameterTexts[index].name);
}

void ADelay::getParameterLabel(VstInt32 index, char* label) {
    if (!isParameter(index) || label == nullptr || kParameterTexts[index].label == nullptr) return;
    writeWhole(label, kParameterTexts[index].label);
}

void ADelay::getParameterDisplay(VstInt32 index, char* text) {
    if (text == nullptr) return;
    switch (index) {
    case kDepthParam: float2string(depth.load(kRelaxed), text, kVstMaxParamStrLen); break;
    case kSpeedParam: float2string(speed.load(kRelaxed), text, kVstMaxParamStrLen); break;
    case kMaxSpeedParam: float2string(maxSpeed.load(kRelaxed), text, kVstMaxParamStrLen); break;
    case kChangeRateParam: float2string(changeTime.load(kRelaxed), text, kVstMaxParamStrLen); break;
    case kRandomParam: writeWhole(text, randomChange.load(kRelaxed) ? "On" : "Off"); break;
    case kPingPongParam: writeWhole(text, "Disabled"); break;
    default: break;
    }
}

void ADelay::setProgram(VstInt32 program) {
    // The bank is indexed by the current program: an index outside it is
    // refused rather than made current.
    if (!isProgram(program)) return;
    curProgram.store(program, kRelaxed);
    // Speed goes before Maximum Speed, so it is tested against the Maximum
    // Speed of the program left behind.
    const ProgramRecord& selected = programs[program];
    setParameter(kDepthParam, selected.depth.load(kRelaxed));
    setParameter(kSpeedParam, selected.speed.load(kRelaxed));
    setParameter(kMaxSpeedParam, selected.maxSpeed.load(kRelaxed));
    setParameter(kChangeRateParam, selected.changeRate.load(kRelaxed));
    setParameter(kRandomParam, selected.random.load(kRelaxed));
}

void ADelay::setProgramName(char* name) {
    if (name == nullptr) return;
    // Longer names are cut to what the record holds.
    copyText(programs[curProgram.load(kRelaxed)].name, name, kProgramNameChars);
}

void ADelay::getProgramName(char* name) {
    if (name == nullptr) return;
    const VstInt32 current = curProgram.load(kRelaxed);
    const char* stored = programs[current].name;
    // Unnamed programs read "Init 1" to "Init 16".
    if (std::strcmp(stored, kDefaultProgramName) == 0)
        std::snprintf(name, kVstMaxProgNameLen, "%s %d", kDefaultProgramName, static_cast<int>(current + 1));
    else
        copyText(name, stored, kProgramNameChars);
}

bool ADelay::getProgramNameIndexed(VstInt32 /*category*/, VstInt32 index, char* text) {
    if (!isProgram(index) || text == nullptr) return false;
    copyText(text, programs[index].name, kProgramNameChars);
    return true;
}

bool ADelay::getEffectName(char* name) {
    copyText(name, "Oscinda", kVstMaxEffectNameLen);
    return true;
}

bool ADelay::getVendorString(char* text) {
    copyText(text, "Zelmora", kVstMaxVendorStrLen);
    return true;
}

bool ADelay::getProductString(char* text) {
    copyText(text, "Oscinda", kVstMaxProductStrLen);
    return true;
}
