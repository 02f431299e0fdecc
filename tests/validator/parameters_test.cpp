// Every parameter set to 0, 1 and random values in between, read back, and
// its texts read at every value, as a validator walks a plug-in's
// parameters.
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "tests/support/plugin_host.h"
#include "tests/support/row_name.h"
#include "tests/validator/text_probe.h"

namespace {

constexpr float kSpeedFloor = 0.05f;

struct ReadBackRow {
    std::string name;
    VstInt32 index;
    // Puts the other parameters where this one's value is taken as it is.
    std::function<void(PluginInstance&)> prepare;
    // What getParameter gives back after value was set.
    std::function<float(float)> readBack;
    friend void PrintTo(const ReadBackRow& row, std::ostream* out) { *out << row.name; }
};

class ValidatorParameters : public PluginTest, public testing::WithParamInterface<ReadBackRow> {};

std::vector<float> valuesToSet() {
    std::vector<float> values = {0.0f, 1.0f};
    std::mt19937 generator(99);
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    for (int i = 0; i < 50; ++i) values.push_back(unit(generator));
    return values;
}

TEST_P(ValidatorParameters, ReadsBackWhatWasSet) {
    const ReadBackRow& row = GetParam();
    row.prepare(*this);
    TextProbe texts(*this);
    for (float value : valuesToSet()) {
        setParameter(row.index, value);
        const float kept = getParameter(row.index);
        EXPECT_EQ(kept, row.readBack(value)) << "set " << value;
        EXPECT_TRUE(kept >= 0.0f && kept <= 1.0f) << "set " << value << ", read " << kept;
        EXPECT_FALSE(texts.read(effGetParamDisplay, row.index).empty()) << "no display text at " << value;
        EXPECT_FALSE(texts.read(effGetParamName, row.index).empty());
        texts.read(effGetParamLabel, row.index);
    }
}

float itself(float value) { return value; }
float flooredSpeed(float value) { return value > kSpeedFloor ? value : kSpeedFloor; }
void nothingToPrepare(PluginInstance&) {}

INSTANTIATE_TEST_SUITE_P(
    EveryParameter, ValidatorParameters,
    testing::Values(ReadBackRow{"Depth", 0, nothingToPrepare, itself},
                    // Speed must stay above Maximum Speed: with Maximum Speed at its
                    // floor every Speed above it is taken, and the floor itself falls
                    // back to Maximum Speed, which is the floor.
                    ReadBackRow{"Speed", 1, [](PluginInstance& plugin) { plugin.setParameter(2, 0.0f); }, flooredSpeed},
                    ReadBackRow{"MaximumSpeed", 2, [](PluginInstance& plugin) { plugin.setParameter(1, 1.0f); },
                                // 1 itself is not below Speed: Maximum Speed then takes
                                // the program's Speed, also 1.
                                flooredSpeed},
                    ReadBackRow{"ChangeRate", 3, nothingToPrepare, itself},
                    ReadBackRow{"Random", 4, nothingToPrepare, [](float value) { return value >= 0.5f ? 1.0f : 0.0f; }},
                    ReadBackRow{"PingPong", 5, nothingToPrepare, [](float) { return 0.0f; }}),
    rowName<ReadBackRow>);

}  // namespace
