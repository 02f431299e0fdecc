// The user's gestures, through the frame's event routing as a window delivers
// them, and what the host hears of each.
#include "tests/editor/editor_fixture.h"

namespace {

class GestureTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        openPanel();
        host.clear();
    }
};

TEST_F(GestureTest, SliderDragIsBracketedAndAutomatesEveryMovement) {
    CVerticalSlider& depth = *slider(kDepthParam);
    const CCoord grabbedAt = handleTop(depth) + 5;  // on the handle
    press(sliderCentreX(0), grabbedAt);
    moveTo(sliderCentreX(0), grabbedAt - 10);
    moveTo(sliderCentreX(0), grabbedAt - 20);
    // The handle follows the pointer and the effect follows the slider.
    EXPECT_EQ(handleTop(depth), grabbedAt - 20 - 5);
    const float dragged = depth.getValue();
    release(sliderCentreX(0), grabbedAt - 20);

    const std::vector<HostCall> edits = editRequests();
    ASSERT_EQ(edits.size(), 4u);
    EXPECT_EQ(edits[0].opcode, audioMasterBeginEdit);
    EXPECT_EQ(edits[1].opcode, audioMasterAutomate);
    EXPECT_EQ(edits[2].opcode, audioMasterAutomate);
    EXPECT_EQ(edits[3].opcode, audioMasterEndEdit);
    for (const HostCall& call : edits) EXPECT_EQ(call.index, kDepthParam);
    EXPECT_EQ(edits[2].opt, 1.0f - dragged);
    EXPECT_GT(edits[1].opt, edits[2].opt);  // handle up: less depth
    EXPECT_EQ(getParameter(kDepthParam), 1.0f - dragged);
    // The slider stays exactly where it was dragged.
    EXPECT_EQ(depth.getValue(), dragged);
    EXPECT_FALSE(host.callsWithOpcode(audioMasterIdle).empty()) << "the host gets idle time during a drag";
}

TEST_F(GestureTest, DragPastTheEndsStopsAtTheLimits) {
    press(sliderCentreX(0), handleTop(*slider(kDepthParam)) + 3);
    moveTo(sliderCentreX(0), -500);
    EXPECT_EQ(slider(kDepthParam)->getValue(), 1.0f);
    EXPECT_EQ(getParameter(kDepthParam), 0.0f);
    moveTo(sliderCentreX(0), 5000);
    release(sliderCentreX(0), 5000);
    EXPECT_EQ(slider(kDepthParam)->getValue(), 0.0f);
    EXPECT_EQ(getParameter(kDepthParam), 1.0f);
    EXPECT_EQ(readoutText(kDepthParam), "0");
}

TEST_F(GestureTest, ClickOnTheGrooveMovesTheHandleThere) {
    CVerticalSlider& change = *slider(kChangeRateParam);  // Change Rate 1: handle at the top
    ASSERT_EQ(change.getValue(), 1.0f);
    press(sliderCentreX(3), 200);
    release(sliderCentreX(3), 200);
    EXPECT_EQ(handleTop(change), 200 - 6);  // held by its middle
    EXPECT_EQ(getParameter(kChangeRateParam), change.getValue());
    EXPECT_EQ(host.callsWithOpcode(audioMasterAutomate).size(), 1u);
}

TEST_F(GestureTest, ControlClickSetsTheDefaultAsADragWould) {
    press(sliderCentreX(1), 100, kLButton | kControl);
    release(sliderCentreX(1), 100);
    const std::vector<HostCall> edits = editRequests();
    ASSERT_EQ(edits.size(), 3u);
    EXPECT_EQ(edits[0].opcode, audioMasterBeginEdit);
    EXPECT_EQ(edits[1].opcode, audioMasterAutomate);
    EXPECT_EQ(edits[1].index, kSpeedParam);
    EXPECT_EQ(edits[1].opt, 0.5f);
    EXPECT_EQ(edits[2].opcode, audioMasterEndEdit);
    EXPECT_EQ(slider(kSpeedParam)->getValue(), 0.5f);
}

TEST_F(GestureTest, ShiftDragIsTenTimesFiner) {
    CVerticalSlider& change = *slider(kChangeRateParam);
    change.setValue(0.5f);
    const CCoord grabbedAt = handleTop(change) + 4;
    press(sliderCentreX(3), grabbedAt);
    moveTo(sliderCentreX(3), grabbedAt - 14, kLButton | kShift);
    const float fine = change.getValue() - 0.5f;
    moveTo(sliderCentreX(3), grabbedAt - 14);  // Shift let go: plain drag from here
    moveTo(sliderCentreX(3), grabbedAt - 28);
    const float plain = change.getValue() - 0.5f - fine;
    release(sliderCentreX(3), grabbedAt - 28);
    EXPECT_NEAR(fine, 14.0f / 147.0f / 10.0f, 1e-6f);
    EXPECT_NEAR(plain, 14.0f / 147.0f, 1e-6f);
}

TEST_F(GestureTest, ButtonClickSetsRandomWithoutAutomation) {
    COnOffButton& random = *button();
    ASSERT_EQ(random.getValue(), 1.0f);  // Random off: the OFF frame
    press(300, 345);
    release(300, 345);
    EXPECT_EQ(random.getValue(), 0.0f);
    EXPECT_EQ(getParameter(kRandomParam), 1.0f);
    const std::vector<HostCall> edits = editRequests();
    ASSERT_EQ(edits.size(), 2u);
    EXPECT_EQ(edits[0].opcode, audioMasterBeginEdit);
    EXPECT_EQ(edits[0].index, kRandomParam);
    EXPECT_EQ(edits[1].opcode, audioMasterEndEdit);
    EXPECT_EQ(edits[1].index, kRandomParam);

    press(300, 345);
    EXPECT_EQ(getParameter(kRandomParam), 0.0f);
    EXPECT_TRUE(host.callsWithOpcode(audioMasterAutomate).empty());
}

TEST_F(GestureTest, WheelStepIsOneAutomatedChange) {
    frame().onPlatformWheel({sliderCentreX(0), 150}, 1.0f, 0);
    const std::vector<HostCall> edits = editRequests();
    ASSERT_EQ(edits.size(), 3u);
    EXPECT_EQ(edits[1].opcode, audioMasterAutomate);
    EXPECT_FLOAT_EQ(slider(kDepthParam)->getValue(), 0.85f);
    EXPECT_FLOAT_EQ(getParameter(kDepthParam), 0.15f);
    frame().onPlatformWheel({5, 5}, 1.0f, 0);  // over no control
    EXPECT_EQ(editRequests().size(), 3u);
}

TEST_F(GestureTest, ArrowKeysStepTheClickedSlider) {
    VstKeyCode up{0, VKEY_UP, 0};
    EXPECT_EQ(dispatch(effEditKeyDown, 0, VKEY_UP), 0) << "no control has the focus yet";
    press(sliderCentreX(3), 10);  // outside the groove: nothing is hit
    EXPECT_FALSE(editor->onKeyDown(up));
    press(sliderCentreX(0), handleTop(*slider(kDepthParam)) + 2);
    release(sliderCentreX(0), handleTop(*slider(kDepthParam)) + 2);
    host.clear();
    EXPECT_EQ(dispatch(effEditKeyDown, 0, VKEY_UP), 1);
    EXPECT_FLOAT_EQ(getParameter(kDepthParam), 0.15f);
    EXPECT_EQ(host.callsWithOpcode(audioMasterAutomate).size(), 1u);
    EXPECT_EQ(dispatch(effEditKeyDown, 'a'), 0) << "keys a slider does not use go back to the host";
}

// Speed set at or below Maximum Speed is corrected by the effect: the slider
// stays where the user put it, the read-out shows what the effect kept.
TEST_F(GestureTest, CorrectedSpeedKeepsTheSliderAndShowsTheKeptValue) {
    setParameter(kMaxSpeedParam, 0.3f);
    setParameter(kSpeedParam, 0.8f);
    ASSERT_EQ(getParameter(kMaxSpeedParam), 0.3f);
    CVerticalSlider& speed = *slider(kSpeedParam);
    press(sliderCentreX(1), 100);  // on the groove, near the top: a short period
    const float dragged = speed.getValue();
    release(sliderCentreX(1), 100);
    ASSERT_LT(1.0f - dragged, 0.3f) << "the drag must ask for a period below Maximum Speed";
    EXPECT_EQ(speed.getValue(), dragged);
    EXPECT_EQ(getParameter(kSpeedParam), 0.3f);
    EXPECT_EQ(readout(kSpeedParam)->getValue(), 0.3f);
    EXPECT_FALSE(host.callsWithOpcode(audioMasterUpdateDisplay).empty());
}

}  // namespace
