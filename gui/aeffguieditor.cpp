#include "gui/aeffguieditor.h"

#include "gui/cframe.h"
#include "host/audioeffectx.h"

#ifdef _WIN32
#include "gui/platform/win32/ole_session.h"
#endif

AEffGUIEditor::FrameCall::FrameCall(AEffGUIEditor* calling) : editor(calling) {
    if (editor != nullptr) ++editor->frameCallDepth;
}

AEffGUIEditor::FrameCall::~FrameCall() {
    if (editor == nullptr) return;
    if (--editor->frameCallDepth == 0 && editor->frameToDelete != nullptr) {
        editor->frameToDelete->forget();
        editor->frameToDelete = nullptr;
    }
}

AEffGUIEditor::AEffGUIEditor(AudioEffect* owner) : AEffEditor(owner) {
#ifdef _WIN32
    oleStarted = beginOleSession();
#endif
    if (effect != nullptr) effect->setEditorParameterHook(this);
}

AEffGUIEditor::~AEffGUIEditor() {
    // A host may close the effect with the window still open.
    if (frame != nullptr) frame->forget();
    if (frameToDelete != nullptr) frameToDelete->forget();
#ifdef _WIN32
    if (oleStarted) endOleSession();
#endif
}

bool AEffGUIEditor::getRect(ERect** ppRect) {
    if (ppRect == nullptr) return false;
    *ppRect = &rect;
    return true;
}

bool AEffGUIEditor::open(void* ptr) {
    AEffEditor::open(ptr);
    return true;
}

void AEffGUIEditor::close() {
    deleteFrame();
    AEffEditor::close();
}

void AEffGUIEditor::deleteFrame() {
    if (frame == nullptr) return;
    if (frameCallDepth > 0) {
        // The frame's code is on the stack: let it finish first.
        if (frameToDelete != nullptr) frameToDelete->forget();
        frameToDelete = frame;
    } else {
        frame->forget();
    }
    frame = nullptr;
}

void AEffGUIEditor::idle() {
    if (inIdle || frame == nullptr) return;
    inIdle = true;
    {
        FrameCall call(this);
        frame->idle();
    }
    inIdle = false;
}

// The frame's key handlers count as calls into it themselves.
bool AEffGUIEditor::onKeyDown(VstKeyCode& keyCode) { return frame != nullptr && frame->onPlatformKeyDown(keyCode); }

bool AEffGUIEditor::onKeyUp(VstKeyCode& keyCode) { return frame != nullptr && frame->onPlatformKeyUp(keyCode); }

bool AEffGUIEditor::setKnobMode(VstInt32 val) {
    knobMode = val;
    return true;
}

void AEffGUIEditor::beginEdit(VstInt32 index) {
    if (auto* effectX = dynamic_cast<AudioEffectX*>(effect)) effectX->beginEdit(index);
}

void AEffGUIEditor::endEdit(VstInt32 index) {
    if (auto* effectX = dynamic_cast<AudioEffectX*>(effect)) effectX->endEdit(index);
}

void AEffGUIEditor::doIdleStuff() {
    if (effect != nullptr) effect->masterIdle();
}
