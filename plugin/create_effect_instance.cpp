// Where one instance of the plug-in is put together: the effect, then
// whatever it is shown with. The only place that names every layer.
#include "engine/adelay.h"
#include "host/effect_factory.h"

AudioEffect* createEffectInstance(audioMasterCallback audioMaster) { return ADelay::create(audioMaster); }
