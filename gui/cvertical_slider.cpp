#include "gui/cvertical_slider.h"

#include <cmath>

#include "gui/cbitmap.h"

CVerticalSlider::CVerticalSlider(const CRect& sliderSize, CControlListener* listenerIn, long tagIn,
                                 long minHandlePosition, long maxHandlePosition, CBitmap* handleBitmap,
                                 CBitmap* backgroundBitmap, const CPoint& offset, long styleIn)
    : CControl(sliderSize, listenerIn, tagIn, backgroundBitmap),
      minPosition(minHandlePosition),
      maxPosition(maxHandlePosition),
      handle(handleBitmap),
      backgroundOffset(offset),
      style(styleIn | kVertical) {
    if (handle != nullptr) handle->remember();
}

CVerticalSlider::~CVerticalSlider() {
    if (handle != nullptr) handle->forget();
}

float CVerticalSlider::handleTopFor(float forValue) const {
    float normalized = (forValue - minValue) / (maxValue - minValue);
    if (!(normalized >= 0.0f)) normalized = 0.0f;
    if (normalized > 1.0f) normalized = 1.0f;
    const float travel = static_cast<float>(maxPosition - minPosition);
    const float fromTop = (style & kTop) != 0 ? normalized : 1.0f - normalized;
    return static_cast<float>(minPosition) + fromTop * travel;
}

float CVerticalSlider::valueAtHandleTop(float handleTop) const {
    const float travel = static_cast<float>(maxPosition - minPosition);
    float fromTop = travel > 0.0f ? (handleTop - static_cast<float>(minPosition)) / travel : 0.0f;
    if (fromTop < 0.0f) fromTop = 0.0f;
    if (fromTop > 1.0f) fromTop = 1.0f;
    const float normalized = (style & kTop) != 0 ? fromTop : 1.0f - fromTop;
    return minValue + normalized * (maxValue - minValue);
}

CRect CVerticalSlider::handleRect(float forValue) const {
    const CCoord width = handle != nullptr ? handle->getWidth() : 0;
    const CCoord height = handle != nullptr ? handle->getHeight() : 0;
    const auto top = static_cast<CCoord>(std::lround(handleTopFor(forValue))) + offsetHandle.v;
    const CCoord left = size.left + offsetHandle.h;
    return CRect(left, top, left + width, top + height);
}

void CVerticalSlider::draw(CDrawContext* context) {
    const float shown = valueForDrawing();
    if (background != nullptr) background->draw(context, size, backgroundOffset);
    if (handle != nullptr) handle->drawTransparent(context, handleRect(shown));
    setDirty(false);
}

void CVerticalSlider::userSets(float newValue) {
    if (!(newValue >= minValue)) newValue = minValue;
    if (newValue > maxValue) newValue = maxValue;
    if (newValue == getValue()) return;
    setValue(newValue);
    notifyListener();
}

CMouseEventResult CVerticalSlider::onMouseDown(CPoint& where, const CButtonState& buttons) {
    if ((buttons & kLButton) == 0) return kMouseEventNotHandled;
    if ((buttons & kControl) != 0 &&
        (listener == nullptr || listener->controlModifierClicked(nullptr, this, buttons) == 0)) {
        // Back to the default, told to the listener as a drag would be.
        beginEdit();
        setValue(defaultValue);
        notifyListener();
        endEdit();
        return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
    }
    beginEdit();
    dragging = true;
    fineDrag = false;
    lastPointerV = where.v;
    const CRect grip = handleRect(getValue());
    if (where.v >= grip.top && where.v < grip.bottom) {
        // On the handle: it moves with the pointer, keeping where it was held.
        grabOffset = static_cast<float>(where.v) - handleTopFor(getValue());
    } else {
        // On the groove: the handle jumps there, held by its middle.
        grabOffset = static_cast<float>(grip.height()) / 2.0f;
        userSets(valueAtHandleTop(static_cast<float>(where.v) - grabOffset));
    }
    return kMouseEventHandled;
}

CMouseEventResult CVerticalSlider::onMouseMoved(CPoint& where, const CButtonState& buttons) {
    if (!dragging) return kMouseEventNotHandled;
    if ((buttons & kShift) != 0) {
        // Ten times finer: the pointer's movement since the last event moves
        // the value by a tenth of what it would move the handle.
        fineDrag = true;
        const float travel = static_cast<float>(maxPosition - minPosition) * zoomFactor;
        const float moved = static_cast<float>(where.v - lastPointerV) / travel * (maxValue - minValue);
        userSets((style & kTop) != 0 ? getValue() + moved : getValue() - moved);
    } else {
        if (fineDrag) {
            // Back to a plain drag from where the fine one left the handle.
            fineDrag = false;
            grabOffset = static_cast<float>(where.v) - handleTopFor(getValue());
        }
        userSets(valueAtHandleTop(static_cast<float>(where.v) - grabOffset));
    }
    lastPointerV = where.v;
    return kMouseEventHandled;
}

CMouseEventResult CVerticalSlider::onMouseUp(CPoint&, const CButtonState&) {
    if (!dragging) return kMouseEventNotHandled;
    dragging = false;
    fineDrag = false;
    endEdit();
    return kMouseEventHandled;
}

bool CVerticalSlider::onWheel(const CPoint&, float distance, const CButtonState&) {
    if (!std::isfinite(distance) || distance == 0.0f) return false;
    beginEdit();
    userSets(getValue() + distance * wheelInc);
    endEdit();
    return true;
}

bool CVerticalSlider::onKeyDown(VstKeyCode& keyCode) {
    float direction = 0.0f;
    if (keyCode.virt == VKEY_UP) direction = 1.0f;
    if (keyCode.virt == VKEY_DOWN) direction = -1.0f;
    if (direction == 0.0f) return false;
    beginEdit();
    userSets(getValue() + direction * wheelInc);
    endEdit();
    return true;
}
