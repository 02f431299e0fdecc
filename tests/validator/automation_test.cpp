// The audio thread processing while a host's other thread automates every
// parameter, switches programs, renames them and reads their texts, with the
// editor open and idled on a third thread, as in a busy session. Outputs stay
// finite and within the gate's gains; in the ThreadSanitizer tree every
// access the threads share is checked as well.
//
// Runs for OSCINDA_AUTOMATION_SECONDS: 10 s in the ThreadSanitizer tree, a
// short run elsewhere, where races can only show in the audio.
#include <atomic>
#include <chrono>
#include <iostream>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/plugin_host.h"
#include "tests/validator/gate_bound.h"
#include "tests/validator/text_probe.h"

#ifndef OSCINDA_AUTOMATION_SECONDS
#define OSCINDA_AUTOMATION_SECONDS 2
#endif

namespace {

constexpr std::chrono::seconds kDuration{OSCINDA_AUTOMATION_SECONDS};

TEST(ValidatorAutomation, ProcessingWhileAnotherThreadAutomatesEverything) {
    // No recording host: requests arrive from several threads here.
    PluginInstance plugin;
    ASSERT_NE(plugin.effect, nullptr);
    AEffect* effect = plugin.effect;
    ASSERT_EQ(plugin.dispatch(effEditOpen), 1);
    plugin.dispatch(effMainsChanged, 0, 1);
    std::atomic<bool> stop{false};
    std::atomic<long> blocks{0};
    std::string audioFault;  // written by the audio thread only, read after join

    std::thread audio([&] {
        const VstInt32 sizes[] = {1, 17, 64, 512, 4096};
        unsigned seed = 1;
        while (!stop.load()) {
            const auto size = static_cast<std::size_t>(sizes[seed % 5]);
            const std::vector<float> input = validatorNoise(size, seed++);
            std::vector<float> first(size), second(size);
            float* inputs[] = {const_cast<float*>(input.data())};
            float* outputs[] = {first.data(), second.data()};
            effect->processReplacing(effect, inputs, outputs, static_cast<VstInt32>(size));
            std::string broken = gateBoundBroken(input, first, 0, size);
            if (broken.empty()) broken = gateBoundBroken(input, second, 0, size);
            if (!broken.empty() && audioFault.empty()) audioFault = broken;
            blocks.fetch_add(1);
        }
    });

    std::atomic<long> automations{0};
    std::thread automation([&] {
        std::mt19937 generator(3);
        std::uniform_real_distribution<float> unit(0.0f, 1.0f);
        TextProbe texts(plugin);
        while (!stop.load()) {
            for (VstInt32 index = 0; index < effect->numParams; ++index) {
                plugin.setParameter(index, unit(generator));
                texts.read(effGetParamDisplay, index);
            }
            const auto program = static_cast<VstIntPtr>(generator() % 16);
            plugin.dispatch(effSetProgram, 0, program);
            std::string name = "Take " + std::to_string(automations.load());
            plugin.dispatch(effSetProgramName, 0, 0, name.data());
            texts.read(effGetProgramName);
            texts.read(effGetProgramNameIndexed, static_cast<VstInt32>(generator() % 16));
            automations.fetch_add(1);
        }
    });

    // This thread is the host's editor thread.
    const auto end = std::chrono::steady_clock::now() + kDuration;
    while (std::chrono::steady_clock::now() < end) {
        plugin.dispatch(effEditIdle);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    stop.store(true);
    audio.join();
    automation.join();
    plugin.dispatch(effEditClose);

    EXPECT_EQ(audioFault, "");
    EXPECT_GT(blocks.load(), 10);
    EXPECT_GT(automations.load(), 10);
    std::cout << "[ automation ] " << kDuration.count() << " s: " << blocks.load() << " blocks processed, "
              << automations.load() << " rounds of automation\n";
}

}  // namespace
