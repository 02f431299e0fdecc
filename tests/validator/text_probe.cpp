#include "tests/validator/text_probe.h"

#include <cstring>
#include <mutex>
#include <vector>

namespace {

constexpr unsigned char kSentinel = 0x7F;
constexpr std::size_t kBufferBytes = 256;  // what hosts commonly hand over

std::mutex longestMutex;
std::map<VstInt32, TextProbe::Longest>& longestTexts() {
    static std::map<VstInt32, TextProbe::Longest> texts;
    return texts;
}

}  // namespace

const VstInt32 kTextOpcodes[8] = {effGetProgramName,        effGetParamLabel, effGetParamDisplay, effGetParamName,
                                  effGetProgramNameIndexed, effGetEffectName, effGetVendorString, effGetProductString};

const char* textOpcodeName(VstInt32 opcode) {
    switch (opcode) {
    case effGetProgramName: return "effGetProgramName";
    case effGetParamLabel: return "effGetParamLabel";
    case effGetParamDisplay: return "effGetParamDisplay";
    case effGetParamName: return "effGetParamName";
    case effGetProgramNameIndexed: return "effGetProgramNameIndexed";
    case effGetEffectName: return "effGetEffectName";
    case effGetVendorString: return "effGetVendorString";
    case effGetProductString: return "effGetProductString";
    default: return "?";
    }
}

std::string TextProbe::read(VstInt32 opcode, VstInt32 index, VstIntPtr value) {
    const auto size = static_cast<std::size_t>(hostTextSize(opcode));
    std::vector<unsigned char> buffer(kBufferBytes, kSentinel);
    plugin.dispatch(opcode, index, value, buffer.data());

    bool touched = false;
    for (unsigned char byte : buffer) touched = touched || byte != kSentinel;
    if (!touched) return std::string();

    for (std::size_t i = size; i < kBufferBytes; ++i) {
        if (buffer[i] != kSentinel) {
            ADD_FAILURE() << textOpcodeName(opcode) << " (index " << index << ", value " << value << ") wrote byte "
                          << i << " of a text hosts give " << size << " bytes";
            break;
        }
    }
    const void* terminator = std::memchr(buffer.data(), '\0', size);
    if (terminator == nullptr) {
        ADD_FAILURE() << textOpcodeName(opcode) << " (index " << index << ", value " << value
                      << ") left no terminator within " << size << " bytes";
        return std::string();
    }
    std::string text(reinterpret_cast<const char*>(buffer.data()));

    std::lock_guard<std::mutex> lock(longestMutex);
    Longest& longest = longestTexts()[opcode];
    if (text.size() > longest.length || longest.text.empty()) longest = Longest{text.size(), text};
    return text;
}

void TextProbe::readAll(VstInt32 index, VstInt32 program) {
    for (VstInt32 opcode : kTextOpcodes) read(opcode, opcode == effGetProgramNameIndexed ? program : index);
}

const std::map<VstInt32, TextProbe::Longest>& TextProbe::longest() { return longestTexts(); }
