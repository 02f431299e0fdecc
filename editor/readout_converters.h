// The texts of the editor's four read-outs, each made from the value the
// read-out holds (see panel_layout.h for which value that is).
#pragma once

// Depth in percent of the closed level removed: 100 - 100 x, truncated to a
// whole number ("100" at Depth 0, "0" at Depth 1).
void depthToText(float value, char* text);
// A gate period in seconds shown as its rate in Hz, 1 / x, in five characters
// ("2.000" for 0.5 s); 0 gives the overflow text.
void speedToText(float value, char* text);
// The change time in seconds, (1 - x) 15 + 0.1, in four characters.
void changeTimeToText(float value, char* text);
