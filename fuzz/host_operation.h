// The host operations a fuzz input is made of. Each starts with one byte,
// taken modulo kOperationCount, followed by its operands as FuzzInput reads
// them (listed after each name). The input is played from the start until it
// runs out; the instance is then closed, always as the last step.
#pragma once

#include <cstdint>

enum class HostOperation : std::uint8_t {
    // opcode int32, index int32, value intptr, opt float, pointer byte (bit 0
    // set: null; otherwise the argument a host passes for that opcode), then
    // for opcodes that read a text or chunk bytes, those as a text.
    kDispatch,
    kSetParameter,   // index int32, value float
    kGetParameter,   // index int32
    kSetProgram,     // program intptr
    kSetSampleRate,  // rate float
    kSetBlockSize,   // size intptr
    kMainsChanged,   // on byte (bit 0)
    // frames uint16 (modulo 8193), layout byte (ProcessLayout), shape byte
    // (SignalShape), amplitude float, seed byte, special float and its
    // position uint16 (modulo the frames; used when the shape is kSpecial).
    kProcess,
    kEditorOpen,    // effEditOpen without a window: offscreen
    kEditorClose,   // effEditClose
    kEditorIdle,    // effEditIdle
    kMouseDown,     // x, y coordinates, buttons byte
    kMouseMoved,    // x, y coordinates, buttons byte
    kMouseUp,       // x, y coordinates, buttons byte
    kWheel,         // x, y coordinates, distance float, buttons byte
    kKeyDown,       // character int32, virtual key byte, modifier byte
    kKeyUp,         // character int32, virtual key byte, modifier byte
    kExpose,        // left, top, right, bottom coordinates
    kReadTexts,     // index int32: every text opcode for that index
    kRenameProgram  // text: effSetProgramName
};

constexpr int kOperationCount = static_cast<int>(HostOperation::kRenameProgram) + 1;

// How processReplacing gets its buffers: separate ones, or the input buffer
// handed back as one of the outputs (taken modulo kProcessLayoutCount).
enum class ProcessLayout : std::uint8_t { kSeparate, kInPlaceFirst, kInPlaceSecond };
constexpr int kProcessLayoutCount = 3;

// The input signal of one block (taken modulo kSignalShapeCount); every shape
// is scaled by the amplitude.
enum class SignalShape : std::uint8_t { kSilence, kNoise, kConstant, kImpulse, kSpecial };
constexpr int kSignalShapeCount = 5;

constexpr int kMaxProcessFrames = 8192;
