// What a host passes with one dispatcher opcode, made valid the way hosts
// make it: a text buffer to fill, a text to read, a slot for a pointer the
// plug-in hands back, a zeroed structure, or nothing at all; and the checks
// of what the plug-in wrote there or handed back.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "host/aeffect.h"

enum class PointerKind {
    kNone,          // hosts pass null
    kTextOut,       // a 256-byte text buffer the plug-in fills
    kTextIn,        // a terminated text the plug-in reads
    kRectSlot,      // ERect**: the plug-in stores a pointer to its rectangle
    kChunkSlot,     // void**: the plug-in stores a pointer to its chunk
    kChunkData,     // chunk bytes, their count in value
    kStructure,     // a zeroed structure of the opcode's type
    kStructures,    // one zeroed structure, value counting them (1)
    kSpeakerPair,   // value and ptr: a zeroed speaker arrangement each
    kSpeakerSlots,  // value and ptr: slots for the plug-in's arrangements
};

PointerKind pointerKindOf(VstInt32 opcode);

class DispatchArguments {
public:
    // passNull: hand null instead, as a careless host might. text: what a
    // kTextIn opcode reads.
    DispatchArguments(VstInt32 opcode, VstIntPtr value, bool passNull, const std::string& text);

    void* ptr() const { return pointer; }
    VstIntPtr value() const { return valueArgument; }

    // Fails the run on a text written out of bounds, or on a pointer handed
    // back that does not lead to readable memory of the size promised.
    void checkAfter(VstInt32 index, VstIntPtr result) const;

private:
    VstInt32 opcode;
    PointerKind kind;
    VstIntPtr valueArgument;
    void* pointer = nullptr;
    std::unique_ptr<unsigned char[]> buffer;
    std::unique_ptr<unsigned char[]> secondBuffer;
    void* slots[2] = {nullptr, nullptr};
};
