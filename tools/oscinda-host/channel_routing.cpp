#include "tools/oscinda-host/channel_routing.h"

#include <algorithm>

ChannelBuffers::ChannelBuffers(int channels, int frames)
    : data_(static_cast<std::size_t>(std::max(channels, 1)), std::vector<float>(static_cast<std::size_t>(frames))) {
    for (std::vector<float>& channel : data_) pointers_.push_back(channel.data());
}

void interleave(const float* const* channels, int count, int frames, float* target) {
    // Mono and stereo, the usual cases, as loops the compiler vectorises.
    if (count == 1) {
        std::copy(channels[0], channels[0] + frames, target);
    } else if (count == 2) {
        const float* left = channels[0];
        const float* right = channels[1];
        for (int i = 0; i < frames; ++i) {
            target[2 * i] = left[i];
            target[2 * i + 1] = right[i];
        }
    } else {
        for (int c = 0; c < count; ++c)
            for (int i = 0; i < frames; ++i) target[i * count + c] = channels[c][i];
    }
}

void mixDown(const float* interleaved, int fileChannels, int frames, float* target) {
    const float scale = 1.0f / static_cast<float>(fileChannels);
    for (int i = 0; i < frames; ++i) {
        float sum = 0.0f;
        for (int c = 0; c < fileChannels; ++c) sum += interleaved[i * fileChannels + c];
        target[i] = sum * scale;
    }
}

void fillInputs(const float* interleaved, int fileChannels, int frames, int chosenChannel, int inputs,
                ChannelBuffers& buffers) {
    for (int input = 0; input < inputs; ++input) {
        float* target = buffers.channel(input);
        if (chosenChannel > 0) {
            for (int i = 0; i < frames; ++i) target[i] = interleaved[i * fileChannels + chosenChannel - 1];
        } else if (fileChannels > inputs) {
            mixDown(interleaved, fileChannels, frames, target);
        } else {
            // As many or fewer file channels: each input takes its own, and
            // extra inputs repeat them (a mono file feeds every input).
            const int source = input % fileChannels;
            if (fileChannels == 1)
                std::copy(interleaved, interleaved + frames, target);
            else
                for (int i = 0; i < frames; ++i) target[i] = interleaved[i * fileChannels + source];
        }
    }
}
