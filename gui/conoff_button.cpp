#include "gui/conoff_button.h"

#include "gui/cbitmap.h"

COnOffButton::COnOffButton(const CRect& buttonSize, CControlListener* listenerIn, long tagIn, CBitmap* backgroundIn,
                           long styleIn)
    : CControl(buttonSize, listenerIn, tagIn, backgroundIn), style(styleIn) {}

int COnOffButton::frameFor(float forValue) const { return forValue >= (minValue + maxValue) / 2.0f ? 1 : 0; }

void COnOffButton::draw(CDrawContext* context) {
    const float shown = valueForDrawing();
    if (background != nullptr) {
        const CCoord frameHeight = background->getHeight() / 2;
        background->draw(context, size, CPoint(0, frameFor(shown) * frameHeight));
    }
    setDirty(false);
}

CMouseEventResult COnOffButton::onMouseDown(CPoint&, const CButtonState& buttons) {
    if ((buttons & kLButton) == 0) return kMouseEventNotHandled;
    beginEdit();
    setValue(frameFor(getValue()) == 1 ? minValue : maxValue);
    notifyListener();
    endEdit();
    return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
}
