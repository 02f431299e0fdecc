// The gate's cost against the cheapest thing a host could get instead: the
// input copied into both outputs. Every case times batches of blocks through
// the effect record, as a host calls it, each batch followed by the same
// number of blocks of the copy on buffers of the same size, so the two see the
// same machine from moment to moment; the times are the thread's CPU time.
#include <benchmark/benchmark.h>

#include <cstring>
#include <iostream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "bench/ratio_summary.h"
#include "bench/thread_clock.h"
#include "engine/adelay.h"
#include "host/audioeffect.h"
#include "host/effect_factory.h"

namespace {

// Samples per timed batch: long enough that reading the clock (a system
// call here) stays far below a percent of the copy's time.
constexpr VstInt32 kBatchSamples = 1 << 20;

struct GateCase {
    const char* name;
    void (*configure)(AudioEffect& effect);
    bool inPlace;  // the input buffer is also the first output
};

void defaultProgram(AudioEffect&) {}

// Short phases at Depth 0: the most ramps and phase changes per second.
void fastDeepGate(AudioEffect& effect) {
    effect.setParameter(kMaxSpeedParam, 0.05f);
    effect.setParameter(kSpeedParam, 0.06f);
    effect.setParameter(kDepthParam, 0.0f);
}

void depthOne(AudioEffect& effect) { effect.setParameter(kDepthParam, 1.0f); }

void randomOn(AudioEffect& effect) { effect.setParameter(kRandomParam, 1.0f); }

// In place, the buffer the host refills is here processed again and again: it
// falls to zeros after a few dozen closed passes and stays there. Products of
// zeros cost what products of any normal numbers cost.
const GateCase kCases[] = {
    {"default", defaultProgram, false}, {"fast_deep", fastDeepGate, false}, {"depth_one", depthOne, false},
    {"in_place", defaultProgram, true}, {"random", randomOn, false},
};

const VstInt32 kBlockSizes[] = {32, 64, 256, 1024, 4096};

std::vector<float> noise(VstInt32 count) {
    std::mt19937 generator(1);
    std::uniform_real_distribution<float> distribution(-1.0f, 1.0f);
    std::vector<float> samples(static_cast<std::size_t>(count));
    for (float& sample : samples) sample = distribution(generator);
    return samples;
}

void gateAgainstCopy(benchmark::State& state, const GateCase& gateCase, VstInt32 blockSize) {
    std::unique_ptr<AudioEffect> effect(createEffectInstance(nullptr));
    if (!effect) {
        state.SkipWithError("no effect");
        return;
    }
    gateCase.configure(*effect);
    AEffect* record = effect->getAeffect();

    const auto size = static_cast<std::size_t>(blockSize);
    const std::vector<float> input = noise(blockSize);
    std::vector<float> shared = input;
    std::vector<float> first(size), second(size), copyFirst(size), copySecond(size);
    float* inputs[] = {gateCase.inPlace ? shared.data() : const_cast<float*>(input.data())};
    float* outputs[] = {gateCase.inPlace ? shared.data() : first.data(), second.data()};
    const VstInt32 blocks = kBatchSamples / blockSize;

    double gateSeconds = 0.0;
    double copySeconds = 0.0;
    for (auto _ : state) {
        const double start = threadSeconds();
        for (VstInt32 block = 0; block < blocks; ++block) record->processReplacing(record, inputs, outputs, blockSize);
        const double gateEnd = threadSeconds();
        for (VstInt32 block = 0; block < blocks; ++block) {
            std::memcpy(copyFirst.data(), input.data(), size * sizeof(float));
            std::memcpy(copySecond.data(), input.data(), size * sizeof(float));
            benchmark::DoNotOptimize(copyFirst.data());
            benchmark::DoNotOptimize(copySecond.data());
            benchmark::ClobberMemory();
        }
        const double copyEnd = threadSeconds();
        gateSeconds += gateEnd - start;
        copySeconds += copyEnd - gateEnd;
        state.SetIterationTime(gateEnd - start);
    }
    const double samples = static_cast<double>(state.iterations()) * blocks * blockSize;
    state.SetItemsProcessed(static_cast<std::int64_t>(samples));
    state.counters["frames"] = blockSize;
    state.counters["ns_per_sample"] = gateSeconds * 1e9 / samples;
    state.counters["copy_ns_per_sample"] = copySeconds * 1e9 / samples;
    state.counters["ratio"] = copySeconds > 0.0 ? gateSeconds / copySeconds : 0.0;
}

void registerCases() {
    for (const GateCase& gateCase : kCases) {
        for (VstInt32 blockSize : kBlockSizes) {
            const std::string name = std::string("gate/") + gateCase.name + "/" + std::to_string(blockSize);
            benchmark::RegisterBenchmark(name.c_str(), gateAgainstCopy, gateCase, blockSize)
                ->UseManualTime()
                ->Unit(benchmark::kMicrosecond);
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    registerCases();
    RatioSummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    std::cout << reporter.summaryLine() << std::endl;
    return 0;
}
