// Audio at every sample rate and block size a validator tries, the rate and
// the size changing between calls, with and without the power switched off
// and on between blocks, separate buffers and in place: the output stays
// finite and within the gate's gains throughout.
#include <functional>
#include <string>
#include <vector>

#include "tests/support/plugin_host.h"
#include "tests/support/row_name.h"
#include "tests/validator/gate_bound.h"
#include "tests/validator/text_probe.h"

namespace {

const float kSampleRates[] = {1.0f, 8000.0f, 22050.0f, 44100.0f, 48000.0f, 96000.0f, 192000.0f, 384000.0f, 768000.0f};
const VstInt32 kBlockSizes[] = {1, 17, 64, 512, 4096, 16384};

struct ProcessingRow {
    std::string name;
    std::function<void(PluginInstance&)> settings;
    bool powerCycleBetweenBlocks;  // effMainsChanged off and on around every change
    bool inPlace;                  // the input buffer is also the first output
    friend void PrintTo(const ProcessingRow& row, std::ostream* out) { *out << row.name; }
};

class ValidatorProcessing : public PluginTest, public testing::WithParamInterface<ProcessingRow> {
protected:
    // One block through the plug-in; the failure names where it broke.
    void processBlock(std::size_t size, unsigned seed, bool inPlace) {
        const std::vector<float> input = validatorNoise(size, seed);
        std::vector<float> first(size, 0.0f), second(size, 0.0f), shared = input;
        float* inputs[] = {inPlace ? shared.data() : const_cast<float*>(input.data())};
        float* outputs[] = {inPlace ? shared.data() : first.data(), second.data()};
        effect->processReplacing(effect, inputs, outputs, static_cast<VstInt32>(size));
        const std::string firstBroken = gateBoundBroken(input, inPlace ? shared : first, 0, size);
        const std::string secondBroken = gateBoundBroken(input, second, 0, size);
        ASSERT_TRUE(firstBroken.empty()) << "first output, " << firstBroken;
        ASSERT_TRUE(secondBroken.empty()) << "second output, " << secondBroken;
    }
};

TEST_P(ValidatorProcessing, EveryRateAndBlockSizeGivesBoundedOutput) {
    const ProcessingRow& row = GetParam();
    row.settings(*this);
    TextProbe texts(*this);
    dispatch(effMainsChanged, 0, 1);
    unsigned seed = 1;
    for (float rate : kSampleRates) {
        for (VstInt32 blockSize : kBlockSizes) {
            if (row.powerCycleBetweenBlocks) dispatch(effMainsChanged, 0, 0);
            dispatch(effSetSampleRate, 0, 0, nullptr, rate);
            dispatch(effSetBlockSize, 0, blockSize);
            if (row.powerCycleBetweenBlocks) dispatch(effMainsChanged, 0, 1);
            SCOPED_TRACE(testing::Message() << rate << " Hz, blocks of " << blockSize);
            // A full block, then a shorter one, as hosts send at the end of a loop.
            ASSERT_NO_FATAL_FAILURE(processBlock(static_cast<std::size_t>(blockSize), seed++, row.inPlace));
            ASSERT_NO_FATAL_FAILURE(processBlock(static_cast<std::size_t>(blockSize) / 3 + 1, seed++, row.inPlace));
            texts.readAll(3, 0);
        }
    }
}

void defaults(PluginInstance&) {}

void fastestRandomGate(PluginInstance& plugin) {
    plugin.setParameter(0, 0.0f);
    plugin.setParameter(2, 0.0f);
    plugin.setParameter(1, 0.06f);
    plugin.setParameter(3, 0.0f);
    plugin.setParameter(4, 1.0f);
}

void slowestFullDepth(PluginInstance& plugin) {
    plugin.setParameter(0, 1.0f);
    plugin.setParameter(1, 1.0f);
    plugin.setParameter(2, 0.9f);
    plugin.setParameter(3, 1.0f);
}

INSTANTIATE_TEST_SUITE_P(Scenes, ValidatorProcessing,
                         testing::Values(ProcessingRow{"Defaults", defaults, false, false},
                                         ProcessingRow{"DefaultsPowerCycled", defaults, true, false},
                                         ProcessingRow{"DefaultsInPlace", defaults, false, true},
                                         ProcessingRow{"FastestRandomGate", fastestRandomGate, false, false},
                                         ProcessingRow{"FastestRandomGatePowerCycledInPlace", fastestRandomGate, true,
                                                       true},
                                         ProcessingRow{"SlowestAtFullDepth", slowestFullDepth, true, false}),
                         rowName<ProcessingRow>);

}  // namespace
