// A bare effect and editor built on the frame's base classes, for tests of
// the frame itself: they record which operation the dispatcher reached and
// with which arguments, and let a test decide the editor's answers.
#pragma once

#include <string>

#include "gui/aeffguieditor.h"
#include "host/audioeffectx.h"

struct OperationRecord {
    std::string name;
    VstIntPtr first = 0;
    VstIntPtr second = 0;
    const void* pointer = nullptr;
    float number = 0.0f;
};

class ProbeEffect : public AudioEffectX {
public:
    explicit ProbeEffect(audioMasterCallback hostCallback) : AudioEffectX(hostCallback, 16, 6) {}

    OperationRecord last;

    void processReplacing(float**, float**, VstInt32) override { note("processReplacing"); }
    void open() override { note("open"); }
    void close() override { note("close"); }
    void suspend() override { note("suspend"); }
    void resume() override { note("resume"); }
    void setSampleRate(float rate) override {
        AudioEffectX::setSampleRate(rate);
        note("setSampleRate", 0, 0, nullptr, rate);
    }
    void setBlockSize(VstInt32 size) override {
        AudioEffectX::setBlockSize(size);
        note("setBlockSize", size);
    }
    void setProgram(VstInt32 program) override {
        AudioEffectX::setProgram(program);
        note("setProgram", program);
    }
    void setProgramName(char* name) override { note("setProgramName", 0, 0, name); }
    void getProgramName(char* name) override { note("getProgramName", 0, 0, name); }
    void getParameterLabel(VstInt32 index, char* text) override { note("getParameterLabel", index, 0, text); }
    void getParameterDisplay(VstInt32 index, char* text) override { note("getParameterDisplay", index, 0, text); }
    void getParameterName(VstInt32 index, char* text) override { note("getParameterName", index, 0, text); }
    VstInt32 getChunk(void** data, bool isPreset) override {
        note("getChunk", isPreset, 0, data);
        return AudioEffectX::getChunk(data, isPreset);
    }
    VstInt32 setChunk(void* data, VstInt32 byteSize, bool isPreset) override {
        note("setChunk", isPreset, byteSize, data);
        return AudioEffectX::setChunk(data, byteSize, isPreset);
    }
    bool getProgramNameIndexed(VstInt32 category, VstInt32 index, char* text) override {
        note("getProgramNameIndexed", category, index, text);
        return true;
    }
    bool setSpeakerArrangement(VstSpeakerArrangement* in, VstSpeakerArrangement* out) override {
        note("setSpeakerArrangement", reinterpret_cast<VstIntPtr>(in), 0, out);
        return false;
    }
    bool setBypass(bool onOff) override {
        note("setBypass", onOff);
        return false;
    }
    bool setPanLaw(VstInt32 type, float gain) override {
        note("setPanLaw", type, 0, nullptr, gain);
        return false;
    }
    VstIntPtr vendorSpecific(VstInt32 index, VstIntPtr value, void* ptr, float opt) override {
        note("vendorSpecific", index, value, ptr, opt);
        return 0;
    }
    bool offlineNotify(VstAudioFile* files, VstInt32 count, bool start) override {
        note("offlineNotify", count, start, files);
        return false;
    }

private:
    void note(const char* name, VstIntPtr first = 0, VstIntPtr second = 0, const void* pointer = nullptr,
              float number = 0.0f) {
        last = OperationRecord{name, first, second, pointer, number};
    }
};

// An editor whose answers the test sets, and which reports its destruction.
class ProbeEditor : public AEffGUIEditor {
public:
    ProbeEditor(AudioEffect* owner, bool* destroyedFlag) : AEffGUIEditor(owner), destroyed(destroyedFlag) {
        rect = ERect{0, 0, 355, 462};
    }
    ~ProbeEditor() override {
        if (destroyed != nullptr) *destroyed = true;
    }

    bool open(void* ptr) override {
        AEffGUIEditor::open(ptr);
        return openAnswer;
    }
    void idle() override { ++idleCount; }
    bool onKeyDown(VstKeyCode& key) override {
        lastKey = key;
        return keyAnswer;
    }
    bool onKeyUp(VstKeyCode& key) override {
        lastKey = key;
        return keyAnswer;
    }

    bool openAnswer = true;
    bool keyAnswer = true;
    int idleCount = 0;
    VstKeyCode lastKey{-1, 0, 0};

private:
    bool* destroyed;
};
