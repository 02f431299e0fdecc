// Where one instance of the plug-in is put together: the effect, then its
// editor. The only place that names every layer.
#include <new>

#include "editor/oscinda_editor.h"
#include "engine/adelay.h"
#include "host/effect_factory.h"

AudioEffect* createEffectInstance(audioMasterCallback audioMaster) {
    ADelay* effect = ADelay::create(audioMaster);
    if (effect == nullptr) return nullptr;
    // The editor registers itself with the effect. Without memory for it the
    // effect runs without one, and the record says so.
    try {
        new (std::nothrow) OscindaEditor(effect);
    } catch (...) {
        effect->setEditor(nullptr);
    }
    return effect;
}
