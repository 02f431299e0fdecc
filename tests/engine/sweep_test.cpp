// The rate sweep, observed through its own state: positions, lengths,
// direction and the random draws that shorten a change.
#include <cstring>

#include "tests/engine/adelay_probe.h"
#include "tests/engine/engine_test_support.h"
#include "tests/support/row_name.h"

namespace {

// A seed whose first draw is wanted.
std::uint32_t seedDrawingFirst(int wanted) {
    for (std::uint32_t seed = 0;; ++seed) {
        RandomGenerator generator;
        generator.seed(seed);
        if (generator.next() == wanted) return seed;
    }
}

TEST(Sweep, StartsWithBothSpeedsAtZeroAndTheGateOneSampleFromItsFirstChange) {
    ADelay effect(nullptr);
    ADelayProbe probe(effect);
    EXPECT_EQ(probe.halfPeriodLeft(), 0);  // the first period was 0
    EXPECT_EQ(probe.changePosition(), 0);
    EXPECT_EQ(probe.changeLength(), 441000);
    EXPECT_TRUE(probe.sweepRising());
    EXPECT_TRUE(probe.closedPhase());
}

// 44100 Hz, Speed 1.0, Maximum Speed 0.05, Change Rate 1.0 (16.5 s), rising
// from position 0 in the first change of 441000 samples.
TEST(Sweep, RisesInScheduledSamplesThenTurnsAtSpeedAndDropsTheOvershoot) {
    ADelay effect(nullptr);
    ADelayProbe probe(effect);
    effect.setParameter(kChangeRateParam, 1.0f);
    ASSERT_EQ(probe.changePosition(), 0);

    struct Phase {
        float period;
        VstInt32 position;
    };
    const Phase opening[] = {{0.05f, 1102}, {0.0523739f, 2256}, {0.0548599f, 3465}, {0.0574643f, 4732}};
    for (const Phase& phase : opening) {
        EXPECT_NEAR(probe.nextPeriod(1.0f, 0.05f), phase.period, 5e-8);
        EXPECT_EQ(probe.changePosition(), phase.position);
    }
    int phases = 4;
    while (probe.changePosition() < 441000 && phases < 1000) {
        probe.nextPeriod(1.0f, 0.05f);
        ++phases;
        ASSERT_TRUE(probe.sweepRising());
    }
    EXPECT_EQ(phases, 65);
    EXPECT_EQ(probe.changePosition(), 450501);

    // The turn: the falling change starts at Speed, from position 0 (the
    // 9501 samples of overshoot are dropped), sized from the change time.
    EXPECT_EQ(probe.nextPeriod(1.0f, 0.05f), 1.0f);
    EXPECT_FALSE(probe.sweepRising());
    EXPECT_EQ(probe.changeLength(), 727650);
    EXPECT_EQ(probe.changePosition(), 22050);
    EXPECT_NEAR(probe.nextPeriod(1.0f, 0.05f), 0.9712121f, 1e-7);
    EXPECT_NEAR(probe.nextPeriod(1.0f, 0.05f), 0.9432533f, 1e-7);
}

struct RandomLengthRow {
    const char* name;
    bool randomOn;
    int firstDraw;  // ignored with Random off
    VstInt32 length;
    friend void PrintTo(const RandomLengthRow& row, std::ostream* out) { *out << row.name; }
};

class RandomLengthTest : public testing::TestWithParam<RandomLengthRow> {};

// 16.5 s at 44100 Hz is 727650 samples; a draw of r keeps
// trunc((r / 32767 + 1) * 727650 * 0.5) of them.
TEST_P(RandomLengthTest, ShortensTheNextChangeByOneDraw) {
    const RandomLengthRow& row = GetParam();
    ADelay effect(nullptr);
    ADelayProbe probe(effect);
    effect.setParameter(kChangeRateParam, 1.0f);
    effect.setParameter(kRandomParam, row.randomOn ? 1.0f : 0.0f);
    const std::uint32_t seed = row.randomOn ? seedDrawingFirst(row.firstDraw) : 99u;
    probe.seed(seed);

    probe.endChange();
    probe.nextPeriod(0.5f, 0.5f);
    EXPECT_EQ(probe.changeLength(), row.length);
    const std::uint32_t afterOneDraw = seed * 214013u + 2531011u;
    EXPECT_EQ(probe.generatorState(), row.randomOn ? afterOneDraw : seed);

    // Further phases of the same change draw nothing.
    probe.nextPeriod(0.5f, 0.5f);
    EXPECT_EQ(probe.generatorState(), row.randomOn ? afterOneDraw : seed);
}

INSTANTIATE_TEST_SUITE_P(Draws, RandomLengthTest,
                         testing::Values(RandomLengthRow{"draw_0_halves", true, 0, 363825},
                                         RandomLengthRow{"draw_32767_keeps_all", true, 32767, 727650},
                                         RandomLengthRow{"random_off_keeps_all", false, 0, 727650}),
                         rowName<RandomLengthRow>);

// With no distance to travel every period is the setting itself, yet
// changes still end, turn and draw their random lengths.
TEST(Sweep, EqualSpeedsHoldOneRateWhileChangesKeepTurning) {
    ADelay effect(nullptr);
    ADelayProbe probe(effect);
    effect.setParameter(kChangeRateParam, 0.0f);  // 1.5 s: 66150 samples
    effect.setParameter(kRandomParam, 1.0f);
    probe.seed(1);
    RandomGenerator mirror;
    mirror.seed(1);

    int turns = 0;
    bool rising = probe.sweepRising();
    for (int call = 0; call < 300; ++call) {
        ASSERT_EQ(probe.nextPeriod(0.3f, 0.3f), 0.3f) << call;
        if (probe.sweepRising() != rising) {
            rising = probe.sweepRising();
            ++turns;
            const int draw = mirror.next();
            EXPECT_EQ(probe.changeLength(), static_cast<VstInt32>((draw / 32767.0 + 1.0) * 66150 * 0.5)) << turns;
        }
    }
    EXPECT_GE(turns, 10);
    EXPECT_EQ(probe.generatorState(), mirror.currentState());
}

struct FirstChangeRow {
    const char* name;
    float changeRate;
    VstInt32 secondLength;
    friend void PrintTo(const FirstChangeRow& row, std::ostream* out) { *out << row.name; }
};

class FirstChangeTest : public testing::TestWithParam<FirstChangeRow> {};

TEST_P(FirstChangeTest, Lasts441000SamplesWhateverTheChangeRate) {
    ADelay effect(nullptr);
    ADelayProbe probe(effect);
    effect.setParameter(kChangeRateParam, GetParam().changeRate);
    EXPECT_EQ(probe.changeLength(), 441000);
    // 11025 samples per phase: position 441000 after 40 phases, turn at the 41st.
    for (int call = 0; call < 40; ++call) {
        probe.nextPeriod(0.5f, 0.5f);
        ASSERT_TRUE(probe.sweepRising()) << call;
    }
    EXPECT_EQ(probe.changePosition(), 441000);
    probe.nextPeriod(0.5f, 0.5f);
    EXPECT_FALSE(probe.sweepRising());
    EXPECT_EQ(probe.changeLength(), GetParam().secondLength);
}

INSTANTIATE_TEST_SUITE_P(ChangeRates, FirstChangeTest,
                         testing::Values(FirstChangeRow{"shortest_1_5_s", 0.0f, 66150},
                                         FirstChangeRow{"longest_16_5_s", 1.0f, 727650}),
                         rowName<FirstChangeRow>);

TEST(Sweep, NewSampleRateMovesThePositionAtOnceAndTheLengthAtTheTurn) {
    ADelay effect(nullptr);
    ADelayProbe probe(effect);
    effect.setParameter(kChangeRateParam, 1.0f);
    effect.setSampleRate(22050.0f);
    probe.nextPeriod(0.5f, 0.5f);
    EXPECT_EQ(probe.changePosition(), 5512);  // trunc(22050 * 0.5) / 2
    EXPECT_EQ(probe.changeLength(), 441000);
    probe.endChange();
    probe.nextPeriod(0.5f, 0.5f);
    EXPECT_EQ(probe.changeLength(), 363825);  // 22050 * 16.5
}

// Random changes through the audio path: two instances with one seed give
// the same bits, however the stream is cut into blocks.
TEST(Sweep, RandomChangesSplitIntoBlocksGiveTheBitsOfOneBlock) {
    ADelay whole(nullptr);
    ADelay split(nullptr);
    for (ADelay* effect : {&whole, &split}) {
        effect->setParameter(kSpeedParam, 1.0f);
        effect->setParameter(kMaxSpeedParam, 0.05f);
        effect->setParameter(kChangeRateParam, 0.0f);
        effect->setParameter(kRandomParam, 1.0f);
        ADelayProbe(*effect).seed(2024);
    }
    const std::vector<float> input = noise(44100 * 14);  // past the 10 s first change
    std::vector<float> wholeFirst(input.size()), wholeSecond(input.size());
    float* inputs[] = {const_cast<float*>(input.data())};
    float* outputs[] = {wholeFirst.data(), wholeSecond.data()};
    whole.processReplacing(inputs, outputs, static_cast<VstInt32>(input.size()));

    std::vector<float> first(input.size()), second(input.size());
    inRandomBlocks(input.size(), 777, [&](std::size_t begin, std::size_t count) {
        float* blockIn[] = {inputs[0] + begin};
        float* blockOut[] = {first.data() + begin, second.data() + begin};
        split.processReplacing(blockIn, blockOut, static_cast<VstInt32>(count));
    });
    EXPECT_EQ(std::memcmp(first.data(), wholeFirst.data(), input.size() * sizeof(float)), 0);
    EXPECT_EQ(std::memcmp(second.data(), wholeSecond.data(), input.size() * sizeof(float)), 0);
    EXPECT_NE(ADelayProbe(whole).generatorState(), 2024u);  // changes did end and draw
}

}  // namespace
