// Helpers shared by the engine tests: extra plug-in instances loaded through
// the module, audio runs, and the gate's expected gains.
#pragma once

#include <cstddef>
#include <cstdint>
#include <random>
#include <vector>

#include "tests/support/plugin_host.h"

// One more instance of the plug-in, created through VSTPluginMain and closed
// through effClose, for tests that compare two runs.
class Instance {
public:
    Instance() : effect(PluginLibrary::instance().entry("VSTPluginMain")(RecordingHost::callback)) {}
    ~Instance() {
        if (effect != nullptr) effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
    }
    Instance(const Instance&) = delete;
    Instance& operator=(const Instance&) = delete;

    void set(VstInt32 index, float value) { effect->setParameter(effect, index, value); }
    float get(VstInt32 index) { return effect->getParameter(effect, index); }
    VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                       float opt = 0.0f) {
        return effect->dispatcher(effect, opcode, index, value, ptr, opt);
    }
    // Processes input[begin, begin + count) into the same range of the outputs.
    void process(const std::vector<float>& input, std::vector<float>& first, std::vector<float>& second,
                 std::size_t begin, std::size_t count) {
        float* inputs[] = {const_cast<float*>(input.data()) + begin};
        float* outputs[] = {first.data() + begin, second.data() + begin};
        effect->processReplacing(effect, inputs, outputs, static_cast<VstInt32>(count));
    }

    AEffect* effect;
};

inline std::vector<float> noise(std::size_t count, unsigned seed = 7) {
    std::mt19937 generator(seed);
    std::uniform_real_distribution<float> distribution(-1.0f, 1.0f);
    std::vector<float> samples(count);
    for (float& sample : samples) sample = distribution(generator);
    return samples;
}

// Lengths of the runs of exact zeros and of non-zero samples, in order. With
// Depth 0 and a constant non-zero input the closed phases are the zero runs
// (every ramp gain, even the one a hair below 0, is non-zero).
inline std::vector<std::size_t> runLengths(const std::vector<float>& output) {
    std::vector<std::size_t> runs;
    for (std::size_t i = 0; i < output.size(); ++i) {
        if (i == 0 || (output[i] == 0.0f) != (output[i - 1] == 0.0f))
            runs.push_back(1);
        else
            ++runs.back();
    }
    return runs;
}

// Ramp gain for counter c: depth + (1 - s c)(1 - depth) in double with
// s = 1/20 rounded to float, then rounded to float.
inline float expectedRampGain(float depth, int count) {
    const double step = static_cast<float>(1.0 / 20);
    return static_cast<float>(depth + (1.0 - step * count) * (1.0 - static_cast<double>(depth)));
}

// The gains of both outputs for every sample of a stream whose phases have
// the given lengths, the first one closed. Every listed phase is complete (a
// cut open phase would need its closing ramp), and open phases must be at
// least 41 samples long. A gain of exactly 1 means "the input itself".
struct GateGains {
    std::vector<float> first;
    std::vector<float> second;
    std::vector<bool> closed;
};

inline GateGains expectedGateGains(float depth, const std::vector<int>& phaseLengths) {
    GateGains gains;
    bool closed = true;
    for (int length : phaseLengths) {
        for (int k = 1; k <= length; ++k) {
            float first = 1.0f;
            float second = 1.0f;
            if (closed) {
                first = second = depth;
            } else if (k <= 18) {
                first = expectedRampGain(depth, 21 - k);
                second = expectedRampGain(depth, 20 - k);
            } else if (k == 19) {
                first = expectedRampGain(depth, 2);
            } else if (k >= length - 20) {
                first = expectedRampGain(depth, k - (length - 21));
                second = expectedRampGain(depth, k - (length - 22));
            }
            gains.first.push_back(first);
            gains.second.push_back(second);
            gains.closed.push_back(closed);
        }
        closed = !closed;
    }
    return gains;
}
