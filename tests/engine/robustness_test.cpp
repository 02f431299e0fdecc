// Values and calls outside the contract: the effect survives them, keeps
// producing finite output from finite input, and never overruns a buffer.
#include <cfloat>
#include <climits>
#include <cmath>
#include <limits>
#include <string>

#include "engine/phase_length.h"
#include "tests/engine/adelay_probe.h"
#include "tests/engine/engine_test_support.h"
#include "tests/support/row_name.h"

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInfinity = std::numeric_limits<float>::infinity();
constexpr VstInt32 kSampleRate = -1;  // a step that sets the sample rate instead of a parameter

struct HalfPeriodRow {
    float sampleRate;
    float period;
    VstInt32 half;
};

TEST(HalfPeriodSamples, TruncatesHalvesAndSaturates) {
    const HalfPeriodRow rows[] = {
        {44100.0f, 0.5f, 11025},
        {44100.0f, 0.05f, 1102},
        {44100.0f, 0.0f, 0},
        {48000.0f, 0.0523739f, 1256},
        {1.0f, 3.0f, 1},
        {44100.0f, kInfinity, INT_MAX / 2},
        {44100.0f, 1e30f, INT_MAX / 2},
        {44100.0f, kNaN, 0},
        {kNaN, 0.5f, 0},
        {0.0f, 0.5f, 0},
        {-44100.0f, 0.5f, 0},
        {kInfinity, 0.0f, 0},
        {-kInfinity, 0.5f, 0},
        {FLT_MAX, FLT_MAX, INT_MAX / 2},
    };
    for (const HalfPeriodRow& row : rows)
        EXPECT_EQ(halfPeriodSamples(row.sampleRate, row.period), row.half)
            << "rate " << row.sampleRate << ", period " << row.period;
}

struct Step {
    VstInt32 index;  // parameter index, or kSampleRate
    float value;
};

struct BadValueRow {
    const char* name;
    std::vector<Step> steps;
    friend void PrintTo(const BadValueRow& row, std::ostream* out) { *out << row.name; }
};

class BadValueTest : public PluginTest, public testing::WithParamInterface<BadValueRow> {};

// Long enough for the first change (441000 samples) to end and the next
// one to be sized from the values under test.
TEST_P(BadValueTest, EffectKeepsRunningWithFiniteOutput) {
    setParameter(4, 1.0f);  // random lengths too
    for (const Step& step : GetParam().steps) {
        if (step.index == kSampleRate)
            dispatch(effSetSampleRate, 0, 0, nullptr, step.value);
        else
            setParameter(step.index, step.value);
    }
    const std::vector<float> input = noise(600000);
    std::vector<float> first(input.size()), second(input.size());
    for (std::size_t begin = 0; begin < input.size(); begin += 4096) {
        const std::size_t count = std::min<std::size_t>(4096, input.size() - begin);
        float* inputs[] = {const_cast<float*>(input.data()) + begin};
        float* outputs[] = {first.data() + begin, second.data() + begin};
        effect->processReplacing(effect, inputs, outputs, static_cast<VstInt32>(count));
    }
    for (std::size_t i = 0; i < input.size(); ++i)
        ASSERT_TRUE(std::isfinite(first[i]) && std::isfinite(second[i])) << "sample " << i;
    for (VstInt32 index = 0; index < 6; ++index) EXPECT_NE(text(effGetParamDisplay, index), "");
}

INSTANTIATE_TEST_SUITE_P(
    Table, BadValueTest,
    testing::Values(
        BadValueRow{"speed_nan", {{1, kNaN}}}, BadValueRow{"speed_infinite", {{1, kInfinity}}},
        BadValueRow{"speed_minus_infinite", {{1, -kInfinity}}}, BadValueRow{"speed_huge", {{1, 1e30f}}},
        BadValueRow{"speed_largest_float", {{1, FLT_MAX}}}, BadValueRow{"both_speeds_nan", {{1, kNaN}, {2, 0.9f}}},
        BadValueRow{"both_speeds_infinite", {{1, kInfinity}, {2, kInfinity}}},
        BadValueRow{"both_speeds_huge", {{1, 1e30f}, {2, 1e29f}}}, BadValueRow{"maximum_speed_nan", {{2, kNaN}}},
        BadValueRow{"maximum_speed_huge", {{2, 1e30f}}}, BadValueRow{"change_rate_nan", {{3, kNaN}}},
        BadValueRow{"change_rate_infinite", {{3, kInfinity}}},
        BadValueRow{"change_rate_minus_infinite", {{3, -kInfinity}}}, BadValueRow{"change_rate_negative", {{3, -1.0f}}},
        BadValueRow{"change_rate_zero_time", {{3, -0.1f}}}, BadValueRow{"change_rate_largest_float", {{3, FLT_MAX}}},
        BadValueRow{"sample_rate_zero", {{kSampleRate, 0.0f}}},
        BadValueRow{"sample_rate_negative", {{kSampleRate, -44100.0f}}},
        BadValueRow{"sample_rate_nan", {{kSampleRate, kNaN}}},
        BadValueRow{"sample_rate_infinite", {{kSampleRate, kInfinity}}},
        BadValueRow{"sample_rate_tiny", {{kSampleRate, 1e-30f}}},
        BadValueRow{"sample_rate_largest_float", {{kSampleRate, FLT_MAX}}},
        BadValueRow{"everything_at_once", {{kSampleRate, kNaN}, {1, kInfinity}, {2, kNaN}, {3, -kInfinity}}}),
    rowName<BadValueRow>);

// The sweep's own guards, where a change ends under bad values.
struct SweepRow {
    const char* name;
    float sampleRate;
    float changeRate;
    bool random;
    friend void PrintTo(const SweepRow& row, std::ostream* out) { *out << row.name; }
};

class SweepGuardTest : public testing::TestWithParam<SweepRow> {};

TEST_P(SweepGuardTest, ChangeLengthStaysAtLeastOneSample) {
    const SweepRow& row = GetParam();
    ADelay effect(nullptr);
    ADelayProbe probe(effect);
    probe.seed(0);  // first draw 38: keeps about half the length
    effect.setParameter(kChangeRateParam, row.changeRate);
    effect.setParameter(kRandomParam, row.random ? 1.0f : 0.0f);
    effect.setSampleRate(row.sampleRate);
    for (int call = 0; call < 50; ++call) {
        probe.endChange();
        const float period = probe.nextPeriod(0.9f, 0.1f);
        ASSERT_GE(probe.changeLength(), 1) << call;
        ASSERT_GE(probe.changePosition(), 0) << call;
        ASSERT_TRUE(period == 0.1f || period == 0.9f) << call;  // each change starts at an end
    }
}

INSTANTIATE_TEST_SUITE_P(Table, SweepGuardTest,
                         testing::Values(SweepRow{"sample_rate_zero", 0.0f, 1.0f, false},
                                         SweepRow{"sample_rate_negative", -44100.0f, 1.0f, true},
                                         SweepRow{"sample_rate_nan", kNaN, 1.0f, true},
                                         SweepRow{"sample_rate_tiny", 0.5f, 0.0f, true},
                                         SweepRow{"change_time_zero", 44100.0f, -0.1f, false},
                                         SweepRow{"change_time_negative", 44100.0f, -1.0f, true},
                                         SweepRow{"change_time_nan", 44100.0f, kNaN, false},
                                         SweepRow{"change_time_infinite", 44100.0f, kInfinity, true}),
                         rowName<SweepRow>);

// Huge periods in a change that never ends on its own: the position sticks
// at the top of its range and the next call turns the sweep.
TEST(SweepGuard, PositionSticksAtTheTopAndEndsTheChange) {
    ADelay effect(nullptr);
    ADelayProbe probe(effect);
    effect.setParameter(kChangeRateParam, kInfinity);
    probe.endChange();
    probe.nextPeriod(1e30f, 1e30f);
    ASSERT_EQ(probe.changeLength(), INT_MAX);
    const bool rising = probe.sweepRising();
    for (int call = 0; call < 2; ++call) probe.nextPeriod(1e30f, 1e30f);
    EXPECT_EQ(probe.changePosition(), INT_MAX);
    EXPECT_EQ(probe.sweepRising(), rising);
    probe.nextPeriod(1e30f, 1e30f);
    EXPECT_NE(probe.sweepRising(), rising);
    EXPECT_EQ(probe.changePosition(), INT_MAX / 2);
}

// Buffers a host failed to pass: nothing is read or written and the gate
// carries on as if the call had not happened.
class NullBufferTest : public PluginTest, public testing::WithParamInterface<int> {};

TEST_P(NullBufferTest, CallIsIgnored) {
    PluginInstance reference;
    std::vector<float> buffer(256, 0.5f), other(256, 0.5f);
    float* inputs[] = {buffer.data()};
    float* outputs[] = {buffer.data(), other.data()};
    float* noInput[] = {nullptr};
    float* noFirst[] = {nullptr, other.data()};
    float* noSecond[] = {buffer.data(), nullptr};
    switch (GetParam()) {
    case 0: effect->processReplacing(effect, nullptr, outputs, 256); break;
    case 1: effect->processReplacing(effect, inputs, nullptr, 256); break;
    case 2: effect->processReplacing(effect, noInput, outputs, 256); break;
    case 3: effect->processReplacing(effect, inputs, noFirst, 256); break;
    case 4: effect->processReplacing(effect, inputs, noSecond, 256); break;
    }
    const std::vector<float> stream = noise(30000);
    std::vector<float> a, b, c(stream.size()), d(stream.size());
    process(stream, a, b);
    reference.process(stream, c, d, 0, stream.size());
    EXPECT_EQ(a, c);
    EXPECT_EQ(b, d);
}

std::string nullBufferName(const testing::TestParamInfo<int>& info) {
    const char* const names[] = {"no_inputs", "no_outputs", "no_input_0", "no_output_0", "no_output_1"};
    return names[info.param];
}

INSTANTIATE_TEST_SUITE_P(Arrays, NullBufferTest, testing::Range(0, 5), nullBufferName);

using HostTextTest = PluginTest;

TEST_F(HostTextTest, NullTextPointersAreIgnored) {
    for (VstInt32 opcode : {effGetProgramName, effGetParamLabel, effGetParamDisplay, effGetParamName})
        for (VstInt32 index = 0; index < 6; ++index) EXPECT_EQ(dispatch(opcode, index, 0, nullptr), 0);
    EXPECT_EQ(dispatch(effGetProgramNameIndexed, 0, 0, nullptr), 0);
    dispatch(effSetProgramName, 0, 0, nullptr);
    EXPECT_EQ(text(effGetProgramName), "Init 1");
}

struct NameRow {
    const char* name;
    const char* given;
    const char* kept;
    friend void PrintTo(const NameRow& row, std::ostream* out) { *out << row.name; }
};

class ProgramNameLengthTest : public PluginTest, public testing::WithParamInterface<NameRow> {};

TEST_P(ProgramNameLengthTest, KeepsAtMost23Characters) {
    dispatch(effSetProgram, 0, 1);
    std::string given = GetParam().given;
    dispatch(effSetProgramName, 0, 0, given.data());
    EXPECT_EQ(text(effGetProgramName), GetParam().kept);
    EXPECT_EQ(text(effGetProgramNameIndexed, 1), GetParam().kept);
    EXPECT_EQ(text(effGetProgramNameIndexed, 0), "Init");
    EXPECT_EQ(text(effGetProgramNameIndexed, 2), "Init");
}

INSTANTIATE_TEST_SUITE_P(Table, ProgramNameLengthTest,
                         testing::Values(NameRow{"exactly_23", "ABCDEFGHIJKLMNOPQRSTUVW", "ABCDEFGHIJKLMNOPQRSTUVW"},
                                         NameRow{"24_cut", "ABCDEFGHIJKLMNOPQRSTUVWX", "ABCDEFGHIJKLMNOPQRSTUVW"},
                                         NameRow{"very_long_cut",
                                                 "A program name far longer than any host buffer should carry",
                                                 "A program name far long"},
                                         NameRow{"empty", "", ""}),
                         rowName<NameRow>);

// The dispatcher already refuses these; a direct call must not index past
// the bank either.
TEST(ProgramSelection, IndexOutsideTheBankIsRefused) {
    ADelay effect(nullptr);
    effect.setParameter(kDepthParam, 0.6f);
    for (VstInt32 program : {16, -1, INT_MAX, INT_MIN}) {
        effect.setProgram(program);
        EXPECT_EQ(effect.getProgram(), 0) << program;
        EXPECT_EQ(effect.getParameter(kDepthParam), 0.6f) << program;
    }
}

}  // namespace
