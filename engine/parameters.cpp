// The host-facing side of the effect: the six parameters with their names,
// labels and display texts, and the bank of 16 programs.
#include <cstdio>
#include <cstring>

#include "engine/adelay.h"
#include "host/editor_parameter_hook.h"
#include "host/text_copy.h"

namespace {

constexpr auto kRelaxed = std::memory_order_relaxed;

// Shortest gate period in seconds (20 Hz); both speeds are floored here.
constexpr float kSpeedFloor = 0.05f;

struct ParameterTexts {
    const char* name;
    const char* label;  // empty for the switches, so no stale host text shows
};

// Two names are longer than the 8 characters the interface promises; they
// are written whole, since hosts offer far larger buffers and a cut name
// ("Maximum ", "Change R") would say less.
const ParameterTexts kParameterTexts[kNumOscindaParams] = {
    {"Depth", "amount"},     {"Speed", "amount"}, {"Maximum Speed", "amount"},
    {"Change Rate", "sec."}, {"Random", ""},      {"Ping Pong", ""},
};

bool isParameter(VstInt32 index) { return index >= 0 && index < kNumOscindaParams; }
bool isProgram(VstInt32 index) { return index >= 0 && index < kNumOscindaPrograms; }

// Parameter names go into the room hosts give names; labels and display
// texts into the 8 characters the interface promises.
void writeName(char* text, const char* name) { copyIntoBuffer(text, name, kVstExtMaxParamStrLen); }
void writeShortText(char* text, const char* source) { copyIntoBuffer(text, source, kVstMaxParamStrLen); }

// Display texts of numbers: 8 characters.
constexpr VstInt32 kDisplayChars = kVstMaxParamStrLen - 1;

}  // namespace

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
    if (editorParameterHook != nullptr) editorParameterHook->setParameter(index, value);
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
    writeName(text, kParameterTexts[index].name);
}

void ADelay::getParameterLabel(VstInt32 index, char* label) {
    if (!isParameter(index) || label == nullptr) return;
    writeShortText(label, kParameterTexts[index].label);
}

void ADelay::getParameterDisplay(VstInt32 index, char* text) {
    if (text == nullptr) return;
    switch (index) {
    case kDepthParam: float2string(depth.load(kRelaxed), text, kDisplayChars); break;
    case kSpeedParam: float2string(speed.load(kRelaxed), text, kDisplayChars); break;
    case kMaxSpeedParam: float2string(maxSpeed.load(kRelaxed), text, kDisplayChars); break;
    case kChangeRateParam: float2string(changeTime.load(kRelaxed), text, kDisplayChars); break;
    case kRandomParam: writeShortText(text, randomChange.load(kRelaxed) ? "On" : "Off"); break;
    case kPingPongParam: writeShortText(text, "Disabled"); break;
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
    // Longer names are cut to what the bank holds.
    programNames.rename(curProgram.load(kRelaxed), name);
}

void ADelay::getProgramName(char* name) {
    if (name == nullptr) return;
    const VstInt32 current = curProgram.load(kRelaxed);
    ProgramNameBank<kNumOscindaPrograms>::Name stored;
    if (!programNames.read(current, stored)) return;
    // Unnamed programs read "Init 1" to "Init 16".
    if (std::strcmp(stored, kUnnamedProgramName) == 0)
        std::snprintf(name, kVstMaxProgNameLen, "%s %d", kUnnamedProgramName, static_cast<int>(current + 1));
    else
        copyIntoBuffer(name, stored, kVstMaxProgNameLen);
}

bool ADelay::getProgramNameIndexed(VstInt32 /*category*/, VstInt32 index, char* text) {
    if (text == nullptr) return false;
    ProgramNameBank<kNumOscindaPrograms>::Name stored;
    if (!programNames.read(index, stored)) return false;
    copyIntoBuffer(text, stored, kVstMaxProgNameLen);
    return true;
}
