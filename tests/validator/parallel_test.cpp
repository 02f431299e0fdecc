// Sixteen instances processing at once on sixteen threads, each fed the same
// host calls: every output sample is bit for bit what one instance alone
// gives, so instances share no state and threads do not disturb each other.
// Random stays off: its draws are seeded from the clock at creation.
#include <cstring>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/plugin_host.h"

namespace {

constexpr int kThreads = 16;

// One host call of the shared script.
struct ScriptStep {
    enum Kind { kParameter, kProgram, kSampleRate, kBlock } kind;
    VstInt32 index;
    float value;
};

std::vector<ScriptStep> makeScript() {
    std::mt19937 generator(31);
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    const float rates[] = {8000.0f, 44100.0f, 48000.0f, 96000.0f, 192000.0f};
    const VstInt32 blocks[] = {1, 17, 64, 512, 4096};
    std::vector<ScriptStep> script;
    for (int step = 0; step < 300; ++step) {
        switch (generator() % 6) {
        case 0:
            script.push_back({ScriptStep::kParameter, static_cast<VstInt32>(generator() % 4), unit(generator)});
            break;
        case 1: script.push_back({ScriptStep::kProgram, static_cast<VstInt32>(generator() % 16), 0.0f}); break;
        case 2: script.push_back({ScriptStep::kSampleRate, 0, rates[generator() % 5]}); break;
        default: script.push_back({ScriptStep::kBlock, blocks[generator() % 5], 0.0f}); break;
        }
    }
    return script;
}

// Plays the script on a fresh instance and hands every processed block to
// blockDone(first, second, offset).
template <class BlockDone>
void play(const std::vector<ScriptStep>& script, BlockDone blockDone) {
    PluginInstance plugin;
    ASSERT_NE(plugin.effect, nullptr);
    plugin.dispatch(effMainsChanged, 0, 1);
    std::size_t offset = 0;
    unsigned noiseState = 5;
    for (const ScriptStep& step : script) {
        switch (step.kind) {
        case ScriptStep::kParameter: plugin.setParameter(step.index, step.value); break;
        case ScriptStep::kProgram: plugin.dispatch(effSetProgram, 0, step.index); break;
        case ScriptStep::kSampleRate: plugin.dispatch(effSetSampleRate, 0, 0, nullptr, step.value); break;
        case ScriptStep::kBlock: {
            std::vector<float> input(static_cast<std::size_t>(step.index)), first, second;
            for (float& sample : input) {
                noiseState = noiseState * 1664525u + 1013904223u;
                sample = static_cast<float>(noiseState >> 8) / 8388608.0f - 1.0f;
            }
            plugin.process(input, first, second);
            blockDone(first, second, offset);
            offset += input.size();
            break;
        }
        }
    }
}

TEST(ValidatorParallel, SixteenInstancesOnSixteenThreadsMatchOneAlone) {
    const std::vector<ScriptStep> script = makeScript();
    std::vector<float> loneFirst, loneSecond;
    play(script, [&](const std::vector<float>& first, const std::vector<float>& second, std::size_t) {
        loneFirst.insert(loneFirst.end(), first.begin(), first.end());
        loneSecond.insert(loneSecond.end(), second.begin(), second.end());
    });
    ASSERT_GT(loneFirst.size(), 100000u);

    // Each thread writes only its own slot.
    std::vector<std::string> mismatches(kThreads);
    std::vector<std::thread> threads;
    for (int thread = 0; thread < kThreads; ++thread) {
        threads.emplace_back([&, thread] {
            play(script, [&](const std::vector<float>& first, const std::vector<float>& second, std::size_t offset) {
                if (!mismatches[thread].empty()) return;
                const std::size_t bytes = first.size() * sizeof(float);
                if (std::memcmp(first.data(), loneFirst.data() + offset, bytes) != 0 ||
                    std::memcmp(second.data(), loneSecond.data() + offset, bytes) != 0)
                    mismatches[thread] = "block at sample " + std::to_string(offset) + " differs";
            });
        });
    }
    for (std::thread& thread : threads) thread.join();
    for (int thread = 0; thread < kThreads; ++thread) EXPECT_EQ(mismatches[thread], "") << "thread " << thread;
}

}  // namespace
