// Audio files through libsndfile: whatever it reads comes in as float frames;
// output goes to the same file family as the input.
#pragma once

#include <sndfile.h>

#include <string>
#include <vector>

#include "tools/oscinda-host/options.h"

class AudioReader {
public:
    // Throws ToolError for a missing, unreadable or unsupported file.
    explicit AudioReader(const std::string& path);
    ~AudioReader();
    AudioReader(const AudioReader&) = delete;
    AudioReader& operator=(const AudioReader&) = delete;

    int channels() const { return info_.channels; }
    int sampleRate() const { return info_.samplerate; }
    sf_count_t frames() const { return info_.frames; }  // may be unknown (<= 0) for streams
    int format() const { return info_.format; }

    // Reads up to `frames` interleaved frames; returns how many came (0 at the end).
    sf_count_t read(float* interleaved, sf_count_t frames);

private:
    std::string path_;
    SNDFILE* file_ = nullptr;
    SF_INFO info_{};
};

class AudioWriter {
public:
    // Takes ownership of `descriptor`. Throws ToolError when the format is
    // not writable.
    AudioWriter(int descriptor, const std::string& displayPath, int format, int sampleRate, int channels);
    ~AudioWriter();
    AudioWriter(const AudioWriter&) = delete;
    AudioWriter& operator=(const AudioWriter&) = delete;

    void write(const float* interleaved, sf_count_t frames);
    // Flushes and closes; throws ToolError if the data did not all get out.
    void finish();

private:
    std::string path_;
    SNDFILE* file_ = nullptr;
};

// The format for the output: the input's family with 32-bit float samples,
// or 16/24-bit PCM when asked. A family that cannot hold float (FLAC, Ogg)
// keeps the input's own encoding unless a PCM width was asked for. Throws
// ToolError when the family cannot hold what was asked.
int outputFormat(int inputFormat, int channels, int sampleRate, SampleFormat wanted, bool requested);
