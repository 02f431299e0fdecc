// A vertical slider: a handle bitmap moving over a groove bitmap. The handle's
// top edge travels between two positions in frame coordinates; with kBottom
// (the default) value 0 puts it at the bottom of that travel and value 1 at
// the top.
//
// The user drags the handle (anywhere on the groove grabs it there), drags ten
// times finer with Shift held, sets the default value with a Control-click,
// and steps it with the wheel or the up and down arrow keys. Every gesture is
// bracketed by beginEdit and endEdit.
#pragma once

#include "gui/ccontrol.h"

enum CSliderStyle : long {
    kHorizontal = 1 << 0,
    kVertical = 1 << 1,
    kLeft = 1 << 2,
    kRight = 1 << 3,
    kTop = 1 << 4,
    kBottom = 1 << 5,
};

class CVerticalSlider : public CControl {
public:
    CVerticalSlider(const CRect& size, CControlListener* listener, long tag, long minHandlePosition,
                    long maxHandlePosition, CBitmap* handle, CBitmap* background, const CPoint& offset = CPoint(0, 0),
                    long style = kBottom);
    ~CVerticalSlider() override;

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
    bool onWheel(const CPoint& where, float distance, const CButtonState& buttons) override;
    bool onKeyDown(VstKeyCode& keyCode) override;

    // Where the handle sits against the slider's left edge and its travel.
    void setOffsetHandle(const CPoint& offset) { offsetHandle = offset; }
    const CPoint& getOffsetHandle() const { return offsetHandle; }
    void setZoomFactor(float factor) { zoomFactor = factor; }
    float getZoomFactor() const { return zoomFactor; }
    long getStyle() const { return style; }

    // The handle's rectangle in frame coordinates for a value.
    CRect handleRect(float forValue) const;

private:
    float valueAtHandleTop(float handleTop) const;
    float handleTopFor(float forValue) const;
    // Applies a value the user chose, and tells the listener when it changed.
    void userSets(float newValue);

    long minPosition;
    long maxPosition;
    CBitmap* handle;
    CPoint backgroundOffset;
    CPoint offsetHandle;
    long style;
    float zoomFactor = 10.0f;

    // Drag state (editor thread).
    bool dragging = false;
    float grabOffset = 0.0f;  // pointer's distance below the handle's top
    bool fineDrag = false;
    CCoord lastPointerV = 0;
};
