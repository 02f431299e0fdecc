// A test host: loads a built plug-in with dlopen exactly as a host does,
// answers the plug-in's requests through a recording callback, and drives
// everything through the effect record.
#pragma once

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "host/aeffect.h"

// One request the plug-in made of the host.
struct HostCall {
    AEffect* effect;
    VstInt32 opcode;
    VstInt32 index;
    VstIntPtr value;
    void* ptr;
    float opt;
};

// The callback every test host hands to the plug-in. Records each request and
// answers audioMasterVersion with versionAnswer (2400 unless a test changes it).
class RecordingHost {
public:
    RecordingHost();
    ~RecordingHost();
    RecordingHost(const RecordingHost&) = delete;
    RecordingHost& operator=(const RecordingHost&) = delete;

    static VstIntPtr VSTCALLBACK callback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                          float opt);

    std::vector<HostCall> calls;
    VstIntPtr versionAnswer = 2400;

    std::vector<HostCall> callsWithOpcode(VstInt32 opcode) const;
    void clear() { calls.clear(); }
};

// The plug-in module, opened once per test program and kept open.
class PluginLibrary {
public:
    using EntryFunction = AEffect* (*)(audioMasterCallback);

    static PluginLibrary& instance();

    void* handle() const { return handle_; }
    EntryFunction entry(const char* exportName) const;  // null when not exported
    const std::string& path() const { return path_; }

private:
    PluginLibrary();
    void* handle_ = nullptr;
    std::string path_;
};

// Fixture: a fresh effect for every test, created through VSTPluginMain with
// the recording host and closed through effClose afterwards.
class PluginTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr, float opt = 0.0f);
    // The text an opcode writes into a generously sized, pre-filled buffer.
    std::string text(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0);
    void setParameter(VstInt32 index, float value) { effect->setParameter(effect, index, value); }
    float getParameter(VstInt32 index) { return effect->getParameter(effect, index); }
    // Runs processReplacing over input into two freshly sized outputs.
    void process(const std::vector<float>& input, std::vector<float>& first, std::vector<float>& second);
    // Closes the effect now; TearDown then does nothing.
    VstIntPtr close();

    RecordingHost host;
    AEffect* effect = nullptr;
};
