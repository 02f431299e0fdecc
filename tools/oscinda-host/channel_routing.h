// How an audio file's channels feed a plug-in's inputs, and the planar
// buffers a plug-in processes.
#pragma once

#include <vector>

// Planar channel buffers with the pointer array the plug-in is handed. Never
// an empty pointer array: a plug-in with no inputs still gets a valid one.
class ChannelBuffers {
public:
    ChannelBuffers(int channels, int frames);
    float** pointers() { return pointers_.data(); }
    float* channel(int index) { return pointers_[static_cast<std::size_t>(index)]; }

private:
    std::vector<std::vector<float>> data_;
    std::vector<float*> pointers_;
};

// Planar channels into interleaved frames, as an audio file holds them.
void interleave(const float* const* channels, int count, int frames, float* target);

// The mean of the file's channels: full-scale input stays at full scale.
void mixDown(const float* interleaved, int fileChannels, int frames, float* target);

// Fills the first `inputs` buffers from `frames` interleaved file frames:
// `chosenChannel` (1-based) feeds every input when given; otherwise each
// input takes its own file channel, a file with fewer channels repeats them,
// and a file with more is mixed down.
void fillInputs(const float* interleaved, int fileChannels, int frames, int chosenChannel, int inputs,
                ChannelBuffers& buffers);
