// The tool against a second, unrelated plug-in (two inputs, gain 0.5, call
// log): the host's call order, automation arriving at the right block,
// channel routing, output formats, tail and pictures.
#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/row_name.h"
#include "tests/tools/tool_runner.h"

namespace {

constexpr int kRate = 10000;  // a block of 1000 frames is exactly 0.1 s

std::vector<std::string> logLines(const std::string& path, const std::string& prefix) {
    std::vector<std::string> matching;
    for (const std::string& line : lines(readText(path)))
        if (line.rfind(prefix, 0) == 0) matching.push_back(line);
    return matching;
}

// One render, its options spelt in different ways.
struct SpellingRow {
    std::string name;
    std::vector<std::string> options;  // before PLUGIN IN OUT
    friend void PrintTo(const SpellingRow& row, std::ostream* out) { *out << row.name; }
};

class CallsThePlugIn : public testing::TestWithParam<SpellingRow> {};

TEST_P(CallsThePlugIn, InAHostsOrder) {
    const SpellingRow& row = GetParam();
    ScratchFolder folder;
    writeAudio(folder / "in.wav", testSignal(2, 2500, kRate));
    std::vector<std::string> args = {"render"};
    args.insert(args.end(), row.options.begin(), row.options.end());
    args.insert(args.end(), {kGainPluginPath, folder / "in.wav", folder / "out.wav"});
    const ToolResult result = runTool(args, {{"GAIN_PLUGIN_LOG", folder / "calls.log"}});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::vector<std::string> expected = {
        "sampleRate 10000 @0", "blockSize 1000 @0",  "program 1 @0",      "setParameter 0 0.5 @0", "mains 1 @0",
        "process 1000 @0",     "process 1000 @1000", "process 500 @2000", "mains 0 @2500",         "close @2500",
    };
    EXPECT_EQ(lines(readText(folder / "calls.log")), expected);
}

INSTANTIATE_TEST_SUITE_P(
    GeneralHost, CallsThePlugIn,
    testing::Values(SpellingRow{"values_as_separate_words",
                                {"--block", "1000", "--program", "1", "--set", "level=0.5", "--quiet"}},
                    SpellingRow{"values_after_equals_and_a_double_dash",
                                {"--block=1000", "--program=1", "--set=level=0.5", "--quiet", "--"}}),
    rowName<SpellingRow>);

struct AutomationRow {
    std::string name;
    std::string curve;
    std::vector<std::string> expected;  // setParameter lines with their frame
    friend void PrintTo(const AutomationRow& row, std::ostream* out) { *out << row.name; }
};

class AutomationReachesThePlugIn : public testing::TestWithParam<AutomationRow> {};

TEST_P(AutomationReachesThePlugIn, AtTheRightBlock) {
    const AutomationRow& row = GetParam();
    ScratchFolder folder;
    writeAudio(folder / "in.wav", testSignal(2, 4500, kRate));
    const ToolResult result = runTool({"render", kGainPluginPath, folder / "in.wav", folder / "out.wav", "--block",
                                       "1000", "--automate", row.curve, "--quiet"},
                                      {{"GAIN_PLUGIN_LOG", folder / "calls.log"}});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(logLines(folder / "calls.log", "setParameter"), row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    GeneralHost, AutomationReachesThePlugIn,
    testing::Values(AutomationRow{"ramp_across_blocks_held_after_the_last_point",
                                  "Level=0:0,0.4:1",
                                  {"setParameter 0 0 @0", "setParameter 0 0.25 @1000", "setParameter 0 0.5 @2000",
                                   "setParameter 0 0.75 @3000", "setParameter 0 1 @4000"}},
                    AutomationRow{"flat_curve_sent_once", "Spare Knob=0.15:0.6", {"setParameter 1 0.6 @0"}},
                    AutomationRow{"step_lands_on_the_first_block_after_it",
                                  "Level=0:0.2,0.25:0.2,0.25:0.8",
                                  {"setParameter 0 0.2 @0", "setParameter 0 0.8 @3000"}},
                    AutomationRow{"by_index_ramp_down",
                                  "1=0:1,0.2:0",
                                  {"setParameter 1 1 @0", "setParameter 1 0.5 @1000", "setParameter 1 0 @2000"}},
                    AutomationRow{"held_before_a_late_first_point",
                                  "Level=0.2:0.4,0.3:0.6",
                                  {"setParameter 0 0.4 @0", "setParameter 0 0.6 @3000"}}),
    rowName<AutomationRow>);

struct RoutingRow {
    std::string name;
    int fileChannels;
    std::vector<std::string> options;
    Environment environment;
    // Expected output sample for output channel `out` from one input frame.
    float (*expected)(const float* frame, int out);
    friend void PrintTo(const RoutingRow& row, std::ostream* out) { *out << row.name; }
};

class RoutesFileChannels : public testing::TestWithParam<RoutingRow> {};

TEST_P(RoutesFileChannels, ToPlugInInputs) {
    const RoutingRow& row = GetParam();
    ScratchFolder folder;
    const Audio input = testSignal(row.fileChannels, 3000, kRate);
    writeAudio(folder / "in.wav", input);
    std::vector<std::string> args = {"render", kGainPluginPath, folder / "in.wav", folder / "out.wav", "--quiet"};
    args.insert(args.end(), row.options.begin(), row.options.end());
    const ToolResult result = runTool(args, row.environment);
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const Audio output = readAudio(folder / "out.wav");
    ASSERT_EQ(output.channels, 2);
    ASSERT_EQ(output.frames(), input.frames());
    for (std::size_t i = 0; i < output.frames(); ++i)
        for (int c = 0; c < 2; ++c) {
            const float want = row.expected(&input.samples[i * static_cast<std::size_t>(row.fileChannels)], c);
            ASSERT_NEAR(output.samples[i * 2 + static_cast<std::size_t>(c)], want, 1e-6f)
                << "frame " << i << " channel " << c;
        }
}

INSTANTIATE_TEST_SUITE_P(
    GeneralHost, RoutesFileChannels,
    testing::Values(
        RoutingRow{"stereo_straight_through", 2, {}, {}, [](const float* f, int out) { return 0.5f * f[out]; }},
        RoutingRow{"mono_feeds_both_inputs", 1, {}, {}, [](const float* f, int) { return 0.5f * f[0]; }},
        RoutingRow{"three_channels_mixed_down",
                   3,
                   {},
                   {},
                   [](const float* f, int) { return 0.5f * ((f[0] + f[1] + f[2]) * (1.0f / 3.0f)); }},
        RoutingRow{"one_chosen_channel_feeds_both",
                   3,
                   {"--channel", "2"},
                   {},
                   [](const float* f, int) { return 0.5f * f[1]; }},
        RoutingRow{"accumulating_only_plug_in_over_many_blocks",
                   2,
                   {"--block", "64"},
                   {{"GAIN_PLUGIN_FAULT", "accumulate"}},
                   [](const float* f, int out) { return 0.5f * f[out]; }}),
    rowName<RoutingRow>);

struct FormatRow {
    std::string name;
    std::string extension;
    int inputFormat;
    std::vector<std::string> options;
    int outputFormat;
    friend void PrintTo(const FormatRow& row, std::ostream* out) { *out << row.name; }
};

class WritesTheInputsFileFamily : public testing::TestWithParam<FormatRow> {};

TEST_P(WritesTheInputsFileFamily, WithTheSampleFormatAsked) {
    const FormatRow& row = GetParam();
    ScratchFolder folder;
    const std::string in = folder / ("in." + row.extension);
    const std::string out = folder / ("out." + row.extension);
    writeAudio(in, testSignal(2, 4000, 44100, row.inputFormat));
    std::vector<std::string> args = {"render", kGainPluginPath, in, out, "--quiet"};
    args.insert(args.end(), row.options.begin(), row.options.end());
    const ToolResult result = runTool(args);
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const Audio input = readAudio(in);
    const Audio output = readAudio(out);
    EXPECT_EQ(output.format, row.outputFormat);
    EXPECT_EQ(output.sampleRate, 44100);
    ASSERT_EQ(output.frames(), input.frames());
    // Half the level of what was read, within the precision of the encoding.
    const bool lossy = (row.outputFormat & SF_FORMAT_SUBMASK) == SF_FORMAT_VORBIS;
    const float tolerance = lossy ? 0.05f : (row.outputFormat & SF_FORMAT_SUBMASK) == SF_FORMAT_PCM_16 ? 4e-5f : 1e-6f;
    for (std::size_t i = 0; i < output.samples.size(); i += 97)
        ASSERT_NEAR(output.samples[i], 0.5f * input.samples[i], tolerance) << "sample " << i;
}

INSTANTIATE_TEST_SUITE_P(
    GeneralHost, WritesTheInputsFileFamily,
    testing::Values(
        FormatRow{"wav_float_by_default", "wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, {}, SF_FORMAT_WAV | SF_FORMAT_FLOAT},
        FormatRow{"wav_16_bit_on_request",
                  "wav",
                  SF_FORMAT_WAV | SF_FORMAT_FLOAT,
                  {"--pcm16"},
                  SF_FORMAT_WAV | SF_FORMAT_PCM_16},
        FormatRow{"wav_24_bit_on_request",
                  "wav",
                  SF_FORMAT_WAV | SF_FORMAT_FLOAT,
                  {"--pcm24"},
                  SF_FORMAT_WAV | SF_FORMAT_PCM_24},
        FormatRow{"aiff_stays_aiff", "aiff", SF_FORMAT_AIFF | SF_FORMAT_PCM_16, {}, SF_FORMAT_AIFF | SF_FORMAT_FLOAT},
        FormatRow{"flac_cannot_hold_float_keeps_its_own_width",
                  "flac",
                  SF_FORMAT_FLAC | SF_FORMAT_PCM_16,
                  {},
                  SF_FORMAT_FLAC | SF_FORMAT_PCM_16},
        FormatRow{"flac_24_bit_on_request",
                  "flac",
                  SF_FORMAT_FLAC | SF_FORMAT_PCM_16,
                  {"--pcm24"},
                  SF_FORMAT_FLAC | SF_FORMAT_PCM_24},
        FormatRow{"ogg_stays_vorbis", "ogg", SF_FORMAT_OGG | SF_FORMAT_VORBIS, {}, SF_FORMAT_OGG | SF_FORMAT_VORBIS}),
    rowName<FormatRow>);

TEST(GeneralHost, TailAddsProcessedSilence) {
    ScratchFolder folder;
    writeAudio(folder / "in.wav", testSignal(2, 1234, kRate));
    const ToolResult result = runTool({"render", kGainPluginPath, folder / "in.wav", folder / "out.wav", "--tail",
                                       "0.25", "--block", "100", "--quiet"},
                                      {{"GAIN_PLUGIN_LOG", folder / "calls.log"}});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const Audio output = readAudio(folder / "out.wav");
    ASSERT_EQ(output.frames(), 1234u + 2500u);
    for (std::size_t i = 1234 * 2; i < output.samples.size(); ++i) ASSERT_EQ(output.samples[i], 0.0f) << i;
    // The plug-in saw every frame, the tail included, in whole blocks but the last.
    const std::vector<std::string> process = logLines(folder / "calls.log", "process");
    ASSERT_EQ(process.size(), 38u);
    EXPECT_EQ(process.back(), "process 34 @3700");
}

bool isPng(const std::string& path) { return readText(path).compare(0, 8, "\x89PNG\r\n\x1a\n") == 0; }

TEST(GeneralHost, DrawsPicturesAndLeavesNothingElse) {
    ScratchFolder folder;
    writeAudio(folder / "in.wav", testSignal(2, 20000, kRate));
    ToolResult result = runTool(
        {"render", kGainPluginPath, folder / "in.wav", folder / "out.wav", "--plot", folder / "render.png", "--quiet"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_TRUE(isPng(folder / "render.png"));

    result = runTool({"plot", folder / "out.wav", folder / "plot.png", "--input", folder / "in.wav"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_TRUE(isPng(folder / "plot.png"));
    EXPECT_EQ(folder.entries(), (std::vector<std::string>{"in.wav", "out.wav", "plot.png", "render.png"}));
}

TEST(GeneralHost, HelpGoesToStandardOutput) {
    const ToolResult result = runTool({"--help"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out.rfind("usage: oscinda-host", 0), 0u);
    EXPECT_EQ(result.err, "");
}

}  // namespace
