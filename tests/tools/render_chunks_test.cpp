// `render` reads and writes its files many blocks at a time: the plug-in must
// still get the stream, tail included, cut into the same blocks as ever, and
// the file must hold every processed frame once and in place, wherever the
// input, the tail and the chunks end.
#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/row_name.h"
#include "tests/tools/tool_runner.h"

namespace {

constexpr int kRate = 10000;

struct ChunkRow {
    std::string name;
    int channels;
    int frames;
    int block;
    int tailFrames;  // a whole number of milliseconds at kRate
    friend void PrintTo(const ChunkRow& row, std::ostream* out) { *out << row.name; }
};

class RenderChunks : public testing::TestWithParam<ChunkRow> {};

TEST_P(RenderChunks, SameBlocksAndEveryFrameInPlace) {
    const ChunkRow& row = GetParam();
    ScratchFolder folder;
    const Audio input = testSignal(row.channels, row.frames, kRate);
    writeAudio(folder / "in.wav", input);
    const ToolResult result =
        runTool({"render", kGainPluginPath, folder / "in.wav", folder / "out.wav", "--block", std::to_string(row.block),
                 "--tail", std::to_string(row.tailFrames / 10) + "e-3", "--quiet"},
                {{"GAIN_PLUGIN_LOG", folder / "calls.log"}});
    ASSERT_EQ(result.exitCode, 0) << result.err;

    // The gain plug-in halves each input; a mono file feeds both inputs, a
    // file of more than two channels is mixed down into each.
    const Audio output = readAudio(folder / "out.wav");
    ASSERT_EQ(output.channels, 2);
    ASSERT_EQ(output.frames(), static_cast<std::size_t>(row.frames + row.tailFrames));
    const auto channels = static_cast<std::size_t>(row.channels);
    for (std::size_t frame = 0; frame < output.frames(); ++frame) {
        for (std::size_t c = 0; c < 2; ++c) {
            float in = 0.0f;
            if (frame < static_cast<std::size_t>(row.frames)) {
                const float* fileFrame = &input.samples[frame * channels];
                if (channels <= 2) {
                    in = fileFrame[channels == 1 ? 0 : c];
                } else {
                    for (std::size_t k = 0; k < channels; ++k) in += fileFrame[k];
                    in *= 1.0f / static_cast<float>(channels);
                }
            }
            ASSERT_EQ(output.samples[frame * 2 + c], 0.5f * in) << "frame " << frame << ", channel " << c;
        }
    }

    std::vector<std::string> expectedCalls;
    const int total = row.frames + row.tailFrames;
    for (int at = 0; at < total; at += row.block)
        expectedCalls.push_back("process " + std::to_string(std::min(row.block, total - at)) + " @" +
                                std::to_string(at));
    std::vector<std::string> calls;
    for (const std::string& line : lines(readText(folder / "calls.log")))
        if (line.rfind("process", 0) == 0) calls.push_back(line);
    EXPECT_EQ(calls, expectedCalls);
}

// The tool reads 65536 frames at a time, or the whole blocks that fit; fewer
// for files of many channels.
INSTANTIATE_TEST_SUITE_P(Render, RenderChunks,
                         testing::Values(ChunkRow{"mono_over_three_chunks", 1, 200003, 1000, 0},
                                         ChunkRow{"stereo_default_block", 2, 140000, 512, 0},
                                         ChunkRow{"tail_across_a_chunk_end", 1, 64700, 1000, 5000},
                                         ChunkRow{"input_ending_with_a_chunk", 1, 65000, 1000, 2000},
                                         ChunkRow{"tail_alone_over_chunks", 2, 10, 4096, 140000},
                                         ChunkRow{"blocks_of_more_than_half_a_chunk", 2, 150001, 40000, 0},
                                         ChunkRow{"blocks_of_a_whole_chunk", 1, 131073, 65536, 1000},
                                         ChunkRow{"odd_small_blocks", 1, 70001, 7, 30},
                                         ChunkRow{"many_channels_smaller_chunks", 24, 100003, 1000, 500}),
                         rowName<ChunkRow>);

}  // namespace
