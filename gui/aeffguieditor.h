// The editor binding between the widget layer and the effect: the editor's
// rectangle, knob mode, the parameter hook the effect calls, and the edit
// brackets that reach the host.
#pragma once

#include "host/aeffeditor.h"
#include "host/editor_parameter_hook.h"

class AEffGUIEditor : public AEffEditor, public EditorParameterHook {
public:
    explicit AEffGUIEditor(AudioEffect* owner);

    bool getRect(ERect** ppRect) override;
    bool setKnobMode(VstInt32 val) override;
    VstInt32 getKnobMode() const { return knobMode; }

    // Called by the effect after every parameter change; the concrete editor
    // moves its controls.
    void setParameter(VstInt32 /*index*/, float /*value*/) override {}

    // Brackets around a user gesture, passed on to the host.
    virtual void beginEdit(VstInt32 index);
    virtual void endEdit(VstInt32 index);

protected:
    ERect rect{0, 0, 0, 0};
    VstInt32 knobMode = 0;
};
