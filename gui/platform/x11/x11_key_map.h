// X11 keys and modifier state as the VST interface names them.
#pragma once

#include <X11/X.h>

#include "host/aeffect.h"

// The key with this keysym (already shifted as the keyboard says, as
// XLookupString gives it) and the modifier state of its event. Printable ASCII
// and the keypad's typing keys give the character; named keys (arrows,
// function keys, the keypad...) give the virtual key; a key may give both
// (space), and a key that is neither gives character 0 and virt 0.
VstKeyCode vstKeyCodeOf(KeySym keysym, unsigned int state);
