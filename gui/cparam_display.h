// A read-out: a filled box with a one-pixel frame and a text made from the
// control's value by a string converter, centred. It takes no events.
#pragma once

#include "gui/ccolor.h"
#include "gui/ccontrol.h"
#include "gui/cfont.h"

// Drawing flags of a read-out's style; any other bit changes nothing.
enum CParamDisplayStyle : long {
    k3DIn = 1 << 1,
    k3DOut = 1 << 2,
    kShadowText = 1 << 3,
    kNoTextStyle = 1 << 4,
    kNoDrawStyle = 1 << 5,
    kNoFrame = 1 << 6,
};

class CParamDisplay : public CControl {
public:
    // Writes the text for a value into a buffer that holds kTextSize bytes and
    // arrives empty.
    using StringConvert = void (*)(float value, char* text);
    static constexpr int kTextSize = 256;

    CParamDisplay(const CRect& size, CBitmap* background = nullptr, long style = 0);

    void draw(CDrawContext* context) override;

    void setFont(CFont font) { fontId = font; }
    CFont getFont() const { return fontId; }
    void setFontColor(const CColor& colour) { fontColor = colour; }
    void setBackColor(const CColor& colour) { backColor = colour; }
    void setFrameColor(const CColor& colour) { frameColor = colour; }
    void setShadowColor(const CColor& colour) { shadowColor = colour; }
    void setStringConvert(StringConvert convert) { stringConvert = convert; }
    long getStyle() const { return style; }

    // The text the read-out shows for a value.
    void textFor(float forValue, char (&text)[kTextSize]) const;

private:
    long style;
    CFont fontId = kSystemFont;
    CColor fontColor = kWhiteCColor;
    CColor backColor = kBlackCColor;
    CColor frameColor = kBlackCColor;
    CColor shadowColor{0, 0, 0, 0};
    StringConvert stringConvert = nullptr;
};
