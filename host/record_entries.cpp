#include "host/record_entries.h"

#include "host/audioeffect.h"

namespace {

AudioEffect* effectOf(AEffect* e) { return e != nullptr ? static_cast<AudioEffect*>(e->object) : nullptr; }

}  // namespace

VstIntPtr VSTCALLBACK dispatchEffectClass(AEffect* e, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                          float opt) {
    AudioEffect* effect = effectOf(e);
    if (effect == nullptr) return 0;
    if (opcode == effClose) {
        // The effect's own answer is dropped: the host learns that the
        // instance is gone, and must not touch the record again.
        effect->dispatcher(opcode, index, value, ptr, opt);
        delete effect;
        return 1;
    }
    return effect->dispatcher(opcode, index, value, ptr, opt);
}

void VSTCALLBACK processEffectClass(AEffect* e, float** inputs, float** outputs, VstInt32 sampleFrames) {
    if (AudioEffect* effect = effectOf(e)) effect->process(inputs, outputs, sampleFrames);
}

void VSTCALLBACK processReplacingEffectClass(AEffect* e, float** inputs, float** outputs, VstInt32 sampleFrames) {
    if (AudioEffect* effect = effectOf(e)) effect->processReplacing(inputs, outputs, sampleFrames);
}

void VSTCALLBACK processDoubleReplacingEffectClass(AEffect* e, double** inputs, double** outputs,
                                                   VstInt32 sampleFrames) {
    if (AudioEffect* effect = effectOf(e)) effect->processDoubleReplacing(inputs, outputs, sampleFrames);
}

void VSTCALLBACK setParameterEffectClass(AEffect* e, VstInt32 index, float value) {
    if (AudioEffect* effect = effectOf(e)) effect->setParameter(index, value);
}

float VSTCALLBACK getParameterEffectClass(AEffect* e, VstInt32 index) {
    AudioEffect* effect = effectOf(e);
    return effect != nullptr ? effect->getParameter(index) : 0.0f;
}
