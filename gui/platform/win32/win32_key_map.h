// Windows keys as the VST interface names them, the way the X11 backend maps
// its keysyms: named keys (arrows, function keys, the keypad...) give the
// virtual key, typing keys the character, and a key may give both (space,
// the keypad's digits).
#pragma once

#include "host/aeffect.h"

// The key of a WM_KEYDOWN or WM_KEYUP: its virtual-key code (wParam), whether
// it is an extended key (lParam bit 24: the keypad's Enter is an extended
// Return) and the VstModifierKey bits held. layoutCharacter is what the key
// types unshifted on the user's layout (MapVirtualKey's answer); it is used
// for the punctuation keys, whose meaning depends on the layout, and only
// when it is printable ASCII. Letters come lower case, upper case with Shift.
// A key that is none of these gives character 0 and virt 0.
VstKeyCode vstKeyCodeOf(unsigned virtualKey, bool extended, unsigned char modifiers, unsigned layoutCharacter);

// The VstModifierKey bits of the keys held now, as the thread's keyboard
// state says: Shift, Alt (MODIFIER_ALTERNATE) and Ctrl (MODIFIER_COMMAND).
unsigned char heldModifiers();
