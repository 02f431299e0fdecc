// The base effect class: owns the record the host holds, the host callback,
// the editor and the numbers every effect has (rate, block size, counts).
#pragma once

#include <atomic>

#include "host/aeffect.h"

class AEffEditor;
class EditorParameterHook;

class AudioEffect {
public:
    AudioEffect(audioMasterCallback audioMaster, VstInt32 numPrograms, VstInt32 numParams);
    virtual ~AudioEffect();

    // Opcodes 0..24; everything else answers 0.
    virtual VstIntPtr dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt);

    virtual void open() {}
    virtual void close() {}
    virtual void suspend() {}
    virtual void resume() {}

    virtual void setSampleRate(float newRate) { sampleRate.store(newRate, std::memory_order_relaxed); }
    virtual void setBlockSize(VstInt32 newSize) { blockSize.store(newSize, std::memory_order_relaxed); }

    virtual void processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) = 0;
    virtual void processDoubleReplacing(double** /*inputs*/, double** /*outputs*/, VstInt32 /*sampleFrames*/) {}

    virtual void setParameter(VstInt32 /*index*/, float /*value*/) {}
    virtual float getParameter(VstInt32 /*index*/) { return 0.0f; }
    virtual void setParameterAutomated(VstInt32 index, float value);

    virtual VstInt32 getProgram() { return curProgram.load(std::memory_order_relaxed); }
    virtual void setProgram(VstInt32 program) { curProgram.store(program, std::memory_order_relaxed); }
    virtual void setProgramName(char* /*name*/) {}
    virtual void getProgramName(char* name);

    virtual void getParameterLabel(VstInt32 index, char* label);
    virtual void getParameterDisplay(VstInt32 index, char* text);
    virtual void getParameterName(VstInt32 index, char* text);

    virtual VstInt32 getChunk(void** /*data*/, bool /*isPreset*/) { return 0; }
    virtual VstInt32 setChunk(void* /*data*/, VstInt32 /*byteSize*/, bool /*isPreset*/) { return 0; }

    virtual void setUniqueID(VstInt32 iD) { cEffect.uniqueID = iD; }
    virtual void setNumInputs(VstInt32 inputs) { cEffect.numInputs = inputs; }
    virtual void setNumOutputs(VstInt32 outputs) { cEffect.numOutputs = outputs; }

    virtual AEffect* getAeffect() { return &cEffect; }
    virtual float getSampleRate() { return sampleRate.load(std::memory_order_relaxed); }

    // Host request: lets the host run its idle work while the editor tracks the mouse.
    virtual void masterIdle();

    virtual void dB2string(float value, char* text, VstInt32 maxLen);
    virtual void Hz2string(float samples, char* text, VstInt32 maxLen);
    virtual void ms2string(float samples, char* text, VstInt32 maxLen);
    virtual void float2string(float value, char* text, VstInt32 maxLen);
    virtual void int2string(VstInt32 value, char* text, VstInt32 maxLen);

    // Accumulating processing: offered by the record, never used by this effect.
    virtual void process(float** /*inputs*/, float** /*outputs*/, VstInt32 /*sampleFrames*/) {}

    // Used by the editor base to register itself (and by teardown to find it).
    AEffEditor* getEditor() const { return editor; }
    void setEditor(AEffEditor* newEditor);
    // Registered by an editor that wants to follow parameter changes; the
    // effect calls it after each one. Not owned: the editor owns itself.
    void setEditorParameterHook(EditorParameterHook* hook) { editorParameterHook = hook; }

    VstInt32 getNumPrograms() const { return numPrograms; }
    VstInt32 getNumParams() const { return numParams; }
    VstInt32 getBlockSize() const { return blockSize.load(std::memory_order_relaxed); }

protected:
    // Sends one request to the host; 0 when there is no callback.
    VstIntPtr callHost(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr, float opt = 0.0f);

    audioMasterCallback audioMaster;
    AEffEditor* editor = nullptr;
    EditorParameterHook* editorParameterHook = nullptr;
    std::atomic<float> sampleRate{44100.0f};
    std::atomic<VstInt32> blockSize{1024};
    VstInt32 numPrograms;
    VstInt32 numParams;
    std::atomic<VstInt32> curProgram{0};
    AEffect cEffect;
};
