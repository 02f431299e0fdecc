#include "gui/platform/x11/x11_key_map.h"

#include <X11/keysym.h>

#include <iterator>

namespace {

struct KeyRow {
    KeySym keysym;
    VstVirtualKey virt;
};

constexpr VstVirtualKey plus(VstVirtualKey first, int offset) {
    return static_cast<VstVirtualKey>(static_cast<int>(first) + offset);
}

// Keypad keys come in both forms: with Num Lock (digits) and without
// (arrows, Home...); the latter count as the keys they stand for.
constexpr KeyRow kVirtualKeys[] = {
    {XK_BackSpace, kVstKeyBack},
    {XK_Tab, kVstKeyTab},
    {XK_ISO_Left_Tab, kVstKeyTab},
    {XK_KP_Tab, kVstKeyTab},
    {XK_Clear, kVstKeyClear},
    {XK_KP_Begin, kVstKeyClear},
    {XK_Return, kVstKeyReturn},
    {XK_Pause, kVstKeyPause},
    {XK_Escape, kVstKeyEscape},
    {XK_space, kVstKeySpace},
    {XK_KP_Space, kVstKeySpace},
    {XK_End, kVstKeyEnd},
    {XK_KP_End, kVstKeyEnd},
    {XK_Home, kVstKeyHome},
    {XK_KP_Home, kVstKeyHome},
    {XK_Left, kVstKeyLeft},
    {XK_KP_Left, kVstKeyLeft},
    {XK_Up, kVstKeyUp},
    {XK_KP_Up, kVstKeyUp},
    {XK_Right, kVstKeyRight},
    {XK_KP_Right, kVstKeyRight},
    {XK_Down, kVstKeyDown},
    {XK_KP_Down, kVstKeyDown},
    {XK_Page_Up, kVstKeyPageUp},
    {XK_KP_Page_Up, kVstKeyPageUp},
    {XK_Page_Down, kVstKeyPageDown},
    {XK_KP_Page_Down, kVstKeyPageDown},
    {XK_Select, kVstKeySelect},
    {XK_Print, kVstKeySnapshot},  // the Print Screen key
    {XK_KP_Enter, kVstKeyEnter},
    {XK_Insert, kVstKeyInsert},
    {XK_KP_Insert, kVstKeyInsert},
    {XK_Delete, kVstKeyDelete},
    {XK_KP_Delete, kVstKeyDelete},
    {XK_Help, kVstKeyHelp},
    {XK_KP_0, plus(kVstKeyNumpad0, 0)},
    {XK_KP_1, plus(kVstKeyNumpad0, 1)},
    {XK_KP_2, plus(kVstKeyNumpad0, 2)},
    {XK_KP_3, plus(kVstKeyNumpad0, 3)},
    {XK_KP_4, plus(kVstKeyNumpad0, 4)},
    {XK_KP_5, plus(kVstKeyNumpad0, 5)},
    {XK_KP_6, plus(kVstKeyNumpad0, 6)},
    {XK_KP_7, plus(kVstKeyNumpad0, 7)},
    {XK_KP_8, plus(kVstKeyNumpad0, 8)},
    {XK_KP_9, plus(kVstKeyNumpad0, 9)},
    {XK_KP_Multiply, kVstKeyMultiply},
    {XK_KP_Add, kVstKeyAdd},
    {XK_KP_Separator, kVstKeySeparator},
    {XK_KP_Subtract, kVstKeySubtract},
    {XK_KP_Decimal, kVstKeyDecimal},
    {XK_KP_Divide, kVstKeyDivide},
    {XK_F1, plus(kVstKeyF1, 0)},
    {XK_F2, plus(kVstKeyF1, 1)},
    {XK_F3, plus(kVstKeyF1, 2)},
    {XK_F4, plus(kVstKeyF1, 3)},
    {XK_F5, plus(kVstKeyF1, 4)},
    {XK_F6, plus(kVstKeyF1, 5)},
    {XK_F7, plus(kVstKeyF1, 6)},
    {XK_F8, plus(kVstKeyF1, 7)},
    {XK_F9, plus(kVstKeyF1, 8)},
    {XK_F10, plus(kVstKeyF1, 9)},
    {XK_F11, plus(kVstKeyF1, 10)},
    {XK_F12, plus(kVstKeyF1, 11)},
    {XK_Num_Lock, kVstKeyNumLock},
    {XK_Scroll_Lock, kVstKeyScroll},
    {XK_Shift_L, kVstKeyShift},
    {XK_Shift_R, kVstKeyShift},
    {XK_Control_L, kVstKeyControl},
    {XK_Control_R, kVstKeyControl},
    {XK_Alt_L, kVstKeyAlt},
    {XK_Alt_R, kVstKeyAlt},
    {XK_Meta_L, kVstKeyAlt},
    {XK_Meta_R, kVstKeyAlt},
    {XK_KP_Equal, kVstKeyEquals},
};

// Keys whose virtual code carries a character too.
char characterOf(KeySym keysym) {
    if (keysym >= 0x20 && keysym <= 0x7e) return static_cast<char>(keysym);  // Latin-1 keysyms are the code
    switch (keysym) {
    case XK_KP_Space: return ' ';
    case XK_KP_0:
    case XK_KP_1:
    case XK_KP_2:
    case XK_KP_3:
    case XK_KP_4:
    case XK_KP_5:
    case XK_KP_6:
    case XK_KP_7:
    case XK_KP_8:
    case XK_KP_9: return static_cast<char>('0' + (keysym - XK_KP_0));
    case XK_KP_Multiply: return '*';
    case XK_KP_Add: return '+';
    case XK_KP_Subtract: return '-';
    case XK_KP_Decimal: return '.';
    case XK_KP_Divide: return '/';
    case XK_KP_Equal: return '=';
    default: return 0;
    }
}

unsigned char modifiersOf(unsigned int state) {
    unsigned int bits = 0;
    if ((state & ShiftMask) != 0) bits |= kVstModifierShift;
    if ((state & Mod1Mask) != 0) bits |= kVstModifierAlternate;
    if ((state & ControlMask) != 0) bits |= kVstModifierCommand;
    return static_cast<unsigned char>(bits);
}

}  // namespace

VstKeyCode vstKeyCodeOf(KeySym keysym, unsigned int state) {
    VstKeyCode key{};
    key.character = characterOf(keysym);
    for (const KeyRow& row : kVirtualKeys) {
        if (row.keysym == keysym) {
            key.virt = row.virt;
            break;
        }
    }
    key.modifier = modifiersOf(state);
    return key;
}
