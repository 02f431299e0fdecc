// X11 pointer buttons and modifier state as the widget layer's button set.
#pragma once

#include "gui/mouse_buttons.h"

// Button 1..3 of a press or release event: kLButton, kMButton, kRButton; any
// other button (the wheel's 4..7, extra side buttons) gives 0.
CButtonState pointerButtonOf(unsigned int button);
// The modifiers and the held buttons an event's state field reports.
CButtonState pointerStateOf(unsigned int state);
// Wheel notches of a button press: +1 for button 4 (up), -1 for 5 (down), 0
// for every other button.
int wheelNotchesOf(unsigned int button);
