// What a control tells its owner when the user changes it.
#pragma once

class CControl;
class CDrawContext;

class CControlListener {
public:
    virtual ~CControlListener() = default;

    // The user changed control's value; context may be null (controls draw at
    // the next idle, not inside events).
    virtual void valueChanged(CDrawContext* context, CControl* control) = 0;
    // A click with a modifier key held; non-zero when the listener handled it,
    // 0 to let the control handle it itself.
    virtual long controlModifierClicked(CDrawContext* /*context*/, CControl* /*control*/, long /*button*/) { return 0; }
};
