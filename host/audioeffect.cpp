#include "host/audioeffect.h"

#include <cstring>

#include "host/aeffeditor.h"
#include "host/record_entries.h"
#include "host/text_copy.h"
#include "host/value_text.h"

AudioEffect::AudioEffect(audioMasterCallback audioMasterIn, VstInt32 numProgramsIn, VstInt32 numParamsIn)
    : audioMaster(audioMasterIn), numPrograms(numProgramsIn), numParams(numParamsIn) {
    std::memset(&cEffect, 0, sizeof cEffect);
    cEffect.magic = kEffectMagic;
    cEffect.dispatcher = dispatchEffectClass;
    cEffect.process = processEffectClass;
    cEffect.setParameter = setParameterEffectClass;
    cEffect.getParameter = getParameterEffectClass;
    cEffect.numPrograms = numPrograms;
    cEffect.numParams = numParams;
    cEffect.numInputs = 1;
    cEffect.numOutputs = 2;
    cEffect.flags = effFlagsCanReplacing;
    cEffect.ioRatio = 1.0f;
    cEffect.object = this;
    cEffect.version = 1;
    cEffect.processReplacing = processReplacingEffectClass;
    cEffect.processDoubleReplacing = processDoubleReplacingEffectClass;
}

AudioEffect::~AudioEffect() { delete editor; }

void AudioEffect::setEditor(AEffEditor* newEditor) {
    editor = newEditor;
    if (editor != nullptr) {
        cEffect.flags |= effFlagsHasEditor;
    } else {
        cEffect.flags &= ~effFlagsHasEditor;
        editorParameterHook = nullptr;
    }
}

VstIntPtr AudioEffect::callHost(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
    if (audioMaster == nullptr) return 0;
    return audioMaster(&cEffect, opcode, index, value, ptr, opt);
}

void AudioEffect::setParameterAutomated(VstInt32 index, float value) {
    setParameter(index, value);
    callHost(audioMasterAutomate, index, 0, nullptr, value);
}

void AudioEffect::masterIdle() { callHost(audioMasterIdle); }

void AudioEffect::getProgramName(char* name) { copyText(name, "", 0); }
void AudioEffect::getParameterLabel(VstInt32 /*index*/, char* label) { copyText(label, "", 0); }
void AudioEffect::getParameterDisplay(VstInt32 /*index*/, char* text) { copyText(text, "", 0); }
void AudioEffect::getParameterName(VstInt32 /*index*/, char* text) { copyText(text, "", 0); }

void AudioEffect::dB2string(float value, char* text, VstInt32 maxLen) { decibelsToText(value, text, maxLen); }

void AudioEffect::Hz2string(float samples, char* text, VstInt32 maxLen) {
    samplesToHertzText(samples, getSampleRate(), text, maxLen);
}

void AudioEffect::ms2string(float samples, char* text, VstInt32 maxLen) {
    samplesToMillisecondsText(samples, getSampleRate(), text, maxLen);
}

void AudioEffect::float2string(float value, char* text, VstInt32 maxLen) { floatToText(value, text, maxLen); }

void AudioEffect::int2string(VstInt32 value, char* text, VstInt32 maxLen) { intToText(value, text, maxLen); }
