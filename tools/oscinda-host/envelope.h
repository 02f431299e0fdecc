// Per-window peak level of each channel: small enough to plot, fine enough
// to show a gate's ramps.
#pragma once

#include <cstdint>
#include <vector>

class EnvelopeTracker {
public:
    EnvelopeTracker(int channels, std::int64_t windowFrames);

    // Window size for a picture of `totalFrames`: at most about 3000 points;
    // over more than two seconds no shorter than 10 ms, so a low note's own
    // waveform does not show through as ripple. Shorter spans are zooms and
    // keep their detail.
    static std::int64_t windowFor(std::int64_t totalFrames, int sampleRate);

    void addPlanar(const float* const* channels, std::int64_t frames);
    void addInterleaved(const float* samples, std::int64_t frames);
    // Closes a partly filled last window.
    void finish();

    int channels() const { return static_cast<int>(peaks_.size()); }
    std::int64_t windowFrames() const { return window_; }
    const std::vector<float>& peaks(int channel) const { return peaks_[static_cast<std::size_t>(channel)]; }

private:
    void take(int channel, float sample);
    void advance();

    std::int64_t window_;
    std::int64_t filled_ = 0;
    std::vector<float> current_;
    std::vector<std::vector<float>> peaks_;
};
