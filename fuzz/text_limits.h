// The text buffers hosts hand to the opcodes that write text, and the check
// that a text stayed inside: a terminator within the host's size and not a
// byte touched past it. Hosts commonly offer 256 bytes; the fuzz host does
// too, filled with a sentinel, so a text that ran past the size it was
// promised shows as changed bytes even where the buffer itself is larger.
#pragma once

#include <cstddef>

#include "host/aeffect.h"
#include "tests/support/host_text_sizes.h"

constexpr std::size_t kHostTextBufferBytes = 256;
constexpr unsigned char kTextSentinel = 0x7F;

// Fails the run when the opcode wrote outside its size or left an
// unterminated text. A buffer the opcode did not touch passes.
void checkTextWritten(VstInt32 opcode, VstInt32 index, const unsigned char* buffer);
