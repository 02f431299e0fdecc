// The panel as a table: for each of the four sliders, the parameter it edits,
// how its slider and its read-out show that parameter, and the read-out's
// converter; plus the Random button. Building the panel, following parameter
// changes and sending the user's changes all go through these mappings.
#pragma once

#include "editor/readout_converters.h"
#include "engine/adelay.h"
#include "gui/bitmap_resources.h"
#include "gui/cparam_display.h"

struct SliderColumn {
    VstInt32 tag;                          // = the parameter's index
    bool sliderInverted;                   // the slider shows 1 - p
    bool readoutInverted;                  // the read-out holds 1 - p
    CParamDisplay::StringConvert convert;  // the read-out's text
};

constexpr int kSliderCount = 4;
constexpr SliderColumn kSliderColumns[kSliderCount] = {
    {kDepthParam, true, false, depthToText},
    {kSpeedParam, true, false, speedToText},
    {kMaxSpeedParam, true, false, speedToText},
    {kChangeRateParam, false, true, changeTimeToText},
};
constexpr VstInt32 kRandomButtonTag = kRandomParam;

// The column of the slider with this tag, or -1 (the button, Ping Pong and
// unknown tags have none).
int columnIndexFor(VstInt32 tag);

// Each mapping is its own inverse: p -> control -> p gives p back (up to
// float rounding).
float controlValueFor(VstInt32 tag, float parameterValue);
float parameterValueFor(VstInt32 tag, float controlValue);
float readoutValueFor(VstInt32 tag, float parameterValue);

// Where things sit, from the artwork's sizes.
constexpr CCoord kSliderLeft = 65;
constexpr CCoord kSliderTop = 75;
constexpr CCoord kColumnGap = 60;  // between one groove's right edge and the next one's left
constexpr CCoord kReadoutLeft = 60;
constexpr CCoord kReadoutTop = 250;
constexpr CCoord kReadoutWidth = 32;
constexpr CCoord kReadoutBottom = 264;
constexpr CCoord kButtonLeftBeforeGrooves = 240;  // plus three groove widths: under read-out 3
constexpr CCoord kButtonTop = 338;

constexpr CColor kDisplayFontColor{204, 204, 204, 0};
constexpr CColor kDisplayBackColor{51, 51, 51, 0};
