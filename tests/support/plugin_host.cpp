#include "tests/support/plugin_host.h"

#include <dlfcn.h>

#include <cstring>
#include <stdexcept>

namespace {
RecordingHost* activeHost = nullptr;
}

RecordingHost::RecordingHost() { activeHost = this; }
RecordingHost::~RecordingHost() {
    if (activeHost == this) activeHost = nullptr;
}

VstIntPtr VSTCALLBACK RecordingHost::callback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                                              void* ptr, float opt) {
    if (activeHost == nullptr) return opcode == audioMasterVersion ? 2400 : 0;
    activeHost->calls.push_back(HostCall{effect, opcode, index, value, ptr, opt});
    return opcode == audioMasterVersion ? activeHost->versionAnswer : 0;
}

std::vector<HostCall> RecordingHost::callsWithOpcode(VstInt32 opcode) const {
    std::vector<HostCall> matching;
    for (const HostCall& call : calls)
        if (call.opcode == opcode) matching.push_back(call);
    return matching;
}

PluginLibrary& PluginLibrary::instance() {
    static PluginLibrary library;
    return library;
}

PluginLibrary::PluginLibrary() : path_(OSCINDA_PLUGIN_PATH) {
    handle_ = dlopen(path_.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle_ == nullptr) throw std::runtime_error(std::string("cannot load plug-in: ") + dlerror());
}

PluginLibrary::EntryFunction PluginLibrary::entry(const char* exportName) const {
    return reinterpret_cast<EntryFunction>(dlsym(handle_, exportName));
}

PluginInstance::PluginInstance() { open(); }

void PluginInstance::open() {
    if (PluginLibrary::EntryFunction entry = PluginLibrary::instance().entry("VSTPluginMain"))
        effect = entry(RecordingHost::callback);
}

PluginInstance::~PluginInstance() {
    if (effect != nullptr) close();
}

VstIntPtr PluginInstance::close() {
    const VstIntPtr result = effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
    effect = nullptr;
    return result;
}

VstIntPtr PluginInstance::dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
    return effect->dispatcher(effect, opcode, index, value, ptr, opt);
}

std::string PluginInstance::text(VstInt32 opcode, VstInt32 index, VstIntPtr value) {
    char buffer[256];
    std::memset(buffer, '#', sizeof buffer);
    buffer[sizeof buffer - 1] = '\0';
    dispatch(opcode, index, value, buffer, 0.0f);
    return buffer;
}

void PluginInstance::process(const std::vector<float>& input, std::vector<float>& first, std::vector<float>& second) {
    first.assign(input.size(), 0.0f);
    second.assign(input.size(), 0.0f);
    process(input, first, second, 0, input.size());
}

void PluginInstance::process(const std::vector<float>& input, std::vector<float>& first, std::vector<float>& second,
                             std::size_t begin, std::size_t count) {
    float* inputs[] = {const_cast<float*>(input.data()) + begin};
    float* outputs[] = {first.data() + begin, second.data() + begin};
    effect->processReplacing(effect, inputs, outputs, static_cast<VstInt32>(count));
}
