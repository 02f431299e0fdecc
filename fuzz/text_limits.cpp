#include "fuzz/text_limits.h"

#include <cstring>

#include "fuzz/fuzz_failure.h"

void checkTextWritten(VstInt32 opcode, VstInt32 index, const unsigned char* buffer) {
    const auto size = static_cast<std::size_t>(hostTextSize(opcode));
    std::size_t firstChanged = kHostTextBufferBytes;
    for (std::size_t i = 0; i < kHostTextBufferBytes; ++i) {
        if (buffer[i] != kTextSentinel) {
            firstChanged = i;
            break;
        }
    }
    if (firstChanged == kHostTextBufferBytes) return;  // nothing written
    for (std::size_t i = size; i < kHostTextBufferBytes; ++i)
        if (buffer[i] != kTextSentinel)
            fuzzFailure("opcode %d (index %d) wrote byte %zu of a text promised %zu bytes", opcode, index, i, size);
    if (std::memchr(buffer, '\0', size) == nullptr)
        fuzzFailure("opcode %d (index %d) left its text unterminated within %zu bytes", opcode, index, size);
}
