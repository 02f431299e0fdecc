// A two-state button drawn from one bitmap holding two frames stacked
// vertically: the top frame while the value is at its minimum (below the
// middle of the range), the bottom one otherwise. A click toggles the value
// between minimum and maximum.
#pragma once

#include "gui/ccontrol.h"

class COnOffButton : public CControl {
public:
    COnOffButton(const CRect& size, CControlListener* listener, long tag, CBitmap* background, long style = 0);

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;

    long getStyle() const { return style; }
    // Which frame a value shows: 0 the top one, 1 the bottom one.
    int frameFor(float forValue) const;

private:
    long style;
};
