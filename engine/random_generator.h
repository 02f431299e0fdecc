// The effect's own source of random change lengths: the classic linear
// congruential generator behind the C library's rand (uniform 0..32767), kept
// per instance so that every target draws the same sequence from the same
// seed and the audio thread never touches shared library state.
#pragma once

#include <atomic>
#include <cstdint>

class RandomGenerator {
public:
    static constexpr int kMaximum = 32767;

    // Seeded on the creating thread, drawn on the audio thread: the state is
    // one relaxed atomic word, so the hand-over is free of data races.
    void seed(std::uint32_t value) { state.store(value, std::memory_order_relaxed); }

    // Next draw, 0..kMaximum.
    int next() {
        const std::uint32_t advanced = state.load(std::memory_order_relaxed) * 214013u + 2531011u;
        state.store(advanced, std::memory_order_relaxed);
        return static_cast<int>((advanced >> 16) & 0x7FFFu);
    }

    std::uint32_t currentState() const { return state.load(std::memory_order_relaxed); }

private:
    std::atomic<std::uint32_t> state{1};
};
