#include "fuzz/dispatch_arguments.h"

#include <algorithm>
#include <cstring>

#include "fuzz/fuzz_failure.h"
#include "fuzz/text_limits.h"

namespace {

// Larger than any structure of the interface (a speaker arrangement with its
// eight speakers is the largest, about 900 bytes).
constexpr std::size_t kStructureBytes = 1024;

std::unique_ptr<unsigned char[]> zeroedBytes(std::size_t count) {
    std::unique_ptr<unsigned char[]> bytes(new unsigned char[count]);
    std::memset(bytes.get(), 0, count);
    return bytes;
}

// Reads count bytes from where the plug-in pointed, so that AddressSanitizer
// sees any pointer to memory that is gone or too short.
void touch(const void* where, std::size_t count) {
    volatile unsigned char sum = 0;
    const auto* bytes = static_cast<const unsigned char*>(where);
    for (std::size_t i = 0; i < count; ++i) sum = static_cast<unsigned char>(sum + bytes[i]);
}

}  // namespace

PointerKind pointerKindOf(VstInt32 opcode) {
    switch (opcode) {
    case effGetProgramName:
    case effGetParamLabel:
    case effGetParamDisplay:
    case effGetParamName:
    case effGetProgramNameIndexed:
    case effGetEffectName:
    case effGetErrorText:
    case effGetVendorString:
    case effGetProductString:
    case effShellGetNextPlugin: return PointerKind::kTextOut;
    case effSetProgramName:
    case effString2Parameter:
    case effCanDo: return PointerKind::kTextIn;
    case effEditGetRect: return PointerKind::kRectSlot;
    case effGetChunk: return PointerKind::kChunkSlot;
    case effSetChunk: return PointerKind::kChunkData;
    case effEditDraw:
    case effProcessEvents:
    case effGetInputProperties:
    case effGetOutputProperties:
    case effProcessVarIo:
    case effGetParameterProperties:
    case effVendorSpecific:
    case effGetMidiProgramName:
    case effGetCurrentMidiProgram:
    case effGetMidiProgramCategory:
    case effGetMidiKeyName:
    case effBeginLoadBank:
    case effBeginLoadProgram: return PointerKind::kStructure;
    case effOfflineNotify:
    case effOfflinePrepare:
    case effOfflineRun: return PointerKind::kStructures;
    case effSetSpeakerArrangement: return PointerKind::kSpeakerPair;
    case effGetSpeakerArrangement: return PointerKind::kSpeakerSlots;
    case effOpen:
    case effClose:
    case effSetProgram:
    case effGetProgram:
    case effGetVu:
    case effSetSampleRate:
    case effSetBlockSize:
    case effMainsChanged:
    case effEditOpen:  // offscreen only: no window
    case effEditClose:
    case effEditMouse:
    case effEditKey:
    case effEditIdle:
    case effEditTop:
    case effEditSleep:
    case effIdentify:
    case effCanBeAutomated:
    case effGetNumProgramCategories:
    case effCopyProgram:
    case effConnectInput:
    case effConnectOutput:
    case effGetPlugCategory:
    case effGetCurrentPosition:
    case effGetDestinationBuffer:
    case effSetBlockSizeAndSampleRate:
    case effSetBypass:
    case effGetVendorVersion:
    case effGetTailSize:
    case effIdle:
    case effGetIcon:
    case effSetViewPosition:
    case effKeysRequired:
    case effGetVstVersion:
    case effEditKeyDown:
    case effEditKeyUp:
    case effSetEditKnobMode:
    case effHasMidiProgramsChanged:
    case effBeginSetProgram:
    case effEndSetProgram:
    case effStartProcess:
    case effStopProcess:
    case effSetTotalSampleToProcess:
    case effSetPanLaw:
    case effSetProcessPrecision:
    case effGetNumMidiInputChannels:
    case effGetNumMidiOutputChannels: return PointerKind::kNone;
    default: return PointerKind::kStructure;  // unknown opcodes: some memory, zeroed
    }
}

DispatchArguments::DispatchArguments(VstInt32 opcodeIn, VstIntPtr value, bool passNull, const std::string& text)
    : opcode(opcodeIn), kind(pointerKindOf(opcodeIn)), valueArgument(value) {
    if (kind == PointerKind::kNone) return;
    if (passNull) {
        // A careless host: null where a pointer belongs, and no pointer in value.
        if (kind == PointerKind::kSpeakerPair || kind == PointerKind::kSpeakerSlots) valueArgument = 0;
        if (kind == PointerKind::kChunkData || kind == PointerKind::kStructures) valueArgument = 0;
        return;
    }
    switch (kind) {
    case PointerKind::kTextOut:
        buffer.reset(new unsigned char[kHostTextBufferBytes]);
        std::memset(buffer.get(), kTextSentinel, kHostTextBufferBytes);
        pointer = buffer.get();
        break;
    case PointerKind::kTextIn:
        buffer = zeroedBytes(kHostTextBufferBytes);
        std::memcpy(buffer.get(), text.data(), std::min(text.size(), kHostTextBufferBytes - 1));
        pointer = buffer.get();
        break;
    case PointerKind::kRectSlot:
    case PointerKind::kChunkSlot: pointer = &slots[0]; break;
    case PointerKind::kChunkData: {
        // As many bytes as value says, within what a test input can carry.
        const std::size_t count = text.size();
        buffer = zeroedBytes(count + 1);
        std::memcpy(buffer.get(), text.data(), count);
        pointer = buffer.get();
        valueArgument = static_cast<VstIntPtr>(count);
        break;
    }
    case PointerKind::kStructure:
        buffer = zeroedBytes(kStructureBytes);
        pointer = buffer.get();
        break;
    case PointerKind::kStructures:
        buffer = zeroedBytes(kStructureBytes);
        pointer = buffer.get();
        valueArgument = 1;
        break;
    case PointerKind::kSpeakerPair:
        buffer = zeroedBytes(kStructureBytes);
        secondBuffer = zeroedBytes(kStructureBytes);
        valueArgument = reinterpret_cast<VstIntPtr>(buffer.get());
        pointer = secondBuffer.get();
        break;
    case PointerKind::kSpeakerSlots:
        valueArgument = reinterpret_cast<VstIntPtr>(&slots[0]);
        pointer = &slots[1];
        break;
    case PointerKind::kNone: break;
    }
}

void DispatchArguments::checkAfter(VstInt32 index, VstIntPtr result) const {
    switch (kind) {
    case PointerKind::kTextOut:
        if (buffer) checkTextWritten(opcode, index, buffer.get());
        break;
    case PointerKind::kRectSlot:
        if (pointer != nullptr && slots[0] != nullptr) touch(slots[0], sizeof(ERect));
        break;
    case PointerKind::kChunkSlot:
        if (pointer != nullptr && slots[0] != nullptr && result > 0) touch(slots[0], static_cast<std::size_t>(result));
        if (pointer != nullptr && slots[0] == nullptr && result > 0)
            fuzzFailure("effGetChunk answered %ld bytes without a pointer to them", static_cast<long>(result));
        break;
    case PointerKind::kSpeakerSlots:
        for (void* slot : slots)
            if (slot != nullptr) touch(slot, sizeof(VstInt32) * 2);
        break;
    default: break;
    }
}
