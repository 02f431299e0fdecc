#include "host/aeffeditor.h"

#include "host/audioeffect.h"

AEffEditor::AEffEditor(AudioEffect* owner) : effect(owner) {
    if (effect != nullptr) effect->setEditor(this);
}

bool AEffEditor::getRect(ERect** rect) {
    if (rect != nullptr) *rect = nullptr;
    return false;
}
