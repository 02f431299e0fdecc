// Renders a fixed scene through a plug-in module and writes the raw output,
// so that builds for different targets can be compared bit for bit.
// Built for Linux and for Windows; depends on nothing but the record layout.
//
//   render_check PLUGIN OUTPUT.raw
//
// The scene: a pseudo-random input made without any maths library (so every
// target feeds the same bits), the default program, then parameter changes
// and a sample-rate change between blocks of varying sizes. Random change
// lengths are left off: their seed comes from the clock.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "host/aeffect.h"

#if defined(RENDER_CHECK_LINKED)
#include "host/audioeffect.h"
AudioEffect* createEffectInstance(audioMasterCallback audioMaster);
#elif defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace {

using EntryFunction = AEffect* (*)(audioMasterCallback);

VstIntPtr VSTCALLBACK hostCallback(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
    return opcode == audioMasterVersion ? 2400 : 0;
}

#if defined(RENDER_CHECK_LINKED)
// A static program for targets that cannot load modules under emulation: the
// effect is linked in and made the way the entry makes it.
AEffect* linkedEntry(audioMasterCallback audioMaster) {
    AudioEffect* effect = createEffectInstance(audioMaster);
    return effect != nullptr ? effect->getAeffect() : nullptr;
}
#endif

EntryFunction loadEntry(const char* path) {
#if defined(RENDER_CHECK_LINKED)
    (void)path;
    return linkedEntry;
#elif defined(_WIN32)
    HMODULE module = LoadLibraryA(path);
    if (module == nullptr) return nullptr;
    return reinterpret_cast<EntryFunction>(reinterpret_cast<void*>(GetProcAddress(module, "VSTPluginMain")));
#else
    void* module = dlopen(path, RTLD_NOW | RTLD_LOCAL);
    if (module == nullptr) return nullptr;
    return reinterpret_cast<EntryFunction>(dlsym(module, "VSTPluginMain"));
#endif
}

// Input samples in -1..1 from a 32-bit linear congruential sequence: exact on
// every target.
class NoiseSource {
public:
    float next() {
        state = state * 1664525u + 1013904223u;
        return static_cast<float>(static_cast<std::int32_t>(state) >> 8) / 8388608.0f;
    }

private:
    std::uint32_t state = 12345u;
};

struct Step {
    int frames;     // processed before the change below
    int parameter;  // -1: none; -2: sample rate; -3: program
    float value;
};

const Step kScene[] = {
    {44100, -1, 0.0f}, {3000, 0, 0.0f},    {20000, 1, 0.05f}, {20000, 2, 0.05f}, {1, 1, 1.0f},
    {30000, 3, 0.0f},  {70000, -2, 48000}, {50000, 0, 0.6f},  {7, 2, 0.3f},      {40000, -3, 5},
    {30000, 4, 0.0f},  {60000, -2, 96000}, {80000, 1, 0.7f},  {40000, 2, 0.1f},  {90000, -1, 0.0f},
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: render_check PLUGIN OUTPUT.raw\n");
        return 2;
    }
    EntryFunction entry = loadEntry(argv[1]);
    if (entry == nullptr) {
        std::fprintf(stderr, "render_check: cannot load %s\n", argv[1]);
        return 2;
    }
    AEffect* effect = entry(hostCallback);
    if (effect == nullptr || effect->numOutputs < 2 || effect->numInputs < 1) {
        std::fprintf(stderr, "render_check: no usable effect in %s\n", argv[1]);
        return 2;
    }
    std::FILE* output = std::fopen(argv[2], "wb");
    if (output == nullptr) {
        std::fprintf(stderr, "render_check: cannot write %s\n", argv[2]);
        return 2;
    }

    effect->dispatcher(effect, effOpen, 0, 0, nullptr, 0.0f);
    effect->dispatcher(effect, effSetSampleRate, 0, 0, nullptr, 44100.0f);
    effect->dispatcher(effect, effSetBlockSize, 0, 4096, nullptr, 0.0f);
    effect->dispatcher(effect, effMainsChanged, 0, 1, nullptr, 0.0f);

    NoiseSource noise;
    std::vector<float> input(4096), first(4096), second(4096), interleaved(8192);
    float* inputs[] = {input.data()};
    float* outputs[] = {first.data(), second.data()};
    int blockIndex = 0;
    for (const Step& step : kScene) {
        int remaining = step.frames;
        while (remaining > 0) {
            // Block sizes vary so that phase boundaries fall anywhere in a block.
            const int size = std::min(remaining, 64 + (blockIndex++ * 977) % 4000);
            for (int i = 0; i < size; ++i) input[i] = noise.next();
            effect->processReplacing(effect, inputs, outputs, size);
            for (int i = 0; i < size; ++i) {
                interleaved[2 * i] = first[i];
                interleaved[2 * i + 1] = second[i];
            }
            std::fwrite(interleaved.data(), sizeof(float), static_cast<std::size_t>(2 * size), output);
            remaining -= size;
        }
        if (step.parameter >= 0)
            effect->setParameter(effect, step.parameter, step.value);
        else if (step.parameter == -2)
            effect->dispatcher(effect, effSetSampleRate, 0, 0, nullptr, step.value);
        else if (step.parameter == -3)
            effect->dispatcher(effect, effSetProgram, 0, static_cast<VstIntPtr>(step.value), nullptr, 0.0f);
    }

    effect->dispatcher(effect, effMainsChanged, 0, 0, nullptr, 0.0f);
    effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
    const bool written = std::fclose(output) == 0;
    return written ? 0 : 2;
}
