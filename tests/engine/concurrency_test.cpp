// The audio thread processing while a host's other thread moves every
// parameter, switches programs, changes the sample rate and reads texts.
// Meant for the ThreadSanitizer build, where any unsynchronised access is a
// failure; everywhere else it checks that the output stays sane.
#include <atomic>
#include <cmath>
#include <random>
#include <thread>
#include <vector>

#include "tests/engine/engine_test_support.h"

namespace {

TEST(Concurrency, ParameterAndProgramChangesDuringProcessingKeepTheOutputBounded) {
    PluginInstance plugin;
    std::atomic<bool> audioDone{false};
    std::atomic<int> blocksProcessed{0};
    std::vector<float> worstRatio(1, 0.0f);

    std::thread audio([&] {
        const std::vector<float> input = noise(512, 3);
        std::vector<float> first(512), second(512);
        float* inputs[] = {const_cast<float*>(input.data())};
        float* outputs[] = {first.data(), second.data()};
        for (int block = 0; block < 400; ++block) {
            plugin.effect->processReplacing(plugin.effect, inputs, outputs, 512);
            for (std::size_t i = 0; i < input.size(); ++i) {
                // Every gain lies in [depth - 0.1 (1 - depth), 1] for Depth in 0..1.
                const float bound = 1.1f * std::fabs(input[i]) + 1e-6f;
                if (!(std::fabs(first[i]) <= bound && std::fabs(second[i]) <= bound)) worstRatio[0] = 1.0f;
            }
            blocksProcessed.fetch_add(1);
        }
        audioDone.store(true);
    });

    std::mt19937 generator(11);
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    char text[256];
    int changes = 0;
    while (!audioDone.load() || changes < 100) {
        const int action = changes++ % 8;
        if (action < 5) plugin.setParameter(action, unit(generator));
        if (action == 5) plugin.dispatch(effSetProgram, 0, static_cast<VstIntPtr>(generator() % 16));
        if (action == 6) plugin.dispatch(effSetSampleRate, 0, 0, nullptr, changes % 2 ? 48000.0f : 44100.0f);
        if (action == 7) {
            plugin.dispatch(effGetParamDisplay, static_cast<VstInt32>(generator() % 6), 0, text);
            plugin.dispatch(effGetProgramName, 0, 0, text);
        }
        if (changes > 100000) break;  // the audio thread has stalled; the join reports it
    }
    audio.join();
    EXPECT_EQ(blocksProcessed.load(), 400);
    EXPECT_EQ(worstRatio[0], 0.0f) << "an output sample left the gate's gain range";
}

}  // namespace
