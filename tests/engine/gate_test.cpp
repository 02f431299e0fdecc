// The gate as a host hears it: phase shapes, block splitting, in-place
// buffers and changes between blocks, all through the loaded module.
#include <climits>
#include <cstring>
#include <numeric>

#include "tests/engine/engine_test_support.h"
#include "tests/support/row_name.h"

namespace {

using GateTest = PluginTest;

constexpr int kHalfPeriodAt05 = 11025;    // trunc(44100 * 0.5) / 2
constexpr int kHalfPeriodAtFloor = 1102;  // trunc(44100 * 0.05f) / 2 = trunc(2205.00003) / 2

// Sample count of a list of phase lengths.
std::size_t total(const std::vector<int>& phases) {
    return static_cast<std::size_t>(std::accumulate(phases.begin(), phases.end(), 0));
}

// Finds the first sample where an output differs from gain * input.
void expectShape(const GateGains& gains, const std::vector<float>& input, const std::vector<float>& first,
                 const std::vector<float>& second) {
    for (std::size_t i = 0; i < input.size(); ++i) {
        ASSERT_EQ(first[i], gains.first[i] * input[i]) << "first output, sample " << i;
        ASSERT_EQ(second[i], gains.second[i] * input[i]) << "second output, sample " << i;
    }
}

// Runs input through the effect in two blocks split at sample split, with
// between() called in the gap.
template <class Between>
void processAround(AEffect* effect, const std::vector<float>& input, std::vector<float>& first,
                   std::vector<float>& second, std::size_t split, Between between) {
    first.assign(input.size(), 0.0f);
    second.assign(input.size(), 0.0f);
    float* inputs[] = {const_cast<float*>(input.data())};
    float* outputs[] = {first.data(), second.data()};
    effect->processReplacing(effect, inputs, outputs, static_cast<VstInt32>(split));
    between();
    float* restIn[] = {inputs[0] + split};
    float* restOut[] = {outputs[0] + split, outputs[1] + split};
    effect->processReplacing(effect, restIn, restOut, static_cast<VstInt32>(input.size() - split));
}

TEST(RampGain, ExpectedGainStartsAHairBelowDepthAndStepsByATwentieth) {
    EXPECT_LT(expectedRampGain(0.0f, 20), -1.0e-8f);  // a hair below depth
    EXPECT_GT(expectedRampGain(0.0f, 20), -2.0e-8f);
    EXPECT_NEAR(expectedRampGain(0.0f, 2), 0.9f, 1e-7f);
    EXPECT_NEAR(expectedRampGain(0.0f, 1), 0.95f, 1e-7f);
    EXPECT_NEAR(expectedRampGain(0.0f, 21), -0.05f, 1e-7f);
    EXPECT_NEAR(expectedRampGain(0.0f, 22), -0.1f, 1e-7f);
    EXPECT_EQ(expectedRampGain(1.0f, 20), 1.0f);
}

// Both outputs, every sample, through three phases after the first. The
// first closed phase lasts one sample: the gate starts with 0 samples left
// and no phase change precedes it.
struct ShapeRow {
    const char* name;
    float depth;
    friend void PrintTo(const ShapeRow& row, std::ostream* out) { *out << row.name; }
};

class GateShapeTest : public GateTest, public testing::WithParamInterface<ShapeRow> {};

TEST_P(GateShapeTest, BothOutputsFollowTheRampTable) {
    setParameter(0, GetParam().depth);
    const std::vector<int> phases = {1, kHalfPeriodAt05, kHalfPeriodAt05, kHalfPeriodAt05, 50};
    const std::vector<float> input = noise(total(phases));
    std::vector<float> first, second;
    process(input, first, second);
    expectShape(expectedGateGains(GetParam().depth, phases), input, first, second);
}

INSTANTIATE_TEST_SUITE_P(Depths, GateShapeTest,
                         testing::Values(ShapeRow{"silent", 0.0f}, ShapeRow{"quarter", 0.25f},
                                         ShapeRow{"mostly_open", 0.6f}),
                         rowName<ShapeRow>);

TEST_F(GateTest, CycleAtThePeriodFloorIs2204Samples) {
    setParameter(0, 0.0f);
    setParameter(2, 0.05f);
    setParameter(1, 0.05f);
    ASSERT_EQ(getParameter(1), 0.05f);
    ASSERT_EQ(getParameter(2), 0.05f);
    std::vector<float> first, second;
    process(std::vector<float>(1 + 2204 * 4, 1.0f), first, second);
    const std::vector<std::size_t> runs = runLengths(first);
    ASSERT_EQ(runs.size(), 9u);
    EXPECT_EQ(runs[0], 1u);
    for (std::size_t r = 1; r < runs.size(); ++r) EXPECT_EQ(runs[r], std::size_t{kHalfPeriodAtFloor}) << r;
}

TEST_F(GateTest, DepthOneGivesTheInputUnchangedOnBothOutputs) {
    setParameter(0, 1.0f);
    setParameter(1, 1.0f);
    setParameter(2, 0.05f);
    setParameter(3, 0.0f);
    const std::vector<float> input = noise(200000);
    std::vector<float> first, second;
    process(input, first, second);
    EXPECT_EQ(std::memcmp(first.data(), input.data(), input.size() * sizeof(float)), 0);
    EXPECT_EQ(std::memcmp(second.data(), input.data(), input.size() * sizeof(float)), 0);
}

// With the input buffer also the first output, the second output's product
// reads the value just stored: during ramps it carries both gains.
TEST_F(GateTest, InPlaceProcessingFeedsTheFirstOutputIntoTheSecond) {
    const float depth = getParameter(0);
    const std::vector<int> phases = {1, kHalfPeriodAt05, kHalfPeriodAt05, kHalfPeriodAt05};
    const std::vector<float> input = noise(total(phases));
    std::vector<float> shared = input;
    std::vector<float> second(input.size());
    float* inputs[] = {shared.data()};
    float* outputs[] = {shared.data(), second.data()};
    effect->processReplacing(effect, inputs, outputs, static_cast<VstInt32>(input.size()));

    const GateGains gains = expectedGateGains(depth, phases);
    for (std::size_t i = 0; i < input.size(); ++i) {
        const float firstValue = gains.first[i] * input[i];
        ASSERT_EQ(shared[i], firstValue) << i;
        ASSERT_EQ(second[i], gains.closed[i] ? depth * input[i] : gains.second[i] * firstValue) << i;
    }
}

class NonPositiveFramesTest : public GateTest, public testing::WithParamInterface<VstInt32> {};

TEST_P(NonPositiveFramesTest, ReadsWritesAndChangesNothing) {
    PluginInstance untouched;
    std::vector<float> input(64, 0.5f), first(64, 7.0f), second(64, 7.0f);
    float* inputs[] = {input.data()};
    float* outputs[] = {first.data(), second.data()};
    effect->processReplacing(effect, inputs, outputs, GetParam());
    for (std::size_t i = 0; i < first.size(); ++i) ASSERT_TRUE(first[i] == 7.0f && second[i] == 7.0f) << i;

    // The gate carries on exactly where a fresh instance starts.
    const std::vector<float> stream = noise(30000);
    std::vector<float> a, b, c(stream.size()), d(stream.size());
    process(stream, a, b);
    untouched.process(stream, c, d, 0, stream.size());
    EXPECT_EQ(a, c);
    EXPECT_EQ(b, d);
}

INSTANTIATE_TEST_SUITE_P(Counts, NonPositiveFramesTest, testing::Values(0, -1, INT_MIN));

// Any split of a stream into blocks gives the bits of one long block.
struct SplitRow {
    const char* name;
    float depth, speed, maxSpeed, changeRate;
    friend void PrintTo(const SplitRow& row, std::ostream* out) { *out << row.name; }
};

class BlockSplitTest : public GateTest, public testing::WithParamInterface<SplitRow> {};

TEST_P(BlockSplitTest, RandomBlockSizesGiveTheSameBitsAsOneBlock) {
    const SplitRow& row = GetParam();
    PluginInstance whole;
    for (AEffect* e : {effect, whole.effect}) {
        e->setParameter(e, 0, row.depth);
        e->setParameter(e, 2, row.maxSpeed);
        e->setParameter(e, 1, row.speed);
        e->setParameter(e, 3, row.changeRate);
    }

    const std::vector<float> input = noise(44100 * 8);
    std::vector<float> wholeFirst(input.size()), wholeSecond(input.size());
    whole.process(input, wholeFirst, wholeSecond, 0, input.size());

    std::vector<float> first(input.size()), second(input.size());
    inRandomBlocks(input.size(), 12345,
                   [&](std::size_t begin, std::size_t count) { process(input, first, second, begin, count); });
    EXPECT_EQ(std::memcmp(first.data(), wholeFirst.data(), input.size() * sizeof(float)), 0);
    EXPECT_EQ(std::memcmp(second.data(), wholeSecond.data(), input.size() * sizeof(float)), 0);
}

INSTANTIATE_TEST_SUITE_P(Settings, BlockSplitTest,
                         testing::Values(SplitRow{"sweeping_fast_changes", 0.25f, 1.0f, 0.05f, 0.0f},
                                         SplitRow{"steady_floor", 0.0f, 0.05f, 0.05f, 1.0f},
                                         SplitRow{"narrow_sweep", 0.6f, 0.3f, 0.1f, 0.2f}),
                         rowName<SplitRow>);

// The rate is read at each phase boundary: the phase under way keeps its
// count, the next one is sized with the new rate.
TEST_F(GateTest, SampleRateChangeMidStreamSizesTheNextPhase) {
    setParameter(0, 0.0f);
    const std::vector<float> ones(1 + 11025 + 12000 * 3 + 10, 1.0f);
    std::vector<float> first, second;
    processAround(effect, ones, first, second, 5001, [&] { dispatch(effSetSampleRate, 0, 0, nullptr, 48000.0f); });
    std::vector<std::size_t> runs = runLengths(first);
    ASSERT_EQ(runs.size(), 6u);
    runs.pop_back();
    EXPECT_EQ(runs, (std::vector<std::size_t>{1, 11025, 12000, 12000, 12000}));
}

TEST_F(GateTest, DepthChangeIsHeardFromTheNextSample) {
    const std::vector<float> input = noise(1 + 11025 + 200);
    const std::size_t split = 1 + 11025 + 100;  // inside the second closed phase
    std::vector<float> first, second;
    processAround(effect, input, first, second, split, [&] { setParameter(0, 0.5f); });
    EXPECT_EQ(first[split - 1], 0.25f * input[split - 1]);
    for (std::size_t i = split; i < input.size(); ++i) {
        ASSERT_EQ(first[i], 0.5f * input[i]) << i;
        ASSERT_EQ(second[i], 0.5f * input[i]) << i;
    }
}

TEST_F(GateTest, SpeedChangeIsHeardAtTheNextPhaseChange) {
    setParameter(0, 0.0f);
    const std::vector<float> ones(1 + 11025 + 1102 * 4, 1.0f);
    std::vector<float> first, second;
    processAround(effect, ones, first, second, 5001, [&] {  // inside the first open phase
        setParameter(2, 0.05f);
        setParameter(1, 0.05f);
    });
    EXPECT_EQ(runLengths(first), (std::vector<std::size_t>{1, 11025, 1102, 1102, 1102, 1102}));
}

}  // namespace
