#include "tools/oscinda-host/audio_file.h"

#include <unistd.h>

#include "tools/oscinda-host/file_paths.h"
#include "tools/oscinda-host/tool_error.h"

namespace {

std::string familyName(int format) {
    SF_FORMAT_INFO info{};
    info.format = format & SF_FORMAT_TYPEMASK;
    if (sf_command(nullptr, SFC_GET_FORMAT_INFO, &info, sizeof info) == 0 && info.name != nullptr) return info.name;
    return "this file type";
}

bool writable(int format, int channels, int sampleRate) {
    SF_INFO info{};
    info.format = format;
    info.channels = channels;
    info.samplerate = sampleRate;
    return sf_format_check(&info) != 0;
}

}  // namespace

AudioReader::AudioReader(const std::string& path) : path_(path) {
    checkReadableFile(path, "");
    file_ = sf_open(path.c_str(), SFM_READ, &info_);
    if (file_ == nullptr) throw ToolError("'" + path + "' is not a supported audio file: " + sf_strerror(nullptr));
    if (info_.channels < 1 || info_.samplerate < 1) {
        sf_close(file_);
        file_ = nullptr;
        throw ToolError("'" + path + "' is not a supported audio file: it has no channels or no sample rate");
    }
}

AudioReader::~AudioReader() {
    if (file_ != nullptr) sf_close(file_);
}

sf_count_t AudioReader::read(float* interleaved, sf_count_t frames) {
    const sf_count_t got = sf_readf_float(file_, interleaved, frames);
    if (got < frames && sf_error(file_) != SF_ERR_NO_ERROR)
        throw ToolError("cannot read '" + path_ + "': " + sf_strerror(file_));
    return got;
}

AudioWriter::AudioWriter(int descriptor, const std::string& displayPath, int format, int sampleRate, int channels)
    : path_(displayPath) {
    SF_INFO info{};
    info.format = format;
    info.samplerate = sampleRate;
    info.channels = channels;
    file_ = sf_open_fd(descriptor, SFM_WRITE, &info, SF_TRUE);
    if (file_ == nullptr) {
        close(descriptor);
        throw ToolError("cannot write '" + path_ + "': " + sf_strerror(nullptr));
    }
    // Integer output saturates instead of wrapping around on overs.
    sf_command(file_, SFC_SET_CLIPPING, nullptr, SF_TRUE);
}

AudioWriter::~AudioWriter() {
    if (file_ != nullptr) sf_close(file_);
}

void AudioWriter::write(const float* interleaved, sf_count_t frames) {
    if (sf_writef_float(file_, interleaved, frames) != frames)
        throw ToolError("cannot write '" + path_ + "': " + sf_strerror(file_));
}

void AudioWriter::finish() {
    sf_write_sync(file_);
    const int error = sf_error(file_);
    const int closed = sf_close(file_);
    file_ = nullptr;
    if (error != SF_ERR_NO_ERROR || closed != 0)
        throw ToolError("cannot write '" + path_ + "': " + sf_error_number(error != 0 ? error : closed));
}

int outputFormat(int inputFormat, int channels, int sampleRate, SampleFormat wanted, bool requested) {
    const int family = inputFormat & SF_FORMAT_TYPEMASK;
    const int subtype = wanted == SampleFormat::Pcm16   ? SF_FORMAT_PCM_16
                        : wanted == SampleFormat::Pcm24 ? SF_FORMAT_PCM_24
                                                        : SF_FORMAT_FLOAT;
    const int candidate = family | subtype;
    if (writable(candidate, channels, sampleRate)) return candidate;
    const char* what = wanted == SampleFormat::Pcm16   ? "16-bit PCM"
                       : wanted == SampleFormat::Pcm24 ? "24-bit PCM"
                                                       : "32-bit float";
    if (!requested) {
        const int same = family | (inputFormat & SF_FORMAT_SUBMASK);
        if (writable(same, channels, sampleRate)) return same;
    }
    throw ToolError("cannot write " + familyName(family) + " with " + what + ", " + std::to_string(channels) +
                    " channels at " + std::to_string(sampleRate) + " Hz");
}
