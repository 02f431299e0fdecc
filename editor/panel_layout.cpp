#include "editor/panel_layout.h"

namespace {

const SliderColumn* columnFor(VstInt32 tag) {
    for (const SliderColumn& column : kSliderColumns)
        if (column.tag == tag) return &column;
    return nullptr;
}

}  // namespace

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
