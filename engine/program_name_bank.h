// The names of a bank of programs, each kept whole: a rename on one host
// thread and a name query on another never meet halfway through a name.
//
// Only the host's non-audio threads rename programs or ask for their names;
// the audio thread never touches them. So a mutex guards the names: it costs
// the audio path nothing, it is held only for a copy of at most
// kVstMaxProgNameLen bytes with no call out, and it also orders two renames
// on two threads, which a sequence counter over atomic bytes would need a
// writers' lock for anyway.
#pragma once

#include <mutex>

#include "host/aeffect.h"
#include "host/text_copy.h"

template <VstInt32 Count>
class ProgramNameBank {
public:
    // A full buffer for one name, terminator included.
    using Name = char[kVstMaxProgNameLen];

    explicit ProgramNameBank(const char* initialName) {
        for (Name& name : names) copyIntoBuffer(name, initialName, kVstMaxProgNameLen);
    }

    // Keeps at most kVstMaxProgNameLen - 1 characters of name; a program
    // outside the bank or a null name changes nothing.
    void rename(VstInt32 program, const char* name) {
        if (!contains(program) || name == nullptr) return;
        std::lock_guard<std::mutex> lock(mutex);
        copyIntoBuffer(names[program], name, kVstMaxProgNameLen);
    }

    // Copies the name into copy; false (copy untouched) outside the bank.
    bool read(VstInt32 program, Name& copy) const {
        if (!contains(program)) return false;
        std::lock_guard<std::mutex> lock(mutex);
        copyIntoBuffer(copy, names[program], kVstMaxProgNameLen);
        return true;
    }

    static constexpr bool contains(VstInt32 program) { return program >= 0 && program < Count; }

private:
    mutable std::mutex mutex;
    Name names[Count];
};
