#include "gui/platform/win32/win32_key_map.h"

#include <windows.h>

namespace {

struct KeyRow {
    unsigned virtualKey;
    unsigned char virt;
    unsigned character;
};

constexpr KeyRow kNamedKeys[] = {
    {VK_BACK, VKEY_BACK, 0},
    {VK_TAB, VKEY_TAB, 0},
    {VK_CLEAR, VKEY_CLEAR, 0},  // the keypad's 5 without Num Lock
    {VK_PAUSE, VKEY_PAUSE, 0},
    {VK_ESCAPE, VKEY_ESCAPE, 0},
    {VK_SPACE, VKEY_SPACE, ' '},
    {VK_PRIOR, VKEY_PAGEUP, 0},
    {VK_NEXT, VKEY_PAGEDOWN, 0},
    {VK_END, VKEY_END, 0},
    {VK_HOME, VKEY_HOME, 0},
    {VK_LEFT, VKEY_LEFT, 0},
    {VK_UP, VKEY_UP, 0},
    {VK_RIGHT, VKEY_RIGHT, 0},
    {VK_DOWN, VKEY_DOWN, 0},
    {VK_SELECT, VKEY_SELECT, 0},
    {VK_PRINT, VKEY_PRINT, 0},
    {VK_SNAPSHOT, VKEY_SNAPSHOT, 0},  // the Print Screen key
    {VK_INSERT, VKEY_INSERT, 0},
    {VK_DELETE, VKEY_DELETE, 0},
    {VK_HELP, VKEY_HELP, 0},
    {VK_MULTIPLY, VKEY_MULTIPLY, '*'},
    {VK_ADD, VKEY_ADD, '+'},
    {VK_SEPARATOR, VKEY_SEPARATOR, 0},
    {VK_SUBTRACT, VKEY_SUBTRACT, '-'},
    {VK_DECIMAL, VKEY_DECIMAL, '.'},
    {VK_DIVIDE, VKEY_DIVIDE, '/'},
    {VK_NUMLOCK, VKEY_NUMLOCK, 0},
    {VK_SCROLL, VKEY_SCROLL, 0},
    {VK_SHIFT, VKEY_SHIFT, 0},
    {VK_LSHIFT, VKEY_SHIFT, 0},
    {VK_RSHIFT, VKEY_SHIFT, 0},
    {VK_CONTROL, VKEY_CONTROL, 0},
    {VK_LCONTROL, VKEY_CONTROL, 0},
    {VK_RCONTROL, VKEY_CONTROL, 0},
    {VK_MENU, VKEY_ALT, 0},
    {VK_LMENU, VKEY_ALT, 0},
    {VK_RMENU, VKEY_ALT, 0},
    {VK_OEM_NEC_EQUAL, VKEY_EQUALS, '='},  // the keypad's = where there is one
};

VstKeyCode keyOf(unsigned char virt, unsigned character, unsigned char modifiers) {
    VstKeyCode key{};
    key.character = static_cast<VstInt32>(character);
    key.virt = virt;
    key.modifier = modifiers;
    return key;
}

}  // namespace

VstKeyCode vstKeyCodeOf(unsigned virtualKey, bool extended, unsigned char modifiers, unsigned layoutCharacter) {
    if (virtualKey == VK_RETURN) return keyOf(extended ? VKEY_ENTER : VKEY_RETURN, 0, modifiers);
    for (const KeyRow& row : kNamedKeys)
        if (row.virtualKey == virtualKey) return keyOf(row.virt, row.character, modifiers);
    if (virtualKey >= VK_NUMPAD0 && virtualKey <= VK_NUMPAD9) {
        const unsigned digit = virtualKey - VK_NUMPAD0;
        return keyOf(static_cast<unsigned char>(VKEY_NUMPAD0 + digit), '0' + digit, modifiers);
    }
    if (virtualKey >= VK_F1 && virtualKey <= VK_F12)
        return keyOf(static_cast<unsigned char>(VKEY_F1 + (virtualKey - VK_F1)), 0, modifiers);
    if (virtualKey >= '0' && virtualKey <= '9') return keyOf(0, virtualKey, modifiers);
    if (virtualKey >= 'A' && virtualKey <= 'Z') {
        const bool upper = (modifiers & MODIFIER_SHIFT) != 0;
        return keyOf(0, upper ? virtualKey : virtualKey - 'A' + 'a', modifiers);
    }
    if (layoutCharacter > 0x20 && layoutCharacter < 0x7F) return keyOf(0, layoutCharacter, modifiers);
    return keyOf(0, 0, modifiers);
}

unsigned char heldModifiers() {
    unsigned bits = 0;
    // The high bit of GetKeyState: held down.
    if (GetKeyState(VK_SHIFT) < 0) bits |= MODIFIER_SHIFT;
    if (GetKeyState(VK_MENU) < 0) bits |= MODIFIER_ALTERNATE;
    if (GetKeyState(VK_CONTROL) < 0) bits |= MODIFIER_COMMAND;
    return static_cast<unsigned char>(bits);
}
