// Keys as a VST editor expects them from X11 keysyms and modifier state.

// gtest before any X11 header: Xlib's macros (None, Bool) clash with its names.
#include <gtest/gtest.h>

#include <X11/X.h>
#include <X11/keysym.h>

#include <ostream>
#include <string>

#include "gui/platform/x11/x11_key_map.h"
#include "tests/support/row_name.h"

namespace {

struct KeyRow {
    std::string name;
    KeySym keysym;
    unsigned int state;
    VstInt32 character;
    unsigned char virt;
    unsigned char modifier;
    friend void PrintTo(const KeyRow& row, std::ostream* out) { *out << row.name; }
};

class X11KeyMapTest : public testing::TestWithParam<KeyRow> {};

TEST_P(X11KeyMapTest, GivesCharacterVirtualKeyAndModifiers) {
    const KeyRow& row = GetParam();
    const VstKeyCode key = vstKeyCodeOf(row.keysym, row.state);
    EXPECT_EQ(key.character, row.character);
    EXPECT_EQ(key.virt, row.virt);
    EXPECT_EQ(key.modifier, row.modifier);
}

INSTANTIATE_TEST_SUITE_P(
    Table, X11KeyMapTest,
    testing::Values(
        KeyRow{"lower_letter", XK_a, 0, 'a', 0, 0}, KeyRow{"shifted_letter", XK_A, ShiftMask, 'A', 0, 1},
        KeyRow{"tilde_last_printable", XK_asciitilde, ShiftMask, '~', 0, 1},
        KeyRow{"space_is_both", XK_space, 0, ' ', 7, 0},
        KeyRow{"control_and_alt_together", XK_x, ControlMask | Mod1Mask, 'x', 0, 4 | 2},
        KeyRow{"caps_lock_and_num_lock_ignored", XK_b, LockMask | Mod2Mask, 'b', 0, 0},
        KeyRow{"backspace", XK_BackSpace, 0, 0, 1, 0}, KeyRow{"tab", XK_Tab, 0, 0, 2, 0},
        KeyRow{"shift_tab", XK_ISO_Left_Tab, ShiftMask, 0, 2, 1}, KeyRow{"return", XK_Return, 0, 0, 4, 0},
        KeyRow{"escape", XK_Escape, 0, 0, 6, 0}, KeyRow{"end", XK_End, 0, 0, 9, 0},
        KeyRow{"home", XK_Home, 0, 0, 10, 0}, KeyRow{"left", XK_Left, 0, 0, 11, 0}, KeyRow{"up", XK_Up, 0, 0, 12, 0},
        KeyRow{"right", XK_Right, 0, 0, 13, 0}, KeyRow{"down", XK_Down, ShiftMask, 0, 14, 1},
        KeyRow{"page_up", XK_Page_Up, 0, 0, 15, 0}, KeyRow{"page_down", XK_Page_Down, 0, 0, 16, 0},
        KeyRow{"print_screen", XK_Print, 0, 0, 20, 0}, KeyRow{"insert", XK_Insert, 0, 0, 21, 0},
        KeyRow{"delete", XK_Delete, 0, 0, 22, 0}, KeyRow{"keypad_enter", XK_KP_Enter, 0, 0, 19, 0},
        KeyRow{"keypad_0", XK_KP_0, Mod2Mask, '0', 24, 0}, KeyRow{"keypad_9", XK_KP_9, Mod2Mask, '9', 33, 0},
        KeyRow{"keypad_left_without_num_lock", XK_KP_Left, 0, 0, 11, 0},
        KeyRow{"keypad_multiply", XK_KP_Multiply, 0, '*', 34, 0}, KeyRow{"keypad_add", XK_KP_Add, 0, '+', 35, 0},
        KeyRow{"keypad_subtract", XK_KP_Subtract, 0, '-', 37, 0},
        KeyRow{"keypad_decimal", XK_KP_Decimal, 0, '.', 38, 0}, KeyRow{"keypad_divide", XK_KP_Divide, 0, '/', 39, 0},
        KeyRow{"keypad_equals", XK_KP_Equal, 0, '=', 57, 0}, KeyRow{"f1", XK_F1, 0, 0, 40, 0},
        KeyRow{"f12", XK_F12, ControlMask, 0, 51, 4}, KeyRow{"num_lock", XK_Num_Lock, 0, 0, 52, 0},
        KeyRow{"scroll_lock", XK_Scroll_Lock, 0, 0, 53, 0}, KeyRow{"shift_itself", XK_Shift_R, 0, 0, 54, 0},
        KeyRow{"control_itself", XK_Control_L, ControlMask, 0, 55, 4}, KeyRow{"alt_itself", XK_Alt_L, 0, 0, 56, 0},
        KeyRow{"f13_is_unknown", XK_F13, 0, 0, 0, 0}, KeyRow{"latin1_beyond_ascii", XK_eacute, 0, 0, 0, 0},
        KeyRow{"delete_character_is_no_text", 0x7f, 0, 0, 0, 0}, KeyRow{"no_symbol", NoSymbol, ShiftMask, 0, 0, 1}),
    rowName<KeyRow>);

}  // namespace
