// A whole instance built in this process (effect and editor, as the entry
// builds them) with a recording host, and helpers that drive the editor's
// frame exactly as its window would.
#pragma once

#include <string>
#include <vector>

#include "editor/oscinda_editor.h"
#include "engine/adelay.h"
#include "gui/cframe.h"
#include "gui/conoff_button.h"
#include "gui/cparam_display.h"
#include "gui/cvertical_slider.h"
#include "host/audioeffect.h"
#include "host/effect_factory.h"
#include "tests/support/plugin_host.h"

class EditorTest : public testing::Test, protected WithRecordingHost {
protected:
    // The host callback the instance is made with.
    virtual audioMasterCallback hostCallback() const { return RecordingHost::callback; }

    void SetUp() override {
        AudioEffect* created = createEffectInstance(hostCallback());
        ASSERT_NE(created, nullptr);
        record = created->getAeffect();
        editor = dynamic_cast<OscindaEditor*>(created->getEditor());
        ASSERT_NE(editor, nullptr);
    }
    void TearDown() override {
        if (record != nullptr) record->dispatcher(record, effClose, 0, 0, nullptr, 0.0f);
    }

    VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                       float opt = 0.0f) {
        return record->dispatcher(record, opcode, index, value, ptr, opt);
    }
    void setParameter(VstInt32 index, float value) { record->setParameter(record, index, value); }
    float getParameter(VstInt32 index) { return record->getParameter(record, index); }

    // Opens the panel offscreen and lets it draw.
    void openPanel() {
        ASSERT_EQ(dispatch(effEditOpen), 1);
        dispatch(effEditIdle);
    }
    CFrame& frame() { return *editor->getFrame(); }

    template <class Control>
    Control* control(long tag) {
        for (CView* view : frame().getViews())
            if (auto* found = dynamic_cast<Control*>(view); found != nullptr && found->getTag() == tag) return found;
        return nullptr;
    }
    CVerticalSlider* slider(long tag) { return control<CVerticalSlider>(tag); }
    COnOffButton* button() { return control<COnOffButton>(4); }
    // Read-outs all carry tag 0; they stand in the order of their sliders.
    CParamDisplay* readout(int column) {
        int seen = 0;
        for (CView* view : frame().getViews())
            if (auto* display = dynamic_cast<CParamDisplay*>(view); display != nullptr && seen++ == column)
                return display;
        return nullptr;
    }
    std::string readoutText(int column) {
        char text[CParamDisplay::kTextSize];
        readout(column)->textFor(readout(column)->getValue(), text);
        return text;
    }

    void press(CCoord x, CCoord y, CButtonState buttons = kLButton) { frame().onPlatformMouseDown({x, y}, buttons); }
    void moveTo(CCoord x, CCoord y, CButtonState buttons = kLButton) { frame().onPlatformMouseMoved({x, y}, buttons); }
    void release(CCoord x, CCoord y) { frame().onPlatformMouseUp({x, y}, 0); }

    // The requests the editor made of the host, without the idle requests a
    // drag makes between movements.
    std::vector<HostCall> editRequests() const {
        std::vector<HostCall> edits;
        for (const HostCall& call : host.calls)
            if (call.opcode == audioMasterBeginEdit || call.opcode == audioMasterEndEdit ||
                call.opcode == audioMasterAutomate)
                edits.push_back(call);
        return edits;
    }

    AEffect* record = nullptr;
    OscindaEditor* editor = nullptr;
};

// Where slider k's groove and handle are.
constexpr CCoord sliderCentreX(int k) { return 65 + k * 76 + 8; }
inline CCoord handleTop(CVerticalSlider& slider) { return slider.handleRect(slider.getValue()).top; }
