// A deliberately tiny VST 2.4 plug-in for testing the command-line host: two
// inputs, two outputs, a fixed gain of 0.5, two parameters that change
// nothing, two programs. Built from host/aeffect.h alone, so the host is
// shown to work with a plug-in that shares none of Oscinda's code.
//
// Test switches, read from the environment when the entry is called:
//   GAIN_PLUGIN_LOG=path   append every host call that matters to `path`,
//                          with the frame position it arrived at
//   GAIN_PLUGIN_HOST_STRINGS=path
//                          on effOpen, ask the host for its vendor and
//                          product strings and write every byte of the
//                          buffer it got, in hex, to `path`
//   GAIN_PLUGIN_FAULT=...  misbehave: null (no effect), magic (a record with
//                          a wrong magic), outputs (absurd output count),
//                          crash (dies in processing), accumulate (offers
//                          only the accumulating process call)
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include "host/aeffect.h"
#include "tests/tools/host_string_probe.h"

namespace {

constexpr float kGain = 0.5f;
constexpr int kParams = 2;
constexpr int kPrograms = 2;
const char* const kParamNames[kParams] = {"Level", "Spare Knob"};
const char* const kParamLabels[kParams] = {"%", ""};
const char* const kProgramNames[kPrograms] = {"Unity", "Quiet"};

struct GainPlugin {
    AEffect effect{};
    float params[kParams] = {0.25f, 0.75f};
    VstIntPtr program = 0;
    long long frames = 0;  // processed so far: where a logged call arrived
    bool crash = false;
    std::FILE* log = nullptr;
    audioMasterCallback host = nullptr;
    const char* hostStringsPath = nullptr;
};

GainPlugin* self(AEffect* effect) { return static_cast<GainPlugin*>(effect->object); }

void copy(void* ptr, const char* text, std::size_t capacity) {
    if (ptr == nullptr) return;
    std::strncpy(static_cast<char*>(ptr), text, capacity);
    static_cast<char*>(ptr)[capacity - 1] = '\0';
}

void record(GainPlugin* plugin, const char* format, double a, double b = 0.0) {
    if (plugin->log == nullptr) return;
    std::fprintf(plugin->log, format, a, b);
    std::fprintf(plugin->log, " @%lld\n", plugin->frames);
    std::fflush(plugin->log);
}

// One line: what the host answered, then each byte of a sentinel-filled
// buffer after the call; and what it answered when given no buffer at all.
void reportHostString(GainPlugin* plugin, std::FILE* out, const char* what, VstInt32 opcode) {
    unsigned char buffer[kHostStringProbeSize];
    std::memset(buffer, kHostStringSentinel, sizeof buffer);
    const VstIntPtr answer = plugin->host(&plugin->effect, opcode, 0, 0, buffer, 0.0f);
    std::fprintf(out, "%s %lld ", what, static_cast<long long>(answer));
    for (unsigned char byte : buffer) std::fprintf(out, "%02x", byte);
    const VstIntPtr withoutBuffer = plugin->host(&plugin->effect, opcode, 0, 0, nullptr, 0.0f);
    std::fprintf(out, " %lld\n", static_cast<long long>(withoutBuffer));
}

void reportHostStrings(GainPlugin* plugin) {
    if (plugin->hostStringsPath == nullptr) return;
    std::FILE* out = std::fopen(plugin->hostStringsPath, "w");
    if (out == nullptr) return;
    reportHostString(plugin, out, "vendor", audioMasterGetVendorString);
    reportHostString(plugin, out, "product", audioMasterGetProductString);
    std::fclose(out);
}

void VSTCALLBACK setParameter(AEffect* effect, VstInt32 index, float value) {
    GainPlugin* plugin = self(effect);
    if (index < 0 || index >= kParams) return;
    plugin->params[index] = value;
    record(plugin, "setParameter %g %g", index, value);
}

float VSTCALLBACK getParameter(AEffect* effect, VstInt32 index) {
    return index >= 0 && index < kParams ? self(effect)->params[index] : 0.0f;
}

void run(AEffect* effect, float** inputs, float** outputs, VstInt32 frames, bool accumulate) {
    GainPlugin* plugin = self(effect);
    if (plugin->crash) std::raise(SIGSEGV);
    record(plugin, "process %g", frames);
    for (int c = 0; c < 2; ++c)
        for (VstInt32 i = 0; i < frames; ++i)
            outputs[c][i] = (accumulate ? outputs[c][i] : 0.0f) + kGain * inputs[c][i];
    plugin->frames += frames;
}

void VSTCALLBACK processReplacing(AEffect* effect, float** inputs, float** outputs, VstInt32 frames) {
    run(effect, inputs, outputs, frames, false);
}

void VSTCALLBACK processAccumulating(AEffect* effect, float** inputs, float** outputs, VstInt32 frames) {
    run(effect, inputs, outputs, frames, true);
}

VstIntPtr VSTCALLBACK dispatcher(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                 float opt) {
    GainPlugin* plugin = self(effect);
    char text[32];
    switch (opcode) {
    case effOpen: reportHostStrings(plugin); return 0;
    case effClose:
        if (plugin->log != nullptr) {
            record(plugin, "close", 0);
            std::fclose(plugin->log);
        }
        delete plugin;
        return 1;
    case effSetProgram:
        if (value >= 0 && value < kPrograms) plugin->program = value;
        record(plugin, "program %g", static_cast<double>(value));
        return 0;
    case effGetProgram: return plugin->program;
    case effGetProgramName: copy(ptr, kProgramNames[plugin->program], kVstMaxProgNameLen); return 0;
    case effGetProgramNameIndexed:
        if (index < 0 || index >= kPrograms) return 0;
        copy(ptr, kProgramNames[index], kVstMaxProgNameLen);
        return 1;
    case effGetParamName:
    case effGetParamLabel:
    case effGetParamDisplay:
        if (index < 0 || index >= kParams) return 0;
        if (opcode == effGetParamName) copy(ptr, kParamNames[index], kVstExtMaxParamStrLen);
        if (opcode == effGetParamLabel) copy(ptr, kParamLabels[index], kVstMaxParamStrLen);
        if (opcode == effGetParamDisplay) {
            std::snprintf(text, sizeof text, "%.0f", plugin->params[index] * 100.0f);
            copy(ptr, text, kVstMaxParamStrLen);
        }
        return 0;
    case effSetSampleRate: record(plugin, "sampleRate %g", opt); return 0;
    case effSetBlockSize: record(plugin, "blockSize %g", static_cast<double>(value)); return 0;
    case effMainsChanged: record(plugin, "mains %g", static_cast<double>(value)); return 0;
    case effGetEffectName: copy(ptr, "Half Gain", kVstMaxEffectNameLen); return 1;
    case effGetVendorString: copy(ptr, "Bench \"Q\" \\ Lab", kVstMaxVendorStrLen); return 1;
    case effGetProductString: copy(ptr, "Gain Test", kVstMaxProductStrLen); return 1;
    case effGetVendorVersion: return 7;
    case effGetVstVersion: return 2400;
    case effGetPlugCategory: return kPlugCategMastering;
    default: return 0;
    }
}

bool fault(const char* name) {
    const char* wanted = std::getenv("GAIN_PLUGIN_FAULT");
    return wanted != nullptr && std::strcmp(wanted, name) == 0;
}

}  // namespace

extern "C" __attribute__((visibility("default"))) AEffect* VSTCALLBACK VSTPluginMain(audioMasterCallback host) {
    if (host == nullptr || host(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) == 0) return nullptr;
    if (fault("null")) return nullptr;
    if (fault("magic")) {
        static AEffect impostor{};
        impostor.magic = fourCharCode('N', 'o', 'p', 'e');
        return &impostor;
    }
    GainPlugin* plugin = new (std::nothrow) GainPlugin;
    if (plugin == nullptr) return nullptr;
    AEffect& e = plugin->effect;
    e.magic = kEffectMagic;
    e.dispatcher = dispatcher;
    e.setParameter = setParameter;
    e.getParameter = getParameter;
    e.numPrograms = kPrograms;
    e.numParams = kParams;
    e.numInputs = 2;
    e.numOutputs = fault("outputs") ? 100000 : 2;
    e.ioRatio = 1.0f;
    e.object = plugin;
    e.uniqueID = fourCharCode('G', 'a', 'I', 'n');
    e.version = 3;
    e.process = processAccumulating;
    if (!fault("accumulate")) {
        e.flags = effFlagsCanReplacing;
        e.processReplacing = processReplacing;
    }
    plugin->crash = fault("crash");
    plugin->host = host;
    plugin->hostStringsPath = std::getenv("GAIN_PLUGIN_HOST_STRINGS");
    if (const char* path = std::getenv("GAIN_PLUGIN_LOG")) plugin->log = std::fopen(path, "a");
    return &e;
}
