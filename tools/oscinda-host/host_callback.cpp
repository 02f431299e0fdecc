#include "tools/oscinda-host/host_callback.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr VstIntPtr kHostVstVersion = 2400;
constexpr VstIntPtr kHostVendorVersion = 1000;
// audioMasterGetCurrentProcessLevel: the tool always renders offline.
constexpr VstIntPtr kProcessLevelOffline = 4;
constexpr const char* kHostName = "oscinda-host";

// `bufferSize` counts the terminator, as plug-ins allocate these strings:
// at most bufferSize - 1 characters go in, and nothing past the terminator.
void copyName(void* ptr, int bufferSize) {
    if (ptr == nullptr || bufferSize < 1) return;
    char* text = static_cast<char*>(ptr);
    const std::size_t length = std::min(std::strlen(kHostName), static_cast<std::size_t>(bufferSize) - 1);
    std::memcpy(text, kHostName, length);
    text[length] = '\0';
}

}  // namespace

HostState& hostState() {
    static HostState state;
    return state;
}

VstIntPtr VSTCALLBACK hostCallback(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void* ptr, float) {
    HostState& state = hostState();
    switch (opcode) {
    case audioMasterVersion: return kHostVstVersion;
    case audioMasterGetSampleRate: return static_cast<VstIntPtr>(state.sampleRate);
    case audioMasterGetBlockSize: return state.blockSize;
    case audioMasterGetCurrentProcessLevel: return kProcessLevelOffline;
    case audioMasterIOChanged: state.ioChanged = true; return 1;
    case audioMasterGetVendorString: copyName(ptr, kVstMaxVendorStrLen); return ptr != nullptr ? 1 : 0;
    case audioMasterGetProductString: copyName(ptr, kVstMaxProductStrLen); return ptr != nullptr ? 1 : 0;
    case audioMasterGetVendorVersion: return kHostVendorVersion;
    default:
        // No transport, no MIDI, no editor windows: "not supported" for the rest.
        return 0;
    }
}
