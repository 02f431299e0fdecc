// The Windows key map against a table of named rows.
#pragma once

#include "tests/windows/check_report.h"

void checkKeyMap(CheckReport& report);
// The modifier bits read from the thread's keyboard state.
void checkHeldModifiers(CheckReport& report);
