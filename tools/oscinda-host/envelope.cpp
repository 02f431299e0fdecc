#include "tools/oscinda-host/envelope.h"

#include <algorithm>
#include <cmath>

EnvelopeTracker::EnvelopeTracker(int channels, std::int64_t windowFrames)
    : window_(std::max<std::int64_t>(1, windowFrames)),
      current_(static_cast<std::size_t>(channels), 0.0f),
      peaks_(static_cast<std::size_t>(channels)) {}

std::int64_t EnvelopeTracker::windowFor(std::int64_t totalFrames, int sampleRate) {
    constexpr std::int64_t kMaxPoints = 3000;
    const std::int64_t byCount = (totalFrames + kMaxPoints - 1) / kMaxPoints;
    const std::int64_t floor = totalFrames > std::int64_t{2} * sampleRate ? sampleRate / 100 : 1;
    return std::max<std::int64_t>({1, byCount, floor});
}

void EnvelopeTracker::take(int channel, float sample) {
    // A plug-in's NaN or infinity must not wreck the picture.
    if (!std::isfinite(sample)) return;
    float& peak = current_[static_cast<std::size_t>(channel)];
    peak = std::max(peak, std::fabs(sample));
}

void EnvelopeTracker::advance() {
    if (++filled_ < window_) return;
    for (std::size_t c = 0; c < current_.size(); ++c) {
        peaks_[c].push_back(current_[c]);
        current_[c] = 0.0f;
    }
    filled_ = 0;
}

void EnvelopeTracker::addPlanar(const float* const* channels, std::int64_t frames) {
    for (std::int64_t i = 0; i < frames; ++i) {
        for (int c = 0; c < this->channels(); ++c) take(c, channels[c][i]);
        advance();
    }
}

void EnvelopeTracker::addInterleaved(const float* samples, std::int64_t frames) {
    const int count = channels();
    for (std::int64_t i = 0; i < frames; ++i) {
        for (int c = 0; c < count; ++c) take(c, samples[i * count + c]);
        advance();
    }
}

void EnvelopeTracker::finish() {
    if (filled_ == 0) return;
    filled_ = window_ - 1;
    advance();
}
