#include "gui/cparam_display.h"

#include <cstdio>

#include "gui/cbitmap.h"
#include "gui/cdrawcontext.h"

CParamDisplay::CParamDisplay(const CRect& displaySize, CBitmap* backgroundIn, long styleIn)
    : CControl(displaySize, nullptr, 0, backgroundIn), style(styleIn) {
    setMouseEnabled(false);
}

void CParamDisplay::textFor(float forValue, char (&text)[kTextSize]) const {
    text[0] = '\0';
    if (stringConvert != nullptr)
        stringConvert(forValue, text);
    else
        std::snprintf(text, kTextSize, "%2.2f", static_cast<double>(forValue));
    text[kTextSize - 1] = '\0';  // whatever the converter did
}

void CParamDisplay::draw(CDrawContext* context) {
    const float shown = valueForDrawing();
    setDirty(false);
    if (context == nullptr || (style & kNoDrawStyle) != 0) return;

    if (background != nullptr) {
        background->draw(context, size);
    } else {
        context->setFillColor(backColor);
        context->fillRect(size);
    }
    if ((style & (k3DIn | k3DOut)) != 0) {
        // Light and dark edges: raised (out) or sunk (in).
        const CColor light = kWhiteCColor;
        const CColor dark = kBlackCColor;
        const bool sunk = (style & k3DIn) != 0;
        context->setFrameColor(sunk ? dark : light);
        context->drawRect(CRect(size.left, size.top, size.right, size.top + 1));
        context->drawRect(CRect(size.left, size.top, size.left + 1, size.bottom));
        context->setFrameColor(sunk ? light : dark);
        context->drawRect(CRect(size.left, size.bottom - 1, size.right, size.bottom));
        context->drawRect(CRect(size.right - 1, size.top, size.right, size.bottom));
    } else if ((style & kNoFrame) == 0) {
        context->setFrameColor(frameColor);
        context->drawRect(size);
    }
    if ((style & kNoTextStyle) != 0) return;

    char text[kTextSize];
    textFor(shown, text);
    context->setFont(fontId);
    if ((style & kShadowText) != 0) {
        CRect shadowBox = size;
        shadowBox.offset(1, 1);
        context->setFontColor(shadowColor);
        context->drawString(text, shadowBox);
    }
    context->setFontColor(fontColor);
    context->drawString(text, size);
}
