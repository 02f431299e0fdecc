#include "host/audioeffectx.h"

AudioEffectX::AudioEffectX(audioMasterCallback audioMasterIn, VstInt32 numProgramsIn, VstInt32 numParamsIn)
    : AudioEffect(audioMasterIn, numProgramsIn, numParamsIn) {}
