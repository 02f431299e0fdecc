#include "engine/adelay.h"

#include <new>

#include "host/text_copy.h"

AudioEffect* createEffectInstance(audioMasterCallback audioMaster) { return new (std::nothrow) ADelay(audioMaster); }

ADelay::ADelay(audioMasterCallback audioMaster) : AudioEffectX(audioMaster, 16, 6) {
    setNumInputs(1);
    setNumOutputs(2);
    setUniqueID(kOscindaUniqueId);
}

void ADelay::processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) {
    for (VstInt32 i = 0; i < sampleFrames; ++i) outputs[0][i] = outputs[1][i] = inputs[0][i];
}

bool ADelay::getEffectName(char* name) {
    copyText(name, "Oscinda", kVstMaxEffectNameLen);
    return true;
}
bool ADelay::getVendorString(char* text) {
    copyText(text, "Zelmora", kVstMaxVendorStrLen);
    return true;
}
bool ADelay::getProductString(char* text) {
    copyText(text, "Oscinda", kVstMaxProductStrLen);
    return true;
}
