// The effect's gate loop against the per-sample reference loop, bit for bit,
// over long randomised runs: two effects with the same seed and the same
// changes between blocks, one processing through its own processReplacing,
// the other through the reference loop on its own state and sweep. Every
// buffer the host hands over is compared after every block, so a stray store
// shows as well as a wrong sample.
#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <iterator>
#include <limits>
#include <memory>
#include <random>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "engine/adelay.h"
#include "tests/engine/adelay_probe.h"
#include "tests/engine/engine_test_support.h"
#include "tests/engine/reference_gate.h"
#include "tests/support/row_name.h"

namespace {

constexpr std::size_t kMaxBlock = 4096;
// Room before and after a block for buffers laid into each other.
constexpr std::size_t kOffset = 3;
constexpr std::size_t kWorkspace = kMaxBlock + 2 * kOffset;

// How a block's input and outputs sit in the host's memory.
enum class Layout {
    kSeparate,
    kInputIsFirst,
    kInputIsSecond,
    kOutputsShared,
    kAllShared,
    kInputAheadOfFirst,  // first output a few samples behind the input, same buffer
    kFirstAheadOfInput,  // first output a few samples ahead: it writes what is read next
    kSecondInsideFirst,  // the outputs offset by one sample in one buffer
    kCount
};

// A host's buffers: three of them, filled the same way on both sides.
struct Workspace {
    std::vector<float> a = std::vector<float>(kWorkspace);
    std::vector<float> b = std::vector<float>(kWorkspace);
    std::vector<float> c = std::vector<float>(kWorkspace);
    float* inputs[1] = {};
    float* outputs[2] = {};

    // Lays out the block's pointers and puts its input where the input is.
    void prepare(Layout layout, const float* input, std::size_t count) {
        const float sentinel = -7.5f;
        std::fill(a.begin(), a.end(), sentinel);
        std::fill(b.begin(), b.end(), sentinel);
        std::fill(c.begin(), c.end(), sentinel);
        float* in = a.data() + kOffset;
        float* first = b.data() + kOffset;
        float* second = c.data() + kOffset;
        switch (layout) {
        case Layout::kSeparate: break;
        case Layout::kInputIsFirst: first = in; break;
        case Layout::kInputIsSecond: second = in; break;
        case Layout::kOutputsShared: second = first; break;
        case Layout::kAllShared: first = second = in; break;
        case Layout::kInputAheadOfFirst: first = in - kOffset; break;
        case Layout::kFirstAheadOfInput: first = in + kOffset; break;
        case Layout::kSecondInsideFirst: second = first + 1; break;
        case Layout::kCount: break;
        }
        std::memcpy(in, input, count * sizeof(float));
        inputs[0] = in;
        outputs[0] = first;
        outputs[1] = second;
    }
};

bool sameBits(const std::vector<float>& x, const std::vector<float>& y) {
    return std::memcmp(x.data(), y.data(), x.size() * sizeof(float)) == 0;
}

std::size_t firstDifference(const std::vector<float>& x, const std::vector<float>& y) {
    for (std::size_t i = 0; i < x.size(); ++i)
        if (std::memcmp(&x[i], &y[i], sizeof(float)) != 0) return i;
    return x.size();
}

// A stream of stretches of ordinary noise, zeros of both signs, denormals,
// values near the float limit, infinities and NaNs.
std::vector<float> hostileStream(std::size_t count, unsigned seed) {
    std::mt19937 generator(seed);
    std::uniform_int_distribution<int> kind(0, 9);
    std::uniform_int_distribution<std::size_t> stretch(1, 3000);
    std::uniform_real_distribution<float> unit(-1.0f, 1.0f);
    std::uniform_real_distribution<float> nearLimit(0.5f, 1.0f);
    std::uniform_int_distribution<int> denormalBits(1, 0x007fffff);
    std::vector<float> samples;
    samples.reserve(count);
    while (samples.size() < count) {
        const int what = kind(generator);
        const std::size_t length = std::min(stretch(generator), count - samples.size());
        for (std::size_t i = 0; i < length; ++i) {
            const float sign = unit(generator) < 0.0f ? -1.0f : 1.0f;
            float value = unit(generator);
            if (what == 5) value = sign * 0.0f;
            if (what == 6) {
                const auto bits = static_cast<std::uint32_t>(denormalBits(generator));
                std::memcpy(&value, &bits, sizeof value);
                value *= sign;
            }
            if (what == 7) value = sign * FLT_MAX * nearLimit(generator);
            if (what == 8 && i % 97 == 0) value = sign * std::numeric_limits<float>::infinity();
            if (what == 8 && i % 89 == 0) value = std::numeric_limits<float>::quiet_NaN();
            samples.push_back(value);
        }
    }
    return samples;
}

struct ReferenceRow {
    const char* name;
    float sampleRate;
    bool changeRates;  // sample-rate changes between blocks, down to 800 Hz
    Layout layout;     // Layout::kCount: a layout drawn for every block
    unsigned seed;
    friend void PrintTo(const ReferenceRow& row, std::ostream* out) { *out << row.name; }
};

class GateReferenceTest : public testing::TestWithParam<ReferenceRow> {
protected:
    void SetUp() override {
        ASSERT_NE(effect, nullptr);
        ASSERT_NE(reference, nullptr);
        for (ADelay* e : {effect.get(), reference.get()}) {
            ADelayProbe(*e).seed(GetParam().seed);
            e->setSampleRate(GetParam().sampleRate);
        }
    }

    // The same host change on both effects.
    template <class Change>
    void onBoth(Change change) {
        change(*effect);
        change(*reference);
    }

    // Between blocks: parameters (Depth often at its ends, the speeds often
    // at the floor, where phases are shortest), programs and sample rates.
    void changeBetweenBlocks(std::mt19937& draw) {
        std::uniform_real_distribution<float> unit(0.0f, 1.0f);
        std::uniform_int_distribution<VstInt32> parameter(0, kNumOscindaParams - 1);
        std::uniform_int_distribution<VstInt32> program(0, kNumOscindaPrograms - 1);
        const float rates[] = {800.0f, 1000.0f, 8000.0f, 22050.0f, 44100.0f, 48000.0f, 96000.0f};
        std::uniform_int_distribution<std::size_t> rate(0, std::size(rates) - 1);
        if (unit(draw) < 0.35f) {
            const VstInt32 index = parameter(draw);
            const float pick = unit(draw);
            const float value = pick < 0.15f ? 0.0f : pick < 0.3f ? 1.0f : unit(draw);
            onBoth([&](ADelay& e) { e.setParameter(index, value); });
        }
        if (unit(draw) < 0.04f) {
            const VstInt32 chosen = program(draw);
            onBoth([&](ADelay& e) { e.setProgram(chosen); });
        }
        if (GetParam().changeRates && unit(draw) < 0.05f) {
            const float chosen = rates[rate(draw)];
            onBoth([&](ADelay& e) { e.setSampleRate(chosen); });
        }
    }

    std::unique_ptr<ADelay> effect{ADelay::create(nullptr)};
    std::unique_ptr<ADelay> reference{ADelay::create(nullptr)};
};

TEST_P(GateReferenceTest, EveryBufferMatchesThePerSampleLoopAfterEveryBlock) {
    const ReferenceRow& row = GetParam();
    constexpr std::size_t kTotal = 1500000;
    const std::vector<float> stream = hostileStream(kTotal, row.seed);
    std::mt19937 draw(row.seed + 1);
    std::uniform_int_distribution<int> anyLayout(0, static_cast<int>(Layout::kCount) - 1);
    Workspace fast, slow;
    std::size_t blocks = 0;
    bool failed = false;

    inRandomBlocks(kTotal, row.seed + 2, [&](std::size_t begin, std::size_t count) {
        if (failed) return;
        const Layout layout = row.layout == Layout::kCount ? static_cast<Layout>(anyLayout(draw)) : row.layout;
        changeBetweenBlocks(draw);
        fast.prepare(layout, stream.data() + begin, count);
        slow.prepare(layout, stream.data() + begin, count);
        const auto frames = static_cast<VstInt32>(count);
        effect->processReplacing(fast.inputs, fast.outputs, frames);
        reference_gate::processReplacing(*reference, slow.inputs, slow.outputs, frames);
        ++blocks;
        for (auto [mine, theirs, name] : {std::tuple{&fast.a, &slow.a, "a"}, std::tuple{&fast.b, &slow.b, "b"},
                                          std::tuple{&fast.c, &slow.c, "c"}}) {
            if (sameBits(*mine, *theirs)) continue;
            const std::size_t at = firstDifference(*mine, *theirs);
            ADD_FAILURE() << "buffer " << name << " differs at " << at << " (" << (*mine)[at] << " instead of "
                          << (*theirs)[at] << ") in block " << blocks << " of " << count << " frames at sample "
                          << begin << ", layout " << static_cast<int>(layout);
            failed = true;
            return;
        }
    });

    ADelayProbe mine(*effect), theirs(*reference);
    EXPECT_EQ(mine.closedPhase(), theirs.closedPhase());
    EXPECT_EQ(mine.halfPeriodLeft(), theirs.halfPeriodLeft());
    EXPECT_EQ(mine.changePosition(), theirs.changePosition());
    EXPECT_EQ(mine.generatorState(), theirs.generatorState());
}

INSTANTIATE_TEST_SUITE_P(
    Runs, GateReferenceTest,
    testing::Values(ReferenceRow{"separate_44100", 44100.0f, false, Layout::kSeparate, 11},
                    ReferenceRow{"separate_800", 800.0f, false, Layout::kSeparate, 12},
                    ReferenceRow{"separate_changing_rates", 800.0f, true, Layout::kSeparate, 13},
                    ReferenceRow{"input_is_first", 800.0f, true, Layout::kInputIsFirst, 14},
                    ReferenceRow{"input_is_second", 800.0f, true, Layout::kInputIsSecond, 15},
                    ReferenceRow{"outputs_shared", 800.0f, true, Layout::kOutputsShared, 16},
                    ReferenceRow{"all_shared", 800.0f, true, Layout::kAllShared, 17},
                    ReferenceRow{"input_ahead_of_first", 1000.0f, true, Layout::kInputAheadOfFirst, 18},
                    ReferenceRow{"first_ahead_of_input", 1000.0f, true, Layout::kFirstAheadOfInput, 19},
                    ReferenceRow{"second_inside_first", 1000.0f, true, Layout::kSecondInsideFirst, 20},
                    ReferenceRow{"layout_drawn_per_block", 800.0f, true, Layout::kCount, 21}),
    rowName<ReferenceRow>);

}  // namespace
