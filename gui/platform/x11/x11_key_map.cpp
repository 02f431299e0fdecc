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
    {XK_BackSpace, VKEY_BACK},
    {XK_Tab, VKEY_TAB},
    {XK_ISO_Left_Tab, VKEY_TAB},
    {XK_KP_Tab, VKEY_TAB},
    {XK_Clear, VKEY_CLEAR},
    {XK_KP_Begin, VKEY_CLEAR},
    {XK_Return, VKEY_RETURN},
    {XK_Pause, VKEY_PAUSE},
    {XK_Escape, VKEY_ESCAPE},
    {XK_space, VKEY_SPACE},
    {XK_KP_Space, VKEY_SPACE},
    {XK_End, VKEY_END},
    {XK_KP_End, VKEY_END},
    {XK_Home, VKEY_HOME},
    {XK_KP_Home, VKEY_HOME},
    {XK_Left, VKEY_LEFT},
    {XK_KP_Left, VKEY_LEFT},
    {XK_Up, VKEY_UP},
    {XK_KP_Up, VKEY_UP},
    {XK_Right, VKEY_RIGHT},
    {XK_KP_Right, VKEY_RIGHT},
    {XK_Down, VKEY_DOWN},
    {XK_KP_Down, VKEY_DOWN},
    {XK_Page_Up, VKEY_PAGEUP},
    {XK_KP_Page_Up, VKEY_PAGEUP},
    {XK_Page_Down, VKEY_PAGEDOWN},
    {XK_KP_Page_Down, VKEY_PAGEDOWN},
    {XK_Select, VKEY_SELECT},
    {XK_Print, VKEY_SNAPSHOT},  // the Print Screen key
    {XK_KP_Enter, VKEY_ENTER},
    {XK_Insert, VKEY_INSERT},
    {XK_KP_Insert, VKEY_INSERT},
    {XK_Delete, VKEY_DELETE},
    {XK_KP_Delete, VKEY_DELETE},
    {XK_Help, VKEY_HELP},
    {XK_KP_0, plus(VKEY_NUMPAD0, 0)},
    {XK_KP_1, plus(VKEY_NUMPAD0, 1)},
    {XK_KP_2, plus(VKEY_NUMPAD0, 2)},
    {XK_KP_3, plus(VKEY_NUMPAD0, 3)},
    {XK_KP_4, plus(VKEY_NUMPAD0, 4)},
    {XK_KP_5, plus(VKEY_NUMPAD0, 5)},
    {XK_KP_6, plus(VKEY_NUMPAD0, 6)},
    {XK_KP_7, plus(VKEY_NUMPAD0, 7)},
    {XK_KP_8, plus(VKEY_NUMPAD0, 8)},
    {XK_KP_9, plus(VKEY_NUMPAD0, 9)},
    {XK_KP_Multiply, VKEY_MULTIPLY},
    {XK_KP_Add, VKEY_ADD},
    {XK_KP_Separator, VKEY_SEPARATOR},
    {XK_KP_Subtract, VKEY_SUBTRACT},
    {XK_KP_Decimal, VKEY_DECIMAL},
    {XK_KP_Divide, VKEY_DIVIDE},
    {XK_F1, plus(VKEY_F1, 0)},
    {XK_F2, plus(VKEY_F1, 1)},
    {XK_F3, plus(VKEY_F1, 2)},
    {XK_F4, plus(VKEY_F1, 3)},
    {XK_F5, plus(VKEY_F1, 4)},
    {XK_F6, plus(VKEY_F1, 5)},
    {XK_F7, plus(VKEY_F1, 6)},
    {XK_F8, plus(VKEY_F1, 7)},
    {XK_F9, plus(VKEY_F1, 8)},
    {XK_F10, plus(VKEY_F1, 9)},
    {XK_F11, plus(VKEY_F1, 10)},
    {XK_F12, plus(VKEY_F1, 11)},
    {XK_Num_Lock, VKEY_NUMLOCK},
    {XK_Scroll_Lock, VKEY_SCROLL},
    {XK_Shift_L, VKEY_SHIFT},
    {XK_Shift_R, VKEY_SHIFT},
    {XK_Control_L, VKEY_CONTROL},
    {XK_Control_R, VKEY_CONTROL},
    {XK_Alt_L, VKEY_ALT},
    {XK_Alt_R, VKEY_ALT},
    {XK_Meta_L, VKEY_ALT},
    {XK_Meta_R, VKEY_ALT},
    {XK_KP_Equal, VKEY_EQUALS},
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
    if ((state & ShiftMask) != 0) bits |= MODIFIER_SHIFT;
    if ((state & Mod1Mask) != 0) bits |= MODIFIER_ALTERNATE;
    if ((state & ControlMask) != 0) bits |= MODIFIER_COMMAND;
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
