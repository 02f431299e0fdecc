// The tremolo effect. Placeholder until the engine lands: identity answers
// and a pass-through to both outputs.
#pragma once

#include "host/audioeffectx.h"

class ADelay : public AudioEffectX {
public:
    explicit ADelay(audioMasterCallback audioMaster);

    void processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) override;

    bool getEffectName(char* name) override;
    bool getVendorString(char* text) override;
    bool getProductString(char* text) override;
    VstInt32 getVendorVersion() override { return 1000; }
    VstInt32 getVstVersion() override { return 2400; }
    VstInt32 getPlugCategory() override { return kPlugCategEffect; }
};
