#include "tools/oscinda-host/plugin.h"

#include <dlfcn.h>

#include <algorithm>
#include <cctype>

#include "tools/oscinda-host/file_paths.h"
#include "tools/oscinda-host/host_callback.h"
#include "tools/oscinda-host/tool_error.h"

namespace {

using EntryFunction = AEffect*(VSTCALLBACK*)(audioMasterCallback);

// Far beyond every length the interface allows, so a plug-in that overruns
// its limit a little still writes into memory we own.
constexpr std::size_t kTextBufferSize = 1024;

std::string trim(const std::string& text) {
    const auto notSpace = [](unsigned char c) { return !std::isspace(c); };
    const auto first = std::find_if(text.begin(), text.end(), notSpace);
    const auto last = std::find_if(text.rbegin(), text.rend(), notSpace).base();
    return first < last ? std::string(first, last) : std::string();
}

std::string lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

bool isWholeNumber(const std::string& text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c); });
}

}  // namespace

Plugin::Plugin(const std::string& path) : path_(path) {
    checkReadableFile(path, "plug-in ");
    // dlopen searches the library path for names without a slash; a file
    // name given on the command line means that file.
    const std::string openPath = path.find('/') == std::string::npos ? "./" + path : path;
    dlerror();
    module_ = dlopen(openPath.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (module_ == nullptr) {
        const char* reason = dlerror();
        throw ToolError("'" + path + "' is not a loadable plug-in module: " + (reason ? reason : "unknown reason"));
    }
    try {
        const auto entry = reinterpret_cast<EntryFunction>(dlsym(module_, "VSTPluginMain"));
        if (entry == nullptr) throw ToolError("'" + path + "' is not a VST 2.4 plug-in: it has no VSTPluginMain");
        effect_ = entry(hostCallback);
        if (effect_ == nullptr) throw ToolError("plug-in '" + path + "' returned no effect from VSTPluginMain");
        if (effect_->magic != kEffectMagic) {
            effect_ = nullptr;  // not ours to close: it is no effect record
            throw ToolError("plug-in '" + path + "' returned a record without the VstP magic");
        }
        if (effect_->dispatcher == nullptr) {
            effect_ = nullptr;
            throw ToolError("plug-in '" + path + "' has no dispatcher");
        }
        dispatch(effOpen);
        if (effect_->numParams < 0 || effect_->numParams > kMaxParametersOrPrograms)
            throw ToolError("plug-in '" + path + "' reports " + std::to_string(effect_->numParams) + " parameters");
        if (effect_->numPrograms < 0 || effect_->numPrograms > kMaxParametersOrPrograms)
            throw ToolError("plug-in '" + path + "' reports " + std::to_string(effect_->numPrograms) + " programs");
    } catch (...) {
        if (effect_ != nullptr) effect_->dispatcher(effect_, effClose, 0, 0, nullptr, 0.0f);
        dlclose(module_);
        throw;
    }
}

Plugin::~Plugin() {
    // effClose lets the plug-in free itself; the record is gone afterwards.
    if (effect_ != nullptr) effect_->dispatcher(effect_, effClose, 0, 0, nullptr, 0.0f);
    dlclose(module_);
}

VstIntPtr Plugin::dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
    return effect_->dispatcher(effect_, opcode, index, value, ptr, opt);
}

std::string Plugin::text(VstInt32 opcode, VstInt32 index, VstIntPtr value) {
    char buffer[kTextBufferSize] = {};
    dispatch(opcode, index, value, buffer, 0.0f);
    buffer[kTextBufferSize - 1] = '\0';
    return trim(buffer);
}

float Plugin::parameter(VstInt32 index) {
    return effect_->getParameter != nullptr ? effect_->getParameter(effect_, index) : 0.0f;
}

void Plugin::setParameter(VstInt32 index, float value) {
    if (effect_->setParameter != nullptr) effect_->setParameter(effect_, index, value);
}

std::string Plugin::programName(VstInt32 index) {
    char buffer[kTextBufferSize] = {};
    if (dispatch(effGetProgramNameIndexed, index, -1, buffer) != 0) {
        buffer[kTextBufferSize - 1] = '\0';
        return trim(buffer);
    }
    // Older plug-ins name only the current program: visit and come back.
    const VstIntPtr current = dispatch(effGetProgram);
    setProgram(index);
    std::string name = text(effGetProgramName);
    if (current >= 0 && current < numPrograms()) setProgram(static_cast<VstInt32>(current));
    return name;
}

void Plugin::setProgram(VstInt32 index) {
    dispatch(effBeginSetProgram);
    dispatch(effSetProgram, 0, index);
    dispatch(effEndSetProgram);
}

VstInt32 Plugin::findParameter(const std::string& nameOrIndex) {
    if (isWholeNumber(nameOrIndex)) {
        const long long index = nameOrIndex.size() > 9 ? -1 : std::stoll(nameOrIndex);
        if (index >= 0 && index < numParams()) return static_cast<VstInt32>(index);
        throw ToolError("parameter index " + nameOrIndex + " is out of range (plug-in has " +
                        std::to_string(numParams()) + " parameters)");
    }
    const std::string wanted = lower(trim(nameOrIndex));
    std::string known;
    for (VstInt32 i = 0; i < numParams(); ++i) {
        const std::string name = parameterName(i);
        if (lower(name) == wanted) return i;
        known += (i == 0 ? "" : ", ") + name;
    }
    throw ToolError("unknown parameter '" + nameOrIndex + "' (known: " + (known.empty() ? "none" : known) + ")");
}

void Plugin::checkChannelCounts() const {
    if (effect_->numInputs < 0 || effect_->numInputs > kMaxChannels)
        throw ToolError("plug-in '" + path_ + "' reports " + std::to_string(effect_->numInputs) + " inputs");
    if (effect_->numOutputs < 1 || effect_->numOutputs > kMaxChannels)
        throw ToolError("plug-in '" + path_ + "' reports " + std::to_string(effect_->numOutputs) + " outputs");
    const bool canReplace = (effect_->flags & effFlagsCanReplacing) != 0 && effect_->processReplacing != nullptr;
    if (!canReplace && effect_->process == nullptr) throw ToolError("plug-in '" + path_ + "' has no process function");
}

void Plugin::process(float** inputs, float** outputs, VstInt32 frames) {
    if ((effect_->flags & effFlagsCanReplacing) != 0 && effect_->processReplacing != nullptr) {
        effect_->processReplacing(effect_, inputs, outputs, frames);
        return;
    }
    for (VstInt32 channel = 0; channel < effect_->numOutputs; ++channel)
        std::fill(outputs[channel], outputs[channel] + frames, 0.0f);
    effect_->process(effect_, inputs, outputs, frames);
}
