// Number-to-text routines: an eight-character decimal text cut to the
// caller's length, and the integer and unit variants built on it.
#pragma once

#include "host/aeffect.h"

// Composes at most eight characters (sign, integer digits, point, fraction
// digits, all truncated, never rounded) and keeps the first maxLen of them.
// Values beyond the limits, infinities and NaN give "Huge!".
void floatToText(float value, char* text, VstInt32 maxLen);

// Decimal digits without leading zeros; 0 gives "0"; values at or above
// 100000000 or at or below -1000000000 give "Huge!".
void intToText(VstInt32 value, char* text, VstInt32 maxLen);

// 20 log10(value) in the float text; "-oo" for values at or below 0.
void decibelsToText(float value, char* text, VstInt32 maxLen);

// The rate sampleRate / samples in Hz; 0 samples shows 0.
void samplesToHertzText(float samples, float sampleRate, char* text, VstInt32 maxLen);

// samples as milliseconds at sampleRate.
void samplesToMillisecondsText(float samples, float sampleRate, char* text, VstInt32 maxLen);
