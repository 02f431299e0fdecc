#include "host/text_copy.h"

#include <cstring>

void copyText(char* text, const char* source, VstInt32 maxLen) {
    if (text == nullptr || maxLen < 0) return;
    VstInt32 length = 0;
    if (source != nullptr) {
        while (length < maxLen && source[length] != '\0') {
            text[length] = source[length];
            ++length;
        }
    }
    text[length] = '\0';
}

void appendText(char* text, const char* source, VstInt32 maxLen) {
    if (text == nullptr || maxLen < 0) return;
    VstInt32 used = 0;
    while (used < maxLen && text[used] != '\0') ++used;
    copyText(text + used, source, maxLen - used);
}
