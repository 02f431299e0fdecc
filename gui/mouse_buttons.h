// Mouse buttons and modifier keys as one bit set, as every event handler of
// the widget layer receives them.
#pragma once

using CButtonState = long;

enum CButton : CButtonState {
    kLButton = 1 << 0,
    kMButton = 1 << 1,
    kRButton = 1 << 2,
    kShift = 1 << 3,
    kControl = 1 << 4,
    kAlt = 1 << 5,
    kApple = 1 << 6,
};
