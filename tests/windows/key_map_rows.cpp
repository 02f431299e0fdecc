#include "tests/windows/key_map_rows.h"

#include <windows.h>

#include "gui/platform/win32/win32_key_map.h"

namespace {

struct KeyRow {
    const char* name;
    unsigned virtualKey;
    bool extended;
    unsigned char modifiers;
    unsigned layoutCharacter;
    VstInt32 character;
    unsigned char virt;
};

constexpr unsigned char kShift = MODIFIER_SHIFT;
constexpr unsigned char kAltCtrl = MODIFIER_ALTERNATE | MODIFIER_COMMAND;

const KeyRow kRows[] = {
    {"ArrowUp", VK_UP, false, 0, 0, 0, VKEY_UP},
    {"ArrowLeftKeepsModifiers", VK_LEFT, true, kAltCtrl, 0, 0, VKEY_LEFT},
    {"MainReturn", VK_RETURN, false, 0, '\r', 0, VKEY_RETURN},
    {"KeypadEnterIsExtendedReturn", VK_RETURN, true, 0, '\r', 0, VKEY_ENTER},
    {"PageUpIsPrior", VK_PRIOR, false, 0, 0, 0, VKEY_PAGEUP},
    {"PageDownIsNext", VK_NEXT, false, 0, 0, 0, VKEY_PAGEDOWN},
    {"PrintScreen", VK_SNAPSHOT, true, 0, 0, 0, VKEY_SNAPSHOT},
    {"SpaceTypesAndNames", VK_SPACE, false, 0, ' ', ' ', VKEY_SPACE},
    {"Keypad7", VK_NUMPAD7, false, 0, '7', '7', VKEY_NUMPAD7},
    {"KeypadDivide", VK_DIVIDE, true, 0, '/', '/', VKEY_DIVIDE},
    {"KeypadSeparatorNamesOnly", VK_SEPARATOR, false, 0, 0, 0, VKEY_SEPARATOR},
    {"F1", VK_F1, false, 0, 0, 0, VKEY_F1},
    {"F12", VK_F12, false, 0, 0, 0, VKEY_F12},
    {"F13HasNoVstKey", VK_F13, false, 0, 0, 0, 0},
    {"RightControl", VK_RCONTROL, true, MODIFIER_COMMAND, 0, 0, VKEY_CONTROL},
    {"Alt", VK_MENU, false, MODIFIER_ALTERNATE, 0, 0, VKEY_ALT},
    {"LetterLowerCase", 'Q', false, 0, 'Q', 'q', 0},
    {"LetterWithShiftUpperCase", 'Q', false, kShift, 'Q', 'Q', 0},
    {"Digit", '7', false, 0, '7', '7', 0},
    {"PunctuationFromTheLayout", VK_OEM_1, false, 0, ';', ';', 0},
    {"UnprintableLayoutCharacter", VK_OEM_1, false, 0, 0x00E9, 0, 0},
    {"KeyWithNoMeaning", VK_LBUTTON, false, 0, 0, 0, 0},
};

}  // namespace

void checkKeyMap(CheckReport& report) {
    for (const KeyRow& row : kRows) {
        const VstKeyCode key = vstKeyCodeOf(row.virtualKey, row.extended, row.modifiers, row.layoutCharacter);
        report.that(key.character == row.character && key.virt == row.virt && key.modifier == row.modifiers,
                    "key map %s: character %ld virt %u modifier %u, expected %ld %u %u", row.name,
                    static_cast<long>(key.character), key.virt, key.modifier, static_cast<long>(row.character),
                    row.virt, row.modifiers);
    }
}

void checkHeldModifiers(CheckReport& report) {
    BYTE saved[256];
    if (!report.that(GetKeyboardState(saved) != 0, "GetKeyboardState failed")) return;
    BYTE pressed[256];
    for (int i = 0; i < 256; ++i) pressed[i] = 0;
    pressed[VK_SHIFT] = 0x80;
    pressed[VK_CONTROL] = 0x80;
    SetKeyboardState(pressed);
    const unsigned char shiftControl = heldModifiers();
    pressed[VK_SHIFT] = 0;
    pressed[VK_CONTROL] = 0;
    pressed[VK_MENU] = 0x80;
    SetKeyboardState(pressed);
    const unsigned char alt = heldModifiers();
    SetKeyboardState(saved);
    report.that(shiftControl == (MODIFIER_SHIFT | MODIFIER_COMMAND), "Shift and Ctrl held read as modifiers %u",
                shiftControl);
    report.that(alt == MODIFIER_ALTERNATE, "Alt held reads as modifiers %u", alt);
}
