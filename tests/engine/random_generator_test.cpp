// The per-instance random generator and its seeding.
#include <ctime>

#include "tests/engine/adelay_probe.h"
#include "tests/engine/engine_test_support.h"

namespace {

TEST(RandomGenerator, FollowsTheRandSequenceForSeedOne) {
    RandomGenerator generator;
    generator.seed(1);
    const int expected[] = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464};
    for (int value : expected) EXPECT_EQ(generator.next(), value);
}

TEST(RandomGenerator, UnseededStartsLikeSeedOne) {
    RandomGenerator generator;
    EXPECT_EQ(generator.next(), 41);
}

TEST(RandomGenerator, EachEffectDrawsFromItsOwnSequence) {
    ADelay a(nullptr);
    ADelay b(nullptr);
    ADelayProbe(a).seed(1);
    ADelayProbe(b).seed(1);
    // Ending changes with Random on draws from a's generator only.
    a.setParameter(kRandomParam, 1.0f);
    ADelayProbe probeA(a);
    for (int turn = 0; turn < 3; ++turn) {
        probeA.endChange();
        probeA.nextPeriod(0.5f, 0.5f);
    }
    EXPECT_NE(probeA.generatorState(), 1u);
    EXPECT_EQ(ADelayProbe(b).generatorState(), 1u);
}

TEST(RandomGenerator, EffectIsSeededFromTheClockAtConstruction) {
    const auto before = static_cast<std::uint32_t>(std::time(nullptr));
    ADelay effect(nullptr);
    const auto after = static_cast<std::uint32_t>(std::time(nullptr));
    const std::uint32_t seed = ADelayProbe(effect).generatorState();  // no draw has happened yet
    EXPECT_GE(seed, before);
    EXPECT_LE(seed, after);
}

}  // namespace
