// Renders fixed scenes and writes the raw output, so that builds for
// different targets can be compared bit for bit. Built for every target.
//
//   render_check MODULE OUTPUT_DIR [SEED]
//
// OUTPUT_DIR/scene.raw: the plain scene through MODULE, a plug-in module, or
// through the effect linked into this program when MODULE is "linked" (for
// targets that cannot load modules under emulation). A pseudo-random input
// made without any maths library (so every target feeds the same bits), the
// default program, then parameter changes and a sample-rate change between
// blocks of varying sizes.
//
// OUTPUT_DIR/random.raw: the Random scene, always through the linked effect:
// a module seeds its generator from the clock and offers no way in, while the
// linked effect is seeded with SEED (default kDefaultSeed) through the probe.
//
// One run writes both, so an emulated target starts only once.
#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/adelay.h"
#include "host/aeffect.h"
#include "host/effect_factory.h"
#include "tests/engine/adelay_probe.h"

#if defined(RENDER_CHECK_NO_MODULES)
// Static program under emulation: modules cannot be loaded.
#elif defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace {

using EntryFunction = AEffect* (*)(audioMasterCallback);

constexpr std::uint32_t kDefaultSeed = 20240611u;

VstIntPtr VSTCALLBACK hostCallback(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
    return opcode == audioMasterVersion ? 2400 : 0;
}

// The effect made the way the entry makes it, without a module.
ADelay* createLinkedEffect() { return dynamic_cast<ADelay*>(createEffectInstance(hostCallback)); }

AEffect* linkedEntry(audioMasterCallback) {
    ADelay* effect = createLinkedEffect();
    return effect != nullptr ? effect->getAeffect() : nullptr;
}

EntryFunction loadEntry(const std::string& module) {
    if (module == "linked") return linkedEntry;
#if defined(RENDER_CHECK_NO_MODULES)
    return nullptr;
#elif defined(_WIN32)
    HMODULE handle = LoadLibraryA(module.c_str());
    if (handle == nullptr) return nullptr;
    return reinterpret_cast<EntryFunction>(reinterpret_cast<void*>(GetProcAddress(handle, "VSTPluginMain")));
#else
    void* handle = dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) return nullptr;
    return reinterpret_cast<EntryFunction>(dlsym(handle, "VSTPluginMain"));
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

constexpr int kNoChange = -1;
constexpr int kSampleRateChange = -2;
constexpr int kProgramChange = -3;

struct Step {
    int frames;     // processed before the change below
    int parameter;  // a parameter index, or one of the changes above
    float value;
};

const Step kPlainScene[] = {
    {44100, kNoChange, 0.0f},          {3000, kDepthParam, 0.0f},     {20000, kSpeedParam, 0.05f},
    {20000, kMaxSpeedParam, 0.05f},    {1, kSpeedParam, 1.0f},        {30000, kChangeRateParam, 0.0f},
    {70000, kSampleRateChange, 48000}, {50000, kDepthParam, 0.6f},    {7, kMaxSpeedParam, 0.3f},
    {40000, kProgramChange, 5},        {30000, kRandomParam, 0.0f},   {60000, kSampleRateChange, 96000},
    {80000, kSpeedParam, 0.7f},        {40000, kMaxSpeedParam, 0.1f}, {90000, kNoChange, 0.0f},
};

// Short changes (Change Rate 0: 0.75 to 1.5 s each with Random on) over a
// fast gate, so that a dozen draws each shorten a change by a different
// amount; Random goes off and on again, and the sample rate moves.
const Step kRandomScene[] = {
    {0, kRandomParam, 1.0f},           {0, kChangeRateParam, 0.0f}, {0, kMaxSpeedParam, 0.05f},
    {0, kSpeedParam, 0.12f},           {0, kDepthParam, 0.2f},      {120000, kChangeRateParam, 0.05f},
    {90000, kSampleRateChange, 48000}, {100000, kSpeedParam, 0.3f}, {80000, kRandomParam, 0.0f},
    {60000, kRandomParam, 1.0f},       {100000, kNoChange, 0.0f},
};

template <std::size_t Count>
bool render(AEffect* effect, const Step (&scene)[Count], const std::string& path) {
    std::FILE* output = std::fopen(path.c_str(), "wb");
    if (output == nullptr) {
        std::fprintf(stderr, "render_check: cannot write %s\n", path.c_str());
        return false;
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
    for (const Step& step : scene) {
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
        else if (step.parameter == kSampleRateChange)
            effect->dispatcher(effect, effSetSampleRate, 0, 0, nullptr, step.value);
        else if (step.parameter == kProgramChange)
            effect->dispatcher(effect, effSetProgram, 0, static_cast<VstIntPtr>(step.value), nullptr, 0.0f);
    }

    effect->dispatcher(effect, effMainsChanged, 0, 0, nullptr, 0.0f);
    effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
    const bool written = std::ferror(output) == 0;
    return std::fclose(output) == 0 && written;
}

bool parseSeed(const char* text, std::uint32_t& seed) {
    errno = 0;
    char* end = nullptr;
    const unsigned long long value = std::strtoull(text, &end, 0);
    if (errno != 0 || end == text || *end != '\0' || text[0] == '-' || value > UINT32_MAX) return false;
    seed = static_cast<std::uint32_t>(value);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    std::uint32_t seed = kDefaultSeed;
    if (argc < 3 || argc > 4 || (argc == 4 && !parseSeed(argv[3], seed))) {
        std::fprintf(stderr, "usage: render_check MODULE|linked OUTPUT_DIR [SEED]\n");
        return 2;
    }
    const std::string module = argv[1];
    const std::string outputDir = argv[2];

    EntryFunction entry = loadEntry(module);
    if (entry == nullptr) {
        std::fprintf(stderr, "render_check: cannot load %s\n", module.c_str());
        return 2;
    }
    AEffect* effect = entry(hostCallback);
    if (effect == nullptr || effect->numOutputs < 2 || effect->numInputs < 1) {
        std::fprintf(stderr, "render_check: no usable effect in %s\n", module.c_str());
        return 2;
    }
    if (!render(effect, kPlainScene, outputDir + "/scene.raw")) return 2;

    ADelay* randomEffect = createLinkedEffect();
    if (randomEffect == nullptr) {
        std::fprintf(stderr, "render_check: cannot create the linked effect\n");
        return 2;
    }
    ADelayProbe probe(*randomEffect);
    probe.seed(seed);
    // The first change lasts 10 s whatever the settings; ending it at once
    // lets the draws begin with the first phase.
    probe.endChange();
    if (!render(randomEffect->getAeffect(), kRandomScene, outputDir + "/random.raw")) return 2;
    return 0;
}
