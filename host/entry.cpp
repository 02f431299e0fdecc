// The library's one entry: a host calls it once per instance it wants.
#include <new>

#include "host/audioeffect.h"
#include "host/effect_factory.h"

#if defined(_WIN32)
#define OSCINDA_EXPORT __declspec(dllexport)
#else
#define OSCINDA_EXPORT __attribute__((visibility("default")))
#endif

extern "C" OSCINDA_EXPORT AEffect* VSTCALLBACK VSTPluginMain(audioMasterCallback audioMaster) {
    // Without a callback there is no host to ask for its version.
    if (audioMaster == nullptr) return nullptr;
    if (audioMaster(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) == 0) return nullptr;
    try {
        AudioEffect* effect = createEffectInstance(audioMaster);
        return effect != nullptr ? effect->getAeffect() : nullptr;
    } catch (...) {
        // Nothing may cross back into the host as an exception.
        return nullptr;
    }
}

#if !defined(_WIN32)
// Older hosts look for the entry under the name "main"; one function, two
// export names. On Windows the module definition file adds the second name.
extern "C" OSCINDA_EXPORT AEffect* vstPluginMainAlias(audioMasterCallback audioMaster) __asm__("main")
    __attribute__((alias("VSTPluginMain")));
#endif
