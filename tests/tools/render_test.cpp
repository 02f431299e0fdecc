// `render` through the built plug-in must give exactly what the plug-in gives
// when driven directly with the same input, block size, settings and
// automation: the tool may add nothing, drop nothing and shift nothing.
#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/plugin_host.h"
#include "tests/support/row_name.h"
#include "tests/tools/tool_runner.h"

namespace {

constexpr int kRate = 44100;
constexpr int kFrames = 20011;  // not a multiple of any block size below

struct Breakpoint {
    double seconds;
    double value;
};

struct EngineRow {
    std::string name;
    int block;
    int program;                                  // -1: none
    std::vector<std::pair<int, float>> settings;  // parameter index, value
    bool settingsByName;
    std::vector<Breakpoint> automation;  // on parameter 0
    friend void PrintTo(const EngineRow& row, std::ostream* out) { *out << row.name; }
};

double automationAt(const std::vector<Breakpoint>& points, double seconds) {
    if (seconds <= points.front().seconds) return points.front().value;
    for (std::size_t i = 1; i < points.size(); ++i)
        if (seconds < points[i].seconds) {
            const Breakpoint& a = points[i - 1];
            const Breakpoint& b = points[i];
            return a.value + (b.value - a.value) * ((seconds - a.seconds) / (b.seconds - a.seconds));
        }
    return points.back().value;
}

std::string number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", value);
    return text;
}

class RenderMatchesEngine : public PluginTest, public testing::WithParamInterface<EngineRow> {
protected:
    // What the plug-in produces, driven directly the way a host does it.
    std::vector<float> reference(const EngineRow& row, const std::vector<float>& input) {
        dispatch(effOpen);
        dispatch(effSetSampleRate, 0, 0, nullptr, static_cast<float>(kRate));
        dispatch(effSetBlockSize, 0, row.block);
        if (row.program >= 0) {
            dispatch(effBeginSetProgram);
            dispatch(effSetProgram, 0, row.program);
            dispatch(effEndSetProgram);
        }
        for (const auto& setting : row.settings) setParameter(setting.first, setting.second);
        dispatch(effMainsChanged, 0, 1);
        dispatch(effStartProcess);
        std::vector<float> interleaved(input.size() * 2);
        std::vector<float> in(static_cast<std::size_t>(row.block)), left(in.size()), right(in.size());
        bool sent = false;
        float last = 0.0f;
        for (std::size_t done = 0; done < input.size(); done += static_cast<std::size_t>(row.block)) {
            const std::size_t count = std::min(input.size() - done, static_cast<std::size_t>(row.block));
            if (!row.automation.empty()) {
                const auto value = static_cast<float>(automationAt(row.automation, static_cast<double>(done) / kRate));
                if (!sent || value != last) setParameter(0, value);
                sent = true;
                last = value;
            }
            std::copy(input.begin() + static_cast<long>(done), input.begin() + static_cast<long>(done + count),
                      in.begin());
            float* inputs[] = {in.data()};
            float* outputs[] = {left.data(), right.data()};
            effect->processReplacing(effect, inputs, outputs, static_cast<VstInt32>(count));
            for (std::size_t i = 0; i < count; ++i) {
                interleaved[2 * (done + i)] = left[i];
                interleaved[2 * (done + i) + 1] = right[i];
            }
        }
        dispatch(effStopProcess);
        dispatch(effMainsChanged, 0, 0);
        return interleaved;
    }
};

TEST_P(RenderMatchesEngine, SamplesEqualTheEngineDrivenDirectly) {
    const EngineRow& row = GetParam();
    ASSERT_EQ(effect->numInputs, 1);
    ASSERT_EQ(effect->numOutputs, 2);

    const Audio input = testSignal(1, kFrames, kRate);
    ScratchFolder folder;
    writeAudio(folder / "in.wav", input);
    std::vector<std::string> args = {"render",  kOscindaPluginPath,        folder / "in.wav", folder / "out.wav",
                                     "--block", std::to_string(row.block), "--quiet"};
    if (row.program >= 0) args.insert(args.end(), {"--program", std::to_string(row.program)});
    for (const auto& setting : row.settings) {
        const std::string name =
            row.settingsByName ? text(effGetParamName, setting.first) : std::to_string(setting.first);
        args.insert(args.end(), {"--set", name + "=" + number(setting.second)});
    }
    if (!row.automation.empty()) {
        std::string curve = "0=";
        for (const Breakpoint& point : row.automation)
            curve += (curve.size() > 2 ? "," : "") + number(point.seconds) + ":" + number(point.value);
        args.insert(args.end(), {"--automate", curve});
    }
    const ToolResult result = runTool(args);
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.err, "");

    const Audio output = readAudio(folder / "out.wav");
    EXPECT_EQ(output.channels, 2);
    EXPECT_EQ(output.sampleRate, kRate);
    EXPECT_EQ(output.format, SF_FORMAT_WAV | SF_FORMAT_FLOAT);
    const std::vector<float> expected = reference(row, input.samples);
    ASSERT_EQ(output.samples.size(), expected.size());
    std::size_t mismatches = 0, first = 0;
    for (std::size_t i = 0; i < expected.size(); ++i)
        if (output.samples[i] != expected[i] && mismatches++ == 0) first = i;
    EXPECT_EQ(mismatches, 0u) << "first at frame " << first / 2 << ", channel " << first % 2 << ": "
                              << output.samples[first] << " vs " << expected[first];
}

INSTANTIATE_TEST_SUITE_P(
    Render, RenderMatchesEngine,
    testing::Values(EngineRow{"default_program_default_block", 512, -1, {}, false, {}},
                    EngineRow{"program_3_and_a_parameter_by_name_block_64", 64, 3, {{0, 0.8f}}, true, {}},
                    EngineRow{"two_parameters_by_index_odd_block_1000", 1000, -1, {{0, 0.9f}, {1, 0.3f}}, false, {}},
                    EngineRow{
                        "parameter_0_automated_block_256", 256, -1, {}, false, {{0.0, 0.1}, {0.2, 0.9}, {0.35, 0.3}}},
                    EngineRow{"single_frame_blocks", 1, 2, {{1, 0.7f}}, false, {}}),
    rowName<EngineRow>);

}  // namespace
