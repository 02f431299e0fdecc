// The names of a bank of programs, each kept whole: a rename on one host
// thread and a name query on another never meet halfway through a name.
//
// Only the host's non-audio threads rename programs or ask for their names;
// the audio thread never touches them. So a lock guards the names: it costs
// the audio path nothing, it is held only for a copy of at most
// kVstMaxProgNameLen bytes with no call out, and it also orders two renames
// on two threads, which a sequence counter over atomic bytes would need a
// writers' lock for anyway. The lock is a flag that waiters yield on rather
// than std::mutex, which the Windows builds' thread model does not offer.
#pragma once

#include <atomic>
#include <thread>

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
        const Hold hold(lock);
        copyIntoBuffer(names[program], name, kVstMaxProgNameLen);
    }

    // Copies the name into copy; false (copy untouched) outside the bank.
    bool read(VstInt32 program, Name& copy) const {
        if (!contains(program)) return false;
        const Hold hold(lock);
        copyIntoBuffer(copy, names[program], kVstMaxProgNameLen);
        return true;
    }

    static constexpr bool contains(VstInt32 program) { return program >= 0 && program < Count; }

private:
    // Holds the lock for one scope.
    class Hold {
    public:
        explicit Hold(std::atomic_flag& heldLock) : held(heldLock) {
            while (held.test_and_set(std::memory_order_acquire)) std::this_thread::yield();
        }
        ~Hold() { held.clear(std::memory_order_release); }
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;

    private:
        std::atomic_flag& held;
    };

    mutable std::atomic_flag lock = ATOMIC_FLAG_INIT;
    Name names[Count];
};
