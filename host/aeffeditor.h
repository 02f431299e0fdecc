// The editor as the effect and the dispatcher know it. A concrete editor
// replaces what it offers; every base answer is "nothing here".
#pragma once

#include "host/aeffect.h"

class AudioEffect;

class AEffEditor {
public:
    // Registers the editor with its effect: the effect owns it from now on and
    // the record announces an editor.
    explicit AEffEditor(AudioEffect* effect);
    virtual ~AEffEditor() = default;

    virtual AudioEffect* getEffect() { return effect; }
    virtual bool getRect(ERect** rect);
    virtual bool open(void* ptr) {
        systemWindow = ptr;
        return false;
    }
    virtual void close() { systemWindow = nullptr; }
    virtual bool isOpen() { return systemWindow != nullptr; }
    virtual void idle() {}
    virtual bool onKeyDown(VstKeyCode& /*keyCode*/) { return false; }
    virtual bool onKeyUp(VstKeyCode& /*keyCode*/) { return false; }
    virtual bool onWheel(float /*distance*/) { return false; }
    virtual bool setKnobMode(VstInt32 /*val*/) { return false; }

protected:
    AudioEffect* effect;
    void* systemWindow = nullptr;
};
