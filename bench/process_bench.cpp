// Throughput of the gate: processReplacing over one block per iteration,
// reported as samples per second.
#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <vector>

#include "engine/adelay.h"
#include "host/effect_factory.h"

namespace {

// args: block size, Random (0 or 1)
void BM_ProcessReplacing(benchmark::State& state) {
    const auto blockSize = static_cast<VstInt32>(state.range(0));
    std::unique_ptr<AudioEffect> effect(createEffectInstance(nullptr));
    if (!effect) {
        state.SkipWithError("no effect");
        return;
    }
    // A sweep over the whole range with short changes: many phase changes.
    effect->setParameter(kSpeedParam, 1.0f);
    effect->setParameter(kMaxSpeedParam, 0.05f);
    effect->setParameter(kChangeRateParam, 0.0f);
    effect->setParameter(kRandomParam, static_cast<float>(state.range(1)));

    std::vector<float> input(static_cast<std::size_t>(blockSize));
    std::mt19937 generator(1);
    std::uniform_real_distribution<float> distribution(-1.0f, 1.0f);
    for (float& sample : input) sample = distribution(generator);
    std::vector<float> first(input.size()), second(input.size());
    float* inputs[] = {input.data()};
    float* outputs[] = {first.data(), second.data()};

    for (auto _ : state) {
        effect->processReplacing(inputs, outputs, blockSize);
        benchmark::DoNotOptimize(first.data());
        benchmark::DoNotOptimize(second.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * blockSize);
}

BENCHMARK(BM_ProcessReplacing)->ArgsProduct({{64, 512, 4096}, {0, 1}});

}  // namespace

BENCHMARK_MAIN();
