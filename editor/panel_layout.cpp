#include "editor/panel_layout.h"

namespace {

const SliderColumn* columnFor(VstInt32 tag) {
    const int index = columnIndexFor(tag);
    return index >= 0 ? &kSliderColumns[index] : nullptr;
}

}  // namespace

int columnIndexFor(VstInt32 tag) {
    for (int k = 0; k < kSliderCount; ++k)
        if (kSliderColumns[k].tag == tag) return k;
    return -1;
}

float controlValueFor(VstInt32 tag, float parameterValue) {
    if (tag == kRandomButtonTag) return 1.0f - parameterValue;
    const SliderColumn* column = columnFor(tag);
    return column != nullptr && column->sliderInverted ? 1.0f - parameterValue : parameterValue;
}

float parameterValueFor(VstInt32 tag, float controlValue) { return controlValueFor(tag, controlValue); }

float readoutValueFor(VstInt32 tag, float parameterValue) {
    const SliderColumn* column = columnFor(tag);
    return column != nullptr && column->readoutInverted ? 1.0f - parameterValue : parameterValue;
}
