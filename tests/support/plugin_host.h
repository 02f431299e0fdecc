// A test host: loads a built plug-in with dlopen exactly as a host does,
// answers the plug-in's requests through a recording callback, and drives
// everything through the effect record.
#pragma once

#include <cstddef>
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

// One instance of the plug-in, created through VSTPluginMain with the
// recording callback and closed through effClose when it goes.
class PluginInstance {
public:
    PluginInstance();
    ~PluginInstance();
    PluginInstance(const PluginInstance&) = delete;
    PluginInstance& operator=(const PluginInstance&) = delete;

    VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr, float opt = 0.0f);
    // The text an opcode writes into a generously sized, pre-filled buffer.
    std::string text(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0);
    void setParameter(VstInt32 index, float value) { effect->setParameter(effect, index, value); }
    float getParameter(VstInt32 index) { return effect->getParameter(effect, index); }
    // Runs processReplacing over input into two freshly sized outputs.
    void process(const std::vector<float>& input, std::vector<float>& first, std::vector<float>& second);
    // Processes input[begin, begin + count) into the same range of the outputs.
    void process(const std::vector<float>& input, std::vector<float>& first, std::vector<float>& second,
                 std::size_t begin, std::size_t count);
    // Closes the effect now; the destructor then does nothing.
    VstIntPtr close();
    // A new effect after close().
    void open();

    AEffect* effect = nullptr;
};

// Holds the recording host, so that a fixture's host exists before the
// instance whose requests it records.
struct WithRecordingHost {
    RecordingHost host;
};

// Fixture: a fresh effect for every test, its requests recorded in host.
class PluginTest : public testing::Test, protected WithRecordingHost, public PluginInstance {
protected:
    void SetUp() override { ASSERT_NE(effect, nullptr); }
};
