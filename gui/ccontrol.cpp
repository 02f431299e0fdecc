#include "gui/ccontrol.h"

#include <cstring>

#include "gui/cframe.h"

namespace {

// NaN and -0 compare by their bits, so a NaN value does not redraw forever.
bool sameBits(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }

}  // namespace

CControl::CControl(const CRect& controlSize, CControlListener* listenerIn, long tagIn, CBitmap* backgroundIn)
    : CView(controlSize), tag(tagIn), listener(listenerIn) {
    setBackground(backgroundIn);
}

void CControl::beginEdit() {
    if (frame != nullptr) frame->beginEdit(tag);
}

void CControl::endEdit() {
    if (frame != nullptr) frame->endEdit(tag);
}

void CControl::bounceValue() {
    const float current = getValue();
    if (!(current >= minValue))
        setValue(minValue);
    else if (current > maxValue)
        setValue(maxValue);
}

bool CControl::isDirty() const { return CView::isDirty() || !sameBits(getValue(), drawnValue); }

float CControl::valueForDrawing() {
    drawnValue = getValue();
    return drawnValue;
}

void CControl::notifyListener() {
    if (listener != nullptr) listener->valueChanged(nullptr, this);
}
