#include "fuzz/fuzz_host.h"

#include <memory>
#include <string>
#include <vector>

#include "engine/adelay.h"
#include "fuzz/block_signal.h"
#include "fuzz/dispatch_arguments.h"
#include "fuzz/fuzz_failure.h"
#include "fuzz/output_rule.h"
#include "fuzz/text_limits.h"
#include "gui/aeffguieditor.h"
#include "gui/cframe.h"

extern "C" AEffect* VSTCALLBACK VSTPluginMain(audioMasterCallback audioMaster);

namespace {

// The host whose instance is alive; the plug-in's requests go to it.
FuzzHost* activeHost = nullptr;

constexpr VstIntPtr kHostVersion = 2400;

// Mouse buttons and modifier keys as the window system reports them.
CButtonState buttonsFrom(std::uint8_t byte) { return static_cast<CButtonState>(byte & 0x7F); }

VstKeyCode keyFrom(FuzzInput& input) {
    VstKeyCode key{};
    key.character = input.readInt32();
    key.virt = input.readByte();
    key.modifier = input.readByte();
    return key;
}

const VstInt32 kTextOpcodes[] = {effGetParamName,          effGetParamLabel, effGetParamDisplay, effGetProgramName,
                                 effGetProgramNameIndexed, effGetEffectName, effGetVendorString, effGetProductString};

}  // namespace

FuzzHost::FuzzHost() {
    activeHost = this;
    record = VSTPluginMain(hostCallback);
    if (record != nullptr && record->magic != kEffectMagic) fuzzFailure("the entry returned a record without magic");
}

FuzzHost::~FuzzHost() {
    // The one effClose of the sequence, always last.
    if (record != nullptr) record->dispatcher(record, effClose, 0, 0, nullptr, 0.0f);
    activeHost = nullptr;
}

VstIntPtr VSTCALLBACK FuzzHost::hostCallback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr, void*,
                                             float) {
    if (opcode == audioMasterVersion) return kHostVersion;
    // A host acts only on requests from an instance it already holds.
    FuzzHost* host = activeHost;
    if (host == nullptr || effect == nullptr || effect != host->record) return 0;
    if (opcode == audioMasterAutomate) {
        host->record->getParameter(host->record, index);
        host->dispatch(effGetParamDisplay, index, 0, false, std::string(), 0.0f);
    } else if (opcode == audioMasterUpdateDisplay) {
        host->dispatch(effGetProgramName, 0, 0, false, std::string(), 0.0f);
        for (VstInt32 parameter = 0; parameter < host->record->numParams; ++parameter)
            host->dispatch(effGetParamDisplay, parameter, 0, false, std::string(), 0.0f);
    }
    return 0;
}

void FuzzHost::play(FuzzInput& input) {
    if (record == nullptr) return;
    while (!input.empty()) playOne(static_cast<HostOperation>(input.readByte() % kOperationCount), input);
}

void FuzzHost::playOne(HostOperation operation, FuzzInput& input) {
    switch (operation) {
    case HostOperation::kDispatch: {
        const VstInt32 opcode = input.readInt32();
        const VstInt32 index = input.readInt32();
        const VstIntPtr value = input.readIntPtr();
        const float opt = input.readFloat();
        const bool passNull = (input.readByte() & 1) != 0;
        const PointerKind kind = pointerKindOf(opcode);
        const std::string text =
            kind == PointerKind::kTextIn || kind == PointerKind::kChunkData ? input.readText() : std::string();
        // Closing belongs to the end of the sequence alone.
        if (opcode == effClose) return;
        dispatch(opcode, index, value, passNull, text, opt);
        break;
    }
    case HostOperation::kSetParameter: {
        const VstInt32 index = input.readInt32();
        record->setParameter(record, index, input.readFloat());
        break;
    }
    case HostOperation::kGetParameter: record->getParameter(record, input.readInt32()); break;
    case HostOperation::kSetProgram: dispatch(effSetProgram, 0, input.readIntPtr(), false, std::string(), 0.0f); break;
    case HostOperation::kSetSampleRate:
        dispatch(effSetSampleRate, 0, 0, false, std::string(), input.readFloat());
        break;
    case HostOperation::kSetBlockSize:
        dispatch(effSetBlockSize, 0, input.readIntPtr(), false, std::string(), 0.0f);
        break;
    case HostOperation::kMainsChanged:
        dispatch(effMainsChanged, 0, input.readByte() & 1, false, std::string(), 0.0f);
        break;
    case HostOperation::kProcess: process(input); break;
    case HostOperation::kEditorOpen: dispatch(effEditOpen, 0, 0, true, std::string(), 0.0f); break;
    case HostOperation::kEditorClose: dispatch(effEditClose, 0, 0, true, std::string(), 0.0f); break;
    case HostOperation::kEditorIdle: dispatch(effEditIdle, 0, 0, true, std::string(), 0.0f); break;
    case HostOperation::kMouseDown:
    case HostOperation::kMouseMoved:
    case HostOperation::kMouseUp: {
        const int x = input.readCoordinate();
        const int y = input.readCoordinate();
        const CButtonState buttons = buttonsFrom(input.readByte());
        if (CFrame* target = frame()) {
            if (operation == HostOperation::kMouseDown) target->onPlatformMouseDown(CPoint(x, y), buttons);
            if (operation == HostOperation::kMouseMoved) target->onPlatformMouseMoved(CPoint(x, y), buttons);
            if (operation == HostOperation::kMouseUp) target->onPlatformMouseUp(CPoint(x, y), buttons);
        }
        break;
    }
    case HostOperation::kWheel: {
        const int x = input.readCoordinate();
        const int y = input.readCoordinate();
        const float distance = input.readFloat();
        const CButtonState buttons = buttonsFrom(input.readByte());
        if (CFrame* target = frame()) target->onPlatformWheel(CPoint(x, y), distance, buttons);
        break;
    }
    case HostOperation::kKeyDown:
    case HostOperation::kKeyUp: {
        const VstKeyCode key = keyFrom(input);
        if (CFrame* target = frame()) {
            if (operation == HostOperation::kKeyDown)
                target->onPlatformKeyDown(key);
            else
                target->onPlatformKeyUp(key);
        }
        break;
    }
    case HostOperation::kExpose: {
        const int left = input.readCoordinate();
        const int top = input.readCoordinate();
        const int right = input.readCoordinate();
        const int bottom = input.readCoordinate();
        if (CFrame* target = frame()) target->onPlatformExpose(CRect(left, top, right, bottom));
        break;
    }
    case HostOperation::kReadTexts: readTexts(input.readInt32()); break;
    case HostOperation::kRenameProgram: dispatch(effSetProgramName, 0, 0, false, input.readText(), 0.0f); break;
    }
}

VstIntPtr FuzzHost::dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, bool passNull, const std::string& text,
                             float opt) {
    const DispatchArguments arguments(opcode, value, passNull, text);
    const VstIntPtr result = record->dispatcher(record, opcode, index, arguments.value(), arguments.ptr(), opt);
    arguments.checkAfter(index, result);
    return result;
}

void FuzzHost::process(FuzzInput& input) {
    const auto frames = static_cast<std::size_t>(input.readUint16() % (kMaxProcessFrames + 1));
    const auto layout = static_cast<ProcessLayout>(input.readByte() % kProcessLayoutCount);
    BlockSignal signal;
    signal.shape = static_cast<SignalShape>(input.readByte() % kSignalShapeCount);
    signal.amplitude = input.readFloat();
    signal.seed = input.readByte();
    signal.special = input.readFloat();
    signal.position = input.readUint16();

    // Exactly the block's size, so that AddressSanitizer sees any sample
    // written or read past it.
    std::vector<float> in(frames);
    std::vector<float> first(frames, 0.0f);
    std::vector<float> second(frames, 0.0f);
    signal.fill(in);
    const OutputRule rule = OutputRule::before(in.data(), frames, record->getParameter(record, kDepthParam));

    float* inputs[] = {in.data()};
    float* outputs[] = {first.data(), second.data()};
    if (layout == ProcessLayout::kInPlaceFirst) outputs[0] = in.data();
    if (layout == ProcessLayout::kInPlaceSecond) outputs[1] = in.data();
    record->processReplacing(record, inputs, outputs, static_cast<VstInt32>(frames));

    rule.check(outputs[0], frames, "first");
    rule.check(outputs[1], frames, "second");
}

void FuzzHost::readTexts(VstInt32 index) {
    for (VstInt32 opcode : kTextOpcodes) dispatch(opcode, index, 0, false, std::string(), 0.0f);
}

CFrame* FuzzHost::frame() const {
    auto* effect = static_cast<AudioEffect*>(record->object);
    auto* editor = dynamic_cast<AEffGUIEditor*>(effect->getEditor());
    return editor != nullptr ? editor->getFrame() : nullptr;
}
