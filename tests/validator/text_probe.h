// Reads the texts a plug-in writes the way a validator does: into a buffer
// filled with a sentinel, checked against the size hosts allocate for that
// opcode (terminator within it, not a byte touched past it). Remembers the
// longest text each opcode wrote, for the sweep to print.
#pragma once

#include <map>
#include <string>

#include "tests/support/host_text_sizes.h"
#include "tests/support/plugin_host.h"

// The opcodes that write text, as hosts call them.
extern const VstInt32 kTextOpcodes[8];
const char* textOpcodeName(VstInt32 opcode);

class TextProbe {
public:
    explicit TextProbe(PluginInstance& probed) : plugin(probed) {}

    // The text the opcode wrote; a test failure, naming opcode, index and
    // value, when it broke its bounds. Empty when nothing was written.
    std::string read(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0);
    // Every text opcode for this parameter index and program.
    void readAll(VstInt32 index, VstInt32 program);

    struct Longest {
        std::size_t length = 0;
        std::string text;
    };
    // The longest text per opcode over every probe of this process.
    static const std::map<VstInt32, Longest>& longest();

private:
    PluginInstance& plugin;
};
