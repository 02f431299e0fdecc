// Copying texts into a caller's buffer of a known size.
#pragma once

#include "host/aeffect.h"

// Copies at most maxLen characters of source into text and terminates it, so
// nothing is written beyond text[maxLen]. A null text, or a negative maxLen,
// writes nothing; a null source writes the empty text.
void copyText(char* text, const char* source, VstInt32 maxLen);

// Appends source to text, keeping the whole text within maxLen characters.
void appendText(char* text, const char* source, VstInt32 maxLen);

// Copies source into a buffer of bufferSize bytes, terminator included: at
// most bufferSize - 1 characters. A size below 1 writes nothing.
inline void copyIntoBuffer(char* buffer, const char* source, VstInt32 bufferSize) {
    if (bufferSize >= 1) copyText(buffer, source, bufferSize - 1);
}
