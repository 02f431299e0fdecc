// The one function the entry needs from the rest of the plug-in: it builds a
// complete instance (effect, then its editor) for one host callback.
#pragma once

#include "host/aeffect.h"

class AudioEffect;

// The new instance, or null when it cannot be made. Never throws.
AudioEffect* createEffectInstance(audioMasterCallback audioMaster);
