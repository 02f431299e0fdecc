#include "gui/platform/x11/x11_pointer.h"

#include <X11/X.h>

CButtonState pointerButtonOf(unsigned int button) {
    switch (button) {
    case Button1: return kLButton;
    case Button2: return kMButton;
    case Button3: return kRButton;
    default: return 0;
    }
}

CButtonState pointerStateOf(unsigned int state) {
    CButtonState buttons = 0;
    if ((state & Button1Mask) != 0) buttons |= kLButton;
    if ((state & Button2Mask) != 0) buttons |= kMButton;
    if ((state & Button3Mask) != 0) buttons |= kRButton;
    if ((state & ShiftMask) != 0) buttons |= kShift;
    if ((state & ControlMask) != 0) buttons |= kControl;
    if ((state & Mod1Mask) != 0) buttons |= kAlt;
    return buttons;
}

int wheelNotchesOf(unsigned int button) {
    if (button == Button4) return 1;
    if (button == Button5) return -1;
    return 0;
}
