// The buffer a host allocates for each opcode that writes text, terminator
// included; what every test of text bounds measures against.
#pragma once

#include "host/aeffect.h"

// 0 for an opcode that writes no text.
inline int hostTextSize(VstInt32 opcode) {
    switch (opcode) {
    case effGetProgramName:
    case effGetProgramNameIndexed: return kVstMaxProgNameLen;
    case effGetParamLabel:
    case effGetParamDisplay: return kVstMaxParamStrLen;
    case effGetParamName: return kVstExtMaxParamStrLen;
    case effGetEffectName: return kVstMaxEffectNameLen;
    case effGetVendorString: return kVstMaxVendorStrLen;
    case effGetProductString:
    case effShellGetNextPlugin: return kVstMaxProductStrLen;
    default: return 0;
    }
}
