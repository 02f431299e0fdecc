// A loaded plug-in: the module (dlopen), the effect its entry returned, and
// the host's side of the dispatcher conversation. Everything the plug-in
// reports is checked before it sizes anything, so a plug-in with absurd
// counts or missing functions is refused instead of trusted.
#pragma once

#include <string>

#include "host/aeffect.h"

// Sanity limits for counts a plug-in reports about itself.
constexpr VstInt32 kMaxChannels = 256;
constexpr VstInt32 kMaxParametersOrPrograms = 1 << 16;

class Plugin {
public:
    // Loads the module, calls VSTPluginMain, checks the record and opens the
    // effect. Throws ToolError naming the problem.
    explicit Plugin(const std::string& path);
    ~Plugin();
    Plugin(const Plugin&) = delete;
    Plugin& operator=(const Plugin&) = delete;

    const AEffect& record() const { return *effect_; }
    const std::string& path() const { return path_; }

    VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr, float opt = 0.0f);
    // The text an opcode writes, cut at the first NUL, spaces trimmed.
    std::string text(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0);

    VstInt32 numParams() const { return effect_->numParams; }
    VstInt32 numPrograms() const { return effect_->numPrograms; }
    VstInt32 numInputs() const { return effect_->numInputs; }
    VstInt32 numOutputs() const { return effect_->numOutputs; }

    std::string parameterName(VstInt32 index) { return text(effGetParamName, index); }
    std::string parameterLabel(VstInt32 index) { return text(effGetParamLabel, index); }
    std::string parameterDisplay(VstInt32 index) { return text(effGetParamDisplay, index); }
    float parameter(VstInt32 index);
    void setParameter(VstInt32 index, float value);
    std::string programName(VstInt32 index);
    void setProgram(VstInt32 index);

    // Index of the parameter called `nameOrIndex` (case-insensitive), or given
    // by its number. Throws ToolError listing the known names.
    VstInt32 findParameter(const std::string& nameOrIndex);

    // Throws ToolError unless the record's input/output counts are usable.
    void checkChannelCounts() const;
    // One block; outputs are zeroed first when only the accumulating call exists.
    void process(float** inputs, float** outputs, VstInt32 frames);

private:
    std::string path_;
    void* module_ = nullptr;
    AEffect* effect_ = nullptr;
};
