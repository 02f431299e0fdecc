// The editor's life as hosts drive it: the rectangle before any window, open
// and close in every order, updates while closed, and teardown with the
// window still open.
#include <dirent.h>

#include "tests/editor/editor_fixture.h"

namespace {

int openFileDescriptors() {
    int count = 0;
    if (DIR* folder = opendir("/proc/self/fd")) {
        while (readdir(folder) != nullptr) ++count;
        closedir(folder);
    }
    return count;
}

TEST_F(EditorTest, RecordAnnouncesTheEditorAndItsRectBeforeAnyOpen) {
    EXPECT_EQ(record->flags, effFlagsCanReplacing | effFlagsHasEditor);
    ERect* rect = nullptr;
    EXPECT_EQ(dispatch(effEditGetRect, 0, 0, &rect), 1);
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->top, 0);
    EXPECT_EQ(rect->left, 0);
    EXPECT_EQ(rect->bottom, 355);
    EXPECT_EQ(rect->right, 462);
    EXPECT_EQ(editor->getFrame(), nullptr);
}

TEST_F(EditorTest, ReopeningBuildsThePanelFromTheValuesThen) {
    openPanel();
    ASSERT_EQ(frame().getViews().size(), 9u);  // four sliders, four read-outs, the button
    dispatch(effEditClose);
    EXPECT_FALSE(editor->isPanelOpen());
    EXPECT_EQ(editor->getFrame(), nullptr);

    setParameter(kDepthParam, 0.9f);  // while closed: nothing in the editor moves
    setParameter(kRandomParam, 1.0f);
    openPanel();
    EXPECT_TRUE(editor->isPanelOpen());
    EXPECT_FLOAT_EQ(slider(kDepthParam)->getValue(), 0.1f);
    EXPECT_EQ(readoutText(kDepthParam), "10");
    EXPECT_EQ(button()->getValue(), 0.0f);
}

TEST_F(EditorTest, CloseTwiceAndCloseBeforeOpenAreHarmless) {
    dispatch(effEditClose);
    openPanel();
    dispatch(effEditClose);
    dispatch(effEditClose);
    dispatch(effEditIdle);
    EXPECT_EQ(dispatch(effEditKeyDown, 0, VKEY_UP), 0);
    EXPECT_EQ(editor->getFrame(), nullptr);
}

TEST_F(EditorTest, SecondOpenWithoutCloseReplacesThePanel) {
    openPanel();
    const CFrame* first = editor->getFrame();
    setParameter(kChangeRateParam, 0.25f);
    openPanel();
    EXPECT_NE(editor->getFrame(), nullptr);
    EXPECT_EQ(frame().getViews().size(), 9u);
    EXPECT_EQ(slider(kChangeRateParam)->getValue(), 0.25f);
    (void)first;
}

TEST_F(EditorTest, EffCloseWithTheWindowOpenReleasesEverything) {
    openPanel();
    EXPECT_EQ(dispatch(effClose), 1);
    record = nullptr;  // gone; the leak checker sees whatever was left behind
}

TEST_F(EditorTest, ThousandOpenCloseCyclesLeaveNothingBehind) {
    openPanel();
    dispatch(effEditClose);
    const int descriptors = openFileDescriptors();
    for (int cycle = 0; cycle < 1000; ++cycle) {
        ASSERT_EQ(dispatch(effEditOpen), 1);
        dispatch(effEditIdle);
        dispatch(effEditClose);
    }
    EXPECT_EQ(openFileDescriptors(), descriptors);
}

// A host may answer a request the editor makes by calling idle or closing
// the editor; the frame whose event is being handled must outlive it.
VstIntPtr VSTCALLBACK closingHost(AEffect* effect, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
    if (opcode == audioMasterVersion) return 2400;
    if (effect != nullptr && opcode == audioMasterAutomate) {
        effect->dispatcher(effect, effEditIdle, 0, 0, nullptr, 0.0f);
        effect->dispatcher(effect, effEditClose, 0, 0, nullptr, 0.0f);
    }
    return 0;
}

class EditorReentryTest : public EditorTest {
protected:
    audioMasterCallback hostCallback() const override { return closingHost; }
};

TEST_F(EditorReentryTest, HostClosingTheEditorFromInsideAKeyEventIsSurvived) {
    openPanel();
    ASSERT_NE(slider(kDepthParam), nullptr);
    // Give the slider the focus (a press on the handle changes nothing).
    const CCoord onHandle = handleTop(*slider(kDepthParam)) + 2;
    press(sliderCentreX(0), onHandle);
    release(sliderCentreX(0), onHandle);

    // The arrow key automates Depth; the host idles and closes the editor
    // from inside that request.
    EXPECT_EQ(dispatch(effEditKeyDown, 0, VKEY_UP), 1);
    EXPECT_EQ(editor->getFrame(), nullptr);
    EXPECT_FLOAT_EQ(getParameter(kDepthParam), 0.15f);
}

// A window system hands the frame its events directly, outside any call of
// the editor's: a drag whose Automate makes the host close the editor must
// still finish on a live frame.
TEST_F(EditorReentryTest, HostClosingTheEditorFromInsideADragIsSurvived) {
    openPanel();
    CFrame* open = &frame();
    ASSERT_NE(slider(kDepthParam), nullptr);
    const CCoord onHandle = handleTop(*slider(kDepthParam)) + 2;
    open->onPlatformMouseDown({sliderCentreX(0), onHandle}, kLButton);
    open->onPlatformMouseMoved({sliderCentreX(0), onHandle - 10}, kLButton);
    EXPECT_EQ(editor->getFrame(), nullptr);
    EXPECT_LT(getParameter(kDepthParam), 0.25f);
}

}  // namespace
