// X11 keys and modifier state as the VST interface names them.
#pragma once

#include <X11/X.h>

#include "host/aeffect.h"

// Virtual key codes of the VST interface, as hosts pass them in VstKeyCode.virt.
enum VstVirtualKey : unsigned char {
    kVstKeyNone = 0,
    kVstKeyBack = 1,
    kVstKeyTab = 2,
    kVstKeyClear = 3,
    kVstKeyReturn = 4,
    kVstKeyPause = 5,
    kVstKeyEscape = 6,
    kVstKeySpace = 7,
    kVstKeyNext = 8,
    kVstKeyEnd = 9,
    kVstKeyHome = 10,
    kVstKeyLeft = 11,
    kVstKeyUp = 12,
    kVstKeyRight = 13,
    kVstKeyDown = 14,
    kVstKeyPageUp = 15,
    kVstKeyPageDown = 16,
    kVstKeySelect = 17,
    kVstKeyPrint = 18,
    kVstKeyEnter = 19,
    kVstKeySnapshot = 20,
    kVstKeyInsert = 21,
    kVstKeyDelete = 22,
    kVstKeyHelp = 23,
    kVstKeyNumpad0 = 24,  // up to kVstKeyNumpad0 + 9
    kVstKeyMultiply = 34,
    kVstKeyAdd = 35,
    kVstKeySeparator = 36,
    kVstKeySubtract = 37,
    kVstKeyDecimal = 38,
    kVstKeyDivide = 39,
    kVstKeyF1 = 40,  // up to kVstKeyF1 + 11
    kVstKeyNumLock = 52,
    kVstKeyScroll = 53,
    kVstKeyShift = 54,
    kVstKeyControl = 55,
    kVstKeyAlt = 56,
    kVstKeyEquals = 57,
};

// VstKeyCode.modifier bits.
enum VstModifierKey : unsigned char {
    kVstModifierShift = 1,
    kVstModifierAlternate = 2,
    kVstModifierCommand = 4,  // the Control key everywhere but macOS
    kVstModifierControl = 8,  // macOS's Control key; an X11 keyboard has none
};

// The key with this keysym (already shifted as the keyboard says, as
// XLookupString gives it) and the modifier state of its event. Printable ASCII
// and the keypad's typing keys give the character; named keys (arrows,
// function keys, the keypad...) give the virtual key; a key may give both
// (space), and a key that is neither gives character 0 and virt 0.
VstKeyCode vstKeyCodeOf(KeySym keysym, unsigned int state);
