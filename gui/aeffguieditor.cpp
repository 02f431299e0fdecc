#include "gui/aeffguieditor.h"

#include "host/audioeffectx.h"

AEffGUIEditor::AEffGUIEditor(AudioEffect* owner) : AEffEditor(owner) {
    if (effect != nullptr) effect->setEditorParameterHook(this);
}

bool AEffGUIEditor::getRect(ERect** ppRect) {
    if (ppRect == nullptr) return false;
    *ppRect = &rect;
    return true;
}

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
