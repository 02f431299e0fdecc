// How an effect tells its editor that a parameter changed. The editor binding
// implements it and registers itself with the effect, so the effect moves the
// editor's controls without knowing any editor class.
#pragma once

#include "host/aeffect.h"

class EditorParameterHook {
public:
    // Called at the end of every setParameter, on whichever thread made it.
    virtual void setParameter(VstInt32 index, float value) = 0;

protected:
    ~EditorParameterHook() = default;
};
