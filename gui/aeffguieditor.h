// The editor binding between the widget layer and the effect: the editor's
// rectangle, its frame's life between open and close, the idle pass, key
// forwarding, knob mode, the parameter hook the effect calls, and the edit
// brackets that reach the host.
#pragma once

#include "host/aeffeditor.h"
#include "host/editor_parameter_hook.h"

class CFrame;

class AEffGUIEditor : public AEffEditor, public EditorParameterHook {
public:
    explicit AEffGUIEditor(AudioEffect* owner);
    ~AEffGUIEditor() override;

    bool getRect(ERect** ppRect) override;
    // Remembers the host's window; the concrete editor builds its frame.
    bool open(void* ptr) override;
    // Deletes the frame, and with it the window and every control.
    void close() override;
    // Lets the frame take its window's events and redraw what changed,
    // unless an idle pass is already running (a host may call idle again
    // from inside a request the editor made).
    void idle() override;
    bool onKeyDown(VstKeyCode& keyCode) override;
    bool onKeyUp(VstKeyCode& keyCode) override;
    bool setKnobMode(VstInt32 val) override;
    VstInt32 getKnobMode() const { return knobMode; }

    // Called by the effect after every parameter change; the concrete editor
    // moves its controls.
    void setParameter(VstInt32 /*index*/, float /*value*/) override {}

    // Brackets around a user gesture, passed on to the host.
    virtual void beginEdit(VstInt32 index);
    virtual void endEdit(VstInt32 index);
    // The idle step while the user drags: the host gets its idle time.
    virtual void doIdleStuff();

    CFrame* getFrame() const { return frame; }

    // Marks a call into the frame while it lives; the outermost one deletes a
    // frame that was closed meanwhile. Whatever enters the frame from outside
    // the editor's own calls (a window system delivering its messages) does
    // so inside one. A null editor marks nothing.
    class FrameCall {
    public:
        explicit FrameCall(AEffGUIEditor* calling);
        ~FrameCall();
        FrameCall(const FrameCall&) = delete;
        FrameCall& operator=(const FrameCall&) = delete;

    private:
        AEffGUIEditor* editor;
    };

protected:
    // Deletes the frame now or, when called from inside the frame's own
    // event handling (a host may close the editor from a request the editor
    // made), once that handling is over.
    void deleteFrame();

    ERect rect{0, 0, 0, 0};
    CFrame* frame = nullptr;
    VstInt32 knobMode = 0;

private:
    bool inIdle = false;
    int frameCallDepth = 0;
    CFrame* frameToDelete = nullptr;
#ifdef _WIN32
    bool oleStarted = false;  // OLE is on for the thread that built the editor
#endif
};
