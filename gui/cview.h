// The base of everything on a frame: a rectangle that draws itself and may
// take mouse, wheel and key events. Views are reference counted; the frame
// holds the one reference of every view added to it.
#pragma once

#include "gui/crect.h"
#include "gui/creference_counter.h"
#include "gui/mouse_buttons.h"
#include "host/aeffect.h"

class CBitmap;
class CDrawContext;
class CFrame;

enum CMouseEventResult {
    kMouseEventNotHandled = 0,
    kMouseEventHandled,  // the view follows the mouse until the button goes up
    kMouseDownEventHandledButDontNeedMovedOrUpEvents,
};

class CView : public CReferenceCounter {
public:
    explicit CView(const CRect& size);
    ~CView() override;

    virtual void draw(CDrawContext* context);

    virtual CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons);
    virtual CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons);
    virtual CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons);
    // distance in wheel notches, positive up; true when the view took it.
    virtual bool onWheel(const CPoint& where, float distance, const CButtonState& buttons);
    // true when the view took the key.
    virtual bool onKeyDown(VstKeyCode& keyCode);
    virtual bool onKeyUp(VstKeyCode& keyCode);

    // Whether the view must be drawn again at the next idle.
    virtual bool isDirty() const { return dirty; }
    virtual void setDirty(bool needsDrawing = true) { dirty = needsDrawing; }

    const CRect& getViewSize() const { return size; }
    bool getMouseEnabled() const { return mouseEnabled; }
    void setMouseEnabled(bool enabled) { mouseEnabled = enabled; }

    // The bitmap drawn behind the view's content; the view remembers it.
    void setBackground(CBitmap* bitmap);
    CBitmap* getBackground() const { return background; }

    CFrame* getFrame() const { return frame; }
    void setFrame(CFrame* owner) { frame = owner; }

protected:
    CRect size;
    CBitmap* background = nullptr;
    CFrame* frame = nullptr;
    bool dirty = true;
    bool mouseEnabled = true;
};
