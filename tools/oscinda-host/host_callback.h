// What the tool answers when a plug-in calls back into its host. The callback
// carries no context pointer (the plug-in calls it before its record exists),
// so the answers come from one process-wide state: the tool hosts one
// plug-in at a time.
#pragma once

#include "host/aeffect.h"

struct HostState {
    float sampleRate = 44100.0f;
    VstInt32 blockSize = 512;
    bool ioChanged = false;  // the plug-in announced new input/output counts
};

HostState& hostState();

VstIntPtr VSTCALLBACK hostCallback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                   float opt);
