// The plain functions the record hands the host. Each takes the record,
// finds the effect behind its object field and calls the effect's operation.
#pragma once

#include "host/aeffect.h"

VstIntPtr VSTCALLBACK dispatchEffectClass(AEffect* e, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                          float opt);
void VSTCALLBACK processEffectClass(AEffect* e, float** inputs, float** outputs, VstInt32 sampleFrames);
void VSTCALLBACK processReplacingEffectClass(AEffect* e, float** inputs, float** outputs, VstInt32 sampleFrames);
void VSTCALLBACK processDoubleReplacingEffectClass(AEffect* e, double** inputs, double** outputs,
                                                   VstInt32 sampleFrames);
void VSTCALLBACK setParameterEffectClass(AEffect* e, VstInt32 index, float value);
float VSTCALLBACK getParameterEffectClass(AEffect* e, VstInt32 index);
