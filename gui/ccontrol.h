// A view with a value (0..1 by default), a tag that names what it edits, and
// a listener told of every change the user makes.
//
// Threads: setValue may come from any thread (the effect moves controls when
// a host automates a parameter) while the editor's thread draws; the value is
// one relaxed atomic float, and a control is dirty while its value differs
// from the one it last drew.
#pragma once

#include <atomic>

#include "gui/ccontrol_listener.h"
#include "gui/cview.h"

class CControl : public CView {
public:
    CControl(const CRect& size, CControlListener* listener = nullptr, long tag = 0, CBitmap* background = nullptr);

    virtual void setValue(float newValue) { value.store(newValue, std::memory_order_relaxed); }
    virtual float getValue() const { return value.load(std::memory_order_relaxed); }

    void setMin(float minimum) { minValue = minimum; }
    float getMin() const { return minValue; }
    void setMax(float maximum) { maxValue = maximum; }
    float getMax() const { return maxValue; }
    void setDefaultValue(float defaultValueIn) { defaultValue = defaultValueIn; }
    float getDefaultValue() const { return defaultValue; }
    void setWheelInc(float increment) { wheelInc = increment; }
    float getWheelInc() const { return wheelInc; }

    long getTag() const { return tag; }
    void setTag(long newTag) { tag = newTag; }
    CControlListener* getListener() const { return listener; }
    void setListener(CControlListener* newListener) { listener = newListener; }

    // Brackets around one user gesture, passed to the frame's editor with the tag.
    void beginEdit();
    void endEdit();

    // Keeps the value inside min..max (a NaN becomes min).
    void bounceValue();

    // Also dirty while the value differs from the one last drawn.
    bool isDirty() const override;

protected:
    // The value to draw now; the control counts as drawn with it.
    float valueForDrawing();
    // Tells the listener, as the user's change.
    void notifyListener();

    std::atomic<float> value{0.0f};
    float minValue = 0.0f;
    float maxValue = 1.0f;
    float defaultValue = 0.5f;
    float wheelInc = 0.1f;
    long tag;
    CControlListener* listener;

private:
    float drawnValue = 0.0f;  // editor thread only
};
