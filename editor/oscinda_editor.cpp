#include "editor/oscinda_editor.h"

#include <thread>

#include "editor/panel_layout.h"
#include "gui/cbitmap.h"
#include "gui/cframe.h"
#include "gui/conoff_button.h"
#include "gui/cparam_display.h"
#include "gui/cvertical_slider.h"
#include "host/audioeffect.h"

OscindaEditor::OscindaEditor(AudioEffect* owner) : AEffGUIEditor(owner) {
    backgroundBitmap = new CBitmap(kBackgroundBitmapId);
    // The window's size is the artwork's, known before the panel ever opens.
    rect.top = 0;
    rect.left = 0;
    rect.bottom = static_cast<VstInt16>(backgroundBitmap->getHeight());
    rect.right = static_cast<VstInt16>(backgroundBitmap->getWidth());
}

OscindaEditor::~OscindaEditor() {
    // A host may close the effect with the window open.
    if (frame != nullptr) close();
    if (backgroundBitmap != nullptr) backgroundBitmap->forget();
    backgroundBitmap = nullptr;
}

bool OscindaEditor::open(void* ptr) {
    if (frame != nullptr) close();
    AEffGUIEditor::open(ptr);

    auto* groove = new CBitmap(kGrooveBitmapId);
    auto* handle = new CBitmap(kHandleBitmapId);
    auto* button = new CBitmap(kOnOffBitmapId);

    frame = new CFrame(CRect(0, 0, backgroundBitmap->getWidth(), backgroundBitmap->getHeight()), ptr, this);
    frame->setBackground(backgroundBitmap);

    const CCoord grooveWidth = groove->getWidth();
    const CCoord grooveHeight = groove->getHeight();
    const long lowestHandleTop = kSliderTop + grooveHeight - handle->getHeight() - 1;
    for (int k = 0; k < kSliderCount; ++k) {
        const VstInt32 tag = kSliderColumns[k].tag;
        const CCoord left = kSliderLeft + k * (grooveWidth + kColumnGap);
        const CRect size(left, kSliderTop, left + grooveWidth, kSliderTop + grooveHeight);
        auto* slider =
            new CVerticalSlider(size, this, tag, kSliderTop, lowestHandleTop, handle, groove, CPoint(0, 0), kBottom);
        slider->setOffsetHandle(CPoint(1, 0));
        slider->setValue(controlValueFor(tag, effect->getParameter(tag)));
        frame->addView(slider);
        sliders[k] = slider;
    }
    for (int k = 0; k < kSliderCount; ++k) {
        const VstInt32 tag = kSliderColumns[k].tag;
        const CCoord left = kReadoutLeft + k * (grooveWidth + kColumnGap);
        auto* display = new CParamDisplay(CRect(left, kReadoutTop, left + kReadoutWidth, kReadoutBottom), nullptr, 1);
        display->setFont(kNormalFontSmall);
        display->setFontColor(kDisplayFontColor);
        display->setBackColor(kDisplayBackColor);
        display->setFrameColor(kDisplayBackColor);
        display->setValue(readoutValueFor(tag, effect->getParameter(tag)));
        display->setStringConvert(kSliderColumns[k].convert);
        frame->addView(display);
        displays[k] = display;
    }
    const CCoord buttonLeft = kButtonLeftBeforeGrooves + 3 * grooveWidth;
    randomButton = new COnOffButton(
        CRect(buttonLeft, kButtonTop, buttonLeft + button->getWidth(), kButtonTop + button->getHeight() / 2), this,
        kRandomButtonTag, button);
    randomButton->setValue(controlValueFor(kRandomButtonTag, effect->getParameter(kRandomButtonTag)));
    frame->addView(randomButton);

    // The controls hold their own references now.
    groove->forget();
    handle->forget();
    button->forget();

    panelOpen.store(true);
    return true;
}

void OscindaEditor::close() {
    panelOpen.store(false);
    // An update that saw the panel open may still be storing into a control.
    while (updatesUnderWay.load() != 0) std::this_thread::yield();
    AEffGUIEditor::close();
}

void OscindaEditor::setParameter(VstInt32 index, float) {
    updatesUnderWay.fetch_add(1);
    if (panelOpen.load()) {
        // The value the effect kept, after its own corrections, not the one
        // it was asked for.
        const float kept = effect->getParameter(index);
        const int k = columnIndexFor(index);
        if (index == kRandomButtonTag) {
            if (randomButton != nullptr) randomButton->setValue(controlValueFor(index, kept));
        } else if (k >= 0) {
            if (sliders[k] != nullptr) sliders[k]->setValue(controlValueFor(index, kept));
            if (displays[k] != nullptr) displays[k]->setValue(readoutValueFor(index, kept));
        }
    }
    updatesUnderWay.fetch_sub(1);
}

void OscindaEditor::valueChanged(CDrawContext*, CControl* control) {
    if (control == nullptr) return;
    const auto tag = static_cast<VstInt32>(control->getTag());
    const float moved = control->getValue();
    if (tag == kRandomButtonTag) {
        // Not automation: the host records no Random change from the panel.
        effect->setParameter(tag, parameterValueFor(tag, moved));
        return;
    }
    if (columnIndexFor(tag) < 0) return;
    effect->setParameterAutomated(tag, parameterValueFor(tag, moved));
    // The update path set the slider from the kept value; where the effect
    // corrected it, the slider stays where the user put it.
    control->setValue(moved);
}
