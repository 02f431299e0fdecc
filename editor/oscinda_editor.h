// The plug-in's window: a 462 x 355 bitmap panel with four sliders (Depth,
// Speed, Maximum Speed, Change Rate), a read-out under each and an on/off
// button for Random, all tied to the effect's parameters in both directions.
//
// Threads: open, close, idle and valueChanged run on the host's editor
// thread; setParameter (the effect's hook) runs on whichever thread changed
// the parameter, automation and audio threads included. It only stores
// values into the controls, and close waits for any such call that is under
// way before the controls go.
#pragma once

#include <atomic>

#include "gui/aeffguieditor.h"
#include "gui/ccontrol_listener.h"

class CBitmap;
class COnOffButton;
class CParamDisplay;
class CVerticalSlider;

class OscindaEditor : public AEffGUIEditor, public CControlListener {
public:
    explicit OscindaEditor(AudioEffect* effect);
    ~OscindaEditor() override;

    // Builds the panel in the host's window (offscreen when ptr is null). A
    // panel already open is closed first.
    bool open(void* ptr) override;
    void close() override;
    // Moves the controls of index to the value the effect kept.
    void setParameter(VstInt32 index, float value) override;
    // The user moved a control: the effect hears it (the sliders as
    // automation the host records).
    void valueChanged(CDrawContext* context, CControl* control) override;

    bool isPanelOpen() const { return panelOpen.load(); }

private:
    CVerticalSlider* sliders[4] = {};
    COnOffButton* randomButton = nullptr;
    CParamDisplay* displays[4] = {};
    CBitmap* backgroundBitmap = nullptr;
    // Sequentially consistent, with updatesUnderWay: an update that saw the
    // panel open has finished before close deletes the controls.
    std::atomic<bool> panelOpen{false};
    std::atomic<int> updatesUnderWay{0};
};
