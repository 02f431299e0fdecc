// The host the fuzz target plays. It makes one instance through the module's
// entry point, plays a fuzz input against it as a sequence of host
// operations (see host_operation.h), checking every text, pointer and audio
// block it gets back, and closes the instance as the very last step.
//
// Like a host, it answers the plug-in's requests, and it reacts to two of
// them as hosts do: on an automated parameter it reads the parameter and its
// display text back, and on a display update it reads the program name and
// every parameter's display.
#pragma once

#include "fuzz/fuzz_input.h"
#include "fuzz/host_operation.h"
#include "host/aeffect.h"

class CFrame;

class FuzzHost {
public:
    FuzzHost();
    ~FuzzHost();
    FuzzHost(const FuzzHost&) = delete;
    FuzzHost& operator=(const FuzzHost&) = delete;

    // Plays every operation of input; nothing when the entry gave no instance.
    void play(FuzzInput& input);

private:
    static VstIntPtr VSTCALLBACK hostCallback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                                              void* ptr, float opt);

    void playOne(HostOperation operation, FuzzInput& input);
    VstIntPtr dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, bool passNull, const std::string& text,
                       float opt);
    void process(FuzzInput& input);
    void readTexts(VstInt32 index);
    // The editor's frame, reached through the effect's editor; null while
    // the editor is closed.
    CFrame* frame() const;

    AEffect* record = nullptr;
};
