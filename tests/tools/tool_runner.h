// Runs the built oscinda-host as a subprocess and gives each test its own
// scratch folder and audio-file helpers.
#pragma once

#include <sndfile.h>

#include <string>
#include <utility>
#include <vector>

struct ToolResult {
    int exitCode = -1;  // -1: did not exit normally
    std::string out;
    std::string err;
};

using Environment = std::vector<std::pair<std::string, std::string>>;

// Runs oscinda-host with `args`; `environment` adds or replaces variables.
ToolResult runTool(const std::vector<std::string>& args, const Environment& environment = {});

// A fresh folder under the temporary directory, removed with its contents.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }
    // Names in the folder, sorted (hidden ones too: temporary files are hidden).
    std::vector<std::string> entries() const;

private:
    std::string path_;
};

struct Audio {
    int channels = 0;
    int sampleRate = 0;
    int format = 0;
    std::vector<float> samples;  // interleaved
    std::size_t frames() const { return channels > 0 ? samples.size() / static_cast<std::size_t>(channels) : 0; }
};

void writeAudio(const std::string& path, const Audio& audio);
Audio readAudio(const std::string& path);
void writeText(const std::string& path, const std::string& text);
std::string readText(const std::string& path);
bool fileExists(const std::string& path);

// A deterministic test signal: decaying chord-like tones with noise, so that
// every sample differs and a shifted block shows.
Audio testSignal(int channels, int frames, int sampleRate = 44100, int format = SF_FORMAT_WAV | SF_FORMAT_FLOAT);

std::vector<std::string> lines(const std::string& text);

extern const char* const kGainPluginPath;
extern const char* const kOscindaPluginPath;
